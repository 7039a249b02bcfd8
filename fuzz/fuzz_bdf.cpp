// SPDX-License-Identifier: GPL-3.0-or-later
// BDF reading: any text gives one set or a reason, and the set written as BDF reads back the
// same.

#include "fuzz_font_read.h"

#include <cstdint>

using namespace Qt::Literals::StringLiterals;
using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const FontRead read
        = readBdf(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    checkRead(read);
    if (!read.error.isEmpty())
        return 0;
    check(read.font.size() == SetBytes, "a BDF font is one set");
    checkReadsBack(read, readBdf(writeBdf(read.font, u"fuzz"_s)));
    return 0;
}
