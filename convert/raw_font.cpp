// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "convert/glyph_choice.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

// A font of 128 or 256 characters starts at code 0, as the fonts of most 8-bit machines and of
// PCs do; of any other length nothing says which codes it holds. Codes beyond the file are paper.
FontRead readRawFont(QByteArrayView bytes, std::optional<int> first)
{
    if (bytes.isEmpty())
        return {{}, u"файл пуст."_s, {}};
    if (bytes.size() % GlyphSize != 0)
        return {{},
                u"в нём %1, а в сыром шрифте по 8 байт на символ."_s.arg(byteCount(bytes.size())),
                {}};
    const qsizetype characters = bytes.size() / GlyphSize;
    if (!first && characters != 128 && characters != 256)
        return {{},
                u"в нём %1; код первого из них скажите ключом --first."_s.arg(
                    counted(characters, u"символ", u"символа", u"символов")),
                {}};
    const qsizetype start = first.value_or(0);
    if (start + characters <= FirstCode || start >= FirstCode + CharsPerSet)
        return {{},
                u"в нём символы с кодами от %1 до %2, а нужны коды 32..127."_s.arg(start).arg(
                    start + characters - 1),
                {}};
    return setFromGlyphs(bytes, [&](int character) {
        const qsizetype glyph = FirstCode + character - start;
        return glyph >= 0 && glyph < characters ? int(glyph) : -1;
    });
}

} // namespace Glyphery
