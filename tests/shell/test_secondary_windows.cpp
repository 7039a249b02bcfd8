// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

QList<QWidget *> openWindows(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            found.append(window);
    }
    return found;
}

QString text(QWidget *window, const char *label)
{
    return window->findChild<QLabel *>(QLatin1StringView(label))->text();
}

// The format of the first piece of the document that holds these words.
QTextCharFormat formatOf(const QTextDocument *document, const QString &words)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(words))
                return it.fragment().charFormat();
        }
    }
    return {};
}

} // namespace

class TestSecondaryWindows : public QObject
{
    Q_OBJECT
private slots:
    void calculatorIsOneWindowThatStartsEmpty();
    void calculatorFollowsEveryKeystroke();
    void helpIsOneWindowWithTheDocument();
    void aboutClosesOnEnterAndEscape_data();
    void aboutClosesOnEnterAndEscape();
};

void TestSecondaryWindows::calculatorIsOneWindowThatStartsEmpty()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    QWidget *calculator = openWindows(u"Form2"_s).value(0);
    QVERIFY(calculator);
    QCOMPARE(calculator->windowTitle(), u"Калькулятор вызова"_s);
    QVERIFY(!calculator->parentWidget()); // ownerless: the editor stays usable beside it
    calculator->findChild<QLineEdit *>(u"Text1"_s)->setText(u"15616"_s);
    harness.trigger(u"calc"_s);
    QCOMPARE(openWindows(u"Form2"_s).size(), 1);
    QCOMPARE(text(calculator, "Label3"), u"POKE 23607, 60"_s);

    QPointer<QWidget> closed = calculator;
    QTest::mouseClick(calculator->findChild<QWidget *>(u"Command1"_s), Qt::LeftButton);
    QTRY_VERIFY(closed.isNull());
    harness.trigger(u"calc"_s);
    calculator = openWindows(u"Form2"_s).value(0);
    QVERIFY(calculator->findChild<QLineEdit *>(u"Text1"_s)->text().isEmpty());
    QCOMPARE(text(calculator, "Label2"), u"POKE 23606,___"_s);
    QCOMPARE(text(calculator, "Label3"), u"POKE 23607,___"_s);
    calculator->close();
}

void TestSecondaryWindows::calculatorFollowsEveryKeystroke()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    QWidget *calculator = openWindows(u"Form2"_s).value(0);
    auto *address = calculator->findChild<QLineEdit *>(u"Text1"_s);
    QCOMPARE(calculator->focusWidget(), address);
    const QStringList low = {u" 6"_s, u" 64"_s, u" 128"_s, u" 0"_s, u" 0"_s};
    const QStringList high = {u" 255"_s, u" 255"_s, u" 1"_s, u" 24"_s, u" 249"_s};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClicks(address, u"64000"_s.sliced(i, 1));
        QCOMPARE(text(calculator, "Label2"), u"POKE 23606,"_s + low[i]);
        QCOMPARE(text(calculator, "Label3"), u"POKE 23607,"_s + high[i]);
    }
    QTest::keyClicks(address, u"x"_s);
    QCOMPARE(text(calculator, "Label2"), u"POKE 23606,___"_s);
    QTest::keyClick(address, Qt::Key_Backspace);
    QCOMPARE(text(calculator, "Label3"), u"POKE 23607, 249"_s);
    calculator->close();
}

void TestSecondaryWindows::helpIsOneWindowWithTheDocument()
{
    MainWindowHarness harness;
    harness.trigger(u"mnuHelpContents"_s);
    harness.trigger(u"mnuHelpContents"_s);
    const QList<QWidget *> help = openWindows(u"Form1"_s);
    QCOMPARE(help.size(), 1);
    QCOMPARE(help[0]->windowTitle(), u"Glyphery - справка"_s);
    QCOMPARE(help[0]->size(), QSize(800, 600));
    const QTextDocument *document = help[0]->findChild<QTextBrowser *>()->document();
    for (const QString &words :
         {u"Glyphery 2.1"_s, u"1. Что делает Glyphery?"_s,
          u"2. Как создать новый, открыть существующий и сохранить изменённый шрифт?"_s,
          u"3. Как редактировать шрифт?"_s, u"4. Как работать с наборами шрифтов?"_s,
          u"5. Калькулятор вызова."_s, u"6. Что такое GPH?"_s, u"История версий."_s})
        QVERIFY2(document->toPlainText().contains(words), qPrintable(words));
    QCOMPARE(formatOf(document, u"Glyphery 2.1"_s).foreground().color(), QColor(255, 0, 0));
    QCOMPARE(formatOf(document, u"3. Как"_s).foreground().color(), QColor(0, 0, 255));
    QVERIFY(formatOf(document, u"3. Как"_s).fontWeight() >= QFont::Bold);
    help[0]->close();
}

void TestSecondaryWindows::aboutClosesOnEnterAndEscape_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestSecondaryWindows::aboutClosesOnEnterAndEscape()
{
    QFETCH(int, key);
    MainWindowHarness harness;
    QString caption;
    QStringList labels;
    // The box is modal: answer it from inside its own event loop.
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(box);
        caption = box->windowTitle();
        labels = {text(box, "lblTitle"), text(box, "lblVersion")};
        QTest::keyClick(box, Qt::Key(key));
    });
    harness.trigger(u"mnuHelpAbout"_s);
    QCOMPARE(caption, u"О программе Glyphery"_s);
    QCOMPARE(labels, QStringList({u"Glyphery"_s, u"Версия 2.0"_s}));
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestSecondaryWindows)
#include "test_secondary_windows.moc"
