// SPDX-License-Identifier: GPL-3.0-or-later
// The program's side of the module of Spectrum tapes and snapshots.
#include "convert/module_loader.h"
#include "convert/spectrum_codec.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

const LoadedModule<SpectrumCodec> &loaded()
{
    static const LoadedModule<SpectrumCodec> once = loadModule<SpectrumCodec>(
        "glyphery-spectrum.so", "glypherySpectrumCodec",
        u"не найден модуль лент и снимков Spectrum %1: программа установлена не полностью."_s);
    return once;
}

} // namespace

FontRead readTap(QByteArrayView bytes, int block, TapeImage image)
{
    if (const SpectrumCodec *codec = loaded().codec)
        return codec->readTape(bytes, block, image);
    return {{}, loaded().problem, {}};
}

Encoded writeTap(QByteArrayView font, const TapOptions &options)
{
    if (const SpectrumCodec *codec = loaded().codec)
        return codec->writeTape(font, options, loaderProgram);
    return {{}, loaded().problem, true};
}

FontRead readSnapshot(QByteArrayView bytes, SnapshotKind kind, std::optional<int> address)
{
    if (const SpectrumCodec *codec = loaded().codec)
        return codec->readSnapshot(bytes, kind, address);
    return {{}, loaded().problem, {}};
}

} // namespace Glyphery
