// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Glyphery {

// The user's settings file: Glyphery/Glyphery.conf in the desktop's configuration folder
// (~/.config unless XDG_CONFIG_HOME says otherwise).
QString userSettingsFile();

// Whether the settings file may be read and written back: it is absent, or it is a regular
// file, after following links, of at most 64 KiB. Anything else would block start-up (a FIFO),
// make it slow (a huge file) or be overwritten by a regular file (a device, a folder).
bool isUsableSettingsFile(const QString &path);

} // namespace Glyphery
