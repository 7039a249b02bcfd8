// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"
#include "font/font_view.h"
#include "font/platform_services.h"

namespace Glyphery {

// Add, delete and step through the sets of the font. None of them touches the selected
// character, modified, fileName, the edit square or the clipboard.
class SetCommands
{
public:
    SetCommands(FontStore &font, FontView &view, PlatformServices &services);

    void addfont();
    void delfont();
    void nextfont();
    void prewfont();

private:
    FontStore &m_font;
    FontView &m_view;
    PlatformServices &m_services;
};

} // namespace Glyphery
