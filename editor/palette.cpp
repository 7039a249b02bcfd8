// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/palette.h"

namespace Glyphery {

void applyScheme(EditorState &state, FontView &view, const ColourScheme &scheme)
{
    state.inkColor = scheme.ink;
    state.paperColor = scheme.paper;
    view.RedrawFont();
}

} // namespace Glyphery
