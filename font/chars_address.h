// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <cstdint>
#include <optional>

namespace Glyphery {

// The arithmetic of a font's place in Spectrum memory, for the editor's call calculator and
// the converter's tape loader alike, so that the two always give the same POKEs.

// The address a typed text names, or nothing when the text is not an address.
//
// Accepted, with any blanks before and after:
//  - decimal digits, optionally after one sign: "+5" is 5 and "-0" is 0, since the sign does
//    not change the value; any other negative number lies outside the memory;
//  - hexadecimal digits after "#", "$" or "0x" (letters in either case), without a sign.
// Leading zeros are allowed in both forms ("064000" is 64000, "#00FA00" is 64000).
// Only 0..65535 counts; the value is checked digit by digit, so no length of text overflows.
std::optional<int> parseAddress(QStringView text);

// The low byte of an address, wrapped as the Spectrum's 16-bit arithmetic does: -1 gives 255.
// Every int has a low byte in 0..255, so this only fails if that ever stops being true.
std::optional<std::uint8_t> a256(int address);

// The high byte of an address; fails for addresses outside 0..65535.
std::optional<std::uint8_t> b256(int address);

// The bytes of the system variable CHARS (23606 the low byte, 23607 the high one) that make
// the font at an address the one the Spectrum prints with; nothing outside 0..65535.
struct CharsBytes
{
    std::uint8_t low;
    std::uint8_t high;
};
std::optional<CharsBytes> charsFor(int address);

} // namespace Glyphery
