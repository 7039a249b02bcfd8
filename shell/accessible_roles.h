// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Glyphery {

// Gives a screen reader the program's windows and surfaces as what they are: the overview strip
// and the edit square as canvases, the calculator and the help window as windows with their
// titles, and the toolbar without the overflow button it never shows (its window has a fixed
// size). Installed once, before the first window is made.
void presentAccessibleRoles();

} // namespace Glyphery
