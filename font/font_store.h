// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/glyph.h"

#include <QString>

#include <array>

namespace Glyphery {

inline constexpr int MaxSets = 64;
inline constexpr int CharsPerSet = 96;
inline constexpr int FirstCode = 32; // character index 0 is the space
inline constexpr int SetBytes = CharsPerSet * GlyphSize; // one set in a SpecCHR file
inline constexpr int MaxFontBytes = MaxSets * SetBytes;

// The text of fileName that means "this font has no file yet".
inline QString noFileName()
{
    return QStringLiteral("*");
}

// The one font the editor holds. All 64 sets are allocated up front and never cleared as a
// whole: only sets 0..lastSet belong to the font, the others keep whatever they last held
// until a set is added there.
struct FontStore
{
    std::array<std::array<Glyph, CharsPerSet>, MaxSets> FontPixels {};
    int lastSet = 0;
    int currentSet = 0;
    int currentChar = 0;
    bool modified = false;
    QString fileName = noFileName();

    int setCount() const { return lastSet + 1; }
    Glyph &glyph(int set, int character) { return FontPixels[toIndex(set)][toIndex(character)]; }
    const Glyph &glyph(int set, int character) const
    {
        return FontPixels[toIndex(set)][toIndex(character)];
    }
    Glyph &selectedGlyph() { return glyph(currentSet, currentChar); }
    bool hasFile() const { return fileName != noFileName(); }

    // Puts the selection back to its starting place after a whole font has been put into the
    // store: one set, the first set shown, character 33 ("!") selected. Pixels, modified and
    // fileName are the caller's business.
    void ResetView()
    {
        currentSet = 0;
        lastSet = 0;
        currentChar = 1;
    }
};

} // namespace Glyphery
