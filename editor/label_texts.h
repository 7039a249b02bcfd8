// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Glyphery {

// A number as labels show it: a blank in the place of the sign when it is not negative,
// no grouping of thousands (" 768", "-1").
QString numberText(int number);

QString setPositionText(int currentSet, int lastSet); // " 2 из 5"
QString fontSizeText(int lastSet); // " 1536 байт"
QString codeText(int currentChar); // "Код: 65"
// The character itself, and for codes 96..127 the Russian capital KOI-7 puts there: "a (А)".
QString characterText(int currentChar);

} // namespace Glyphery
