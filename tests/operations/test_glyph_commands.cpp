// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/navigation.h"
#include "operations/glyph_commands.h"
#include "operations/toolbar_routing.h"
#include "support/recording_view.h"

#include <QTest>

#include <memory>
#include <stdexcept>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

const std::pair<const char *, void (GlyphCommands::*)()> Commands[] = {
    {"min", &GlyphCommands::min},
    {"vmir", &GlyphCommands::vmir},
    {"gmir", &GlyphCommands::gmir},
    {"rr", &GlyphCommands::rr},
    {"rl", &GlyphCommands::rl},
    {"sup", &GlyphCommands::sup},
    {"sdown", &GlyphCommands::sdown},
    {"sleft", &GlyphCommands::sleft},
    {"sright", &GlyphCommands::sright},
    {"mnueditclear", &GlyphCommands::mnueditclear},
    {"mnuEditCut", &GlyphCommands::mnuEditCut},
    {"mnuEditCopy", &GlyphCommands::mnuEditCopy},
    {"mnuEditPaste", &GlyphCommands::mnuEditPaste},
};

Glyph letter()
{
    Glyph glyph {};
    glyph[0][0] = glyph[1][0] = glyph[0][1] = glyph[5][6] = 1;
    return glyph;
}

} // namespace

class TestGlyphCommands : public QObject
{
    Q_OBJECT
private slots:
    void commandsTouchOnlyTheSquare_data();
    void commandsTouchOnlyTheSquare();
    void pasteCarriesACharacterToAnother();
    void toolbarKeysMatchExactly_data();
    void toolbarKeysMatchExactly();
    void toolbarAbsorbsFailures();
};

void TestGlyphCommands::commandsTouchOnlyTheSquare_data()
{
    QTest::addColumn<QString>("commands"); // run in turn on a square that shows letter()
    QTest::addColumn<bool>("squareIsLetter"); // otherwise all paper
    QTest::addColumn<bool>("clipboardIsLetter");
    QTest::addColumn<int>("squareRedraws");
    QTest::newRow("clear") << u"mnueditclear"_s << false << false << 1;
    QTest::newRow("copy redraws nothing") << u"mnuEditCopy"_s << true << true << 0;
    QTest::newRow("cut") << u"mnuEditCut"_s << false << true << 1;
    QTest::newRow("paste before any copy") << u"mnuEditPaste"_s << false << false << 1;
    QTest::newRow("copy, change, paste")
        << u"mnuEditCopy rr min mnuEditPaste"_s << true << true << 3;
    QTest::newRow("cut, paste") << u"mnuEditCut mnuEditPaste"_s << true << true << 2;
    QTest::newRow("paste twice") << u"mnuEditCopy mnueditclear mnuEditPaste mnuEditPaste"_s << true
                                 << true << 3;
    QTest::newRow("mirror twice") << u"vmir vmir"_s << true << false << 2;
    QTest::newRow("every transform, then clear")
        << u"min vmir gmir rr rl sup sdown sleft sright mnueditclear"_s << false << false << 10;
}

// Whatever they do to the square and the clipboard, the font, its selection and modified stay
// as they were, and the strip is never repainted.
void TestGlyphCommands::commandsTouchOnlyTheSquare()
{
    QFETCH(QString, commands);
    QFETCH(bool, squareIsLetter);
    QFETCH(bool, clipboardIsLetter);
    QFETCH(int, squareRedraws);
    auto state = std::make_unique<EditorState>();
    RecordingView view;
    GlyphCommands glyphCommands(*state, view);
    state->EditGrid = letter();
    state->font.glyph(0, 1) = letter();
    state->font.currentChar = 1;
    const auto fontBefore = state->font.FontPixels;

    for (const QString &name : commands.split(u' ')) {
        const auto *command
            = std::find_if(std::begin(Commands), std::end(Commands),
                           [&](const auto &c) { return name == QLatin1StringView(c.first); });
        (glyphCommands.*command->second)();
    }
    QCOMPARE(state->EditGrid, squareIsLetter ? letter() : Glyph {});
    QCOMPARE(state->GlyphClipboard, clipboardIsLetter ? letter() : Glyph {});
    QCOMPARE(view.editorRedraws, squareRedraws);
    QCOMPARE(view.fontRedraws, 0);
    QVERIFY(state->font.FontPixels == fontBefore);
    QVERIFY(!state->font.modified);
    QCOMPARE(state->font.currentChar, 1);
}

// With both options on: copy in one character, paste in a second, select a third.
void TestGlyphCommands::pasteCarriesACharacterToAnother()
{
    auto state = std::make_unique<EditorState>();
    RecordingView view;
    GlyphCommands glyphCommands(*state, view);
    Navigation navigation(*state, view);
    state->font.glyph(0, 10) = letter();
    navigation.selectAt(10 * 24 + 1, 1);
    glyphCommands.mnuEditCopy();
    navigation.selectAt(20 * 24 + 1, 1);
    glyphCommands.mnuEditPaste();
    navigation.selectAt(30 * 24 + 1, 1);
    QCOMPARE(state->font.glyph(0, 20), letter());
    QCOMPARE(state->font.glyph(0, 10), letter());
}

void TestGlyphCommands::toolbarKeysMatchExactly_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("command"); // empty: runs nothing
    for (const ToolbarButton &button : ToolbarButtons)
        QTest::addRow("%s", button.command)
            << QString::fromUtf16(button.key) << QString::fromLatin1(button.command);
    QTest::newRow("picture key, not button key") << u"inv"_s << QString();
    QTest::newRow("blank before") << u" Inv"_s << QString();
    QTest::newRow("blank after") << u"Inv "_s << QString();
    QTest::newRow("other case") << u"mv"_s << QString();
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("unknown") << u"SaveAs"_s << QString();
}

void TestGlyphCommands::toolbarKeysMatchExactly()
{
    QFETCH(QString, key);
    QFETCH(QString, command);
    QStringList ran;
    ButtonClick(key, [&ran](const QString &name) { ran.append(name); });
    QCOMPARE(ran, command.isEmpty() ? QStringList() : QStringList {command});
}

void TestGlyphCommands::toolbarAbsorbsFailures()
{
    bool ran = false;
    ButtonClick(u"Save"_s, [&ran](const QString &) {
        ran = true;
        throw std::runtime_error("disk gone");
    });
    QVERIFY(ran);
    ButtonClick(u"Open"_s, [](const QString &) { throw 42; });
}

QTEST_GUILESS_MAIN(TestGlyphCommands)
#include "test_glyph_commands.moc"
