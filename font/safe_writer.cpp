// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/safe_writer.h"

#include "font/file_descriptor.h"
#include "font/file_identity.h"
#include "font/file_reasons.h"
#include "font/save_copies.h"

#include <cerrno>
#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int MaxLinks = 40; // as the kernel allows before ELOOP
constexpr int NameAttempts = 100;

// What a failed save did to the file that was there.
enum class OldContent { Unchanged, NotAFile };

bool writeAll(int fd, const QByteArray &bytes, bool positioned)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const auto rest = size_t(bytes.size() - done);
        const ssize_t written = positioned ? ::pwrite(fd, bytes.constData() + done, rest, done)
                                           : ::write(fd, bytes.constData() + done, rest);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        done += written;
    }
    return true;
}

// In a sticky folder that anyone may write to, a link is followed only when it belongs to the
// user who follows it or to the folder's owner, as the kernel's fs.protected_symlinks has it:
// anyone else may have planted it there to make this save write somewhere else.
bool mayFollow(const QByteArray &link, const struct stat &linkStatus)
{
    struct stat folder = {};
    if (::stat(folderOf(link).constData(), &folder) != 0)
        return true; // the save then fails on the folder itself
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || linkStatus.st_uid == ::geteuid() || linkStatus.st_uid == folder.st_uid;
}

// Takes the disk space a new length needs before the file changes, without changing its size.
// Where the file system cannot reserve (ext2, FUSE, FAT), the space is seen to be free.
bool reserve(int fd, const struct stat &status, qsizetype length)
{
    if (status.st_blocks * 512 >= length)
        return true;
    if (::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, off_t(length)) == 0)
        return true;
    if (errno != EOPNOTSUPP && errno != ENOSYS)
        return false;
    struct statvfs disk = {};
    if (::fstatvfs(fd, &disk) != 0)
        return false;
    const auto unit = qint64(disk.f_frsize ? disk.f_frsize : disk.f_bsize);
    const qint64 needed = (length + unit - 1) / unit * unit - qint64(status.st_blocks) * 512;
    const auto available = qint64(::geteuid() == 0 ? disk.f_bfree : disk.f_bavail) * unit;
    if (needed <= available)
        return true;
    errno = ENOSPC;
    return false;
}

class Save
{
public:
    Save(const QByteArray &path, const QByteArray &bytes, const SaveOptions &options)
        : m_path(path)
        , m_bytes(bytes)
        , m_options(options)
    {
    }

    SaveResult run();

private:
    bool resolveLinks();
    SaveResult replaceAtomically();
    SaveResult writeInPlace();
    SaveResult writeDevice();
    bool openFolder();
    bool createBeside();
    bool nameNewFile(const QByteArray &name);
    bool putInPlace();
    bool putNew(const QByteArray &from);
    bool isFree(const QByteArray &name) const;
    bool syncFolder();
    bool makeRescueCopy(ino_t inode);
    void discard();
    template<typename Call> bool attempt(SaveStep step, Call call);

    SaveResult failure(int error, OldContent old = OldContent::Unchanged) const;
    SaveResult refusal(const QString &reason) const;
    SaveResult folderRefuses() const;
    SaveResult notRegular() const;
    SaveResult notOnDisk(int error) const;
    SaveResult cutShort(int error) const;

    QByteArray m_path; // as the caller gave it
    QByteArray m_bytes;
    const SaveOptions &m_options;
    QByteArray m_target; // after following symbolic links
    QByteArray m_name;
    QString m_linkRefused; // a planted link that was not followed
    bool m_linked = false;
    bool m_exists = false;
    struct stat m_status = {};
    FileIdentity m_identity;
    FileDescriptor m_folder;
    bool m_folderReadable = true;
    FileDescriptor m_file;
    QByteArray m_temporary; // the new file's name; empty while it is unnamed
    bool m_unnamed = false;
    QByteArray m_rescue; // the rescue copy's name while there is one
};

// Runs a step's system call unless a test makes the step fail first. False leaves errno set.
template<typename Call> bool Save::attempt(SaveStep step, Call call)
{
    if (m_options.fault) {
        if (const int error = m_options.fault(step)) {
            errno = error;
            return false;
        }
    }
    return call();
}

