// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace Glyphery {

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

// The two POKE statements that make the font at an address the one the Spectrum prints with.
struct CallLines
{
    QString low;
    QString high;
};

// The lines for a typed address; both are placeholders when the text is not an address.
CallLines ShowCall(QStringView text);

} // namespace Glyphery
