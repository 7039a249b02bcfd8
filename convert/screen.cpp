// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "convert/glyph_choice.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int Columns = 32;
constexpr int Rows = 24;
constexpr int Cells = Columns * Rows;
constexpr int BitmapBytes = Cells * GlyphSize;

// Where pixel row `line` of the cell at (column, row) lies in the bitmap. The screen is three
// thirds of eight rows of cells; in a third, the top pixel rows of its 8 × 32 cells come first,
// then the second pixel rows, and so on.
int bitmapOffset(int column, int row, int line)
{
    return row / 8 * 2048 + line * 256 + row % 8 * Columns + column;
}

// For each cell, row by row, what it shows: a glyph's index, or -1 for paper.
struct Layout
{
    std::vector<int> glyphs;
    QString error;
};

// The codes of a text as PRINT puts them from the top left: a line goes on in the next row
// after 32 characters, and "\n" starts a new row. The glyph of code c is c - 32.
Layout textLayout(const QString &text)
{
    const TextCodes codes = textCodes(text);
    if (!codes.error.isEmpty())
        return {{}, codes.error};
    Layout layout {std::vector<int>(Cells, -1), {}};
    qsizetype row = 0;
    bool empty = true;
    for (const QList<int> &line : codes.lines) {
        const qsizetype rows = std::max<qsizetype>(1, (line.size() + Columns - 1) / Columns);
        if (row + rows > Rows)
            return {{}, u"текст не помещается на экран: в нём больше 24 строк по 32 знака."_s};
        for (qsizetype i = 0; i < line.size(); ++i)
            layout.glyphs[toIndex(int(row * Columns + i))] = line[i] - FirstCode;
        row += rows;
        empty = empty && line.isEmpty();
    }
    if (empty)
        return {{}, u"текст пуст."_s};
    return layout;
}

QByteArray screenOf(QByteArrayView glyphs, const std::vector<int> &glyphAt,
                    const ScreenOptions &options)
{
    QByteArray screen(ScreenBytes, '\0');
    for (int cell = 0; cell < Cells; ++cell) {
        const int glyph = glyphAt[toIndex(cell)];
        for (int line = 0; line < GlyphSize && glyph >= 0; ++line)
            screen[bitmapOffset(cell % Columns, cell / Columns, line)]
                = glyphs[glyph * GlyphSize + line];
    }
    // No FLASH, no BRIGHT: paper in bits 3..5, ink in bits 0..2.
    std::fill(screen.begin() + BitmapBytes, screen.end(), char(options.paper << 3 | options.ink));
    return screen;
}

// The glyphs of the screen's cells, row by row, 8 bytes each.
QByteArray cellGlyphs(QByteArrayView screen)
{
    QByteArray glyphs(BitmapBytes, '\0');
    for (int cell = 0; cell < Cells; ++cell) {
        for (int line = 0; line < GlyphSize; ++line)
            glyphs[cell * GlyphSize + line]
                = screen[bitmapOffset(cell % Columns, cell / Columns, line)];
    }
    return glyphs;
}

FontRead sheetFont(const QByteArray &glyphs)
{
    int sets = ScreenSets;
    while (sets > 0 && glyphs.sliced((sets - 1) * SetBytes, SetBytes).count('\0') == SetBytes)
        --sets;
    if (sets == 0)
        return {{}, u"на экране нет ни одной точки чернил."_s, {}};
    return {glyphs.first(sets * SetBytes), {}, {}};
}

QString placeOf(int cell)
{
    return u"строка %1, столбец %2"_s.arg(cell / Columns + 1).arg(cell % Columns + 1);
}

// Each character of the text takes its glyph from its first cell; a character drawn two ways
// is refused, since either could be the font's.
FontRead textFont(const QByteArray &glyphs, const QString &text)
{
    const Layout layout = textLayout(text);
    if (!layout.error.isEmpty())
        return {{}, u"--cells: %1"_s.arg(layout.error), {}};
    std::array<int, CharsPerSet> cellOf;
    cellOf.fill(-1);
    for (int cell = 0; cell < Cells; ++cell) {
        const int character = layout.glyphs[toIndex(cell)];
        if (character < 0)
            continue;
        int &first = cellOf[toIndex(character)];
        if (first < 0) {
            first = cell;
        } else if (glyphs.sliced(first * GlyphSize, GlyphSize)
                   != glyphs.sliced(cell * GlyphSize, GlyphSize)) {
            const char32_t unicode = unicodeOfCode(FirstCode + character);
            return {{},
                    u"символ «%1» нарисован по-разному: %2 и %3."_s.arg(
                        QString::fromUcs4(&unicode, 1), placeOf(first), placeOf(cell)),
                    {}};
        }
    }
    return setFromGlyphs(glyphs, [&cellOf](int character) { return cellOf[toIndex(character)]; });
}

} // namespace

Encoded writeScreen(QByteArrayView font, const ScreenOptions &options)
{
    if (setCountOf(font) > ScreenSets)
        return {{},
                u"на экран помещается 8 наборов (по 3 строки из 24), а в шрифте их %1; выберите "
                u"набор ключом --set."_s.arg(setCountOf(font))};
    std::vector<int> glyphAt(Cells, -1);
    for (int cell = 0; cell < font.size() / GlyphSize; ++cell)
        glyphAt[toIndex(cell)] = cell;
    return {screenOf(font, glyphAt, options), {}};
}

Encoded writeScreenText(QByteArrayView set, const QString &text, const ScreenOptions &options)
{
    const Layout layout = textLayout(text);
    if (!layout.error.isEmpty())
        return {{}, layout.error};
    return {screenOf(set, layout.glyphs, options), {}};
}

FontRead readScreen(QByteArrayView bytes, const QString &cells)
{
    if (bytes.size() != ScreenBytes)
        return {{},
                u"в нём %1, а экран Spectrum — ровно 6912 байт: 6144 байта точек и 768 "
                u"атрибутов."_s.arg(byteCount(bytes.size())),
                {}};
    const QByteArray glyphs = cellGlyphs(bytes);
    return cells == SheetCells ? sheetFont(glyphs) : textFont(glyphs, cells);
}

} // namespace Glyphery
