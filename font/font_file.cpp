#include "font/font_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

QString quotedPath(const QString &path)
{
    return u"«%1»"_s.arg(QDir::toNativeSeparators(path));
}

namespace {

FileRead readFailure(const QString &text)
{
    return {{}, text};
}

QString openForWriteFailure(const QString &path, const QFileDevice &file)
{
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (!folder.isDir())
        return u"Не удалось сохранить файл %1: папки %2 не существует."_s.arg(
            quotedPath(path), quotedPath(folder.filePath()));
    if ((info.exists() && !info.isWritable()) || !folder.isWritable()
        || file.error() == QFileDevice::PermissionsError)
        return u"Не удалось сохранить файл %1: нет прав на запись."_s.arg(quotedPath(path));
    return u"Не удалось сохранить файл %1: %2"_s.arg(quotedPath(path), file.errorString());
}

QString writeFailure(const QString &path, const QFileDevice &file)
{
    if (file.error() == QFileDevice::ResourceError)
        return u"Не удалось сохранить файл %1: на диске нет места. Прежнее содержимое файла не изменилось."_s
            .arg(quotedPath(path));
    return u"Не удалось сохранить файл %1: ошибка записи (%2). Прежнее содержимое файла не изменилось."_s
        .arg(quotedPath(path), file.errorString());
}

bool isCharacterDevice(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISCHR(status.st_mode);
}

// A character device cannot be replaced by renaming a new file over it, so it is written in
// place.
QString writeInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openForWriteFailure(path, file);
    if (file.write(bytes) != bytes.size() || !file.flush())
        return writeFailure(path, file);
    file.close();
    if (file.error() != QFileDevice::NoError)
        return writeFailure(path, file);
    return {};
}

FileRead readFile(const QString &path, qsizetype maxBytes, const QString *tooLargeReason)
{
    const QFileInfo info(path);
    if (!info.exists())
        return readFailure(u"Файл %1 не найден."_s.arg(quotedPath(path)));
    if (info.isDir())
        return readFailure(u"%1 — это папка, а не файл."_s.arg(quotedPath(path)));
    if (!info.isFile())
        return readFailure(
            u"%1 — не обычный файл, его нельзя открыть как шрифт."_s.arg(quotedPath(path)));
    if (tooLargeReason && info.size() > maxBytes)
        return readFailure(u"Файл %1 слишком велик: %2"_s.arg(quotedPath(path), *tooLargeReason));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (file.error() == QFileDevice::PermissionsError || !info.isReadable())
            return readFailure(
                u"Не удалось открыть файл %1: нет прав на чтение."_s.arg(quotedPath(path)));
        return readFailure(
            u"Не удалось открыть файл %1: %2"_s.arg(quotedPath(path), file.errorString()));
    }
    // One byte more than allowed tells a file that grew after its size was taken.
    QByteArray bytes = file.read(tooLargeReason ? maxBytes + 1 : maxBytes);
    if (file.error() != QFileDevice::NoError)
        return readFailure(
            u"Не удалось прочитать файл %1: %2"_s.arg(quotedPath(path), file.errorString()));
    if (bytes.size() > maxBytes)
        return readFailure(u"Файл %1 слишком велик: %2"_s.arg(quotedPath(path), *tooLargeReason));
    return {bytes, {}};
}

} // namespace

FileRead readWholeFile(const QString &path, qsizetype maxBytes, const QString &tooLargeReason)
{
    return readFile(path, maxBytes, &tooLargeReason);
}

FileRead readFileStart(const QString &path, qsizetype maxBytes)
{
    return readFile(path, maxBytes, nullptr);
}

QString writeWholeFile(const QString &path, const QByteArray &bytes)
{
    const QFileInfo info(path);
    if (info.isDir())
        return u"Не удалось сохранить файл %1: это папка."_s.arg(quotedPath(path));
    if (info.exists() && !info.isFile()) {
        if (isCharacterDevice(path))
            return writeInPlace(path, bytes);
        // A pipe would wait for a reader for ever; a disk device is never a font file.
        return u"Не удалось сохранить файл %1: это не обычный файл."_s.arg(quotedPath(path));
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openForWriteFailure(path, file);
    if (file.write(bytes) != bytes.size())
        return writeFailure(path, file);
    if (!file.commit())
        return writeFailure(path, file);
    return {};
}

} // namespace Glyphery