SaveResult Save::run()
{
    if (!resolveLinks())
        return m_linkRefused.isEmpty() ? failure(errno) : refusal(m_linkRefused);
    if (!m_options.replace && (m_exists || m_linked))
        return failure(EEXIST);
    if (!m_exists)
        return replaceAtomically();
    if (S_ISDIR(m_status.st_mode))
        return failure(EISDIR, OldContent::NotAFile);
    if (S_ISCHR(m_status.st_mode) && !m_options.regularOnly) // a rename cannot replace a device
        return writeDevice();
    if (!S_ISREG(m_status.st_mode)) // a pipe would wait for a reader for ever
        return notRegular();
    // Renaming over a write-protected file would get round its protection.
    if (::access(m_target.constData(), W_OK) != 0)
        return failure(errno);
    if (!readIdentity(m_target, m_identity))
        return failure(errno);
    if (m_status.st_nlink > 1) // a new file would leave the other names with the old content
        return writeInPlace();
    return replaceAtomically();
}

bool Save::resolveLinks()
{
    QByteArray path = m_path;
    for (int hop = 0;; ++hop) {
        if (::lstat(path.constData(), &m_status) != 0) {
            if (errno != ENOENT)
                return false;
            break; // a new file
        }
        if (!S_ISLNK(m_status.st_mode)) {
            m_exists = true;
            break;
        }
        if (hop == MaxLinks) {
            errno = ELOOP;
            return false;
        }
        if (!mayFollow(path, m_status)) {
            m_linkRefused = u"символическая ссылка %1 лежит в общей папке и принадлежит другому "
                            u"пользователю, а по таким ссылкам система переходить не даёт"_s.arg(
                                quotedPath(path));
            return false;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return false;
        link.truncate(length);
        m_linked = true;
        const qsizetype slash = path.lastIndexOf('/');
        path = link.startsWith('/') || slash < 0 ? link : path.left(slash + 1) + link;
    }
    m_target = path;
    m_name = path.mid(path.lastIndexOf('/') + 1);
    return true;
}

SaveResult Save::replaceAtomically()
{
    if (!openFolder())
        return failure(errno);
    if (m_folderReadable)
        removeDeadNewContent(m_folder.fd);
    if (!attempt(SaveStep::Create, [this] { return createBeside(); })) {
        if (errno == EACCES && m_exists)
            return folderRefuses();
        return failure(errno);
    }
    if (!attempt(SaveStep::Write, [this] { return writeAll(m_file.fd, m_bytes, false); })) {
        discard();
        return failure(errno);
    }
    // The identity goes on after the content: a write clears the set-ID bits and capabilities.
    if (m_exists && !attempt(SaveStep::KeepIdentity, [this] {
            return giveIdentity(m_file.fd, m_identity);
        })) {
        discard();
        return writeInPlace();
    }
    if (!attempt(SaveStep::Sync, [this] { return ::fsync(m_file.fd) == 0; })) {
        discard();
        return failure(errno);
    }
    if (!attempt(SaveStep::Replace, [this] { return putInPlace(); })) {
        const int error = errno;
        discard();
        // A sticky folder lets only a file's owner replace it, but its writers may write it.
        if (m_exists && (error == EPERM || error == EACCES))
            return writeInPlace();
        return failure(error);
    }
    if (m_exists && m_folderReadable)
        removeRescueCopies(m_folder.fd, m_status.st_ino);
    if (!attempt(SaveStep::SyncFolder, [this] { return syncFolder(); }))
        return notOnDisk(errno);
    return {{}, true};
}

bool Save::openFolder()
{
    if (m_folder.isOpen())
        return true;
    const QByteArray folder = folderOf(m_target);
    m_folder.fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folder.isOpen())
        return true;
    if (errno != EACCES)
        return false;
    // A folder that may be written but not listed can still take the file.
    m_folder.fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    m_folderReadable = false;
    return m_folder.isOpen();
}

