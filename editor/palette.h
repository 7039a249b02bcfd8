// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "font/font_view.h"

#include <array>
#include <cstdint>

namespace Glyphery {

// 0xAARRGGBB, the layout of QRgb.
using Rgb = std::uint32_t;

// The 16 colours every ink, paper and grid colour is an index into.
inline constexpr std::array<Rgb, 16> Palette = {
    0xff000000, // 0 black
    0xff000080, // 1 blue
    0xff008000, // 2 green
    0xff008080, // 3 cyan
    0xff800000, // 4 red
    0xff800080, // 5 magenta
    0xff808000, // 6 yellow (brown)
    0xffc0c0c0, // 7 light grey
    0xff808080, // 8 dark grey
    0xff0000ff, // 9 light blue
    0xff00ff00, // 10 light green
    0xff00ffff, // 11 light cyan
    0xffff0000, // 12 light red
    0xffff00ff, // 13 light magenta
    0xffffff00, // 14 light yellow
    0xffffffff, // 15 bright white
};

// The grid of the strip and the square keeps this colour whatever the scheme.
inline constexpr std::uint8_t GridColor = 7;

struct ColourScheme
{
    const char *command;
    const char16_t *caption;
    std::uint8_t ink;
    std::uint8_t paper;
    bool separatorBefore;
};

// In menu order; the command names do not follow it.
inline constexpr std::array<ColourScheme, 7> ColourSchemes = {{
    {"pal1", u"Чёрным по белому", 0, 15, false},
    {"pal2", u"Белым по чёрному", 15, 0, false},
    {"pal6", u"Чёрным по серому", 0, 8, true},
    {"pal7", u"Серым по чёрному", 8, 0, false},
    {"pal3", u"Синим по чёрному", 9, 0, true},
    {"pal4", u"Красным по чёрному", 12, 0, false},
    {"pal5", u"Голубым по синему", 11, 9, false},
}};

void applyScheme(EditorState &state, FontView &view, const ColourScheme &scheme);

} // namespace Glyphery
