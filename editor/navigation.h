// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "font/font_view.h"

namespace Glyphery {

// Moves the working copy between the font and the edit square around every change of the
// selected character, and the Load and Store commands that move it by hand.
class Navigation
{
public:
    Navigation(EditorState &state, FontView &view);

    // Before the selected character changes: stores the working copy when automatic storing is
    // on, repaints, and marks the font modified whether or not anything was stored.
    void LeaveChar();
    // After it changed: loads the character when automatic loading is on, and repaints.
    void EnterChar();

    // A press on the overview strip at (x, y) in strip pixels, whichever button.
    void selectAt(double x, double y);
    void nextchr();
    void prevchr();
    void sload();
    void ssave();

private:
    void select(int character);
    void storeSelected();

    EditorState &m_state;
    FontView &m_view;
};

} // namespace Glyphery