// An unnamed file where the file system offers them, so that a killed save leaves nothing
// behind; a hidden name of ours otherwise. Over an old file it starts private to its maker,
// who hands it the old file's identity once written.
bool Save::createBeside()
{
    const int flags = O_WRONLY | O_CLOEXEC;
    const mode_t mode = m_exists ? 0600 : 0666;
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_unnamed = attempt(SaveStep::Unnamed, [&] {
            m_file.fd = ::openat(m_folder.fd, ".", O_TMPFILE | flags, mode);
            return m_file.isOpen();
        });
        if (m_unnamed || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return m_unnamed;
    }
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        m_temporary = newContentName(m_bytes.size());
        m_file.fd = ::openat(m_folder.fd, m_temporary.constData(), O_CREAT | O_EXCL | flags, mode);
        if (m_file.isOpen() || errno != EEXIST)
            break;
    }
    if (!m_file.isOpen())
        m_temporary.clear();
    return m_file.isOpen();
}

// Names the new file, where nothing has the name: an unnamed file by a link, which never
// replaces a file, a named one by a rename.
bool Save::nameNewFile(const QByteArray &name)
{
    if (m_unnamed) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.fd);
        return ::linkat(AT_FDCWD, self.constData(), m_folder.fd, name.constData(),
                        AT_SYMLINK_FOLLOW)
            == 0;
    }
    if (::renameat(m_folder.fd, m_temporary.constData(), m_folder.fd, name.constData()) != 0)
        return false;
    m_temporary.clear();
    return true;
}

// Over an existing file an unnamed new file first takes a name of its own, for a rename to put
// in place.
bool Save::putInPlace()
{
    if (m_unnamed && !m_exists)
        return nameNewFile(m_name);
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.fd);
    for (int attempt = 0; attempt < NameAttempts && m_temporary.isEmpty(); ++attempt) {
        const QByteArray name = newContentName(m_bytes.size());
        if (::linkat(AT_FDCWD, self.constData(), m_folder.fd, name.constData(), AT_SYMLINK_FOLLOW)
            == 0)
            m_temporary = name;
        else if (errno != EEXIST)
            return false;
    }
    if (m_temporary.isEmpty())
        return false;
    if (!m_exists)
        return putNew(m_temporary);
    if (::renameat(m_folder.fd, m_temporary.constData(), m_folder.fd, m_name.constData()) != 0)
        return false;
    m_temporary.clear();
    return true;
}

// Where there was no file, none that appears meanwhile is replaced. A file system that cannot
// rename without replacing (FUSE) is asked once more just before.
bool Save::putNew(const QByteArray &from)
{
    const bool put = ::renameat2(m_folder.fd, from.constData(), m_folder.fd, m_name.constData(),
                                 RENAME_NOREPLACE)
            == 0
        || (errno == EINVAL && isFree(m_name)
            && ::renameat(m_folder.fd, from.constData(), m_folder.fd, m_name.constData()) == 0);
    if (put)
        m_temporary.clear();
    return put;
}

