// SPDX-License-Identifier: GPL-3.0-or-later
// SpecCHR reading and writing: whatever bytes a file holds, reading them gives a font of 1..64
// sets that writes back to bytes which read again to the same pixels.

#include "font/specchr.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace Glyphery;

namespace {

// Pixels the file does not reach keep what the store held, so a store starts from a pattern of
// 0 and 1 rather than all paper: a decoder that cleared or spoiled them would then show.
GLYPHERY_NO_COVERAGE std::unique_ptr<FontStore> patternStore(std::size_t salt)
{
    auto font = std::make_unique<FontStore>();
    for (std::size_t set = 0; set < MaxSets; ++set) {
        for (std::size_t character = 0; character < CharsPerSet; ++character) {
            for (std::size_t column = 0; column < GlyphSize; ++column) {
                for (std::size_t row = 0; row < GlyphSize; ++row)
                    font->FontPixels[set][character][column][row]
                        = static_cast<std::uint8_t>((set + character + column * row + salt) & 1);
            }
        }
    }
    font->lastSet = static_cast<int>(salt * 7 % MaxSets);
    return font;
}

bool sameSets(const FontStore &a, const FontStore &b, int lastSet)
{
    return std::memcmp(a.FontPixels.data(), b.FontPixels.data(),
                       std::size_t(lastSet + 1) * sizeof(a.FontPixels[0]))
        == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Open refuses longer files before decoding, as decodeSpecChr requires.
    if (size > std::size_t(MaxFontBytes))
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // About 400 KB each: made once, copied for every input.
    static const std::unique_ptr<FontStore> patterns[2][2] = {
        {patternStore(0), patternStore(1)},
        {patternStore(1), patternStore(0)},
    };
    static const auto font = std::make_unique<FontStore>();
    static const auto again = std::make_unique<FontStore>();
    const std::size_t salt = size > 0 ? data[0] & 1u : 0;
    *font = *patterns[salt][0];
    *again = *patterns[salt][1];

    decodeSpecChr(input, *font);
    check(font->setCount() >= 1 && font->setCount() <= MaxSets, "set count is 1..64");

    const QByteArray written = encodeSpecChr(*font);
    check(written.size() == qsizetype(font->setCount()) * SetBytes, "a set writes 768 bytes");

    // Every byte of the file that lies within the font's sets is written back as it was read.
    const qsizetype common = std::min(written.size(), input.size());
    check(written.first(common) == input.first(common), "file bytes survive a save");
    if (size > 0 && size % SetBytes == 0)
        check(written == input, "a file of whole sets saves byte for byte");

    // Reading into a store of the opposite pattern: a pixel that decoded to anything but 0 or
    // 1, or that the file does not cover, would come back different.
    decodeSpecChr(written, *again);
    check(again->lastSet == font->lastSet, "a saved font reads back with its set count");
    check(sameSets(*font, *again, font->lastSet), "a saved font reads back with its pixels");
    return 0;
}
