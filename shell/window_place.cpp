// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_place.h"

#include <algorithm>
#include <climits>
#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The window system's coordinates are 16-bit (X11), so a place beyond them is stored nowhere
// but in a hand-edited or damaged file.
constexpr int FarthestPixel = 32767;

int pixelsFromTwips(int twips)
{
    const long pixels = std::lround(twips / double(TwipsPerPixel));
    return int(std::clamp(pixels, -long(FarthestPixel) - 1, long(FarthestPixel)));
}

QString twipsText(int pixels)
{
    const qint64 twips = qint64(pixels) * TwipsPerPixel;
    return QString::number(std::clamp<qint64>(twips, INT_MIN, INT_MAX));
}

int readTwips(PlatformServices &services, const QString &key)
{
    const QString fallback = QString::number(DefaultPlaceTwips);
    return twipsFromSetting(services.readSetting(key, fallback), DefaultPlaceTwips);
}

} // namespace

int twipsFromSetting(const QString &text, int defaultTwips)
{
    bool ok = false;
    const int twips = text.trimmed().toInt(&ok);
    return ok ? twips : defaultTwips;
}

QPoint storedWindowPosition(PlatformServices &services)
{
    return {pixelsFromTwips(readTwips(services, u"MainLeft"_s)),
            pixelsFromTwips(readTwips(services, u"MainTop"_s))};
}

void storeWindowPlace(PlatformServices &services, const QRect &frame)
{
    services.writeSetting(u"MainLeft"_s, twipsText(frame.x()));
    services.writeSetting(u"MainTop"_s, twipsText(frame.y()));
    services.writeSetting(u"MainWidth"_s, twipsText(frame.width()));
    services.writeSetting(u"MainHeight"_s, twipsText(frame.height()));
}

} // namespace Glyphery
