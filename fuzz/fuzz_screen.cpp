// SPDX-License-Identifier: GPL-3.0-or-later
// Screen reading: any bytes, as a sheet or under a text, give a font of whole sets or a
// reason, and a sheet read writes and reads back the same.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the cells: 0 the sheet, n the first n codes from 32 as a text.
    QString cells = SheetCells.toString();
    if (data[0] != 0) {
        cells.clear();
        for (int code = FirstCode; code < FirstCode + data[0]; ++code)
            cells.append(QChar(char16_t(code == 127 ? '\n' : unicodeOfCode(code))));
    }
    const FontRead read = readScreen(
        QByteArrayView(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)), cells);
    checkRead(read);
    if (read.error.isEmpty() && data[0] == 0)
        checkReadsBack(read, readScreen(writeScreen(read.font, {}).bytes, cells));
    return 0;
}
