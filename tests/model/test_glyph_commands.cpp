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
    void init();
    void commandsTouchOnlyTheSquare_data();
    void commandsTouchOnlyTheSquare();
    void clearAndCut();
    void pasteBeforeAnyCopyIsPaper();
    void copyPaintPasteRestores();
    void cutThenPasteRestores();
    void pasteCarriesACharacterToAnother();
    void clipboardSurvivesSetSwitchAndNewFont();
    void toolbarKeysMatchExactly_data();
    void toolbarKeysMatchExactly();
    void toolbarAbsorbsFailures();

private:
    std::unique_ptr<EditorState> m_state;
    RecordingView m_view;
    std::unique_ptr<GlyphCommands> m_commands;
};

void TestGlyphCommands::init()
{
    m_state = std::make_unique<EditorState>();
    m_view.reset();
    m_commands = std::make_unique<GlyphCommands>(*m_state, m_view);
}

void TestGlyphCommands::commandsTouchOnlyTheSquare_data()
{
    QTest::addColumn<QString>("command");
    for (const char *name : {"min", "vmir", "gmir", "rr", "rl", "sup", "sdown", "sleft", "sright",
                             "mnueditclear", "mnuEditCut", "mnuEditCopy", "mnuEditPaste"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The font, its selection and modified stay as they were, and the strip is never repainted.
void TestGlyphCommands::commandsTouchOnlyTheSquare()
{
    QFETCH(QString, command);
    const QHash<QString, void (GlyphCommands::*)()> commands = {
        {u"min"_s, &GlyphCommands::min},
        {u"vmir"_s, &GlyphCommands::vmir},
        {u"gmir"_s, &GlyphCommands::gmir},
        {u"rr"_s, &GlyphCommands::rr},
        {u"rl"_s, &GlyphCommands::rl},
        {u"sup"_s, &GlyphCommands::sup},
        {u"sdown"_s, &GlyphCommands::sdown},
        {u"sleft"_s, &GlyphCommands::sleft},
        {u"sright"_s, &GlyphCommands::sright},
        {u"mnueditclear"_s, &GlyphCommands::mnueditclear},
        {u"mnuEditCut"_s, &GlyphCommands::mnuEditCut},
        {u"mnuEditCopy"_s, &GlyphCommands::mnuEditCopy},
        {u"mnuEditPaste"_s, &GlyphCommands::mnuEditPaste},
    };
    m_state->EditGrid = letter();
    m_state->font.glyph(0, 1) = letter();
    m_state->font.currentChar = 1;
    m_state->font.modified = false;
    const auto fontBefore = m_state->font.FontPixels;

    (m_commands.get()->*commands.value(command))();

    QCOMPARE(m_state->font.FontPixels, fontBefore);
    QCOMPARE(m_state->font.modified, false);
    QCOMPARE(m_state->font.currentChar, 1);
    QCOMPARE(m_view.fontRedraws, 0);
    QCOMPARE(m_view.editorRedraws, command == u"mnuEditCopy" ? 0 : 1);
}

void TestGlyphCommands::clearAndCut()
{
    m_state->EditGrid = letter();
    m_commands->mnueditclear();
    QCOMPARE(m_state->EditGrid, Glyph {});
    QCOMPARE(m_state->GlyphClipboard, Glyph {}); // clear is not cut

    m_state->EditGrid = letter();
    m_commands->mnuEditCut();
    QCOMPARE(m_state->EditGrid, Glyph {});
    QCOMPARE(m_state->GlyphClipboard, letter());
}

void TestGlyphCommands::pasteBeforeAnyCopyIsPaper()
{
    m_state->EditGrid = letter();
    m_commands->mnuEditPaste();
    QCOMPARE(m_state->EditGrid, Glyph {});
}

void TestGlyphCommands::copyPaintPasteRestores()
{
    m_state->EditGrid = letter();
    m_commands->mnuEditCopy();
    QCOMPARE(m_state->EditGrid, letter());
    m_state->EditGrid[7][7] = 1;
    m_commands->rr();
    m_commands->mnuEditPaste();
    QCOMPARE(m_state->EditGrid, letter());
    m_commands->mnueditclear();
    m_commands->mnuEditPaste(); // pasting never empties the clipboard
    QCOMPARE(m_state->EditGrid, letter());
}

void TestGlyphCommands::cutThenPasteRestores()
{
    m_state->EditGrid = letter();
    m_commands->mnuEditCut();
    m_commands->mnuEditPaste();
    QCOMPARE(m_state->EditGrid, letter());
    QCOMPARE(m_state->GlyphClipboard, letter());
}

void TestGlyphCommands::pasteCarriesACharacterToAnother()
{
    Navigation navigation(*m_state, m_view);
    m_state->font.glyph(0, 10) = letter();
    navigation.selectAt(10 * 24 + 1, 1); // first character, loaded into the square
    m_commands->mnuEditCopy();
    navigation.selectAt(20 * 24 + 1, 1); // second
    m_commands->mnuEditPaste();
    navigation.selectAt(30 * 24 + 1, 1); // third: the second is stored on leaving
    QCOMPARE(m_state->font.glyph(0, 20), letter());
    QCOMPARE(m_state->font.glyph(0, 10), letter());
}

void TestGlyphCommands::clipboardSurvivesSetSwitchAndNewFont()
{
    m_state->EditGrid = letter();
    m_commands->mnuEditCopy();
    m_state->font.lastSet = 1;
    m_state->font.currentSet = 1;
    m_state->font.ResetView();
    m_state->EditGrid = {};
    m_commands->mnuEditPaste();
    QCOMPARE(m_state->EditGrid, letter());
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
    QTest::newRow("capital mv") << u"mv"_s << QString();
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
