// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_file.h"

#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr off_t MaxSettingsBytes = 64 * 1024;

} // namespace

QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/Glyphery/Glyphery.conf"_s;
}

bool isUsableSettingsFile(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT;
    return S_ISREG(status.st_mode) && status.st_size <= MaxSettingsBytes;
}

} // namespace Glyphery
