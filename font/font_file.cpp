// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/font_file.h"

#include "font/file_descriptor.h"
#include "font/file_reasons.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

FileRead failure(const QByteArray &path, const QString &reason)
{
    return {{}, u"Не удалось открыть файл %1: %2."_s.arg(quotedPath(path), reason)};
}

FileRead systemFailure(const QByteArray &path)
{
    return failure(path, systemReason(errno, path, FileAccess::Read));
}

FileRead tooLarge(const QByteArray &path, const QString &reason)
{
    return {{}, u"Файл %1 слишком велик: %2"_s.arg(quotedPath(path), reason)};
}

// Reads up to limit bytes; a short read before the end of the file is retried. The buffer starts
// at the size the file had when opened and grows only if the file grew, so that a small file
// never costs an allocation of the limit.
bool readUpTo(int fd, qsizetype limit, qsizetype expected, QByteArray &bytes)
{
    bytes.resize(std::clamp<qsizetype>(expected + 1, 1, limit));
    qsizetype done = 0;
    while (done < limit) {
        if (done == bytes.size())
            bytes.resize(std::min(limit, 2 * bytes.size()));
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        done += got;
    }
    bytes.truncate(done);
    return true;
}

// The file is checked through the descriptor it is read from, so that what is checked is what
// is read. O_NONBLOCK keeps a FIFO put in its place from blocking the open.
FileRead readFile(const QByteArray &path, qsizetype maxBytes, const QString *tooLargeReason)
{
    const FileDescriptor file(
        ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!file.isOpen())
        return systemFailure(path);
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0)
        return systemFailure(path);
    if (S_ISDIR(status.st_mode))
        return failure(path, systemReason(EISDIR, path, FileAccess::Read));
    if (!S_ISREG(status.st_mode))
        return failure(path, u"это не обычный файл, его нельзя открыть как шрифт"_s);
    if (tooLargeReason && status.st_size > maxBytes)
        return tooLarge(path, *tooLargeReason);
    QByteArray bytes;
    // One byte more than allowed tells a file that grew after its size was taken.
    if (!readUpTo(file.fd, tooLargeReason ? maxBytes + 1 : maxBytes, status.st_size, bytes))
        return systemFailure(path);
    if (bytes.size() > maxBytes)
        return tooLarge(path, *tooLargeReason);
    return {bytes, {}};
}

} // namespace

FileRead readWholeFile(const QByteArray &path, qsizetype maxBytes, const QString &tooLargeReason)
{
    return readFile(path, maxBytes, &tooLargeReason);
}

FileRead readFileStart(const QByteArray &path, qsizetype maxBytes)
{
    return readFile(path, maxBytes, nullptr);
}

} // namespace Glyphery
