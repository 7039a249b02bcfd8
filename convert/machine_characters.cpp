// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/machine_characters.h"
#include "convert/glyph_choice.h"

namespace Glyphery {

int spectrumCharacter(char32_t unicode)
{
    for (int character = 0; character < CharsPerSet; ++character) {
        if (unicodeOfCode(FirstCode + character) == unicode)
            return character;
    }
    return -1;
}

QByteArray machineGlyphs(QByteArrayView set, MachineCharacters characters)
{
    QByteArray glyphs(qsizetype(characters.size()) * GlyphSize, '\0');
    for (std::size_t code = 0; code < characters.size(); ++code) {
        const int character = spectrumCharacter(characters[code]);
        if (character >= 0)
            glyphs.replace(qsizetype(code) * GlyphSize, GlyphSize,
                           set.sliced(character * GlyphSize, GlyphSize));
    }
    return glyphs;
}

FontRead setFromMachine(QByteArrayView glyphs, MachineCharacters characters)
{
    GlyphChoice choice;
    const auto codes = std::min(std::size_t(glyphs.size() / GlyphSize), characters.size());
    for (std::size_t code = 0; code < codes; ++code) {
        if (characters[code] != 0)
            choice.offer(characters[code], int(code));
    }
    return setFromGlyphs(glyphs, [&](int character) { return choice.glyphFor(character); });
}

} // namespace Glyphery
