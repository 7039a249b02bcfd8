// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"

#include <cstdint>

namespace Glyphery {

// The mouse button of the paint stroke in progress.
enum class PaintButton : std::uint8_t { None = 0, Left = 1, Right = 2, Middle = 4 };

// All editing state of the main window, allocated once for the whole run.
struct EditorState
{
    FontStore font;
    // The working copy of one character: the edit square shows and paints this, never the font.
    Glyph EditGrid {};
    Glyph GlyphClipboard {};
    std::uint8_t inkColor = 0;
    std::uint8_t paperColor = 15;
    PaintButton paintButton = PaintButton::None;
    bool autoLoad = true;
    bool autoStore = true;
};

} // namespace Glyphery
