// SPDX-License-Identifier: GPL-3.0-or-later
// PNG sheet reading: any bytes give a font of whole sets or a reason, without unpacking a
// picture of any other size, and the font written as a sheet reads back the same.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FontRead read
        = readPngSheet(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)), {});
    checkRead(read);
    if (!read.error.isEmpty())
        return 0;
    check(read.warning.isEmpty(), "a sheet has every character");
    checkReadsBack(read, readPngSheet(writePngSheet(read.font, {}).bytes, {}));
    return 0;
}
