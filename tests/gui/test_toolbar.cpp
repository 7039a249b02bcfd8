#include "operations/toolbar_routing.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QTest>
#include <QToolBar>

#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

// What a command can change that a user could observe.
struct Observed
{
    Glyph editGrid;
    Glyph clipboard;
    Glyph firstCharacter;
    bool modified;
    int dialogs;
    bool calculatorShown;

    bool operator==(const Observed &) const = default;
};

Observed observe(MainWindowHarness &harness)
{
    QWidget *calculator = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form2" && window->isVisible())
            calculator = window;
    }
    return {
        harness.state().EditGrid, harness.state().GlyphClipboard,       harness.font().glyph(0, 1),
        harness.font().modified,  int(harness.services.dialogs.size()), calculator != nullptr};
}

void prepare(MainWindowHarness &harness)
{
    harness.state().EditGrid = glyphFromRows({"#.......", "##......", "#.#.....", "........",
                                              "......#.", "........", "........", ".......#"});
    harness.state().GlyphClipboard
        = glyphFromRows({"########", "........", "........", "........", "........", "........",
                         "........", "........"});
    // Cancelled Open and Save As dialogs, for the commands that ask.
    harness.services.fileNames.append(QString());
    harness.services.fileNames.append(QString());
}

QAction *toolbarAction(MainWindowHarness &harness, const QString &key)
{
    const auto actions = harness.child<QToolBar>(u"tbToolBar"_s)->actions();
    for (QAction *action : actions) {
        if (action->data().toString() == key)
            return action;
    }
    return nullptr;
}

void closeCalculators()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == u"Form2")
            window->close();
    }
    QApplication::processEvents();
}

} // namespace

class TestToolbar : public QObject
{
    Q_OBJECT
private slots:
    void buttonRunsItsMenuCommand_data();
    void buttonRunsItsMenuCommand();
};

void TestToolbar::buttonRunsItsMenuCommand_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("command");
    for (const ToolbarButton &button : ToolbarButtons)
        QTest::addRow("%s", button.command)
            << QString::fromUtf16(button.key) << QString::fromLatin1(button.command);
}

// The toolbar button and the menu item, each on a fresh window from the same start, leave
// the same observable state; and that state differs from doing nothing for every command
// that has a visible effect here.
void TestToolbar::buttonRunsItsMenuCommand()
{
    QFETCH(QString, key);
    QFETCH(QString, command);

    auto viaToolbar = std::make_unique<MainWindowHarness>();
    prepare(*viaToolbar);
    const Observed before = observe(*viaToolbar);
    QAction *button = toolbarAction(*viaToolbar, key);
    QVERIFY(button);
    button->trigger();
    const Observed afterButton = observe(*viaToolbar);
    closeCalculators();

    auto viaMenu = std::make_unique<MainWindowHarness>();
    prepare(*viaMenu);
    viaMenu->trigger(command);
    const Observed afterMenu = observe(*viaMenu);
    closeCalculators();

    QVERIFY(afterButton == afterMenu);
    if (command != u"mnuFileNew")
        QVERIFY2(!(afterButton == before), "the command had no visible effect");
}

QTEST_MAIN(TestToolbar)
#include "test_toolbar.moc"
