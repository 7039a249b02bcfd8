// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/spectrum_codec.h"

namespace Glyphery {

namespace {

constexpr SpectrumCodec Codec
    = {Libspectrum::readTape, Libspectrum::writeTape, Libspectrum::readSnapshot};

} // namespace

} // namespace Glyphery

const Glyphery::SpectrumCodec *glypherySpectrumCodec()
{
    return &Glyphery::Codec;
}
