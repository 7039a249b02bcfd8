// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/specchr.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

std::uint8_t rowByte(const Glyph &glyph, int row)
{
    // Branch-free: random pixels would make a test per pixel mispredict half the time.
    unsigned byte = 0;
    for (int column = 0; column < GlyphSize; ++column)
        byte |= unsigned(glyph[toIndex(column)][toIndex(row)] == 1) << (7 - column);
    return static_cast<std::uint8_t>(byte);
}

void setRow(Glyph &glyph, int row, std::uint8_t byte)
{
    for (int column = 0; column < GlyphSize; ++column)
        glyph[toIndex(column)][toIndex(row)]
            = static_cast<std::uint8_t>((byte >> (7 - column)) & 1);
}

// The eight pixels of a byte, bit 7 first.
constexpr auto Pixels = [] {
    std::array<std::array<std::uint8_t, GlyphSize>, 256> table {};
    for (unsigned byte = 0; byte < 256; ++byte) {
        for (unsigned bit = 0; bit < 8; ++bit)
            table[byte][bit] = static_cast<std::uint8_t>((byte >> (7 - bit)) & 1u);
    }
    return table;
}();

// A whole character from its eight row bytes. The store keeps a character column by column,
// so the 8 × 8 bit matrix is transposed first (row bytes in, column bytes out, the first in
// the top byte) and each column byte then becomes its eight pixels in one copy.
void setCharacter(Glyph &glyph, const std::uint8_t *rows)
{
    std::uint64_t bits = 0;
    for (int row = 0; row < GlyphSize; ++row)
        bits = bits << 8 | rows[row];
    std::uint64_t swap = (bits ^ (bits >> 7)) & 0x00AA00AA00AA00AAull;
    bits ^= swap ^ (swap << 7);
    swap = (bits ^ (bits >> 14)) & 0x0000CCCC0000CCCCull;
    bits ^= swap ^ (swap << 14);
    swap = (bits ^ (bits >> 28)) & 0x00000000F0F0F0F0ull;
    bits ^= swap ^ (swap << 28);
    for (int column = 0; column < GlyphSize; ++column)
        glyph[toIndex(column)] = Pixels[(bits >> (56 - 8 * column)) & 0xffu];
}

} // namespace

QString specChrTooLong()
{
    return u"в шрифте может быть не больше 64 наборов, то есть 49152 байт."_s;
}

QByteArray encodeSpecChr(const FontStore &font)
{
    QByteArray bytes(font.setCount() * SetBytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<std::uint8_t *>(bytes.data());
    for (int set = 0; set <= font.lastSet; ++set) {
        for (const Glyph &glyph : font.FontPixels[toIndex(set)]) {
            for (int row = 0; row < GlyphSize; ++row)
                *out++ = rowByte(glyph, row);
        }
    }
    return bytes;
}

void decodeSpecChr(QByteArrayView bytes, FontStore &font)
{
    const auto size = static_cast<int>(bytes.size());
    const auto *in = reinterpret_cast<const std::uint8_t *>(bytes.data());
    // Whole characters first, then the rows of a last partial one.
    const int characters = (size + GlyphSize - 1) / GlyphSize;
    for (int character = 0; character < characters; ++character, in += GlyphSize) {
        Glyph &glyph = font.glyph(character / CharsPerSet, character % CharsPerSet);
        const int rows = std::min(GlyphSize, size - character * GlyphSize);
        if (rows == GlyphSize) {
            setCharacter(glyph, in);
        } else {
            for (int row = 0; row < rows; ++row)
                setRow(glyph, row, in[row]);
        }
    }
    const int wholeSets = size / SetBytes;
    const bool partialSet = size % SetBytes >= GlyphSize;
    font.lastSet = std::max(0, wholeSets + (partialSet ? 1 : 0) - 1);
}

} // namespace Glyphery
