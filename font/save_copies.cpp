// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/save_copies.h"

#include <QList>
#include <QRandomGenerator>

#include <cerrno>
#include <csignal>
#include <functional>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Glyphery {

namespace {

constexpr char NewContent[] = ".glyphery-new-";
constexpr char RescueCopy[] = ".glyphery-copy-";
constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr int RandomLetters = 6;

QByteArray randomLetters()
{
    QByteArray letters;
    for (int i = 0; i < RandomLetters; ++i)
        letters += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
    return letters;
}

QByteArray named(const char *prefix, const QList<qint64> &numbers)
{
    QByteArray name = prefix;
    for (const qint64 number : numbers)
        name += QByteArray::number(number) + '-';
    return name + randomLetters();
}

// The numbers in a name of ours after its prefix: decimal, without leading zeros; none when
// the name is not of that form.
QList<qint64> numbersIn(QByteArrayView name, QByteArrayView prefix, qsizetype count)
{
    if (!name.startsWith(prefix))
        return {};
    const QList<QByteArray> parts = name.sliced(prefix.size()).toByteArray().split('-');
    if (parts.size() != count + 1 || parts.last().size() != RandomLetters)
        return {};
    for (const char letter : parts.last()) {
        if (!QByteArrayView(Letters).contains(letter))
            return {};
    }
    QList<qint64> numbers;
    for (qsizetype i = 0; i < count; ++i) {
        bool ok = false;
        const qint64 number = parts[i].toLongLong(&ok);
        if (!ok || number < 0 || QByteArray::number(number) != parts[i])
            return {};
        numbers.append(number);
    }
    return numbers;
}

bool isGone(qint64 process)
{
    return process > 0 && ::kill(pid_t(process), 0) != 0 && errno == ESRCH;
}

bool isOursToRemove(int folder, const char *name, qint64 size)
{
    struct stat status = {};
    return ::fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(status.st_mode)
        && status.st_nlink == 1 && status.st_uid == ::geteuid() && status.st_size <= size;
}

// Calls remove for every entry of the folder whose name says it may be one of ours.
void removeWhere(int folder, const std::function<bool(QByteArrayView name)> &remove)
{
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    while (const dirent *entry = ::readdir(entries)) {
        if (remove(entry->d_name))
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

} // namespace

QByteArray newContentName(qsizetype size)
{
    return named(NewContent, {::getpid(), size});
}

QByteArray rescueCopyName(ino_t inode, qsizetype size)
{
    return named(RescueCopy, {qint64(inode), ::getpid(), size});
}

void removeDeadNewContent(int folder)
{
    removeWhere(folder, [folder](QByteArrayView name) {
        const QList<qint64> numbers = numbersIn(name, NewContent, 2);
        return !numbers.isEmpty() && isGone(numbers[0])
            && isOursToRemove(folder, name.data(), numbers[1]);
    });
}

void removeRescueCopies(int folder, ino_t inode)
{
    removeWhere(folder, [folder, inode](QByteArrayView name) {
        const QList<qint64> numbers = numbersIn(name, RescueCopy, 3);
        return !numbers.isEmpty() && numbers[0] == qint64(inode)
            && (numbers[1] == ::getpid() || isGone(numbers[1]))
            && isOursToRemove(folder, name.data(), numbers[2]);
    });
}

} // namespace Glyphery
