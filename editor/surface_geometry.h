// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"

namespace Glyphery {

// The overview strip: 96 characters in three rows of 32, each pixel a 3 × 3 square.
inline constexpr int StripScale = 3;
inline constexpr int StripCell = GlyphSize * StripScale;
inline constexpr int StripColumns = 32;
inline constexpr int StripRows = CharsPerSet / StripColumns;
inline constexpr int StripWidth = StripColumns * StripCell;
inline constexpr int StripHeight = StripRows * StripCell;

// The edit square: 8 × 8 cells of 32 pixels.
inline constexpr int SquareCell = 32;
inline constexpr int SquareSize = GlyphSize * SquareCell;

} // namespace Glyphery
