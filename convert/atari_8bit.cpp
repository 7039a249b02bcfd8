// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/machine_characters.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int InternalCodes = 128;
constexpr qsizetype FontBytes = InternalCodes * GlyphSize;

// The Atari draws characters in the order of its internal codes: ATASCII 32..95 first, then
// 0..31, then 96..127.
constexpr int atasciiOf(int internal)
{
    return internal < 64 ? internal + 32 : internal < 96 ? internal - 64 : internal;
}

// ATASCII is ASCII from 32 to 95; below that lie graphics and, at 28..31, arrows, of which
// the Spectrum has "↑"; above it the small letters and "|" among card suits and arrows.
constexpr char32_t atasciiCharacter(int atascii)
{
    if (atascii == 28)
        return U'↑';
    const bool ascii
        = (atascii >= 32 && atascii < 96) || (atascii >= 'a' && atascii <= 'z') || atascii == '|';
    return ascii ? char32_t(atascii) : 0;
}

constexpr std::array<char32_t, InternalCodes> internalCharacters()
{
    std::array<char32_t, InternalCodes> characters = {};
    for (int code = 0; code < InternalCodes; ++code)
        characters[toIndex(code)] = atasciiCharacter(atasciiOf(code));
    return characters;
}

constexpr auto InternalCharacters = internalCharacters();

} // namespace

FontRead readAtari(QByteArrayView bytes)
{
    if (bytes.size() != FontBytes)
        return {{},
                u"в нём %1, а шрифт Atari — это ровно 128 символов по 8 байт (1024 байта)."_s.arg(
                    byteCount(bytes.size())),
                {}};
    return setFromMachine(bytes, InternalCharacters);
}

QByteArray writeAtari(QByteArrayView set)
{
    return machineGlyphs(set, InternalCharacters);
}

} // namespace Glyphery
