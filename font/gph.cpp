// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/gph.h"

#include "font/russian_count.h"

#include <algorithm>
#include <cstring>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

GphProblem checkGph(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return GphProblem::Empty;
    if (static_cast<std::uint8_t>(bytes[0]) >= MaxSets)
        return GphProblem::TooManySets;
    return GphProblem::None;
}

QString gphRefusal(GphProblem problem, QByteArrayView bytes, const QString &file)
{
    if (problem == GphProblem::Empty)
        return u"Файл %1 пуст: в нём нет шрифта gph."_s.arg(file);
    const int sets = static_cast<std::uint8_t>(bytes[0]) + 1;
    return u"Файл %1 не удалось импортировать: в нём %2, а в шрифте может быть не больше 64."_s.arg(
        file, counted(sets, u"набор", u"набора", u"наборов"));
}

// A glyph's cells lie in the order of the file's bytes, column after column, so each glyph is
// read in one fixed-length loop the compiler can vectorise and copied in whole.
void decodeGph(QByteArrayView bytes, FontStore &font)
{
    static_assert(sizeof(Glyph) == GlyphSize * GlyphSize);
    font.lastSet = static_cast<std::uint8_t>(bytes[0]);
    const QByteArrayView pixels = bytes.sliced(1);
    qsizetype offset = 0;
    for (int set = 0; set <= font.lastSet; ++set) {
        for (Glyph &glyph : font.FontPixels[toIndex(set)]) {
            std::array<std::uint8_t, sizeof(Glyph)> cells {}; // missing pixels are paper
            const qsizetype available = std::max<qsizetype>(0, pixels.size() - offset);
            const char *from = pixels.data() + std::min(offset, pixels.size());
            if (available >= qsizetype(cells.size())) {
                for (std::size_t i = 0; i < cells.size(); ++i)
                    cells[i] = from[i] != 0 ? 1 : 0;
            } else {
                for (qsizetype i = 0; i < available; ++i)
                    cells[std::size_t(i)] = from[i] != 0 ? 1 : 0;
            }
            std::memcpy(&glyph, cells.data(), cells.size());
            offset += qsizetype(cells.size());
        }
    }
}

} // namespace Glyphery
