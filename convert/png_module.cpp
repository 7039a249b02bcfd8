// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of the PNG module: found where the program was linked with it (the
// tests), else loaded from beside the program (the build) or from the library folder below
// the one the program is installed in.
#include "convert/png_codec.h"

#include "font/file_reasons.h"

#include <QFile>

#include <climits>

#include <dlfcn.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

using CodecEntry = const PngCodec *(*)();
constexpr char EntryName[] = "glypheryPngCodec";
constexpr char ModuleName[] = "glyphery-png.so";

QByteArray programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    const QByteArray program(path, length > 0 ? length : 0);
    return program.left(program.lastIndexOf('/'));
}

QList<QByteArray> modulePlaces()
{
    const QByteArray folder = programFolder();
    return {folder + '/' + ModuleName,
            folder + "/../" GLYPHERY_LIBRARY_FOLDER "/glyphery/modules/" + ModuleName};
}

struct Loaded
{
    const PngCodec *codec = nullptr;
    QString problem;
};

Loaded load()
{
    if (const auto entry = reinterpret_cast<CodecEntry>(::dlsym(RTLD_DEFAULT, EntryName)))
        return {entry(), {}};
    for (const QByteArray &place : modulePlaces()) {
        void *module = ::dlopen(place.constData(), RTLD_NOW | RTLD_LOCAL);
        if (const auto entry
            = module ? reinterpret_cast<CodecEntry>(::dlsym(module, EntryName)) : nullptr)
            return {entry(), {}};
    }
    return {nullptr,
            u"не найден модуль картинок PNG %1: программа установлена не полностью."_s.arg(
                quotedPath(modulePlaces().constLast()))};
}

const Loaded &loaded()
{
    static const Loaded once = load();
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
