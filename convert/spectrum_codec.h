// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"

namespace Glyphery {

// Spectrum tapes, read and written, and snapshots, read, through libspectrum in a module of
// their own (glyphery-spectrum.so) that the program loads only when it needs it: libspectrum
// brings GLib, libgcrypt, audiofile, FLAC and bzip2 along, and loading them would slow every
// conversion, a tape or not.
struct SpectrumCodec
{
    FontRead (*readTape)(QByteArrayView bytes, int block, TapeImage image);
    Encoded (*writeTape)(QByteArrayView font, const TapOptions &options,
                         QByteArray (*loader)(int address));
    FontRead (*readSnapshot)(QByteArrayView bytes, SnapshotKind kind, std::optional<int> address);
};

// The module's side of the table. The BASIC loader needs no libspectrum, so the program makes
// it: writeTape calls back for it once the address is known to be fit for one.
namespace Libspectrum {
FontRead readTape(QByteArrayView bytes, int block, TapeImage image);
Encoded writeTape(QByteArrayView font, const TapOptions &options,
                  QByteArray (*loader)(int address));
FontRead readSnapshot(QByteArrayView bytes, SnapshotKind kind, std::optional<int> address);
} // namespace Libspectrum

} // namespace Glyphery

// The module's one entry, looked up by this name.
extern "C" __attribute__((visibility("default"))) const Glyphery::SpectrumCodec *
glypherySpectrumCodec();
