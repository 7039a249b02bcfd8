#include "shell/about_box.h"
#include "shell/help_window.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

class TestHelpAndAbout : public QObject
{
    Q_OBJECT

private slots:
    void helpWindow();
    void helpContains_data();
    void helpContains();
    void helpColours_data();
    void helpColours();
    void helpClosingDestroysWindow();

    void aboutTexts_data();
    void aboutTexts();
    void aboutClosesOnKey_data();
    void aboutClosesOnKey();
};

namespace {

QTextDocument *helpDocument(HelpWindow &window)
{
    auto *browser = window.findChild<QTextBrowser *>(u"RichTextBox1"_s);
    return browser ? browser->document() : nullptr;
}

// The format of the piece of text that holds the given words, or nothing.
std::optional<QTextCharFormat> formatOf(const QTextDocument &document, const QString &words)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.text().contains(words))
                return fragment.charFormat();
        }
    }
    return std::nullopt;
}

} // namespace

void TestHelpAndAbout::helpWindow()
{
    HelpWindow window;
    window.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.objectName(), u"Form1"_s);
    QCOMPARE(window.windowTitle(), u"Glyphery - справка"_s);
    QCOMPARE(window.size(), QSize(800, 600));
    QCOMPARE(window.minimumSize(), QSize(800, 600));
    QCOMPARE(window.maximumSize(), QSize(800, 600));
    QVERIFY(!(window.windowFlags() & Qt::WindowMinMaxButtonsHint));

    auto *browser = window.findChild<QTextBrowser *>(u"RichTextBox1"_s);
    QVERIFY(browser);
    QVERIFY(browser->isReadOnly());
}

void TestHelpAndAbout::helpContains_data()
{
    QTest::addColumn<QString>("words");

    const QString expected[] = {
        u"Glyphery 2.1"_s,
        u"1. Что делает Glyphery?"_s,
        u"2. Как создать новый, открыть существующий и сохранить изменённый шрифт?"_s,
        u"3. Как редактировать шрифт?"_s,
        u"4. Как работать с наборами шрифтов?"_s,
        u"5. Калькулятор вызова."_s,
        u"6. Что такое GPH?"_s,
        u"История версий."_s,
        u"Версия 2.1"_s,
        u"Версия 2.0"_s,
        u"Версия 1.0"_s,
    };
    for (const QString &words : expected)
        QTest::newRow(qPrintable(words)) << words;
}

void TestHelpAndAbout::helpContains()
{
    QFETCH(QString, words);

    HelpWindow window;
    const QTextDocument *document = helpDocument(window);
    QVERIFY(document);
    QVERIFY(document->toPlainText().contains(words));
}

void TestHelpAndAbout::helpColours_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<int>("points");

    QTest::newRow("title") << u"Glyphery 2.1"_s << QColor(0xff, 0, 0) << true << 20;
    QTest::newRow("question") << u"3. Как редактировать шрифт?"_s << QColor(0, 0, 0xff) << true
                              << 10;
    QTest::newRow("answer") << u"Glyphery создаёт"_s << QColor(0, 0, 0) << false << 10;
    QTest::newRow("history") << u"История версий."_s << QColor(0, 0, 0) << true << 10;
}

void TestHelpAndAbout::helpColours()
{
    QFETCH(QString, words);
    QFETCH(QColor, colour);
    QFETCH(bool, bold);
    QFETCH(int, points);

    HelpWindow window;
    const QTextDocument *document = helpDocument(window);
    QVERIFY(document);
    const std::optional<QTextCharFormat> format = formatOf(*document, words);
    QVERIFY(format);
    QCOMPARE(format->foreground().color(), colour);
    QCOMPARE(format->font().bold(), bold);
    QCOMPARE(format->font().pointSize(), points);
    QCOMPARE(format->font().family(), u"Liberation Sans"_s);
}

void TestHelpAndAbout::helpClosingDestroysWindow()
{
    QPointer<HelpWindow> window = new HelpWindow;
    window->show();
    window->close();
    QTRY_VERIFY(window.isNull());
}

void TestHelpAndAbout::aboutTexts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");

    QTest::newRow("title") << u"lblTitle"_s << u"Glyphery"_s;
    QTest::newRow("version") << u"lblVersion"_s << u"Версия 2.0"_s;
}

void TestHelpAndAbout::aboutTexts()
{
    QFETCH(QString, name);
    QFETCH(QString, text);

    QWidget owner;
    AboutBox box(&owner);
    QCOMPARE(box.windowTitle(), u"О программе Glyphery"_s);
    QCOMPARE(box.size(), QSize(346, 152));
    auto *label = box.findChild<QLabel *>(name);
    QVERIFY(label);
    QCOMPARE(label->text(), text);
}

void TestHelpAndAbout::aboutClosesOnKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");

    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
}

void TestHelpAndAbout::aboutClosesOnKey()
{
    QFETCH(int, key);
    QFETCH(int, result);

    QWidget owner;
    owner.show();
    AboutBox box(&owner);
    QVERIFY(box.isModal());
    box.setResult(-1);
    box.open();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QVERIFY(box.isVisible());

    QTest::keyClick(&box, static_cast<Qt::Key>(key));
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), result);
}

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestHelpAndAbout)
#include "test_help_and_about.moc"
