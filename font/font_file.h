// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace Glyphery {

// Whole-file reads for the file commands. A failure comes back as a message for the user, in
// Russian, naming the file and the reason; an empty error means success.

struct FileRead
{
    QByteArray bytes;
    QString error;
    QString path;
};

// Reads the whole file, refusing one longer than maxBytes with tooLargeReason.
FileRead readWholeFile(const QString &path, qsizetype maxBytes, const QString &tooLargeReason);

// Reads the first maxBytes of the file; the rest is not read.
FileRead readFileStart(const QString &path, qsizetype maxBytes);

} // namespace Glyphery
