// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/label_texts.h"
#include "editor/navigation.h"
#include "editor/painting.h"
#include "editor/palette.h"
#include "support/recording_view.h"

#include <QTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Character c holds c in binary down column 0 and ink at (7,7); the drawing fills column 3.
Glyph numbered(int c)
{
    Glyph glyph {};
    for (std::size_t row = 0; row < 7; ++row)
        glyph[0][row] = (c >> row) & 1;
    glyph[7][7] = 1;
    return glyph;
}

Glyph drawing()
{
    Glyph glyph {};
    glyph[3].fill(1);
    return glyph;
}

struct Editor
{
    std::unique_ptr<EditorState> state = std::make_unique<EditorState>();
    RecordingView view;
    Navigation navigation {*state, view};
    Painting painting {*state, view};
};

} // namespace

class TestEditorModel : public QObject
{
    Q_OBJECT

private slots:
    void moves_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("autoLoad");
        QTest::addColumn<bool>("autoStore");
        QTest::addColumn<QString>("steps"); // "x,y" a press on the strip, ">", "<", Load, Store
        QTest::addColumn<int>("after");
        QTest::addColumn<QList<int>>("drawn"); // the characters the drawing was stored into
        QTest::addColumn<int>("square"); // the character loaded into the square; -1 the drawing
        QTest::addColumn<int>("fontRedraws");
        QTest::addColumn<int>("editorRedraws");
        const auto row = [](const char *name, int start, bool load, bool store,
                            const char16_t *steps, int after, const QList<int> &drawn, int square,
                            int fontRedraws, int editorRedraws) {
            QTest::newRow(name) << start << load << store << QString::fromUtf16(steps) << after
                                << drawn << square << fontRedraws << editorRedraws;
        };
        // A press from character 50, both options on; -1: outside the strip, nothing happens.
        const auto press = [&row](const char *name, const char16_t *at, int selected) {
            const bool in = selected >= 0;
            row(name, 50, true, true, at, in ? selected : 50, in ? QList {50} : QList<int> {},
                in ? selected : -1, in ? 1 : 0, in ? 2 : 0);
        };
        press("top left corner", u"0,0", 0);
        press("bottom right corner", u"767.9,71.9", 95);
        press("just left of a column edge", u"23.9,0", 0);
        press("on a column edge", u"24,23.9", 1);
        press("on a row edge", u"0,24", 32);
        press("right of the strip", u"768,0", -1);
        press("below the strip", u"0,72", -1);
        press("left of the strip", u"-0.1,10", -1);
        press("above the strip", u"10,-0.1", -1);

