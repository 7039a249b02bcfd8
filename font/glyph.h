// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace Glyphery {

inline constexpr int GlyphSize = 8;

// Positions are ints, as the geometry that produces them; the arrays want unsigned indices.
constexpr std::size_t toIndex(int position)
{
    return static_cast<std::size_t>(position);
}

// One 8 × 8 character image, addressed [column][row]: column 0 is the leftmost pixel,
// row 0 the top row. 0 is paper; every other value is shown as ink.
using Glyph = std::array<std::array<std::uint8_t, GlyphSize>, GlyphSize>;

} // namespace Glyphery
