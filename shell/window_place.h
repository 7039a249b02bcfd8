// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/platform_services.h"

#include <QPoint>
#include <QRect>

namespace Glyphery {

// The main window's place between runs, kept in twips (1/1440 inch; 15 to a pixel at 96 dpi)
// under the keys MainLeft, MainTop, MainWidth and MainHeight.
inline constexpr int TwipsPerPixel = 15;
inline constexpr int DefaultPlaceTwips = 1000;

// A stored value that is not a whole number counts as absent.
int twipsFromSetting(const QString &text, int defaultTwips);

// The outer top-left corner to open the window at, in pixels.
QPoint storedWindowPosition(PlatformServices &services);

// Writes the outer frame, in the order left, top, width, height.
void storeWindowPlace(PlatformServices &services, const QRect &frame);

} // namespace Glyphery
