// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/safe_writer.h"

#include "font/file_descriptor.h"
#include "font/file_reasons.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int MaxLinks = 40; // as the kernel allows before ELOOP
constexpr int NameAttempts = 100;

// What a failed save did to the file that was there.
enum class OldContent { Unchanged, MaybeChanged, NotAFile };

// Temporary names are short, so that they fit wherever the target's name fits, and carry the
// saving process's number, so that a later save can tell a copy left by a killed one:
// ".gly" + process number + "~" + four random letters.
constexpr char TemporaryPrefix[] = ".gly";
constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

QByteArray temporaryName()
{
    QByteArray name = TemporaryPrefix + QByteArray::number(::getpid(), 36) + '~';
    for (int i = 0; i < 4; ++i)
        name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters - 1))];
    return name;
}

// The process that made a temporary name, or 0 when the name is not one of ours.
pid_t temporaryOwner(const char *name)
{
    const QByteArrayView text(name);
    const qsizetype tilde = text.indexOf('~');
    if (!text.startsWith(TemporaryPrefix) || tilde < 0 || text.size() != tilde + 5)
        return 0;
    bool ok = false;
    const qlonglong pid = text.sliced(4, tilde - 4).toLongLong(&ok, 36);
    return ok && pid > 0 ? pid_t(pid) : 0;
}

// Removes what a save killed between naming its new file and renaming it left in the folder.
// Unnamed files make that the only moment a kill can leave one.
void removeLeftovers(int folder)
{
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *entries = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!entries) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    while (const dirent *entry = ::readdir(entries)) {
        const pid_t owner = temporaryOwner(entry->d_name);
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

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

// The names of a file's extended attributes. A file system without them lists none.
template<typename Lister> bool listAttributes(Lister lister, QList<QByteArray> &names)
{
    const ssize_t size = lister(nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    QByteArray list(qsizetype(size), '\0');
    const ssize_t length = lister(list.data(), size_t(list.size()));
    if (length < 0)
        return false;
    list.truncate(length);
    names = list.split('\0');
    names.removeAll(QByteArray());
    return true;
}

class Save
{
public:
    Save(const QString &path, const QByteArray &bytes, const SaveFault &fault)
        : m_shown(path)
        , m_bytes(bytes)
        , m_fault(fault)
    {
    }

    QString run();

private:
    bool resolveLinks();
    QString replaceAtomically();
    QString writeInPlace();
    bool openFolder();
    bool createBeside();
    bool keepIdentity();
    bool copyAttributes();
    bool putInPlace();
    void discard();
    template<typename Call> bool attempt(SaveStep step, Call call);

    QString failure(int error, OldContent old) const;
    QString folderRefuses() const;
    QString notRegular() const;
    QString notOnDisk(int error) const;

    QString m_shown; // the path as the user gave it
    QByteArray m_bytes;
    const SaveFault &m_fault;
    QByteArray m_target; // after following symbolic links
    QByteArray m_folder;
    QByteArray m_name;
    bool m_exists = false;
    struct stat m_status = {};
    FileDescriptor m_folderFd;
    bool m_folderSyncable = true;
    FileDescriptor m_file;
    QByteArray m_temporary; // the new file's name; empty while it is unnamed
    bool m_unnamed = false;
};

// Runs a step's system call unless a test makes the step fail first. False leaves errno set.
template<typename Call> bool Save::attempt(SaveStep step, Call call)
{
    if (m_fault) {
        if (const int error = m_fault(step)) {
            errno = error;
            return false;
        }
    }
    return call();
}

QString Save::run()
{
    if (!resolveLinks())
        return failure(errno, OldContent::Unchanged);
    if (!m_exists)
        return replaceAtomically();
    if (S_ISDIR(m_status.st_mode))
        return failure(EISDIR, OldContent::NotAFile);
    if (S_ISCHR(m_status.st_mode)) // a rename cannot replace a device
        return writeInPlace();
    if (!S_ISREG(m_status.st_mode)) // a pipe would wait for a reader for ever
        return notRegular();
    // Renaming over a write-protected file would get round its protection.
    if (::access(m_target.constData(), W_OK) != 0)
        return failure(errno, OldContent::Unchanged);
    if (m_status.st_nlink > 1) // a new file would leave the other names with the old font
        return writeInPlace();
    return replaceAtomically();
}

bool Save::resolveLinks()
{
    QByteArray path = QFile::encodeName(m_shown);
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
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), size_t(link.size()));
        if (length < 0)
            return false;
        link.truncate(length);
        const qsizetype slash = path.lastIndexOf('/');
        path = link.startsWith('/') || slash < 0 ? link : path.left(slash + 1) + link;
    }
    m_target = path;
    const qsizetype slash = path.lastIndexOf('/');
    m_folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
    m_name = path.mid(slash + 1);
    return true;
}

