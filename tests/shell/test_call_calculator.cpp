// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/call_calculator.h"

#include <QTest>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

class TestCallCalculator : public QObject
{
    Q_OBJECT
private slots:
    void showCall_data();
    void showCall();
};

void TestCallCalculator::showCall_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("low"); // -1: both lines show placeholders
    QTest::addColumn<int>("high"); // what the second POKE writes

    QTest::newRow("empty") << QString() << -1 << 0;
    QTest::newRow("64000") << u"64000"_s << 0 << 249;
    QTest::newRow("65535") << u"65535"_s << 255 << 254;
    QTest::newRow("15616") << u"15616"_s << 0 << 60;
    QTest::newRow("256") << u"256"_s << 0 << 0;
    QTest::newRow("first page wraps to 255") << u"100"_s << 100 << 255;
    QTest::newRow("0") << u"0"_s << 0 << 255;
    QTest::newRow("65536") << u"65536"_s << -1 << 0;
    QTest::newRow("-1") << u"-1"_s << -1 << 0;
    QTest::newRow("letters") << u"abc"_s << -1 << 0;
    QTest::newRow("blanks around") << u"  64000 \t"_s << 0 << 249;
    QTest::newRow("blank inside") << u"640 00"_s << -1 << 0;
    QTest::newRow("plus sign") << u"+256"_s << 0 << 0;
    QTest::newRow("lone sign") << u"-"_s << -1 << 0;
    QTest::newRow("fraction") << u"64000.5"_s << -1 << 0;
    QTest::newRow("exponent") << u"1e3"_s << -1 << 0;
    QTest::newRow("hex #") << u"#FA00"_s << 0 << 249;
    QTest::newRow("hex $") << u"$fa01"_s << 1 << 249;
    QTest::newRow("hex 0x") << u" 0XFA00 "_s << 0 << 249;
    QTest::newRow("hex too big") << u"#10000"_s << -1 << 0;
    QTest::newRow("prefix alone") << u"0x"_s << -1 << 0;
    QTest::newRow("hex digits without prefix") << u"FA00"_s << -1 << 0;
    QTest::newRow("10,000 digits") << QString(10000, u'9') << -1 << 0;
    QTest::newRow("10,000 zeros then 64000") << QString(10000, u'0') + u"64000"_s << 0 << 249;
    // 2^32 + 100 would read as 100 if the value wrapped in 32 bits.
    QTest::newRow("wraps 32 bits") << u"4294967396"_s << -1 << 0;
}

void TestCallCalculator::showCall()
{
    QFETCH(QString, text);
    QFETCH(int, low);
    QFETCH(int, high);
    const CallLines lines = ShowCall(text);
    if (low < 0) {
        QCOMPARE(lines.low, u"POKE 23606,___"_s);
        QCOMPARE(lines.high, u"POKE 23607,___"_s);
    } else {
        QCOMPARE(lines.low, u"POKE 23606, %1"_s.arg(low));
        QCOMPARE(lines.high, u"POKE 23607, %1"_s.arg(high));
    }
}

QTEST_GUILESS_MAIN(TestCallCalculator)
#include "test_call_calculator.moc"
