// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"

#include <span>

namespace Glyphery {

// A machine's characters by its own codes: the Unicode character each code shows, 0 for one
// that shows nothing the Spectrum could have (block graphics, card suits).
using MachineCharacters = std::span<const char32_t>;

// The index in a set of the Spectrum's own character, -1 for one the Spectrum lacks. Not its
// stand-ins: a machine that has "^" or "`" has them as characters of their own.
int spectrumCharacter(char32_t unicode);

// The machine's glyphs, code after code: each the set's glyph of the same character, or blank.
QByteArray machineGlyphs(QByteArrayView set, MachineCharacters characters);

// A set from the machine's glyphs, code after code, as many as there are; a Spectrum character
// none of them shows is paper, with a warning.
FontRead setFromMachine(QByteArrayView glyphs, MachineCharacters characters);

} // namespace Glyphery
