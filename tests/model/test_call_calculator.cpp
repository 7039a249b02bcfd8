#include "shell/call_calculator.h"

#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

class TestCallCalculator : public QObject
{
    Q_OBJECT

private slots:
    void parseAddress_data();
    void parseAddress();
    void bytes_data();
    void bytes();
    void showCall_data();
    void showCall();
};

namespace {

constexpr int Rejected = -1;

} // namespace

void TestCallCalculator::parseAddress_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected"); // Rejected when the text is not an address

    QTest::newRow("empty") << QString() << Rejected;
    QTest::newRow("blanks only") << u"  "_s << Rejected;
    QTest::newRow("zero") << u"0"_s << 0;
    QTest::newRow("decimal") << u"64000"_s << 64000;
    QTest::newRow("highest") << u"65535"_s << 65535;
    QTest::newRow("one past highest") << u"65536"_s << Rejected;
    QTest::newRow("blanks around") << u"  64000 \t"_s << 64000;
    QTest::newRow("blank inside") << u"640 00"_s << Rejected;
    QTest::newRow("leading zeros") << u"064000"_s << 64000;
    QTest::newRow("plus") << u"+5"_s << 5;
    QTest::newRow("minus zero") << u"-0"_s << 0;
    QTest::newRow("negative") << u"-1"_s << Rejected;
    QTest::newRow("lone minus") << u"-"_s << Rejected;
    QTest::newRow("lone plus") << u"+"_s << Rejected;
    QTest::newRow("two signs") << u"+-5"_s << Rejected;
    QTest::newRow("blank after sign") << u"+ 5"_s << Rejected;
    QTest::newRow("fraction") << u"64000.5"_s << Rejected;
    QTest::newRow("exponent") << u"1e3"_s << Rejected;
    QTest::newRow("letters") << u"abc"_s << Rejected;
    QTest::newRow("trailing letter") << u"64000a"_s << Rejected;
    QTest::newRow("hex hash") << u"#FA00"_s << 64000;
    QTest::newRow("hex dollar") << u"$FA00"_s << 64000;
    QTest::newRow("hex 0x") << u"0xFA00"_s << 64000;
    QTest::newRow("hex mixed case") << u"0XFa00"_s << 64000;
    QTest::newRow("hex blanks around") << u" #3C00 "_s << 15360;
    QTest::newRow("hex highest") << u"#FFFF"_s << 65535;
    QTest::newRow("hex too big") << u"#10000"_s << Rejected;
    QTest::newRow("hex leading zeros") << u"$0000FA00"_s << 64000;
    QTest::newRow("hex bad digit") << u"#FG00"_s << Rejected;
    QTest::newRow("hex with sign") << u"-#10"_s << Rejected;
    QTest::newRow("hash alone") << u"#"_s << Rejected;
    QTest::newRow("dollar alone") << u"$"_s << Rejected;
    QTest::newRow("0x alone") << u"0x"_s << Rejected;
    QTest::newRow("hex digits without prefix") << u"FA00"_s << Rejected;
    QTest::newRow("blank after prefix") << u"# FA00"_s << Rejected;
    QTest::newRow("full-width digits") << u"６４"_s << Rejected;
    QTest::newRow("10000 digits") << QString(10000, u'9') << Rejected;
    QTest::newRow("10000 zeros then 64000") << QString(10000, u'0') + u"64000"_s << 64000;
    QTest::newRow("hex 10000 digits") << u"#"_s + QString(10000, u'F') << Rejected;
    // 4294967296 + 100 would come out as 100 if the value were allowed to wrap in 32 bits.
    QTest::newRow("wraps 32 bits") << u"4294967396"_s << Rejected;
}

void TestCallCalculator::parseAddress()
{
    QFETCH(QString, text);
    QFETCH(int, expected);

    const std::optional<int> address = Glyphery::parseAddress(text);
    if (expected == Rejected)
        QVERIFY2(!address, qPrintable(u"accepted as "_s + QString::number(address.value_or(0))));
    else
        QCOMPARE(address, std::optional<int>(expected));
}

void TestCallCalculator::bytes_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("low"); // Rejected when the byte cannot be had
    QTest::addColumn<int>("high");

    QTest::newRow("0") << 0 << 0 << 0;
    QTest::newRow("255") << 255 << 255 << 0;
    QTest::newRow("256") << 256 << 0 << 1;
    QTest::newRow("15616") << 15616 << 0 << 61;
    QTest::newRow("64000") << 64000 << 0 << 250;
    QTest::newRow("65535") << 65535 << 255 << 255;
    QTest::newRow("65536") << 65536 << 0 << Rejected;
    QTest::newRow("-1") << -1 << 255 << Rejected;
    QTest::newRow("-257") << -257 << 255 << Rejected;
    QTest::newRow("int max") << std::numeric_limits<int>::max() << 255 << Rejected;
    QTest::newRow("int min") << std::numeric_limits<int>::min() << 0 << Rejected;
}

void TestCallCalculator::bytes()
{
    QFETCH(int, address);
    QFETCH(int, low);
    QFETCH(int, high);

    const auto expect = [](int value) {
        return value == Rejected ? std::optional<std::uint8_t>()
                                 : std::optional<std::uint8_t>(static_cast<std::uint8_t>(value));
    };
    QCOMPARE(a256(address), expect(low));
    QCOMPARE(b256(address), expect(high));
}

void TestCallCalculator::showCall_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");

    const QString lowPlaceholder = u"POKE 23606,___"_s;
    const QString highPlaceholder = u"POKE 23607,___"_s;

    QTest::newRow("empty") << QString() << lowPlaceholder << highPlaceholder;
    QTest::newRow("64000") << u"64000"_s << u"POKE 23606, 0"_s << u"POKE 23607, 249"_s;
    QTest::newRow("65535") << u"65535"_s << u"POKE 23606, 255"_s << u"POKE 23607, 254"_s;
    QTest::newRow("15616") << u"15616"_s << u"POKE 23606, 0"_s << u"POKE 23607, 60"_s;
    QTest::newRow("first page wraps") << u"100"_s << u"POKE 23606, 100"_s << u"POKE 23607, 255"_s;
    QTest::newRow("0") << u"0"_s << u"POKE 23606, 0"_s << u"POKE 23607, 255"_s;
    QTest::newRow("256") << u"256"_s << u"POKE 23606, 0"_s << u"POKE 23607, 0"_s;
    QTest::newRow("65536") << u"65536"_s << lowPlaceholder << highPlaceholder;
    QTest::newRow("-1") << u"-1"_s << lowPlaceholder << highPlaceholder;
    QTest::newRow("letters") << u"abc"_s << lowPlaceholder << highPlaceholder;
}

void TestCallCalculator::showCall()
{
    QFETCH(QString, text);
    QFETCH(QString, low);
    QFETCH(QString, high);

    const CallLines lines = ShowCall(text);
    QCOMPARE(lines.low, low);
    QCOMPARE(lines.high, high);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestCallCalculator)
#include "test_call_calculator.moc"
