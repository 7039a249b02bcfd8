// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <cstdint>

namespace Glyphery {

// A 16-bit word as the Spectrum keeps it in memory, on tape, in snapshots and in FZX fonts: low
// byte first.
inline int word(QByteArrayView bytes, qsizetype at)
{
    return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint8_t>(bytes[at + 1]) << 8;
}

inline void appendWord(QByteArray &bytes, int value)
{
    bytes.append(char(value & 0xff)).append(char(value >> 8 & 0xff));
}

} // namespace Glyphery
