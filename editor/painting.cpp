// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/painting.h"

#include "editor/surface_geometry.h"

#include <cmath>

namespace Glyphery {

Painting::Painting(EditorState &state, FontView &view)
    : m_state(state)
    , m_view(view)
{
}

void Painting::press(PaintButton button, double x, double y)
{
    m_state.paintButton = button;
    PaintAt(x, y);
}

void Painting::move(double x, double y)
{
    if (m_state.paintButton != PaintButton::None)
        PaintAt(x, y);
}

void Painting::release()
{
    m_state.paintButton = PaintButton::None;
}

void Painting::PaintAt(double x, double y)
{
    const double column = std::floor(x / SquareCell);
    const double row = std::floor(y / SquareCell);
    if (!(column >= 0 && row >= 0 && column < GlyphSize && row < GlyphSize))
        return;
    auto &cell = m_state.EditGrid[toIndex(int(column))][toIndex(int(row))];
    if (m_state.paintButton == PaintButton::Left)
        cell = 1;
    else if (m_state.paintButton == PaintButton::Right)
        cell = 0;
    m_view.RedrawEditor();
}

} // namespace Glyphery
