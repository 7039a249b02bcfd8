// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/file_reasons.h"

#include <QFile>

#include <cerrno>
#include <climits>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// What stops the folder of a path from being used, or nothing when it can be entered.
QString folderReason(const QByteArray &path)
{
    const QByteArray folder = folderOf(path);
    struct stat status = {};
    if (::stat(folder.constData(), &status) != 0) {
        if (errno == ENOENT)
            return u"папка %1 не существует"_s.arg(quotedPath(folder));
        if (errno == EACCES)
            return u"нет прав на доступ к папке %1"_s.arg(quotedPath(folder));
        return {};
    }
    // A folder that is not one gives ENOTDIR, told by systemReason itself.
    if (::access(folder.constData(), X_OK) != 0)
        return u"нет прав на доступ к папке %1"_s.arg(quotedPath(folder));
    return {};
}

bool fileExists(const QByteArray &path)
{
    struct stat status = {};
    return ::lstat(path.constData(), &status) == 0;
}

QString permissionReason(const QByteArray &path, FileAccess access)
{
    if (const QString folder = folderReason(path); !folder.isEmpty())
        return folder;
    if (access == FileAccess::Read)
        return u"нет прав на чтение этого файла"_s;
    if (fileExists(path))
        return u"нет прав на запись в этот файл"_s;
    return u"в папке %1 нельзя создавать файлы"_s.arg(quotedPath(folderOf(path)));
}

} // namespace

QString quotedPath(const QByteArray &path)
{
    return u"«%1»"_s.arg(QFile::decodeName(path));
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash == 0)
        return "/";
    if (slash > 0)
        return path.left(slash);
    char here[PATH_MAX];
    return ::getcwd(here, sizeof here) ? QByteArray(here) : QByteArray(".");
}

QString systemReason(int error, const QByteArray &path, FileAccess access)
{
    switch (error) {
    case ENOENT:
        if (const QString folder = folderReason(path); !folder.isEmpty())
            return folder;
        return u"такого файла нет"_s;
    case EACCES:
    case EPERM:
        return permissionReason(path, access);
    case EISDIR:
        return u"это папка, а не файл"_s;
    case ENOTDIR:
        return u"часть пути не является папкой"_s;
    case ENOSPC:
        return u"на диске нет места"_s;
    case EDQUOT:
        return u"превышена дисковая квота"_s;
    case EROFS:
        return u"файловая система открыта только для чтения"_s;
    case EIO:
        return u"ошибка ввода-вывода: диск неисправен или отключён"_s;
    case ENAMETOOLONG:
        return u"слишком длинное имя файла"_s;
    case ELOOP:
        return u"слишком много символических ссылок"_s;
    case EEXIST:
        return u"файл с таким именем уже есть"_s;
    case EFBIG:
        return u"файл получился бы больше, чем разрешает система"_s;
    case ETXTBSY:
    case EBUSY:
        return u"файл занят другой программой"_s;
    case EMFILE:
    case ENFILE:
        return u"открыто слишком много файлов"_s;
    default:
        return u"системная ошибка номер %1"_s.arg(error);
    }
}

} // namespace Glyphery
