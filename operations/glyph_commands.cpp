// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/glyph_commands.h"

#include "operations/transforms.h"

namespace Glyphery {

GlyphCommands::GlyphCommands(EditorState &state, FontView &view)
    : m_state(state)
    , m_view(view)
{
}

void GlyphCommands::min()
{
    replace(inverted(m_state.EditGrid));
}

void GlyphCommands::vmir()
{
    replace(mirroredLeftRight(m_state.EditGrid));
}

void GlyphCommands::gmir()
{
    replace(mirroredTopBottom(m_state.EditGrid));
}

void GlyphCommands::rr()
{
    replace(turnedClockwise(m_state.EditGrid));
}

void GlyphCommands::rl()
{
    replace(turnedCounterClockwise(m_state.EditGrid));
}

void GlyphCommands::sup()
{
    replace(shiftedUp(m_state.EditGrid));
}

void GlyphCommands::sdown()
{
    replace(shiftedDown(m_state.EditGrid));
}

void GlyphCommands::sleft()
{
    replace(shiftedLeft(m_state.EditGrid));
}

void GlyphCommands::sright()
{
    replace(shiftedRight(m_state.EditGrid));
}

void GlyphCommands::mnueditclear()
{
    replace({});
}

void GlyphCommands::mnuEditCut()
{
    m_state.GlyphClipboard = m_state.EditGrid;
    replace({});
}

// Nothing visible changes, so nothing is repainted.
void GlyphCommands::mnuEditCopy()
{
    m_state.GlyphClipboard = m_state.EditGrid;
}

void GlyphCommands::mnuEditPaste()
{
    replace(m_state.GlyphClipboard);
}

void GlyphCommands::replace(const Glyph &glyph)
{
    m_state.EditGrid = glyph;
    m_view.RedrawEditor();
}

} // namespace Glyphery
