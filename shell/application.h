// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace Glyphery {

// The application as a whole, once its QApplication exists: its names (the settings are found
// by them), the interface font, the icon every window of the program carries, and Qt's own
// texts in Russian.
void setUpApplication();

} // namespace Glyphery
