// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/navigation.h"
#include "font/file_commands.h"
#include "font/set_commands.h"
#include "operations/glyph_commands.h"
#include "operations/transforms.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"
#include "support/test_files.h"

#include <QTest>

#include <cstring>
#include <functional>
#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

using Transform = std::function<Glyph(const Glyph &)>;

// A reflection or a quarter turn about the centre as the matrix {xx xy; yx yy}, then a shift
// by (dx, dy) that brings back at one edge what leaves at the other.
struct Motion
{
    int xx, xy, yx, yy, dx, dy;
};

// The slow reference: each pixel moved on its own, in half pixels about the centre (-7 .. 7).
Glyph moved(const Glyph &glyph, const Motion &m)
{
    const auto at
        = [](int halves, int shift) { return toIndex(((halves + 7) / 2 + shift + 8) % 8); };
    Glyph result {};
    for (int x = -7; x <= 7; x += 2) {
        for (int y = -7; y <= 7; y += 2)
            result[at(m.xx * x + m.xy * y, m.dx)][at(m.yx * x + m.yy * y, m.dy)]
                = glyph[at(x, 0)][at(y, 0)];
    }
    return result;
}

// Values other than 0 and 1 too, so that a move that writes ink instead of carrying a value
// fails.
Glyph randomGlyph(quint32 seed)
{
    Glyph glyph;
    std::memcpy(&glyph, randomBytes(GlyphSize * GlyphSize, seed).constData(), sizeof glyph);
    return glyph;
}

// The glyph commands by their menu names.
const QStringList Names = u"min vmir gmir rr rl sup sdown sleft sright mnueditclear mnuEditCut "
                          u"mnuEditCopy mnuEditPaste"_s.split(u' ');
void (GlyphCommands::*const Commands[])()
    = {&GlyphCommands::min,          &GlyphCommands::vmir,       &GlyphCommands::gmir,
       &GlyphCommands::rr,           &GlyphCommands::rl,         &GlyphCommands::sup,
       &GlyphCommands::sdown,        &GlyphCommands::sleft,      &GlyphCommands::sright,
       &GlyphCommands::mnueditclear, &GlyphCommands::mnuEditCut, &GlyphCommands::mnuEditCopy,
       &GlyphCommands::mnuEditPaste};

} // namespace

Q_DECLARE_METATYPE(Transform)
Q_DECLARE_METATYPE(Motion)

class TestGlyphCommands : public QObject
{
    Q_OBJECT
private slots:
    void transforms_data()
    {
        QTest::addColumn<Transform>("transform");
        QTest::addColumn<Motion>("motion");
        QTest::addColumn<QPoint>("corner"); // where the top left pixel goes
        const auto row = [](const char *name, Transform transform, Motion motion, QPoint corner) {
            QTest::newRow(name) << transform << motion << corner;
        };
        row("vmir", mirroredLeftRight, {-1, 0, 0, 1, 0, 0}, {7, 0});
        row("gmir", mirroredTopBottom, {1, 0, 0, -1, 0, 0}, {0, 7});
        row("rr", turnedClockwise, {0, -1, 1, 0, 0, 0}, {7, 0});
        row("rl", turnedCounterClockwise, {0, 1, -1, 0, 0, 0}, {0, 7});
        row("sup", shiftedUp, {1, 0, 0, 1, 0, -1}, {0, 7});
        row("sdown", shiftedDown, {1, 0, 0, 1, 0, 1}, {0, 1});
        row("sleft", shiftedLeft, {1, 0, 0, 1, -1, 0}, {7, 0});
        row("sright", shiftedRight, {1, 0, 0, 1, 1, 0}, {1, 0});
        // Identities between them, against the same reference.
        const auto then = [](Transform first, Transform second) {
            return Transform([=](const Glyph &glyph) { return second(first(glyph)); });
        };
        row("rr, rl", then(turnedClockwise, turnedCounterClockwise), {1, 0, 0, 1, 0, 0}, {0, 0});
        row("sup, sdown", then(shiftedUp, shiftedDown), {1, 0, 0, 1, 0, 0}, {0, 0});
        row("rr, rr", then(turnedClockwise, turnedClockwise), {-1, 0, 0, -1, 0, 0}, {7, 7});
        row("vmir, gmir", then(mirroredLeftRight, mirroredTopBottom), {-1, 0, 0, -1, 0, 0}, {7, 7});
        row("rr, sup, rl", then(then(turnedClockwise, shiftedUp), turnedCounterClockwise),
            {1, 0, 0, 1, -1, 0}, {7, 0});
    }

