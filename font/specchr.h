// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace Glyphery {

// SpecCHR is the font exactly as it lies in Spectrum memory: 768 bytes a set, 8 row bytes a
// character, bit 7 of a row byte the leftmost pixel. No header, nothing else.

// Why a file longer than MaxFontBytes is no font, as the editor and the converter say it.
QString specChrTooLong();

// The file bytes of sets 0..lastSet. Only the pixel value 1 sets a bit.
QByteArray encodeSpecChr(const FontStore &font);

// Reads the bytes over the store from set 0 on and sets lastSet: the whole sets, plus one
// when at least one whole character follows them, never fewer than one set. Pixels the bytes
// do not reach keep their values. The caller ensures bytes.size() <= MaxFontBytes.
void decodeSpecChr(QByteArrayView bytes, FontStore &font);

} // namespace Glyphery