QString Save::replaceAtomically()
{
    if (!openFolder())
        return failure(errno, OldContent::Unchanged);
    if (m_folderSyncable)
        removeLeftovers(m_folderFd.fd);
    if (!attempt(SaveStep::Create, [this] { return createBeside(); })) {
        if (errno == EACCES && m_exists)
            return folderRefuses();
        return failure(errno, OldContent::Unchanged);
    }
    if (m_exists && !attempt(SaveStep::KeepIdentity, [this] { return keepIdentity(); })) {
        discard();
        return writeInPlace();
    }
    if (!attempt(SaveStep::Write, [this] { return writeAll(m_file.fd, m_bytes, false); })
        || !attempt(SaveStep::Sync, [this] { return ::fsync(m_file.fd) == 0; })) {
        const int error = errno;
        discard();
        return failure(error, OldContent::Unchanged);
    }
    if (!attempt(SaveStep::Replace, [this] { return putInPlace(); })) {
        const int error = errno;
        discard();
        // A sticky folder lets only a file's owner replace it, but its writers may write it.
        if (m_exists && (error == EPERM || error == EACCES))
            return writeInPlace();
        return failure(error, OldContent::Unchanged);
    }
    if (m_folderSyncable
        && !attempt(SaveStep::SyncFolder, [this] { return ::fsync(m_folderFd.fd) == 0; }))
        return notOnDisk(errno);
    return {};
}

bool Save::openFolder()
{
    m_folderFd.fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd.isOpen())
        return true;
    if (errno != EACCES)
        return false;
    // A folder that may be written but not listed can still take the file; only its entry
    // cannot be synced.
    m_folderFd.fd = ::open(m_folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    m_folderSyncable = false;
    return m_folderFd.isOpen();
}

// An unnamed file where the file system offers them, so that a killed save leaves nothing
// behind; a short hidden name otherwise.
bool Save::createBeside()
{
    constexpr int Flags = O_WRONLY | O_CLOEXEC;
    if (::access("/proc/self/fd", X_OK) == 0) {
        m_unnamed = attempt(SaveStep::Unnamed, [&] {
            m_file.fd = ::openat(m_folderFd.fd, ".", O_TMPFILE | Flags, 0666);
            return m_file.isOpen();
        });
        if (m_unnamed || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
            return m_unnamed;
    }
    for (int attempt = 0; attempt < NameAttempts; ++attempt) {
        m_temporary = temporaryName();
        m_file.fd
            = ::openat(m_folderFd.fd, m_temporary.constData(), O_CREAT | O_EXCL | Flags, 0666);
        if (m_file.isOpen() || errno != EEXIST)
            break;
    }
    if (!m_file.isOpen())
        m_temporary.clear();
    return m_file.isOpen();
}

// Owner and group first, since a change of owner clears the set-user-ID and set-group-ID bits
// and file capabilities; a mode the system would not keep counts as a failure.
bool Save::keepIdentity()
{
    struct stat created = {};
    if (::fstat(m_file.fd, &created) != 0)
        return false;
    if ((created.st_uid != m_status.st_uid || created.st_gid != m_status.st_gid)
        && ::fchown(m_file.fd, m_status.st_uid, m_status.st_gid) != 0)
        return false;
    if (::fchmod(m_file.fd, m_status.st_mode & 07777) != 0 || !copyAttributes())
        return false;
    if (::fstat(m_file.fd, &created) != 0)
        return false;
    if ((created.st_mode & 07777) != (m_status.st_mode & 07777)) {
        errno = EPERM;
        return false;
    }
    return true;
}

// The extended attributes, ACLs among them, become exactly the old file's: what the new file
// inherited from its folder goes first.
bool Save::copyAttributes()
{
    QList<QByteArray> wanted;
    QList<QByteArray> inherited;
    if (!listAttributes(
            [this](char *to, size_t size) { return ::listxattr(m_target.constData(), to, size); },
            wanted)
        || !listAttributes(
            [this](char *to, size_t size) { return ::flistxattr(m_file.fd, to, size); }, inherited))
        return false;
    for (const QByteArray &name : inherited) {
        if (!wanted.contains(name) && ::fremovexattr(m_file.fd, name.constData()) != 0)
            return false;
    }
    for (const QByteArray &name : wanted) {
        const ssize_t size = ::getxattr(m_target.constData(), name.constData(), nullptr, 0);
        QByteArray value(size < 0 ? 0 : qsizetype(size), '\0');
        if (size < 0
            || ::getxattr(m_target.constData(), name.constData(), value.data(), size_t(size))
                != size
            || ::fsetxattr(m_file.fd, name.constData(), value.constData(), size_t(size), 0) != 0)
            return false;
    }
    return true;
}

// An unnamed file gets a name by a link; over an existing file it first takes a temporary
// name, since a link cannot replace a file and a rename can.
bool Save::putInPlace()
{
    if (m_unnamed) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_file.fd);
        if (!m_exists)
            return ::linkat(AT_FDCWD, self.constData(), m_folderFd.fd, m_name.constData(),
                            AT_SYMLINK_FOLLOW)
                == 0;
        for (int attempt = 0; attempt < NameAttempts && m_temporary.isEmpty(); ++attempt) {
            const QByteArray name = temporaryName();
            if (::linkat(AT_FDCWD, self.constData(), m_folderFd.fd, name.constData(),
                         AT_SYMLINK_FOLLOW)
                == 0)
                m_temporary = name;
            else if (errno != EEXIST)
                return false;
        }
        if (m_temporary.isEmpty())
            return false;
    }
    if (::renameat(m_folderFd.fd, m_temporary.constData(), m_folderFd.fd, m_name.constData()) != 0)
        return false;
    m_temporary.clear();
    return true;
}

