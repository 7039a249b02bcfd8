// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Glyphery {

// A path as the messages show it: «/home/user/font.SpecCHR».
QString quotedPath(const QString &path);

// The folder a path names its file in, as the messages show it.
QString folderOf(const QString &path);

enum class FileAccess { Read, Write };

// Why a file could not be read or written, from the system's error number, as the end of a
// Russian sentence ("на диске нет места"). Missing or forbidden places are told apart by
// looking at the file's folder, so that a missing folder is not reported as a missing file.
QString systemReason(int error, const QString &path, FileAccess access);

} // namespace Glyphery
