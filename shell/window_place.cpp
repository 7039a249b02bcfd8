// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_place.h"

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

int pixelsFromTwips(int twips)
{
    return static_cast<int>(std::lround(twips / double(TwipsPerPixel)));
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
    services.writeSetting(u"MainLeft"_s, QString::number(frame.x() * TwipsPerPixel));
    services.writeSetting(u"MainTop"_s, QString::number(frame.y() * TwipsPerPixel));
    services.writeSetting(u"MainWidth"_s, QString::number(frame.width() * TwipsPerPixel));
    services.writeSetting(u"MainHeight"_s, QString::number(frame.height() * TwipsPerPixel));
}

} // namespace Glyphery
