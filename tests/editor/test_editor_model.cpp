// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/label_texts.h"
#include "editor/navigation.h"
#include "editor/painting.h"
#include "support/recording_view.h"

#include <QTest>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Character c holds the value c at (6,7) and nothing else. The drawing in the square holds 255
// there, which no character does, and ink in columns 2-5 and 7.
Glyph numbered(int c)
{
    Glyph glyph {};
    glyph[6][7] = static_cast<std::uint8_t>(c);
    return glyph;
}

Glyph drawing()
{
    Glyph glyph = numbered(255);
    for (std::size_t column : {2u, 3u, 4u, 5u, 7u})
        glyph[column].fill(1);
    return glyph;
}

} // namespace

class TestEditorModel : public QObject
{
    Q_OBJECT

private slots:
    void editing_data()
    {
        QTest::addColumn<int>("start");
        // "@x,y" a press on the strip; ">", "<", Load, Store; "-load" and "-store" turn the
        // options off. In the square "Lx,y" a press (R right, M middle), "~x,y" a move, "^" a
        // release.
        QTest::addColumn<QString>("steps");
        // The selected character | those the drawing was stored into | the character in the
        // square, or the cells changed in the drawing | redraws of the strip, of the square.
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, int start, const char16_t *steps,
                            const char16_t *after) {
            QTest::newRow(name) << start << QString::fromUtf16(steps) << QString::fromUtf16(after);
        };
        row("top left corner", 50, u"@0,0", u"0 | 50 | 0 | 1 2");
        row("bottom right corner", 50, u"@767.9,71.9", u"95 | 50 | 95 | 1 2");
        row("left of a column edge, on a row edge", 50, u"@23.9,24", u"32 | 50 | 32 | 1 2");
        row("on a column edge, above a row edge", 50, u"@24,23.9", u"1 | 50 | 1 | 1 2");
        row("right of the strip", 50, u"@768,0", u"50 | - | drawing | 0 0");
        row("below the strip", 50, u"@0,72", u"50 | - | drawing | 0 0");
        row("left of the strip", 50, u"@-0.1,10", u"50 | - | drawing | 0 0");
        row("above the strip", 50, u"@10,-0.1", u"50 | - | drawing | 0 0");
        row("both options on", 1, u">", u"2 | 1 | 2 | 1 2");
        row("loading off", 1, u"-load >", u"2 | 1 | drawing | 1 2");
        row("storing off", 1, u"-store >", u"2 | - | 2 | 1 2");
        row("both off: modified all the same", 1, u"-load -store >", u"2 | - | drawing | 1 2");
        row("the selected one, storing off", 1, u"-store @36,12", u"1 | - | 1 | 1 2");
        row("three steps, loading off", 1, u"-load > > >", u"4 | 1 2 3 | drawing | 3 6");
        row("> from code 126", 94, u">", u"95 | 94 | 95 | 1 2");
        row("> at code 127", 95, u">", u"95 | - | drawing | 0 0");
        row("< from code 33", 1, u"<", u"0 | 1 | 0 | 1 2");
        row("< at code 32", 0, u"<", u"0 | - | drawing | 0 0");
        row("Load, loading off", 1, u"-load Load", u"1 | - | 1 | 0 1");
        row("Store, storing off", 1, u"-store Store", u"1 | 1 | drawing | 1 1");
        row("left at (0,0)", 1, u"L0,0", u"1 | - | 0,0 | 0 1");
        row("right at (255.9,255.9)", 1, u"R255.9,255.9", u"1 | - | 7,7 | 0 1");
        row("(31.9,32) is column 0, row 1", 1, u"L31.9,32", u"1 | - | 0,1 | 0 1");
        row("outside the square", 1, u"L-0.1,40 L40,-0.1 L256,40 L40,256",
            u"1 | - | drawing | 0 0");
        row("moves without a press", 1, u"~10,10 ~42,10", u"1 | - | drawing | 0 0");
        row("a left drag", 1, u"L10,10 ~42,10 ~74,10 ^ ~10,200", u"1 | - | 0,0 1,0 | 0 3");
        row("the last press wins", 1, u"L10,10 R72,10 ~42,10 ^ ~10,200", u"1 | - | 0,0 2,0 | 0 3");
        row("a right drag", 1, u"R72,10 ^ ~104,10", u"1 | - | 2,0 | 0 1");
        row("middle paints nothing", 1, u"M72,10 ~168,72 ^ ~72,10", u"1 | - | drawing | 0 2");
    }

    // Whatever redraws the strip also marks the font modified, even when nothing was stored.
    void editing()
    {
        QFETCH(int, start);
        QFETCH(QString, steps);
        QFETCH(QString, after);
        const auto state = std::make_unique<EditorState>();
        RecordingView view;
        Navigation navigation(*state, view);
        Painting painting(*state, view);
        FontStore &font = state->font;
        for (int c = 0; c < CharsPerSet; ++c)
            font.glyph(0, c) = numbered(c);
        font.currentChar = start;
        const Glyph drawn = state->EditGrid = drawing();
        QHash<QString, std::function<void()>> run;
        run[u">"_s] = [&] { navigation.nextchr(); };
        run[u"<"_s] = [&] { navigation.prevchr(); };
        run[u"Load"_s] = [&] { navigation.sload(); };
        run[u"Store"_s] = [&] { navigation.ssave(); };
        run[u"-load"_s] = [&] { state->autoLoad = false; };
        run[u"-store"_s] = [&] { state->autoStore = false; };
        run[u"^"_s] = [&] { painting.release(); };
        const QHash<QChar, PaintButton> buttons
            = {{u'L', PaintButton::Left}, {u'R', PaintButton::Right}, {u'M', PaintButton::Middle}};
        for (const QString &step : steps.split(u' ')) {
            const QStringList xy = step.mid(1).split(u',');
            const double x = xy.value(0).toDouble(), y = xy.value(1).toDouble();
            if (run.contains(step))
                run[step]();
            else if (step[0] == u'@')
                navigation.selectAt(x, y);
            else if (step[0] == u'~')
                painting.move(x, y);
            else
                painting.press(buttons[step[0]], x, y);
        }

        QStringList stored, changed;
        for (int c = 0; c < CharsPerSet; ++c) {
            if (font.glyph(0, c) != numbered(c))
                stored << (font.glyph(0, c) == drawn ? QString::number(c) : u"?"_s);
        }
        const Glyph &square = state->EditGrid;
        for (std::size_t i = 0; i < 64; ++i) {
            if (square[i % 8][i / 8] != drawn[i % 8][i / 8])
                changed << u"%1,%2"_s.arg(i % 8).arg(i / 8);
        }
        const int loaded = square[6][7];
        QCOMPARE(u"%1 | %2 | %3 | %4 %5"_s.arg(font.currentChar)
                     .arg(stored.isEmpty() ? u"-"_s : stored.join(u' '))
                     .arg(square == numbered(loaded) ? QString::number(loaded)
                              : changed.isEmpty()    ? u"drawing"_s
                                                     : changed.join(u' '))
                     .arg(view.fontRedraws)
                     .arg(view.editorRedraws),
                 after);
        QCOMPARE(font.modified, view.fontRedraws > 0);
    }

    void labelTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << numberText(0) << u" 0"_s;
        QTest::newRow("negative") << numberText(-1) << u"-1"_s;
        QTest::newRow("first of one set") << setPositionText(0, 0) << u" 1 из 1"_s;
        QTest::newRow("second of five") << setPositionText(1, 4) << u" 2 из 5"_s;
        QTest::newRow("64 sets") << fontSizeText(63) << u" 49152 байт"_s;
        QTest::newRow("code 32") << codeText(0) << u"Код: 32"_s;
        QTest::newRow("code 95, below KOI-7") << characterText(63) << u"_"_s;
        // KOI-7 puts the Russian capitals at codes 96..127, over the Latin small letters.
        const QString koi7 = u"`Ю aА bБ cЦ dД eЕ fФ gГ hХ iИ jЙ kК lЛ mМ nН oО pП qЯ rР sС tТ uУ "
                             u"vЖ wВ xЬ yЫ zЗ {Ш |Э }Щ ~Ч \x7fЪ"_s;
        for (int c = 64; c < CharsPerSet; ++c) {
            const QString pair = koi7.section(u' ', c - 64, c - 64);
            QTest::addRow("code %d", c + FirstCode)
                << characterText(c) << pair[0] + u" ("_s + pair[1] + u')';
        }
    }

    void labelTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }
};

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestEditorModel)
#include "test_editor_model.moc"
