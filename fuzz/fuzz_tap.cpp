// SPDX-License-Identifier: GPL-3.0-or-later
// Tape reading: any bytes, as a TAP or a TZX image, all CODE blocks or any one block, give a
// font of whole sets or a reason, and the font written to a tape of its own kind reads back
// the same.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the image, TZX when bit 7 is set, and in bits 0..6 the block: 0 for
    // every font block, n for block n - 1.
    const TapeImage image = data[0] & 0x80 ? TapeImage::Tzx : TapeImage::Tap;
    const int block = (data[0] & 0x7f) - 1;
    const QByteArrayView tape(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const FontRead read = readTap(tape, block, image);
    checkRead(read);
    if (!read.error.isEmpty())
        return 0;
    const Encoded written = writeTap(read.font,
                                     {int(65536 - read.font.size()),
                                      read.font.size() <= 65536 - LowestLoaderAddress,
                                      {},
                                      image});
    check(written.error.isEmpty(), "a font of at most 64 sets fits in memory");
    checkReadsBack(read, readTap(written.bytes, -1, image));
    return 0;
}
