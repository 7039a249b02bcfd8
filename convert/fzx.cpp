// SPDX-License-Identifier: GPL-3.0-or-later
// FZX, the Spectrum's format of proportional fonts: a header of three bytes (the height of a
// line, the tracking between characters, the last character's code), then an entry of three
// bytes a character from 32 to the last (a little-endian word: where the character's rows
// start, counted from the word itself, with a kern in its top two bits; a byte: the blank rows
// above them in its high nibble, the width less one in its low nibble), a word that says in
// the same way where the last character's rows end, and the rows, a byte each for a character
// up to 8 pixels wide. A character's rows run up to where the next one's start.
#include "convert/formats.h"
#include "convert/little_endian.h"

#include <bit>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int HeaderBytes = 3;
constexpr int EntryBytes = 3;
constexpr int LastCode = FirstCode + CharsPerSet - 1;
constexpr int RowsStart = HeaderBytes + CharsPerSet * EntryBytes + 2;
constexpr int OffsetMask = 0x3fff;
// A character without ink is this wide in a proportional font, with the tracking after it:
// half a cell, as a space is.
constexpr int BlankWidth = 3;

// Where a glyph's ink lies: its first row and how many rows down, its first column and width.
struct Ink
{
    int top = 0;
    int rows = 0;
    int left = 0;
    int width = GlyphSize;
};

Ink inkOf(QByteArrayView set, int character, bool proportional)
{
    Ink ink {GlyphSize, 0, 0, GlyphSize};
    std::uint8_t columns = 0;
    for (int row = 0; row < GlyphSize; ++row) {
        const std::uint8_t bits = rowOf(set, 0, character, row);
        if (bits == 0)
            continue;
        ink.top = std::min(ink.top, row);
        ink.rows = row - ink.top + 1;
        columns |= bits;
    }
    if (columns == 0)
        return {0, 0, 0, proportional ? BlankWidth : GlyphSize};
    if (proportional) {
        ink.left = std::countl_zero(columns);
        ink.width = GlyphSize - ink.left - std::countr_zero(columns);
    }
    return ink;
}

// Where the rows that the word at a position points to start.
qsizetype rowsPointedAt(QByteArrayView bytes, qsizetype at)
{
    return at + (word(bytes, at) & OffsetMask);
}

} // namespace

QByteArray writeFzx(QByteArrayView set, bool proportional)
{
    QByteArray table;
    table += char(GlyphSize);
    table += char(proportional ? 1 : 0);
    table += char(LastCode);
    QByteArray rows;
    for (int character = 0; character < CharsPerSet; ++character) {
        const Ink ink = inkOf(set, character, proportional);
        appendWord(table, RowsStart + int(rows.size()) - int(table.size()));
        table += char(ink.top << 4 | (ink.width - 1));
        for (int row = ink.top; row < ink.top + ink.rows; ++row)
            rows += char(rowOf(set, 0, character, row) << ink.left);
    }
    appendWord(table, RowsStart + int(rows.size()) - int(table.size()));
    return table + rows;
}

// Each character lands at the left of its cell; a kern or tracking has no place in a cell.
FontRead readFzx(QByteArrayView bytes)
{
    if (bytes.size() < HeaderBytes)
        return {{}, u"файл обрезан посреди заголовка FZX."_s, {}};
    const int last = std::uint8_t(bytes[2]);
    if (last < FirstCode)
        return {{}, u"в нём нет ни одного символа."_s, {}};
    if (bytes.size() < HeaderBytes + (last - FirstCode + 1) * EntryBytes + 2)
        return {{}, u"файл обрезан посреди таблицы символов."_s, {}};
    QByteArray set(SetBytes, '\0');
    for (int code = FirstCode; code <= std::min(last, LastCode); ++code) {
        const qsizetype entry = HeaderBytes + (code - FirstCode) * EntryBytes;
        const qsizetype start = rowsPointedAt(bytes, entry);
        const qsizetype end = rowsPointedAt(bytes, entry + EntryBytes);
        const int shift = std::uint8_t(bytes[entry + 2]) >> 4;
        const int width = (std::uint8_t(bytes[entry + 2]) & 0xf) + 1;
        if (start > end || end > bytes.size())
            return {{}, u"строки символа %1 лежат за концом файла."_s.arg(code), {}};
        if (width > GlyphSize && end > start)
            return {{}, u"символ %1 шириной %2 точек, а в клетке их 8."_s.arg(code).arg(width), {}};
        if (shift + end - start > GlyphSize)
            return {{}, u"символ %1 выше 8 точек."_s.arg(code), {}};
        for (qsizetype row = 0; row < end - start; ++row)
            set[(code - FirstCode) * GlyphSize + shift + row] = bytes[start + row];
    }
    if (last >= LastCode)
        return {set, {}, {}};
    return {
        set, u"в файле нет символов с кодами %1..127, они оставлены пустыми."_s.arg(last + 1), {}};
}

} // namespace Glyphery
