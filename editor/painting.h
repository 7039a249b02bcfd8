// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "font/font_view.h"

namespace Glyphery {

// Mouse strokes on the edit square. They change only the working copy, never the font.
class Painting
{
public:
    Painting(EditorState &state, FontView &view);

    // The last press decides the stroke: a right press during a left stroke switches to paper.
    void press(PaintButton button, double x, double y);
    void move(double x, double y);
    // Any release ends the stroke, whichever button is still held.
    void release();
    // Paints the cell under (x, y) in square pixels; outside the square nothing happens.
    void PaintAt(double x, double y);

private:
    EditorState &m_state;
    FontView &m_view;
};

} // namespace Glyphery