bool Save::isFree(const QByteArray &name) const
{
    struct stat status = {};
    if (::fstatat(m_folder.fd, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    errno = EEXIST;
    return false;
}

// A folder that may not be read cannot be synced itself; syncing its whole file system puts
// its new entry on the disk all the same.
bool Save::syncFolder()
{
    return m_folderReadable ? ::fsync(m_folder.fd) == 0 : ::syncfs(m_file.fd) == 0;
}

// Removes the new file; errno stays as the failure left it.
void Save::discard()
{
    const int error = errno;
    if (!m_temporary.isEmpty()) {
        ::unlinkat(m_folder.fd, m_temporary.constData(), 0);
        m_temporary.clear();
    }
    if (m_file.isOpen()) {
        ::close(m_file.fd);
        m_file.fd = -1;
    }
    errno = error;
}

// Written in place, the file holds a mix of the old and the new content for a moment; a save
// killed then leaves the whole new content in the rescue copy beside it.
SaveResult Save::writeInPlace()
{
    FileDescriptor file;
    if (!attempt(SaveStep::Create, [&] {
            // O_NONBLOCK: a pipe put in the file's place must not block the open.
            file.fd = ::open(m_target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            return file.isOpen();
        }))
        return failure(errno);
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0 || !readIdentity(file.fd, m_identity))
        return failure(errno);
    if (!S_ISREG(status.st_mode))
        return notRegular();
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    if (const QStringList lost = lostByWriting(m_identity); !lost.isEmpty())
        return refusal(u"запись в него сняла бы с него %1, а вернуть их у вас нет прав"_s.arg(
            lost.join(u" и "_s)));
    if (!openFolder())
        return failure(errno);
    if (m_folderReadable)
        removeDeadNewContent(m_folder.fd);
    if (!attempt(SaveStep::Rescue, [&] { return makeRescueCopy(status.st_ino); })) {
        if (errno == EACCES)
            return folderRefuses();
        return failure(errno);
    }
    if (!attempt(SaveStep::Reserve, [&] { return reserve(file.fd, status, m_bytes.size()); })) {
        const int error = errno;
        ::unlinkat(m_folder.fd, m_rescue.constData(), 0);
        return failure(error);
    }
    if (!attempt(SaveStep::Write, [&] { return writeAll(file.fd, m_bytes, true); })
        || (status.st_size > m_bytes.size()
            && !attempt(SaveStep::Truncate,
                        [&] { return ::ftruncate(file.fd, off_t(m_bytes.size())) == 0; }))
        || !restoreAfterWriting(file.fd, m_identity)
        || !attempt(SaveStep::Sync, [&] { return ::fsync(file.fd) == 0; }))
        return cutShort(errno);
    removeRescueCopies(m_folder.fd, status.st_ino);
    return {{}, true};
}

// The copy is written as a new file and named only once whole, so that a rescue copy is never
// a part of one.
bool Save::makeRescueCopy(ino_t inode)
{
    if (!createBeside())
        return false;
    const QByteArray name = rescueCopyName(inode, m_bytes.size());
    const bool made = writeAll(m_file.fd, m_bytes, false) && nameNewFile(name);
    discard();
    if (made)
        m_rescue = name;
    return made;
}

SaveResult Save::writeDevice()
{
    FileDescriptor device;
    if (!attempt(SaveStep::Create, [&] {
            device.fd = ::open(m_target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            return device.isOpen();
        }))
        return failure(errno, OldContent::NotAFile);
    struct stat status = {};
    if (::fstat(device.fd, &status) != 0 || !S_ISCHR(status.st_mode))
        return notRegular();
    ::fcntl(device.fd, F_SETFL, ::fcntl(device.fd, F_GETFL) & ~O_NONBLOCK);
    if (!attempt(SaveStep::Write, [&] { return writeAll(device.fd, m_bytes, false); }))
        return failure(errno, OldContent::NotAFile);
    return {{}, true};
}

SaveResult Save::failure(int error, OldContent old) const
{
    const QByteArray path = m_target.isEmpty() ? m_path : m_target;
    QString text = u"Не удалось сохранить файл %1: %2."_s.arg(
        quotedPath(m_path), systemReason(error, path, FileAccess::Write));
    if (m_exists && old == OldContent::Unchanged)
        text += u" Прежнее содержимое файла не изменилось."_s;
    return {text, false};
}

SaveResult Save::refusal(const QString &reason) const
{
    return {u"Не удалось сохранить файл %1: %2. Ничего не изменилось: сохраните в другой файл "
            u"командой «Сохранить как»."_s.arg(quotedPath(m_path), reason),
            false};
}

SaveResult Save::folderRefuses() const
{
    return refusal(u"папка %1 не разрешает создавать в ней файлы, а без этого файл нельзя "
                   u"сохранить безопасно"_s.arg(quotedPath(folderOf(m_target))));
}

SaveResult Save::notRegular() const
{
    return {u"Не удалось сохранить файл %1: это не обычный файл."_s.arg(quotedPath(m_path)), false};
}

SaveResult Save::notOnDisk(int error) const
{
    return {u"Файл %1 записан, но система не подтвердила, что он сохранён на диске: %2. "
            u"Сохраните ещё раз."_s.arg(quotedPath(m_path),
                                        systemReason(error, m_target, FileAccess::Write)),
            true};
}

SaveResult Save::cutShort(int error) const
{
    return {u"Не удалось сохранить файл %1: %2. Файл мог сохраниться не полностью; всё новое "
            u"содержимое записано рядом с ним, в файл %3."_s.arg(
                quotedPath(m_path), systemReason(error, m_target, FileAccess::Write),
                quotedPath(folderOf(m_target) + '/' + m_rescue)),
            true};
}

} // namespace

SaveResult writeWholeFile(const QByteArray &path, const QByteArray &bytes,
                          const SaveOptions &options)
{
    return Save(path, bytes, options).run();
}

} // namespace Glyphery