void Save::discard()
{
    if (!m_temporary.isEmpty()) {
        const int error = errno;
        ::unlinkat(m_folderFd.fd, m_temporary.constData(), 0);
        errno = error;
        m_temporary.clear();
    }
    if (m_file.isOpen()) {
        ::close(m_file.fd);
        m_file.fd = -1;
    }
}

QString Save::writeInPlace()
{
    // O_NONBLOCK: a pipe put in the file's place must not block the open.
    FileDescriptor file;
    if (!attempt(SaveStep::Create, [&] {
            file.fd = ::open(m_target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
            return file.isOpen();
        }))
        return failure(errno, OldContent::Unchanged);
    struct stat status = {};
    if (::fstat(file.fd, &status) != 0)
        return failure(errno, OldContent::Unchanged);
    const bool regular = S_ISREG(status.st_mode);
    if (!regular && !S_ISCHR(status.st_mode))
        return notRegular();
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    if (!regular) {
        if (!attempt(SaveStep::Write, [&] { return writeAll(file.fd, m_bytes, false); }))
            return failure(errno, OldContent::NotAFile);
        return {};
    }
    if (!attempt(SaveStep::Reserve, [&] {
            errno = ::posix_fallocate(file.fd, 0, off_t(m_bytes.size()));
            return errno == 0;
        }))
        return failure(errno, OldContent::Unchanged);
    if (!attempt(SaveStep::Write, [&] { return writeAll(file.fd, m_bytes, true); })
        || (status.st_size > m_bytes.size()
            && !attempt(SaveStep::Truncate,
                        [&] { return ::ftruncate(file.fd, off_t(m_bytes.size())) == 0; }))
        || !attempt(SaveStep::Sync, [&] { return ::fsync(file.fd) == 0; }))
        return failure(errno, OldContent::MaybeChanged);
    return {};
}

QString Save::failure(int error, OldContent old) const
{
    const QString path = m_target.isEmpty() ? m_shown : QFile::decodeName(m_target);
    QString text = u"Не удалось сохранить файл %1: %2."_s.arg(
        quotedPath(m_shown), systemReason(error, path, FileAccess::Write));
    if (m_exists && old == OldContent::Unchanged)
        text += u" Прежнее содержимое файла не изменилось."_s;
    if (old == OldContent::MaybeChanged)
        text += u" Файл мог сохраниться не полностью: сохраните шрифт ещё раз."_s;
    return text;
}

QString Save::folderRefuses() const
{
    return u"Не удалось сохранить файл %1: папка %2 не разрешает создавать в ней файлы, а без "
           u"этого файл нельзя заменить безопасно. Сохраните шрифт в другую папку командой "
           u"«Сохранить как». Прежнее содержимое файла не изменилось."_s.arg(
               quotedPath(m_shown), quotedPath(QFile::decodeName(m_folder)));
}

QString Save::notRegular() const
{
    return u"Не удалось сохранить файл %1: это не обычный файл."_s.arg(quotedPath(m_shown));
}

QString Save::notOnDisk(int error) const
{
    return u"Файл %1 записан, но система не подтвердила, что он сохранён на диске: %2. "
           u"Сохраните шрифт ещё раз."_s.arg(quotedPath(m_shown),
                                             systemReason(error, m_shown, FileAccess::Write));
}

} // namespace

QString writeWholeFile(const QString &path, const QByteArray &bytes, const SaveFault &fault)
{
    return Save(path, bytes, fault).run();
}

} // namespace Glyphery
