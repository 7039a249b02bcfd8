// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace Glyphery {

// Paths here are the system's own bytes (QFile::encodeName of a name the user chose): a name
// that is not valid UTF-8 is used exactly as it is, and only shown as well as it can be.

// A path as the messages show it: «/home/user/font.SpecCHR».
QString quotedPath(const QByteArray &path);

// The folder a path names its file in.
QByteArray folderOf(const QByteArray &path);

enum class FileAccess { Read, Write };

// Why a file could not be read or written, from the system's error number, as the end of a
// Russian sentence ("на диске нет места"). Missing or forbidden places are told apart by
// looking at the file's folder, so that a missing folder is not reported as a missing file.
QString systemReason(int error, const QByteArray &path, FileAccess access);

} // namespace Glyphery
