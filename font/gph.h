// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"

#include <QByteArrayView>
#include <QString>

namespace Glyphery {

// gph, the older font format: one byte with the index of the last set, then one byte per
// pixel in store order (set, character, column, row), the row varying fastest.

inline constexpr int GphSetBytes = CharsPerSet * GlyphSize * GlyphSize;
// A header and 64 sets: what lies beyond is never read.
inline constexpr qsizetype GphMaxBytes = 1 + qsizetype(MaxSets) * GphSetBytes;

enum class GphProblem { None, Empty, TooManySets };

GphProblem checkGph(QByteArrayView bytes);

// What the editor and the converter say of a file checkGph refuses, the file named as
// quotedPath shows it.
QString gphRefusal(GphProblem problem, QByteArrayView bytes, const QString &file);

// Reads a file that checkGph accepted. Every non-zero pixel byte becomes ink (1), so what the
// strip shows is what a save writes; pixels missing from a short file become paper. Sets
// above the imported ones keep their pixels.
void decodeGph(QByteArrayView bytes, FontStore &font);

} // namespace Glyphery
