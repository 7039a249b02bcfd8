#pragma once

#include <array>
#include <cstdint>

namespace Glyphery {

inline constexpr int GlyphSize = 8;

// One 8 × 8 character image, addressed [column][row]: column 0 is the leftmost pixel,
// row 0 the top row. 0 is paper; every other value is shown as ink.
using Glyph = std::array<std::array<std::uint8_t, GlyphSize>, GlyphSize>;

} // namespace Glyphery
