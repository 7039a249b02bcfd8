// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/glyph.h"

namespace Glyphery {

// Whole-character transforms. Each result cell is computed from the glyph as it was before.
// Invert and clear write only 0 and 1; the others move cell values unchanged.

Glyph inverted(const Glyph &glyph); // paper becomes ink, any other value paper
Glyph mirroredLeftRight(const Glyph &glyph); // column c moves to 7 - c
Glyph mirroredTopBottom(const Glyph &glyph); // row r moves to 7 - r
Glyph turnedClockwise(const Glyph &glyph); // (c, r) moves to (7 - r, c)
Glyph turnedCounterClockwise(const Glyph &glyph); // (c, r) moves to (r, 7 - c)
// The shifts are cyclic: the line pushed out over one edge comes back at the other.
Glyph shiftedUp(const Glyph &glyph);
Glyph shiftedDown(const Glyph &glyph);
Glyph shiftedLeft(const Glyph &glyph);
Glyph shiftedRight(const Glyph &glyph);

} // namespace Glyphery
