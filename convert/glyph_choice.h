// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"

#include <QStringList>

#include <array>

namespace Glyphery {

// Picks, from the characters a font from elsewhere names, the glyph for each Spectrum code:
// the Spectrum's own character first, the ASCII stand-in when the font lacks it, and the
// first glyph offered when the font names a character twice.
class GlyphChoice
{
public:
    GlyphChoice() { m_glyphs.fill({-1, -1}); }

    // Whether offering a glyph for the character would change a choice.
    bool wants(char32_t unicode) const
    {
        for (int character = 0; character < CharsPerSet; ++character) {
            const auto &[own, standIn] = m_glyphs[toIndex(character)];
            if ((own < 0 && unicode == ownOf(character))
                || (standIn < 0 && unicode == standInOf(character)))
                return true;
        }
        return false;
    }

    void offer(char32_t unicode, int glyph)
    {
        for (int character = 0; character < CharsPerSet; ++character) {
            auto &[own, standIn] = m_glyphs[toIndex(character)];
            if (own < 0 && unicode == ownOf(character))
                own = glyph;
            else if (standIn < 0 && unicode == standInOf(character))
                standIn = glyph;
        }
    }

    // -1 when the font has neither character.
    int glyphFor(int character) const
    {
        const auto &[own, standIn] = m_glyphs[toIndex(character)];
        return own >= 0 ? own : standIn;
    }

private:
    static char32_t ownOf(int character) { return unicodeOfCode(FirstCode + character); }
    // No font names the character -1, so a code without a stand-in never takes one.
    static char32_t standInOf(int character)
    {
        const char32_t standIn = asciiStandIn(FirstCode + character);
        return standIn != 0 ? standIn : char32_t(-1);
    }

    std::array<std::array<int, 2>, CharsPerSet> m_glyphs;
};

// One set from the 8-byte glyphs glyphFor(character) picks (-1: none, left as paper); the
// warning names the codes left empty.
template<typename GlyphFor> FontRead setFromGlyphs(QByteArrayView glyphs, GlyphFor glyphFor)
{
    using namespace Qt::Literals::StringLiterals;
    FontRead read {QByteArray(SetBytes, '\0'), {}, {}};
    QStringList missing;
    for (int character = 0; character < CharsPerSet; ++character) {
        const int glyph = glyphFor(character);
        if (glyph >= 0) {
            read.font.replace(character * GlyphSize, GlyphSize,
                              glyphs.sliced(qsizetype(glyph) * GlyphSize, GlyphSize));
        } else {
            const char32_t unicode = unicodeOfCode(FirstCode + character);
            missing.append(QString::number(FirstCode + character) + u' '
                           + QString::fromUcs4(&unicode, 1));
        }
    }
    if (!missing.isEmpty())
        read.warning
            = u"в шрифте нет символов %1; на их месте пустые клетки."_s.arg(missing.join(u", "_s));
    return read;
}

} // namespace Glyphery
