// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/toolbar_routing.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QPushButton>
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
    int currentChar;
    int currentSet;
    int lastSet;
    int dialogs;
    int messages;
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
    const FontStore &font = harness.font();
    return {harness.state().EditGrid,
            harness.state().GlyphClipboard,
            font.glyph(0, 1),
            font.modified,
            font.currentChar,
            font.currentSet,
            font.lastSet,
            int(harness.services.dialogs.size()),
            int(harness.services.messages.size()),
            calculator != nullptr};
}

void prepare(MainWindowHarness &harness)
{
    harness.state().EditGrid = glyphFromRows({"#.......", "##......", "#.#.....", "........",
                                              "......#.", "........", "........", ".......#"});
    harness.state().GlyphClipboard
        = glyphFromRows({"########", "........", "........", "........", "........", "........",
                         "........", "........"});
    harness.font().lastSet = 1; // so that both set steps and Delete have something to do
    harness.font().currentSet = 1;
    harness.services.answers.append(MessageAnswer::No);
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

class TestCommandRouting : public QObject
{
    Q_OBJECT
private slots:
    void buttonRunsItsMenuCommand_data();
    void buttonRunsItsMenuCommand();
};

void TestCommandRouting::buttonRunsItsMenuCommand_data()
{
    QTest::addColumn<QString>("control"); // a toolbar key, or the name of a push button
    QTest::addColumn<QString>("command");
    for (const ToolbarButton &button : ToolbarButtons)
        QTest::addRow("%s", button.command)
            << QString::fromUtf16(button.key) << QString::fromLatin1(button.command);
    const char *pushButtons[][2]
        = {{"Command1", "mnueditclear"}, {"Command2", "addfont"}, {"Command3", "delfont"},
           {"Command4", "ssave"},        {"Command5", "prevchr"}, {"Command6", "nextchr"},
           {"Command7", "sload"},        {"Command9", "prewfont"}};
    for (const auto &[button, command] : pushButtons)
        QTest::addRow("%s", button) << QString::fromLatin1(button) << QString::fromLatin1(command);
}

// The control and the menu item, each on a fresh window from the same start, leave the same
// observable state; and that state differs from doing nothing.
void TestCommandRouting::buttonRunsItsMenuCommand()
{
    QFETCH(QString, control);
    QFETCH(QString, command);

    auto viaControl = std::make_unique<MainWindowHarness>();
    prepare(*viaControl);
    const Observed before = observe(*viaControl);
    if (auto *button = viaControl->child<QPushButton>(control)) {
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        QAction *action = toolbarAction(*viaControl, control);
        QVERIFY(action);
        action->trigger();
    }
    const Observed afterControl = observe(*viaControl);
    closeCalculators();

    auto viaMenu = std::make_unique<MainWindowHarness>();
    prepare(*viaMenu);
    viaMenu->trigger(command);
    const Observed afterMenu = observe(*viaMenu);
    closeCalculators();

    QVERIFY(afterControl == afterMenu);
    if (command != u"mnuFileNew")
        QVERIFY2(!(afterControl == before), "the command had no visible effect");
}

QTEST_MAIN(TestCommandRouting)
#include "test_routing.moc"
