#include "font/specchr.h"

#include <algorithm>

namespace Glyphery {

namespace {

std::uint8_t rowByte(const Glyph &glyph, int row)
{
    // Branch-free: random pixels would make a test per pixel mispredict half the time.
    unsigned byte = 0;
    for (int column = 0; column < GlyphSize; ++column)
        byte |= unsigned(glyph[column][row] == 1) << (7 - column);
    return static_cast<std::uint8_t>(byte);
}

void setRow(Glyph &glyph, int row, std::uint8_t byte)
{
    for (int column = 0; column < GlyphSize; ++column)
        glyph[column][row] = static_cast<std::uint8_t>((byte >> (7 - column)) & 1u);
}

} // namespace

QByteArray encodeSpecChr(const FontStore &font)
{
    QByteArray bytes(font.setCount() * SetBytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<std::uint8_t *>(bytes.data());
    for (int set = 0; set <= font.lastSet; ++set) {
        for (const Glyph &glyph : font.FontPixels[set]) {
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
    for (int index = 0; index < characters; ++index) {
        Glyph &glyph = font.FontPixels[index / CharsPerSet][index % CharsPerSet];
        const int rows = std::min(GlyphSize, size - index * GlyphSize);
        for (int row = 0; row < rows; ++row)
            setRow(glyph, row, *in++);
    }
    const int wholeSets = size / SetBytes;
    const bool partialSet = size % SetBytes >= GlyphSize;
    font.lastSet = std::max(0, wholeSets + (partialSet ? 1 : 0) - 1);
}

} // namespace Glyphery
