// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/transforms.h"

namespace Glyphery {

namespace {

constexpr int Last = GlyphSize - 1;

// Builds a glyph whose cell (c, r) is glyph(from(c, r)).
template<typename Source> Glyph remapped(const Glyph &glyph, Source from)
{
    Glyph result;
    for (int c = 0; c < GlyphSize; ++c) {
        for (int r = 0; r < GlyphSize; ++r) {
            const auto [sc, sr] = from(c, r);
            result[toIndex(c)][toIndex(r)] = glyph[toIndex(sc)][toIndex(sr)];
        }
    }
    return result;
}

struct Cell
{
    int column;
    int row;
};

} // namespace

Glyph inverted(const Glyph &glyph)
{
    Glyph result;
    for (int c = 0; c < GlyphSize; ++c) {
        for (int r = 0; r < GlyphSize; ++r)
            result[toIndex(c)][toIndex(r)] = glyph[toIndex(c)][toIndex(r)] == 0 ? 1 : 0;
    }
    return result;
}

Glyph mirroredLeftRight(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {Last - c, r}; });
}

Glyph mirroredTopBottom(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {c, Last - r}; });
}

Glyph turnedClockwise(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {r, Last - c}; });
}

Glyph turnedCounterClockwise(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {Last - r, c}; });
}

Glyph shiftedUp(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {c, (r + 1) % GlyphSize}; });
}

Glyph shiftedDown(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {c, (r + Last) % GlyphSize}; });
}

Glyph shiftedLeft(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {(c + 1) % GlyphSize, r}; });
}

Glyph shiftedRight(const Glyph &glyph)
{
    return remapped(glyph, [](int c, int r) { return Cell {(c + Last) % GlyphSize, r}; });
}

} // namespace Glyphery
