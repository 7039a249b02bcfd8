// SPDX-License-Identifier: GPL-3.0-or-later
// PSF reading: any bytes give one set or a reason, and the set written as PSF 2 reads back
// the same.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FontRead read
        = readPsf(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkRead(read);
    if (!read.error.isEmpty())
        return 0;
    check(read.font.size() == SetBytes, "a PSF font is one set");
    checkReadsBack(read, readPsf(writePsf(read.font)));
    return 0;
}
