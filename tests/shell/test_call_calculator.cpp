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

// Each text and the two values the POKEs write; none where both lines show placeholders.
void TestCallCalculator::showCall_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("values");
    const std::pair<QString, const char *> rows[] = {
        {u""_s, ""},
        {u"64000"_s, "0 249"},
        {u"65535"_s, "255 254"},
        {u"15616"_s, "0 60"},
        {u"256"_s, "0 0"},
        {u"100"_s, "100 255"},
        {u"0"_s, "0 255"},
        {u"65536"_s, ""},
        {u"-1"_s, ""},
        {u"-0"_s, "0 255"},
        {u"abc"_s, ""},
        {u"1a"_s, ""}, // the first letter that is a digit only in hexadecimal
        {u"  64000 \t"_s, "0 249"},
        {u"640 00"_s, ""},
        {u"+256"_s, "0 0"},
        {u"-"_s, ""},
        {u"1.5"_s, ""},
        {u"64000.5"_s, ""},
        {u"1e3"_s, ""},
        {u"#FA00"_s, "0 249"},
        {u"$fa01"_s, "1 249"},
        {u" 0XFA00 "_s, "0 249"},
        {u"#10000"_s, ""},
        {u"0x"_s, ""},
        {u"FA00"_s, ""},
        {QString(10000, u'9'), ""},
        {QString(10000, u'0') + u"64000"_s, "0 249"},
        {u"4294967396"_s, ""}, // 2^32 + 100, which reads as 100 where values wrap at 32 bits
    };
    for (const auto &[text, values] : rows)
        QTest::addRow("%s", qPrintable(text.left(20))) << text << QString::fromLatin1(values);
}

void TestCallCalculator::showCall()
{
    QFETCH(QString, text);
    QFETCH(QString, values);
    const CallLines lines = ShowCall(text);
    const QStringList numbers = values.split(u' ');
    QCOMPARE(lines.low, values.isEmpty() ? u"POKE 23606,___"_s : u"POKE 23606, "_s + numbers[0]);
    QCOMPARE(lines.high, values.isEmpty() ? u"POKE 23607,___"_s : u"POKE 23607, "_s + numbers[1]);
}

QTEST_GUILESS_MAIN(TestCallCalculator)
#include "test_call_calculator.moc"