    void transforms()
    {
        QFETCH(Transform, transform);
        QFETCH(Motion, motion);
        QFETCH(QPoint, corner);
        Glyph topLeft {}, expected {};
        topLeft[0][0] = expected[toIndex(corner.x())][toIndex(corner.y())] = 1;
        QCOMPARE(transform(topLeft), expected);
        for (quint32 seed = 1; seed <= 20; ++seed)
            QCOMPARE(transform(randomGlyph(seed)), moved(randomGlyph(seed), motion));
    }

    // Invert writes only paper and ink: every value but paper becomes paper.
    void invert()
    {
        Glyph glyph {}, expected;
        for (auto &column : expected)
            column.fill(1);
        glyph[2] = {1, 2, 255, 0, 1, 2, 255, 0};
        expected[2] = {0, 0, 0, 1, 0, 0, 0, 1};
        QCOMPARE(inverted(glyph), expected);
    }

    void commands_data()
    {
        QTest::addColumn<QString>("steps"); // menu commands; ">", addfont, Load, New, paint
        QTest::addColumn<Glyph>("square");
        QTest::addColumn<Glyph>("clipboard");
        const Glyph drawn = randomGlyph(1), none {};
        const auto row
            = [](const char *name, const char16_t *steps, Glyph square, Glyph clipboard) {
                  QTest::newRow(name) << QString::fromUtf16(steps) << square << clipboard;
              };
        row("min", u"min", inverted(drawn), none);
        row("vmir", u"vmir", mirroredLeftRight(drawn), none);
        row("gmir", u"gmir", mirroredTopBottom(drawn), none);
        row("rr", u"rr", turnedClockwise(drawn), none);
        row("rl", u"rl", turnedCounterClockwise(drawn), none);
        row("sup", u"sup", shiftedUp(drawn), none);
        row("sdown", u"sdown", shiftedDown(drawn), none);
        row("sleft", u"sleft", shiftedLeft(drawn), none);
        row("sright", u"sright", shiftedRight(drawn), none);
        row("copy, clear", u"mnuEditCopy mnueditclear", none, drawn);
        row("cut", u"mnuEditCut", none, drawn);
        row("copy", u"mnuEditCopy", drawn, drawn);
        row("paste before any copy", u"mnuEditPaste", none, none);
        row("cut, paste", u"mnuEditCut mnuEditPaste", drawn, drawn);
        row("copy, paint, paste twice", u"mnuEditCopy paint mnuEditPaste mnuEditPaste", drawn,
            drawn);
        row("to the next character", u"mnuEditCopy > mnuEditPaste", drawn, drawn);
        row("to a new set", u"mnuEditCopy addfont Load mnuEditPaste", drawn, drawn);
        row("to a new font", u"mnuEditCopy New mnuEditPaste", drawn, drawn);
    }

    // The font is blank, the square holds a drawing; ">", Load and New bring blank characters
    // into it. Each glyph command leaves the font, modified and the selection as they were and
    // redraws only the square, Copy not even that.
    void commands()
    {
        QFETCH(QString, steps);
        QFETCH(Glyph, square);
        QFETCH(Glyph, clipboard);
        auto state = std::make_unique<EditorState>();
        FontStore &font = state->font;
        RecordingView view;
        ScriptedServices services;
        GlyphCommands glyph(*state, view);
        Navigation navigation(*state, view);
        SetCommands sets(font, view, services);
        FileCommands files(font, state->EditGrid, view, services);
        state->EditGrid = randomGlyph(1);
        QHash<QString, std::function<void()>> others;
        others[u">"_s] = [&] { navigation.nextchr(); };
        others[u"addfont"_s] = [&] { sets.addfont(); };
        others[u"Load"_s] = [&] { navigation.sload(); };
        others[u"New"_s] = [&] { files.mnuFileNew(); };
        others[u"paint"_s] = [&] { state->EditGrid[4][4] ^= 1; };
        const auto untouched = [&] {
            return std::tuple(qHashBits(&font.FontPixels, sizeof font.FontPixels), font.modified,
                              font.currentChar, font.currentSet, font.lastSet, view.fontRedraws);
        };
        for (const QString &step : steps.split(u' ')) {
            const qsizetype command = Names.indexOf(step);
            if (command < 0) {
                others[step]();
                continue;
            }
            const auto before = untouched();
            const int redraws = view.editorRedraws;
            (glyph.*Commands[command])();
            QVERIFY(untouched() == before);
            QCOMPARE(view.editorRedraws - redraws, step == u"mnuEditCopy" ? 0 : 1);
        }
        QCOMPARE(state->EditGrid, square);
        QCOMPARE(state->GlyphClipboard, clipboard);
    }
};

QTEST_GUILESS_MAIN(TestGlyphCommands)
#include "test_glyph_commands.moc"
