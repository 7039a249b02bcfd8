// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_view.h"

namespace Glyphery {

// Counts the redraws a command asks for, so tests can tell what it repainted.
class RecordingView : public FontView
{
public:
    int fontRedraws = 0;
    int editorRedraws = 0;

    void RedrawFont() override
    {
        ++fontRedraws;
        RedrawEditor();
    }
    void RedrawEditor() override { ++editorRedraws; }
};

} // namespace Glyphery