        row("both on", 1, true, true, u">", 2, {1}, 2, 1, 2);
        row("loading off", 1, false, true, u">", 2, {1}, -1, 1, 2);
        row("storing off", 1, true, false, u">", 2, {}, 2, 1, 2);
        row("both off: modified all the same", 1, false, false, u">", 2, {}, -1, 1, 2);
        row("the selected one, storing off", 1, true, false, u"36,12", 1, {}, 1, 1, 2);
        row("three steps, loading off", 1, false, true, u"> > >", 4, {1, 2, 3}, -1, 3, 6);
        row("> from code 126", 94, true, true, u">", 95, {94}, 95, 1, 2);
        row("> at code 127", 95, true, true, u">", 95, {}, -1, 0, 0);
        row("< from code 33", 1, true, true, u"<", 0, {1}, 0, 1, 2);
        row("< at code 32", 0, true, true, u"<", 0, {}, -1, 0, 0);
        row("Load, loading off", 1, false, true, u"Load", 1, {}, 1, 0, 1);
        row("Store, storing off", 1, true, false, u"Store", 1, {1}, -1, 1, 1);
    }

    // Whatever redraws the strip also marks the font modified, even when nothing was stored.
    void moves()
    {
        QFETCH(int, start);
        QFETCH(bool, autoLoad);
        QFETCH(bool, autoStore);
        QFETCH(QString, steps);
        QFETCH(int, after);
        QFETCH(QList<int>, drawn);
        QFETCH(int, square);
        QFETCH(int, fontRedraws);
        QFETCH(int, editorRedraws);
        Editor e;
        FontStore &font = e.state->font;
        for (int c = 0; c < CharsPerSet; ++c)
            font.glyph(0, c) = numbered(c);
        font.currentChar = start;
        e.state->EditGrid = drawing();
        e.state->autoLoad = autoLoad;
        e.state->autoStore = autoStore;
        for (const QString &step : steps.split(u' ')) {
            if (step == u">")
                e.navigation.nextchr();
            else if (step == u"<")
                e.navigation.prevchr();
            else if (step == u"Load")
                e.navigation.sload();
            else if (step == u"Store")
                e.navigation.ssave();
            else
                e.navigation.selectAt(step.section(u',', 0, 0).toDouble(),
                                      step.section(u',', 1).toDouble());
        }

        QCOMPARE(font.currentChar, after);
        for (int c = 0; c < CharsPerSet; ++c)
            QCOMPARE(font.glyph(0, c), drawn.contains(c) ? drawing() : numbered(c));
        QCOMPARE(e.state->EditGrid, square < 0 ? drawing() : numbered(square));
        QCOMPARE(e.view.fontRedraws, fontRedraws);
        QCOMPARE(e.view.editorRedraws, editorRedraws);
        QCOMPARE(font.modified, fontRedraws > 0);
    }

    void paint_data()
    {
        QTest::addColumn<QString>("events"); // "L x,y" a press (R right, M middle), "^" a release
        QTest::addColumn<QList<QPoint>>("changed"); // the cells that change
        QTest::addColumn<int>("redraws");
        const auto row
            = [](const char *name, const char16_t *events, QList<QPoint> changed, int redraws) {
                  QTest::newRow(name) << QString::fromUtf16(events) << changed << redraws;
              };
        row("left at (0,0)", u"L0,0", {{0, 0}}, 1);
        row("right at (255.9,255.9)", u"R255.9,255.9", {{7, 7}}, 1);
        row("(31.9,32) is column 0, row 1", u"L31.9,32", {{0, 1}}, 1);
        row("outside every edge", u"L-0.1,40 L40,-0.1 L256,40 L40,256", {}, 0);
        row("moves without a press", u"10,10 42,10", {}, 0);
        row("a left drag ends with the release", u"L10,10 42,10 74,10 ^ 10,200", {{0, 0}, {1, 0}},
            3);
        row("the last press wins", u"L10,10 R72,10 42,10 ^ 10,200", {{0, 0}, {2, 0}}, 3);
        row("a right drag ends with the release", u"R72,10 ^ 104,10", {{2, 0}}, 1);
        row("middle paints nothing but redraws", u"M72,10 168,72 ^ 72,10", {}, 2);
    }

    // The square starts with ink in columns 2-5 and 7; strokes never touch the font.
    void paint()
    {
        QFETCH(QString, events);
        QFETCH(QList<QPoint>, changed);
        QFETCH(int, redraws);
        Editor e;
        Glyph expected {};
        for (std::size_t column : {2, 3, 4, 5, 7})
            expected[column].fill(1);
        e.state->EditGrid = expected;
        const QHash<QChar, PaintButton> buttons
            = {{u'L', PaintButton::Left}, {u'R', PaintButton::Right}, {u'M', PaintButton::Middle}};
        for (const QString &event : events.split(u' ')) {
            const QString xy = event.front().isLetter() ? event.mid(1) : event;
            const double x = xy.section(u',', 0, 0).toDouble(), y = xy.section(u',', 1).toDouble();
            if (event == u"^")
                e.painting.release();
            else if (event.front().isLetter())
                e.painting.press(buttons[event.front()], x, y);
            else
                e.painting.move(x, y);
        }

        for (QPoint cell : changed)
            expected[toIndex(cell.x())][toIndex(cell.y())] ^= 1;
        QCOMPARE(e.state->EditGrid, expected);
        QCOMPARE(e.view.editorRedraws, redraws);
        QVERIFY(e.view.fontRedraws == 0 && !e.state->font.modified);
    }

    void schemes_data()
    {
        QTest::addColumn<Rgb>("ink");
        QTest::addColumn<Rgb>("paper");
        QTest::newRow("pal1") << 0xff000000u << 0xffffffffu;
        QTest::newRow("pal2") << 0xffffffffu << 0xff000000u;
        QTest::newRow("pal6") << 0xff000000u << 0xff808080u;
        QTest::newRow("pal7") << 0xff808080u << 0xff000000u;
        QTest::newRow("pal3") << 0xff0000ffu << 0xff000000u;
        QTest::newRow("pal4") << 0xffff0000u << 0xff000000u;
        QTest::newRow("pal5") << 0xff00ffffu << 0xff0000ffu;
    }

    void schemes()
    {
        QFETCH(Rgb, ink);
        QFETCH(Rgb, paper);
        Editor e;
        const auto *scheme = std::find_if(ColourSchemes.begin(), ColourSchemes.end(), [](auto &s) {
            return qstrcmp(s.command, QTest::currentDataTag()) == 0;
        });
        applyScheme(*e.state, e.view, *scheme);
        QCOMPARE(Palette[e.state->inkColor], ink);
        QCOMPARE(Palette[e.state->paperColor], paper);
        QCOMPARE(e.view.fontRedraws, 1);
    }

    void labelTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << numberText(0) << u" 0"_s;
        QTest::newRow("negative") << numberText(-1) << u"-1"_s;
        QTest::newRow("thousands, not grouped") << numberText(49152) << u" 49152"_s;
        QTest::newRow("first of one set") << setPositionText(0, 0) << u" 1 из 1"_s;
        QTest::newRow("second of five") << setPositionText(1, 4) << u" 2 из 5"_s;
        QTest::newRow("one set") << fontSizeText(0) << u" 768 байт"_s;
        QTest::newRow("64 sets") << fontSizeText(63) << u" 49152 байт"_s;
        QTest::newRow("code 32") << codeText(0) << u"Код: 32"_s;
        QTest::newRow("code 127") << codeText(95) << u"Код: 127"_s;
        QTest::newRow("space") << characterText(0) << u" "_s;
        QTest::newRow("code 95, below KOI-7") << characterText(63) << u"_"_s;
    }

    void labelTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // KOI-7 puts the Russian capitals at codes 96..127, over the Latin small letters.
    void koi7Letters()
    {
        const QString pairs = u"`Ю aА bБ cЦ dД eЕ fФ gГ hХ iИ jЙ kК lЛ mМ nН oО pП qЯ rР sС tТ uУ "
                              u"vЖ wВ xЬ yЫ zЗ {Ш |Э }Щ ~Ч \x7fЪ"_s;
        for (int c = 64; c < CharsPerSet; ++c) {
            const QString pair = pairs.section(u' ', c - 64, c - 64);
            QCOMPARE(characterText(c), pair[0] + u" ("_s + pair[1] + u')');
        }
    }
};

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestEditorModel)
#include "test_editor_model.moc"
