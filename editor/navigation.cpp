// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/navigation.h"

#include "editor/surface_geometry.h"

#include <cmath>

namespace Glyphery {

Navigation::Navigation(EditorState &state, FontView &view)
    : m_state(state)
    , m_view(view)
{
}

void Navigation::LeaveChar()
{
    if (m_state.autoStore)
        storeSelected();
    m_view.RedrawFont();
    m_state.font.modified = true;
}

void Navigation::EnterChar()
{
    if (m_state.autoLoad)
        m_state.EditGrid = m_state.font.selectedGlyph();
    m_view.RedrawEditor();
}

void Navigation::selectAt(double x, double y)
{
    if (!(x >= 0 && y >= 0 && x < StripWidth && y < StripHeight))
        return;
    const int row = static_cast<int>(std::floor(y / StripCell));
    const int column = static_cast<int>(std::floor(x / StripCell));
    select(row * StripColumns + column);
}

void Navigation::nextchr()
{
    if (m_state.font.currentChar >= CharsPerSet - 1)
        return;
    select(m_state.font.currentChar + 1);
}

void Navigation::prevchr()
{
    if (m_state.font.currentChar <= 0)
        return;
    select(m_state.font.currentChar - 1);
}

void Navigation::sload()
{
    m_state.EditGrid = m_state.font.selectedGlyph();
    m_view.RedrawEditor();
}

// Store writes the working copy whatever automatic storing says: it is the only way to put the
// copy into the font while that option is off.
void Navigation::ssave()
{
    storeSelected();
    m_view.RedrawFont();
    m_state.font.modified = true;
}

void Navigation::select(int character)
{
    LeaveChar();
    m_state.font.currentChar = character;
    EnterChar();
}

void Navigation::storeSelected()
{
    m_state.font.selectedGlyph() = m_state.EditGrid;
}

} // namespace Glyphery
