// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator, the help window and the About box, each opened from the main window.

#include "support/main_window_harness.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

QString lines(QWidget *calculator)
{
    return calculator->findChild<QLabel *>(u"Label2"_s)->text() + u'|'
        + calculator->findChild<QLabel *>(u"Label3"_s)->text();
}

} // namespace

class TestSecondaryWindows : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QApplication::closeAllWindows(); }
    void calculatorFollowsEveryKeystroke();
    void eachWindowOpensOnce();
    void aboutClosesOnEnterAndEscape();
};

// The result follows each keystroke; closed and opened again, the calculator starts empty.
void TestSecondaryWindows::calculatorFollowsEveryKeystroke()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    QPointer<QWidget> calculator = openWindows(u"Form2"_s).value(0);
    auto *address = calculator->findChild<QLineEdit *>(u"Text1"_s);
    QCOMPARE(calculator->focusWidget(), address);
    QVERIFY(!calculator->parentWidget()); // ownerless: the editor stays usable beside it
    const QStringList shown = {u" 6| 255"_s, u" 64| 255"_s, u" 128| 1"_s, u" 0| 24"_s,
                               u" 0| 249"_s, u"___|___"_s,  u" 0| 249"_s};
    const QString keys = u"64000x\b"_s;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == u'\b')
            QTest::keyClick(address, Qt::Key_Backspace);
        else
            QTest::keyClicks(address, keys.sliced(i, 1));
        QCOMPARE(lines(calculator),
                 u"POKE 23606,%1|POKE 23607,%2"_s.arg(shown[i].section(u'|', 0, 0),
                                                      shown[i].section(u'|', 1)));
    }
    QTest::mouseClick(calculator->findChild<QWidget *>(u"Command1"_s), Qt::LeftButton);
    QTRY_VERIFY(calculator.isNull());
    harness.trigger(u"calc"_s);
    QCOMPARE(lines(openWindows(u"Form2"_s).value(0)), u"POKE 23606,___|POKE 23607,___"_s);
}

// Chosen again, the calculator and the help window come forward, keeping what they show.
void TestSecondaryWindows::eachWindowOpensOnce()
{
    MainWindowHarness harness;
    for (const auto &[command, name] :
         {std::pair(u"calc"_s, u"Form2"_s), std::pair(u"mnuHelpContents"_s, u"Form1"_s)}) {
        harness.trigger(command);
        QWidget *first = openWindows(name).value(0);
        auto *address = first->findChild<QLineEdit *>(u"Text1"_s);
        if (address)
            address->setText(u"15616"_s);
        harness.trigger(command);
        QCOMPARE(openWindows(name), QList<QWidget *> {first});
        QVERIFY(!address || address->text() == u"15616");
        const auto *help = first->findChild<QTextBrowser *>(u"RichTextBox1"_s);
        QVERIFY(address || help->toPlainText().size() > 1000);
    }
}

void TestSecondaryWindows::aboutClosesOnEnterAndEscape()
{
    MainWindowHarness harness;
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QString caption;
        QTimer::singleShot(0, [&] { // the box is modal: answered from its own event loop
            QWidget *box = QApplication::activeModalWidget();
            caption = box->windowTitle();
            QTest::keyClick(box, key);
        });
        harness.trigger(u"mnuHelpAbout"_s);
        QCOMPARE(caption, u"О программе Glyphery"_s);
        QVERIFY(!QApplication::activeModalWidget());
    }
}

QTEST_MAIN(TestSecondaryWindows)
#include "test_secondary_windows.moc"
