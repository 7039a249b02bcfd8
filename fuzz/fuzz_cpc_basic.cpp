// SPDX-License-Identifier: GPL-3.0-or-later
// Amstrad CPC BASIC reading: any bytes give one set or a reason, and the set written as a
// program reads back the same, since the CPC has every Spectrum character.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FontRead read
        = readCpcBasic(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkRead(read);
    if (!read.error.isEmpty())
        return 0;
    check(read.font.size() == SetBytes, "a CPC font is one set");
    checkReadsBack(read, readCpcBasic(writeCpcBasic(read.font)));
    return 0;
}
