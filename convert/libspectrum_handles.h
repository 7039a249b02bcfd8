// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/little_endian.h"

#include <libspectrum.h>

#include <QByteArrayView>
#include <QString>

#include <memory>

namespace Glyphery {

// libspectrum started once for the process, or the reason it could not be. Its own messages
// are English and would go to the standard error; they are kept from the user, who reads the
// Russian reason the converter makes of the error code instead.
QString startLibspectrum();

// The Russian reason for an error libspectrum returned while reading a file.
QString libspectrumReason(libspectrum_error error);

// libspectrum started, and the file one it reads as it is: the reason if not. The library
// unpacks a file that is gzip, bzip2 or zip whatever type it is told, in memory and without a
// limit, so a small file could unpack to gigabytes; such a file is refused before it sees it.
QString readyToRead(QByteArrayView bytes);

inline const libspectrum_byte *bytesOf(QByteArrayView bytes)
{
    return reinterpret_cast<const libspectrum_byte *>(bytes.data());
}

struct LibspectrumFree
{
    void operator()(libspectrum_tape *tape) const { libspectrum_tape_free(tape); }
    void operator()(libspectrum_snap *snap) const { libspectrum_snap_free(snap); }
    void operator()(libspectrum_byte *bytes) const { libspectrum_free(bytes); }
};
template<typename T> using LibspectrumOwned = std::unique_ptr<T, LibspectrumFree>;

} // namespace Glyphery
