// SPDX-License-Identifier: GPL-3.0-or-later
// gph import: every file is either refused for a reason checkGph names, or read into a font
// whose set count is the header's, whose pixels are paper or ink, and which saves as SpecCHR
// and reads back unchanged.

#include "font/gph.h"
#include "font/specchr.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace Glyphery;

namespace {

std::uint8_t *pixelBytes(FontStore &font)
{
    return &font.FontPixels[0][0][0][0];
}

// Values other than 0 and 1 in the store show whether the import overwrote every pixel of the
// sets it claims and left the sets above alone.
GLYPHERY_NO_COVERAGE std::unique_ptr<FontStore> patternStore()
{
    auto font = std::make_unique<FontStore>();
    std::uint8_t *pixel = pixelBytes(*font);
    for (std::size_t i = 0; i < sizeof font->FontPixels; ++i)
        pixel[i] = static_cast<std::uint8_t>(2 + i * 7 % 251);
    font->lastSet = MaxSets - 1;
    return font;
}

// The store a correct import leaves, worked out from the file's layout alone: byte
// 1 + 6144 s + 64 c + 8 x + y is pixel (x, y) of character c of set s, which is the order the
// store keeps its pixels in, so pixel i of the store comes from file byte 1 + i.
GLYPHERY_NO_COVERAGE void expectImport(const std::uint8_t *data, std::size_t length,
                                       FontStore &expected)
{
    const std::size_t lastSet = data[0];
    std::uint8_t *pixel = pixelBytes(expected);
    const std::size_t pixels = (lastSet + 1) * std::size_t(GphSetBytes);
    for (std::size_t i = 0; i < pixels; ++i)
        pixel[i] = 1 + i < length && data[1 + i] != 0 ? 1 : 0;
    expected.lastSet = static_cast<int>(lastSet);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The import reads no more than a 64-set file can hold; the rest of a file is never seen.
    const std::size_t length = std::min(size, std::size_t(GphMaxBytes));
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(length));

    const GphProblem problem = checkGph(bytes);
    if (length == 0) {
        check(problem == GphProblem::Empty, "an empty file is refused as empty");
        return 0;
    }
    if (data[0] >= MaxSets) {
        check(problem == GphProblem::TooManySets, "a header above 63 is refused");
        return 0;
    }
    check(problem == GphProblem::None, "a file with a header of 0..63 is accepted");

    // About 400 KB each: made once, copied for every input.
    static const auto pattern = patternStore();
    static const auto font = std::make_unique<FontStore>();
    static const auto expected = std::make_unique<FontStore>();
    static const auto again = std::make_unique<FontStore>();
    *font = *pattern;
    *expected = *pattern;
    *again = *pattern;

    decodeGph(bytes, *font);
    check(font->lastSet == data[0], "the header is the last set");
    expectImport(data, length, *expected);
    check(std::memcmp(pixelBytes(*font), pixelBytes(*expected), sizeof font->FontPixels) == 0,
          "pixels are ink exactly where the file has a non-zero byte, and sets above the "
          "imported ones keep theirs");

    const QByteArray written = encodeSpecChr(*font);
    check(written.size() == qsizetype(font->setCount()) * SetBytes, "a set writes 768 bytes");
    decodeSpecChr(written, *again);
    check(again->lastSet == font->lastSet, "an imported font saves with its set count");
    check(std::memcmp(pixelBytes(*again), pixelBytes(*font),
                      std::size_t(font->setCount()) * GphSetBytes)
              == 0,
          "an imported font saves with its pixels");
    return 0;
}
