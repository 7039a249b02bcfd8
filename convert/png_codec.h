// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"

namespace Glyphery {

// The PNG pictures, made and read with Qt Gui in a module of their own (glyphery-png.so) that
// the program loads only when it needs it: loading Qt Gui with the program would take more
// time than any whole conversion of another format.
struct PngCodec
{
    FontRead (*readSheet)(QByteArrayView bytes, const PngOptions &options);
    Encoded (*writeSheet)(QByteArrayView font, const PngOptions &options);
    Encoded (*writeText)(QByteArrayView set, const QString &text, const PngOptions &options);
    Encoded (*writeThumbnail)(QByteArrayView set, int size);
    std::optional<Colour> (*colourNamed)(const QString &text);
};

} // namespace Glyphery

// The module's one entry, looked up by this name.
extern "C" __attribute__((visibility("default"))) const Glyphery::PngCodec *glypheryPngCodec();
