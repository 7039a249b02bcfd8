// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "font/font_view.h"

namespace Glyphery {

// The transforms and the glyph clipboard, working on the edit square's copy only: the font,
// the selection and modified are never touched, so nothing but the square is repainted.
class GlyphCommands
{
public:
    GlyphCommands(EditorState &state, FontView &view);

    void min();
    void vmir();
    void gmir();
    void rr();
    void rl();
    void sup();
    void sdown();
    void sleft();
    void sright();
    void mnueditclear();

    void mnuEditCut();
    void mnuEditCopy();
    void mnuEditPaste();

private:
    void replace(const Glyph &glyph);

    EditorState &m_state;
    FontView &m_view;
};

} // namespace Glyphery
