// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"
#include "fuzz_check.h"

namespace Glyphery {

// What every converter reader promises: a reason and no font, or a font of 1..64 whole sets
// with no reason; a warning only beside a font.
inline void checkRead(const FontRead &read)
{
    if (!read.error.isEmpty()) {
        check(read.font.isEmpty() && read.warning.isEmpty(), "a refused file gives no font");
        return;
    }
    check(!read.font.isEmpty() && read.font.size() % SetBytes == 0, "a font is whole sets");
    check(read.font.size() <= MaxFontBytes, "a font is at most 64 sets");
}

// The font a reader gave, written in its format and read again, comes back the same.
inline void checkReadsBack(const FontRead &read, const FontRead &again)
{
    check(again.error.isEmpty() && again.warning.isEmpty(), "a written font reads cleanly");
    check(again.font == read.font, "a written font reads back with its pixels");
}

} // namespace Glyphery
