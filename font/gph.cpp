#include "font/gph.h"

namespace Glyphery {

GphProblem checkGph(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return GphProblem::Empty;
    if (static_cast<std::uint8_t>(bytes[0]) >= MaxSets)
        return GphProblem::TooManySets;
    return GphProblem::None;
}

void decodeGph(QByteArrayView bytes, FontStore &font)
{
    font.lastSet = static_cast<std::uint8_t>(bytes[0]);
    const QByteArrayView pixels = bytes.sliced(1);
    qsizetype offset = 0;
    for (int set = 0; set <= font.lastSet; ++set) {
        for (Glyph &glyph : font.FontPixels[set]) {
            for (auto &column : glyph) {
                for (auto &pixel : column) {
                    pixel = offset < pixels.size() && pixels[offset] != 0 ? 1 : 0;
                    ++offset;
                }
            }
        }
    }
}

} // namespace Glyphery
