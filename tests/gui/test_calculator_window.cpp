#include "shell/calculator_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

class TestCalculatorWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void opensWithPlaceholders();
    void typingUpdatesAfterEveryKey_data();
    void typingUpdatesAfterEveryKey();
    void textSetWithoutTyping_data();
    void textSetWithoutTyping();
    void correctingRejectedText();
    void closeButtonDestroysWindow();
    void closingBoxDestroysWindow();

private:
    QLineEdit *address() const { return m_window->findChild<QLineEdit *>(u"Text1"_s); }
    QString lowLine() const { return m_window->findChild<QLabel *>(u"Label2"_s)->text(); }
    QString highLine() const { return m_window->findChild<QLabel *>(u"Label3"_s)->text(); }

    QPointer<CalculatorWindow> m_window;
};

void TestCalculatorWindow::init()
{
    m_window = new CalculatorWindow;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
    QVERIFY(address());
}

void TestCalculatorWindow::cleanup()
{
    delete m_window;
}

void TestCalculatorWindow::opensWithPlaceholders()
{
    QCOMPARE(m_window->windowTitle(), u"Калькулятор вызова"_s);
    QVERIFY(address()->text().isEmpty());
    QCOMPARE(lowLine(), u"POKE 23606,___"_s);
    QCOMPARE(highLine(), u"POKE 23607,___"_s);
    QCOMPARE(m_window->focusWidget(), address());
}

void TestCalculatorWindow::typingUpdatesAfterEveryKey_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QStringList>("lows");
    QTest::addColumn<QStringList>("highs");

    QTest::newRow("64000") << u"64000"_s
                           << QStringList {u" 6"_s, u" 64"_s, u" 128"_s, u" 0"_s, u" 0"_s}
                           << QStringList {u" 255"_s, u" 255"_s, u" 1"_s, u" 24"_s, u" 249"_s};
    QTest::newRow("hex") << u"#FA00"_s
                         << QStringList {u"___"_s, u" 15"_s, u" 250"_s, u" 160"_s, u" 0"_s}
                         << QStringList {u"___"_s, u" 255"_s, u" 255"_s, u" 14"_s, u" 249"_s};
}

void TestCalculatorWindow::typingUpdatesAfterEveryKey()
{
    QFETCH(QString, keys);
    QFETCH(QStringList, lows);
    QFETCH(QStringList, highs);

    for (qsizetype i = 0; i < keys.size(); ++i) {
        QTest::keyClicks(address(), keys.sliced(i, 1));
        QCOMPARE(address()->text(), keys.first(i + 1));
        QCOMPARE(lowLine(), u"POKE 23606,"_s + lows.at(i));
        QCOMPARE(highLine(), u"POKE 23607,"_s + highs.at(i));
    }
}

void TestCalculatorWindow::textSetWithoutTyping_data()
{
    QTest::addColumn<bool>("insert"); // paste at the cursor rather than replace the whole text
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("low");
    QTest::addColumn<QString>("high");

    QTest::newRow("set 15616") << false << u"15616"_s << u" 0"_s << u" 60"_s;
    QTest::newRow("insert 65535") << true << u"65535"_s << u" 255"_s << u" 254"_s;
    QTest::newRow("insert hex") << true << u"0xFA00"_s << u" 0"_s << u" 249"_s;
    QTest::newRow("set out of range") << false << u"65536"_s << u"___"_s << u"___"_s;
}

void TestCalculatorWindow::textSetWithoutTyping()
{
    QFETCH(bool, insert);
    QFETCH(QString, text);
    QFETCH(QString, low);
    QFETCH(QString, high);

    if (insert)
        address()->insert(text);
    else
        address()->setText(text);
    QCOMPARE(lowLine(), u"POKE 23606,"_s + low);
    QCOMPARE(highLine(), u"POKE 23607,"_s + high);

    address()->clear();
    QCOMPARE(lowLine(), u"POKE 23606,___"_s);
    QCOMPARE(highLine(), u"POKE 23607,___"_s);
}

void TestCalculatorWindow::correctingRejectedText()
{
    QTest::keyClicks(address(), u"ab"_s);
    QCOMPARE(lowLine(), u"POKE 23606,___"_s);
    QTest::keyClick(address(), Qt::Key_Backspace);
    QTest::keyClick(address(), Qt::Key_Backspace);
    QCOMPARE(lowLine(), u"POKE 23606,___"_s);
    QCOMPARE(highLine(), u"POKE 23607,___"_s);
    QTest::keyClick(address(), Qt::Key_7);
    QCOMPARE(lowLine(), u"POKE 23606, 7"_s);
    QCOMPARE(highLine(), u"POKE 23607, 255"_s);
}

void TestCalculatorWindow::closeButtonDestroysWindow()
{
    auto *button = m_window->findChild<QPushButton *>(u"Command1"_s);
    QVERIFY(button);
    QCOMPARE(button->text(), u"Закрыть"_s);
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!m_window->isVisible());
    QTRY_VERIFY(m_window.isNull());
}

void TestCalculatorWindow::closingBoxDestroysWindow()
{
    m_window->close();
    QTRY_VERIFY(m_window.isNull());

    // What the main window does next time: a new window starts empty.
    m_window = new CalculatorWindow;
    QVERIFY(address()->text().isEmpty());
    QCOMPARE(lowLine(), u"POKE 23606,___"_s);
}

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestCalculatorWindow)
#include "test_calculator_window.moc"
