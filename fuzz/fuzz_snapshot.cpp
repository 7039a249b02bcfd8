// SPDX-License-Identifier: GPL-3.0-or-later
// Snapshot reading: any bytes, as a .sna, .z80 or .szx, through CHARS or at an address, give
// one set or a reason.

#include "fuzz_font_read.h"

#include <algorithm>
#include <cstdint>

using namespace Glyphery;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks the kind in bits 0..1 (3 is .szx too) and, with bit 7, an address
    // near the top of memory instead of CHARS.
    const SnapshotKind kind = SnapshotKind(std::min(data[0] & 3, 2));
    const std::optional<int> address
        = data[0] & 0x80 ? std::optional<int>(65536 - 768 - (data[0] & 0x7c)) : std::nullopt;
    const FontRead read = readSnapshot(
        QByteArrayView(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)), kind,
        address);
    checkRead(read);
    check(read.error.isEmpty() == (read.font.size() == SetBytes), "a snapshot gives one set");
    return 0;
}
