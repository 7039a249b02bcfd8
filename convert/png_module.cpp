// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of the PNG module.
#include "convert/module_loader.h"
#include "convert/png_codec.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

const LoadedModule<PngCodec> &loaded()
{
    static const LoadedModule<PngCodec> once = loadModule<PngCodec>(
        "glyphery-png.so", "glypheryPngCodec",
        u"не найден модуль картинок PNG %1: программа установлена не полностью."_s);
    return once;
}

} // namespace

QString pngCodecProblem()
{
    return loaded().problem;
}

FontRead readPngSheet(QByteArrayView bytes, const PngOptions &options)
{
    if (const PngCodec *codec = loaded().codec)
        return codec->readSheet(bytes, options);
    return {{}, pngCodecProblem(), {}};
}

Encoded writePngSheet(QByteArrayView font, const PngOptions &options)
{
    if (const PngCodec *codec = loaded().codec)
        return codec->writeSheet(font, options);
    return {{}, pngCodecProblem(), true};
}

Encoded writePngText(QByteArrayView set, const QString &text, const PngOptions &options)
{
    if (const PngCodec *codec = loaded().codec)
        return codec->writeText(set, text, options);
    return {{}, pngCodecProblem(), true};
}

Encoded writePngThumbnail(QByteArrayView set, int size)
{
    if (const PngCodec *codec = loaded().codec)
        return codec->writeThumbnail(set, size);
    return {{}, pngCodecProblem(), true};
}

std::optional<Colour> colourNamed(const QString &text)
{
    const PngCodec *codec = loaded().codec;
    return codec ? codec->colourNamed(text) : std::nullopt;
}

} // namespace Glyphery
