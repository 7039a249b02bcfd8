// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/machine_characters.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The upper-case set at $3000 and the lower-case one at $3800: Commodore+Shift flips bit 1 of
// $D018, which moves the VIC-II between them as between the two sets of the ROM.
constexpr int LoadAddress = 0x3000;
constexpr int LoadAddressBytes = 2;
constexpr int ScreenCodes = 128; // each set then repeats them reversed
constexpr qsizetype CharacterSetBytes = 2 * ScreenCodes * GlyphSize;

// What a screen code shows in the upper-case set, where 64..127 are graphics, or in the
// lower-case one, where 1..26 are the small letters and 65..90 the capitals.
constexpr char32_t screenCharacter(int code, bool lowerCase)
{
    if (code >= 1 && code <= 26)
        return char32_t((lowerCase ? 'a' : 'A') + code - 1);
    if (lowerCase && code >= 'A' && code <= 'Z')
        return char32_t(code);
    constexpr char32_t Symbols[] = {U'[', U'£', U']', U'↑', U'←'}; // codes 27..31
    if (code == 0)
        return U'@';
    if (code >= 27 && code <= 31)
        return Symbols[code - 27];
    return code >= 32 && code < 64 ? char32_t(code) : 0;
}

constexpr std::array<char32_t, ScreenCodes> screenCharacters(bool lowerCase)
{
    std::array<char32_t, ScreenCodes> characters = {};
    for (int code = 0; code < ScreenCodes; ++code)
        characters[toIndex(code)] = screenCharacter(code, lowerCase);
    return characters;
}

constexpr auto UpperCase = screenCharacters(false);
constexpr auto LowerCase = screenCharacters(true);

} // namespace

QByteArray writeC64(QByteArrayView set)
{
    QByteArray bytes;
    bytes.reserve(LoadAddressBytes + 2 * CharacterSetBytes);
    bytes += char(LoadAddress & 0xff);
    bytes += char(LoadAddress >> 8);
    for (const MachineCharacters characters :
         {MachineCharacters(UpperCase), MachineCharacters(LowerCase)}) {
        const QByteArray shown = machineGlyphs(set, characters);
        bytes += shown;
        for (const char row : shown)
            bytes += char(~row);
    }
    return bytes;
}

// Two sets are a whole character ROM, and the lower-case one holds every character the C64
// shares with the Spectrum. One set, of up to 256 characters, is taken as the upper-case set,
// the one the C64 starts with: capitals at 1..26, no small letters. The load address may be
// any; the reversed characters are passed over.
FontRead readC64(QByteArrayView bytes)
{
    if (bytes.size() < LoadAddressBytes + GlyphSize)
        return {{},
                u"в нём %1, а нужны адрес загрузки и хотя бы один символ (10 байт)."_s.arg(
                    byteCount(bytes.size())),
                {}};
    const QByteArrayView glyphs = bytes.sliced(LoadAddressBytes);
    if (glyphs.size() == 2 * CharacterSetBytes)
        return setFromMachine(glyphs.sliced(CharacterSetBytes), LowerCase);
    if (glyphs.size() % GlyphSize != 0 || glyphs.size() > CharacterSetBytes)
        return {{},
                u"после адреса загрузки %1, а набор символов C64 — это до 256 символов по 8 байт "
                u"(2048 байт) или два таких набора (4096 байт)."_s.arg(byteCount(glyphs.size())),
                {}};
    return setFromMachine(glyphs, UpperCase);
}

} // namespace Glyphery
