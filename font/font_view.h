// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Glyphery {

// What the commands ask of the screen. RedrawFont repaints the overview strip and the set
// labels and then everything RedrawEditor repaints: the edit square and the character labels.
class FontView
{
public:
    virtual ~FontView() = default;
    virtual void RedrawFont() = 0;
    virtual void RedrawEditor() = 0;
};

} // namespace Glyphery
