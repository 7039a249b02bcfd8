// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace Glyphery {

// Whole-file reads for the file commands and the settings, by the system's own bytes of the
// path. A failure comes back as a message for the user, in Russian, naming the file and the
// reason; an empty error means success.

struct FileRead
{
    QByteArray bytes;
    QString error;
};

// Reads the whole file, refusing one longer than maxBytes with tooLargeReason.
FileRead readWholeFile(const QByteArray &path, qsizetype maxBytes, const QString &tooLargeReason);

// Reads the first maxBytes of the file; the rest is not read.
FileRead readFileStart(const QByteArray &path, qsizetype maxBytes);

} // namespace Glyphery
