// SPDX-License-Identifier: GPL-3.0-or-later
// The stored window place: any text in the settings file reads as some number of twips without
// crashing, and every place the program writes reads back as the same place.

#include "shell/window_place.h"

#include <QMap>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace Glyphery;

namespace {

void check(bool condition, const char *what, const QString &text)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\nvalue: \"%s\"\n", what,
                     text.toUtf8().constData());
        std::abort();
    }
}

// A settings store in memory; the window-place code asks nothing else.
class MemorySettings : public PlatformServices
{
public:
    QMap<QString, QString> values;

    MessageAnswer message(const QString &, const QString &, MessageButtons) override
    {
        return MessageAnswer::Cancel;
    }
    QString openFileName(const QString &, const FileFilter &) override { return {}; }
    QString saveFileName(const QString &, const FileFilter &) override { return {}; }
    QString readSetting(const QString &key, const QString &defaultValue) override
    {
        return values.value(key, defaultValue);
    }
    void writeSetting(const QString &key, const QString &value) override
    {
        values.insert(key, value);
    }
};

int readInt(const std::uint8_t *data, std::size_t size, std::size_t at)
{
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4 && at + i < size; ++i)
        bits |= std::uint32_t(data[at + i]) << (8 * i);
    int value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto length = static_cast<qsizetype>(size);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), length);
    const int defaultTwips = readInt(data, size, 0);

    // Anything a hand-edited file holds must read as some number, without a crash.
    twipsFromSetting(text, defaultTwips);
    MemorySettings settings;
    settings.values.insert(u"MainLeft"_s, text);
    settings.values.insert(u"MainTop"_s, text);
    storedWindowPosition(settings);

    // Every number the program writes reads back as itself, with or without blanks around it.
    const int written = readInt(data, size, 4);
    const QString writtenText = QString::number(written);
    check(twipsFromSetting(writtenText, ~written) == written, "a written value reads back",
          writtenText);
    check(twipsFromSetting(u" "_s + writtenText + u"\n"_s, ~written) == written,
          "a written value with blanks reads back", writtenText);

    // A frame anywhere: the position read back is the one stored, or, beyond the window
    // system's 16-bit coordinates, the nearest there is. Half the reach each, so that neither
    // the twips nor the frame's right and bottom edges overflow an int.
    constexpr int reach = std::numeric_limits<int>::max() / TwipsPerPixel / 2;
    constexpr int farthest = 32767;
    const int x = readInt(data, size, 8) % reach;
    const int y = readInt(data, size, 12) % reach;
    const int width = std::abs(readInt(data, size, 16) % reach);
    const int height = std::abs(readInt(data, size, 20) % reach);
    storeWindowPlace(settings, QRect(x, y, width, height));
    const QPoint position = storedWindowPosition(settings);
    check(position
              == QPoint(std::clamp(x, -farthest - 1, farthest),
                        std::clamp(y, -farthest - 1, farthest)),
          "a stored position reads back, or the nearest the window system has",
          QString::number(x) + u","_s + QString::number(y));
    check(twipsFromSetting(settings.values.value(u"MainWidth"_s), -1) == width * TwipsPerPixel
              && twipsFromSetting(settings.values.value(u"MainHeight"_s), -1)
                  == height * TwipsPerPixel,
          "a stored size reads back", QString::number(width));
    return 0;
}
