// SPDX-License-Identifier: GPL-3.0-or-later
// New, Open, Save, Save As, gph import and the safe writer: one row for each answer the user
// can give and each way a real file system can fail them (small tmpfs, ext2, ext4 and FAT
// disks, full or not, files of other users, each step of the writer failing, saves killed at
// random moments). Each command
// runs in a child process, as nobody where the row needs it, under an alarm that turns a hang
// into a failure; the child checks the questions, the message and the store, the parent every
// file of the folder with its owner, group, mode, links and extended attributes.

#include "font/file_commands.h"
#include "font/gph.h"
#include "font/safe_writer.h"
#include "font/specchr.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"
#include "support/test_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr uid_t NobodyId = 65534;

enum class Command { New, Open, Save, SaveAs, Gph, Writer, Killed };
// What lies at the path the command is given.
enum class Place {
    File,
    Missing,
    Folder,
    Fifo,
    NoFolder,
    DevFull,
    Link,
    AbsoluteLink,
    Faulty, // a link to /proc/self/mem, a regular file whose first page reads as EIO
    Loop,
    HardLinked,
    Copies,
    Dangling, // a link to real.SpecCHR, which is not there
    Appearing, // nothing, until a file comes there while a save that may not replace it writes
};
// Who owns the target and its folder (see owners below).
enum class Owner {
    Root,
    Strange,
    Nobody,
    Others,
    ReadOnly,
    Private,
    Closed,
    Unlisted,
    AclFolder,
    SetId,
    SharedSetId,
    Capable,
    Planted,
    Unreadable
};
// Where the folder lies: in a temporary folder, or on a small disk of its own.
enum class Disk { Folder, TmpFs, Ext2, Ext4, Fat, FuseExt2 };
// The target afterwards: the old bytes, the new font in a new file put in its place, the new
// font written into the file itself, or unknown bytes in the file itself.
enum class After { Old, New, InPlace, Unknown };

struct Row
{
    Command command = Command::Save;
    // The user's steps: the answers Yes, No, Cancel; "file" picks the target in a dialog,
    // "none" cancels it. By default No to saving the changes and the file for a read, the file
    // and Yes to replacing it for Save As. A lone Yes saves to the font's own file, the target.
    std::optional<QString> script {};
    bool modified = true;
    Place place = Place::File;
    QString name {}; // of the target, by default font.SpecCHR or font.gph
    QByteArray content = randomBytes(3 * SetBytes, 5); // the target's bytes before
    Owner owner = Owner::Root;
    Disk disk = Disk::Folder;
    int freeKiB = -1; // left on the disk; -1: as it was made
    QList<std::pair<SaveStep, int>> faults {}; // the writer's steps that fail, with their errors
    int sizeLimit = 0; // RLIMIT_FSIZE while the command runs
    int sets = 5; // of the font in the store
    bool stops = false; // at a question or a dialog
    QString reason {}; // in the error message; empty: no error
    std::optional<After> file {}; // by default New after a successful save, else Old
    int readSets = 1; // after a read
    QByteArray pixels {}; // after a gph read: the first sets as SpecCHR; the rest is kept
};

// The target's owner, group and mode and its folder's mode (-1 leaves them as created), and
// whether the command runs as nobody.
struct Ids
{
    uid_t uid;
    gid_t gid;
    int mode, folderMode;
    bool asNobody;
};
const Ids owners[] = {
    {0, 0, -1, -1, false}, // Root
    {1234, 5678, 06754, -1, false}, // Strange, with an ACL and an extended attribute besides
    {NobodyId, NobodyId, 0644, 0755, true}, // Nobody: in root's folder, which takes no new files
    {1234, NobodyId, 0664, 0777, true}, // Others: nobody's group may write it
    {NobodyId, NobodyId, 0444, 0777, true}, // ReadOnly
    {0, 0, 0600, 0755, true}, // Private: only root may read it
    {0, 0, -1, 0700, true}, // Closed: a folder only root may enter it
    {NobodyId, NobodyId, 0644, 0333, true}, // Unlisted: a folder anyone may write but not list
    {0, 0, 0600, -1, false}, // AclFolder: the folder gives new files an ACL
    {NobodyId, NobodyId, 06755, 0777, true}, // SetId: the user's own, of the user's group
    {1234, NobodyId, 02775, 0777, true}, // SharedSetId: nobody's group may write it
    {NobodyId, NobodyId, 0755, 0777, true}, // Capable: the user's own, with capabilities
    {0, 0, -1, 01777, false}, // Planted: nobody's link in a shared sticky folder
    {NobodyId, NobodyId, 0200, 0777, true}, // Unreadable: the user's, with an attribute
};

bool prepareOwner(Owner owner, const QString &folder, const QString &file, const QString &link)
{
    const Ids &ids = owners[int(owner)];
    const QByteArray name = QFile::encodeName(file);
    // The POSIX ACL "user 1000 may read and write" in the kernel's attribute form.
    const QByteArray acl = QByteArray::fromHex(
        "0200000001000700ffffffff02000600e803000004000500ffffffff10000700ffffffff20000400ffffffff");
    const auto setAcl = [&acl](const QString &path, const char *key) {
        return ::setxattr(QFile::encodeName(path).constData(), key, acl.constData(),
                          size_t(acl.size()), 0)
            == 0;
    };
    // The capability "may open raw sockets", as setcap writes it.
    const QByteArray capability = QByteArray::fromHex("0100000200200000" + QByteArray(24, '0'));
    return (ids.mode < 0
            || (::chown(name.constData(), ids.uid, ids.gid) == 0
                && ::chmod(name.constData(), mode_t(ids.mode)) == 0))
        && (ids.folderMode < 0
            || ::chmod(QFile::encodeName(folder).constData(), mode_t(ids.folderMode)) == 0)
        && ((owner != Owner::Strange && owner != Owner::Unreadable)
            || ::setxattr(name.constData(), "user.glyphery", "kept", 4, 0) == 0)
        && (owner != Owner::Strange || setAcl(file, "system.posix_acl_access"))
        && ((owner != Owner::Strange && owner != Owner::Capable)
            || ::setxattr(name.constData(), "security.capability", capability.constData(),
                          size_t(capability.size()), 0)
                == 0)
        && (owner != Owner::AclFolder || setAcl(folder, "system.posix_acl_default"))
        && (owner != Owner::Planted
            || ::lchown(QFile::encodeName(link).constData(), NobodyId, NobodyId) == 0);
}

QString digest(const QByteArray &bytes)
{
    return QString::number(bytes.size()) + u':'
        + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
}

// Every entry of the folder: owner, group, mode, links and extended attributes, then a
// regular file's size and digest.
QMap<QString, QString> snapshot(const QDir &folder)
{
    QMap<QString, QString> entries;
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &entry : folder.entryList(filter)) {
        const QByteArray name = QFile::encodeName(folder.filePath(entry));
        struct stat status = {};
        ::lstat(name.constData(), &status);
        QString text = QString::asprintf("%u:%u %o %lu ", status.st_uid, status.st_gid,
                                         status.st_mode, ulong(status.st_nlink));
        char names[4096];
        const ssize_t length = ::llistxattr(name.constData(), names, sizeof names);
        QList<QByteArray> keys = QByteArray(names, qMax<ssize_t>(length, 0)).split('\0');
        std::sort(keys.begin(), keys.end());
        for (const QByteArray &key : keys) {
            char value[256];
            const ssize_t size = ::lgetxattr(name.constData(), key.constData(), value, 256);
            if (!key.isEmpty() && size >= 0)
                text += QString::fromLatin1(key + '=' + QByteArray(value, size).toHex() + ' ');
        }
        const bool regular = S_ISREG(status.st_mode);
        entries.insert(entry, text + digest(regular ? fileBytes(folder.filePath(entry)) : ""));
    }
    return entries;
}

qsizetype freeBytes(const QString &path)
{
    struct statvfs status = {};
    ::statvfs(QFile::encodeName(path).constData(), &status);
    return qsizetype(status.f_bavail * status.f_frsize);
}

const char *const diskNames[]
    = {"folder", "tmpfs", "ext2", "ext4", "FAT through FUSE", "ext2 through FUSE"};

// Makes a small disk of the kind at folder, from image: nothing when it is there, else why not.
QString mountDisk(Disk disk, const QString &folder, const QString &image)
{
    if (disk == Disk::TmpFs)
        return ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0,
                       "size=128k,mode=0755")
                == 0
            ? QString()
            : u"cannot mount a tmpfs here: "_s + qt_error_string(errno);
    QFile file(image);
    if (!file.open(QIODevice::WriteOnly) || !file.resize(2 * 1024 * 1024))
        return u"cannot make a disk image"_s;
    const QString kind = QString::fromLatin1(diskNames[int(disk)]);
    const QStringList makeExt = {
        u"mkfs."_s + kind.first(4), u"-q"_s, u"-F"_s, u"-b"_s, u"1024"_s, u"-m"_s, u"0"_s, image};
    const QList<QStringList> commands = disk == Disk::Fat
        ? QList {QStringList {u"mkfs.vfat"_s, image},
                 {u"fusefat"_s, u"-o"_s, u"rw+"_s, image, folder}}
        : disk == Disk::FuseExt2
        ? QList {makeExt,
                 {u"fuse2fs"_s, u"-o"_s, u"allow_other,default_permissions"_s, image, folder}}
        : QList {makeExt, {u"mount"_s, u"-o"_s, u"loop"_s, image, folder}};
    for (const QStringList &command : commands) {
        QProcess process;
        process.start(command[0], command.mid(1));
        if (!process.waitForFinished() || process.exitCode() != 0)
            return u"cannot make an %1 disk here: %2 %3"_s.arg(
                kind, command.join(u' '), QString::fromLocal8Bit(process.readAllStandardError()));
    }
    return {};
}

// Fills the disk until freeKiB are left, or a few KiB less where the filler's own indirect
// blocks make it inexact; 0 fills it to the last byte it takes.
bool fill(const QString &disk, int freeKiB, bool exactly)
{
    const QByteArray name = QFile::encodeName(disk + u"/filler"_s);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const qsizetype wanted = freeKiB * 1024;
    const QByteArray bytes(64 * 1024, 'f');
    for (qsizetype piece = freeBytes(disk) - wanted; piece > 0 && fd >= 0;) {
        piece = qMin(piece, bytes.size());
        const bool whole = ::write(fd, bytes.constData(), size_t(piece)) == piece;
        piece = whole ? freeBytes(disk) - wanted : piece / 2;
    }
    const qsizetype left = ::fsync(fd) == 0 && ::close(fd) == 0 ? freeBytes(disk) : -1;
    return left <= wanted && left >= wanted - (exactly ? 0 : 4096);
}

// Runs work in a child process, as nobody when asked, under a file size limit, killed by an
// alarm when it hangs. True when the child passed every check it made.
bool inChild(bool asNobody, int sizeLimit, const std::function<void()> &work)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(5);
        const rlimit limit {rlim_t(sizeLimit), rlim_t(sizeLimit)};
        if (sizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asNobody
            && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
            ::_exit(3);
        work();
        ::_exit(QTest::currentTestFailed() ? 1 : 0);
    }
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Kills a child that saves the old and the new font in turn, at random moments. The file holds
// one whole font, or else a rescue copy beside it holds the one being written in place; a
// rescue copy is always whole, a new file not yet renamed perhaps not, and the next save
// removes them all.
void killSaves(const QDir &dir, const QString &path, const QByteArray &old, const QByteArray &font,
               bool hardLinked)
{
    const QByteArray target = QFile::encodeName(path);
    const QList<QByteArray> fonts = {old, font};
    QStringList files = {QFileInfo(path).fileName()};
    if (hardLinked)
        files.append(u"other"_s);
    QRandomGenerator random(20240917);
    for (int kill = 0; kill < 30; ++kill) {
        int pipe[2];
        QVERIFY(::pipe(pipe) == 0);
        const pid_t child = ::fork();
        if (child == 0) {
            for (int save = 0; writeWholeFile(target, save % 2 ? old : font).error.isEmpty();
                 ++save) {
                if (save == 0 && ::write(pipe[1], "s", 1) != 1)
                    break;
            }
            ::_exit(1);
        }
        ::close(pipe[1]);
        char started = 0;
        const bool saving = ::read(pipe[0], &started, 1) == 1;
        ::close(pipe[0]);
        if (saving)
            ::usleep(random.bounded(1000u, 20000u));
        ::kill(child, SIGKILL);
        int status = 0;
        QVERIFY(::waitpid(child, &status, 0) == child && saving && WIFSIGNALED(status));
        bool rescued = false;
        for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden)) {
            const bool whole = fonts.contains(fileBytes(dir.filePath(name)));
            QVERIFY2(whole || files.contains(name) || name.startsWith(u".glyphery-new-"),
                     qPrintable(name));
            rescued |= whole && name.startsWith(u".glyphery-copy-");
        }
        QVERIFY(fonts.contains(fileBytes(path)) || rescued);
    }
    QVERIFY(writeWholeFile(target, font).error.isEmpty());
    QCOMPARE(dir.entryList(QDir::Files | QDir::Hidden), files);
}

void add(const char *what, const Row &row)
{
    const char *names[] = {"New", "Open", "Save", "Save As", "gph import", "writer", "killed"};
    QTest::addRow("%s: %s", names[int(row.command)], what) << row;
}

} // namespace

class TestFileCommands : public QObject
{
    Q_OBJECT
private slots:
    void command_data();
    void command();
};

void TestFileCommands::command_data()
{
    QTest::addColumn<Row>("row");
    using enum Command;
    using enum Place;
    using enum Owner;
    add("not modified: no question", {.command = New, .script = u""_s, .modified = false});
    add("Cancel stops", {.command = New, .script = u"Cancel"_s, .stops = true});
    add("No drops the changes", {.command = New, .script = u"No"_s});
    add("Yes saves to the font's file", {.command = New, .script = u"Yes"_s});
    add("Yes, Save As cancelled: stops", {.command = New, .script = u"Yes none"_s, .stops = true});
    add("Yes, replace? No: stops", {.command = New, .script = u"Yes file No"_s, .stops = true});
    add("Yes, replace? Yes: saves", {.command = New, .script = u"Yes file Yes"_s});
    const QString folder = u"это папка"_s;
    add("Yes, the save fails: stops",
        {.command = New, .script = u"Yes file"_s, .place = Folder, .reason = folder});
    add("Cancel stops", {.command = Open, .script = u"Cancel"_s, .stops = true});
    add("Yes, the save fails: stops",
        {.command = Open, .script = u"Yes"_s, .place = Folder, .reason = folder});
    add("cancelled", {.command = Open, .script = u"No none"_s, .stops = true});
    const int opens[][2]
        = {{0, 1}, {768, 1}, {770, 1}, {776, 2}, {800, 2}, {801, 2}, {MaxFontBytes, 64}};
    for (const auto &[bytes, sets] : opens) {
        add(qPrintable(u"%1 bytes: %2 sets"_s.arg(bytes).arg(sets)),
            {.command = Open, .content = randomBytes(bytes, 7), .readSets = sets});
    }
    add("not modified: written all the same", {.modified = false});
    add("cancelled", {.command = SaveAs, .script = u"none"_s, .stops = true});
    add("no question, no extension added", {.command = SaveAs, .place = Missing, .name = u"f"_s});
    add("over an empty file: no question", {.command = SaveAs, .content = {}});
    add("over one byte, replace? No",
        {.command = SaveAs, .script = u"file No"_s, .content = "x", .stops = true});
    add("one set over three", {.command = SaveAs, .sets = 1});
    add("Cancel stops", {.command = Gph, .script = u"Cancel"_s, .stops = true});
    add("cancelled", {.command = Gph, .script = u"No none"_s, .stops = true});
    const QByteArray ink(GphSetBytes, '\1');
    const auto gph = [](const char *what, QByteArray content, int sets, QByteArray pixels,
                        QString reason = {}) {
        Row row {.command = Gph, .content = content, .reason = reason, .readSets = sets};
        row.pixels = pixels;
        add(what, row);
    };
    gph("empty", {}, 1, {}, u"пуст: в нём нет шрифта gph"_s);
    gph("header 64", '\x40' + ink, 1, {},
        u"в нём 65 наборов, а в шрифте может быть не больше 64"_s);
    gph("header 255", '\xff' + ink, 1, {}, u"в нём 256 наборов"_s);
    gph("64 sets and more bytes", '\x3f' + ink.repeated(64) + "\1", 64,
        QByteArray(MaxFontBytes, '\xff'));
    gph("cut short in set 1", '\1' + ink + QByteArray(20, '\1'), 2,
        QByteArray(SetBytes, '\xff') + QByteArray::fromHex("e0e0e0e0c0c0c0c0")
            + QByteArray(SetBytes - 8, '\0'));
    gph("trailing bytes ignored", '\0' + ink + QByteArray(900, '\1'), 1,
        QByteArray(SetBytes, '\xff'));

    add("missing file", {.command = Open, .place = Missing, .reason = u"такого файла нет"_s});
    add("missing folder", {.command = Open, .place = NoFolder, .reason = u"не существует"_s});
    add("folder", {.command = Open, .place = Folder, .reason = folder});
    add("unreadable file", {.command = Open, .owner = Private, .reason = u"нет прав на чтение"_s});
    add("folder nobody may enter",
        {.command = Open, .owner = Closed, .reason = u"нет прав на доступ к папке"_s});
    const QString tooLarge = u"слишком велик: в шрифте может быть не больше 64 наборов"_s;
    add("49,153 bytes",
        {.command = Open, .content = randomBytes(MaxFontBytes + 1, 2), .reason = tooLarge});
    add("FIFO", {.command = Open, .place = Fifo, .reason = u"не обычный файл"_s});
    add("read error", {.command = Open, .place = Faulty, .reason = u"ошибка ввода-вывода"_s});
    const QString full = u"на диске нет места"_s;
    for (const Command save : {Save, SaveAs}) {
        add("folder takes no new files",
            {.command = save, .owner = Nobody, .reason = u"не разрешает создавать"_s});
        add("onto a folder", {.command = save, .place = Folder, .reason = folder});
        add("/dev/full", {.command = save, .place = DevFull, .reason = full});
        // 49,152 bytes do not fit a write buffer, so they are written directly.
        add("/dev/full, 64 sets", {.command = save, .place = DevFull, .sets = 64, .reason = full});
        add("write-protected file",
            {.command = save, .owner = ReadOnly, .reason = u"нет прав на запись в этот файл"_s});
        add("folder removed", {.command = save, .place = NoFolder, .reason = u"не существует"_s});
        add("FIFO without a reader", {.command = save, .place = Fifo, .reason = u"не обычный"_s});
        // EFBIG in the middle of the new content, as a full disk gives ENOSPC.
        add("cut off by RLIMIT_FSIZE",
            {.command = save, .sizeLimit = 4096, .sets = 64, .reason = u"больше, чем разрешает"_s});
    }
    add("owner, mode, ACL, capabilities and attributes kept", {.owner = Strange});
    add("the user's set-ID file keeps its bits", {.owner = SetId});
    // In place, what the write clears is put back.
    add("in place, the user's set-ID bits kept",
        {.place = HardLinked, .owner = SetId, .sets = 1, .file = After::InPlace});
    add("in place, root keeps the capabilities",
        {.place = HardLinked, .owner = Strange, .sets = 1, .file = After::InPlace});
    add("an attribute the user may not read is kept in place",
        {.owner = Unreadable, .sets = 1, .file = After::InPlace});
    const QString setId = u"set-user-ID и set-group-ID, а вернуть их у вас нет прав"_s;
    add("set-ID bits a write would clear for good: refused",
        {.owner = SharedSetId, .reason = setId});
    add("capabilities only root may give back: refused",
        {.owner = Capable, .reason = u"security.capability"_s});
    add("owner cannot be given: written in place",
        {.owner = Others, .sets = 1, .file = After::InPlace});
    add("every hard link sees the new font",
        {.place = HardLinked, .sets = 1, .file = After::InPlace});
    add("a symbolic link stays a link", {.place = Link});
    add("an absolute symbolic link stays a link", {.place = AbsoluteLink});
    add("a dangling link's file made", {.place = Dangling});
    const QString planted = u"лежит в общей папке и принадлежит другому пользователю"_s;
    add("another user's link in a shared folder not followed",
        {.place = Link, .owner = Planted, .reason = planted});
    add("another user's dangling link in a shared folder makes nothing",
        {.place = Dangling, .owner = Planted, .reason = planted});
    const QString notUtf8 = u"байты не в кодировке UTF-8"_s;
    add("a name Qt could not decode",
        {.command = SaveAs, .place = Missing, .name = u"\uFFFD.SpecCHR"_s, .reason = notUtf8});
    add("a name Qt could not decode",
        {.command = Open, .place = Missing, .name = u"\uFFFD.SpecCHR"_s, .reason = notUtf8});
    add("a loop of symbolic links", {.place = Loop, .reason = u"много символических ссылок"_s});
    add("a folder that may not be listed", {.owner = Unlisted});
    add("a folder's default ACL not taken", {.owner = AclFolder});
    add("a dead save's copy removed, others kept", {.place = Copies});
    add("255-byte name", {.name = QString(123, u'ш') + u"x.SpecCHR"_s});
    const QString longName = QString(123, u'ш') + u"xy.SpecCHR"_s;
    add("256-byte name",
        {.command = SaveAs, .place = Missing, .name = longName, .reason = u"длинное имя"_s});
    // Full disks: the save fits in whole 4 KiB pages or leaves the old file whole.
    for (const int sets : {1, 3, 20, 21, 22, 64}) {
        for (const int free : {0, 4, 8, 12}) {
            const bool fits = (sets * SetBytes + 4095) / 4096 * 4 <= free;
            add(qPrintable(u"%1 bytes, %2 KiB free"_s.arg(sets * SetBytes).arg(free)),
                {.disk = Disk::TmpFs,
                 .freeKiB = free,
                 .sets = sets,
                 .reason = fits ? QString() : full});
        }
    }
    // In place, a whole copy of the new font goes beside the file first, and the space the
    // new length needs is reserved, or seen to be free where the file system cannot reserve
    // (ext2, FAT): on a full disk the file stays as it was, with room it is written, as root
    // and as another user, and a kill at any moment leaves a whole font.
    for (const Disk disk : {Disk::TmpFs, Disk::Ext2, Disk::Ext4, Disk::Fat, Disk::FuseExt2}) {
        const auto onDisk = [disk](const char *what, Row row) {
            row.disk = disk;
            add(qPrintable(u"%1: %2"_s.arg(QString::fromLatin1(diskNames[int(disk)]),
                                           QString::fromLatin1(what))),
                row);
        };
        onDisk("replaced", {.sets = 1});
        onDisk("made", {.place = Missing, .sets = 1});
        if (disk == Disk::Fat) { // no hard links, nor owners: a refused rename puts it in place
            onDisk("in place",
                   {.faults = {{SaveStep::Replace, EPERM}}, .sets = 20, .file = After::InPlace});
            continue;
        }
        onDisk("in place", {.place = HardLinked, .sets = 20, .file = After::InPlace});
        onDisk("in place, full", {.place = HardLinked, .freeKiB = 0, .sets = 3, .reason = full});
        // 15 KiB for the copy, 12 KiB more for the longer file: the copy fits, the file not.
        onDisk("in place, room for the copy alone",
               {.place = HardLinked, .freeKiB = 24, .sets = 20, .reason = full});
        onDisk("in place as another user",
               {.place = HardLinked, .owner = Others, .sets = 1, .file = After::InPlace});
        onDisk("in place as another user, full",
               {.place = HardLinked, .owner = Others, .freeKiB = 0, .sets = 20, .reason = full});
        onDisk("30 saves in place",
               {.command = Killed,
                .place = HardLinked,
                .content = randomBytes(MaxFontBytes, 8),
                .sets = 1});
    }

    using enum SaveStep;
    const QString kept = u"Прежнее содержимое файла не изменилось"_s;
    const QString maybe = u"мог сохраниться не полностью"_s;
    const auto step = [](const char *what, Place p, SaveStep s, int e, QString reason, After a) {
        Row row {.command = Writer, .place = p, .faults = {{s, e}}, .sets = 1, .reason = reason};
        row.file = a;
        add(what, row);
    };
    step("new file not created", File, Create, EIO, kept, After::Old);
    step("identity not kept: written in place", File, KeepIdentity, EPERM, {}, After::InPlace);
    step("disk full while writing", File, Write, ENOSPC, full, After::Old);
    step("quota exceeded while writing", File, Write, EDQUOT, u"дисковая квота"_s, After::Old);
    step("read-only file system", File, Create, EROFS, u"только для чтения"_s, After::Old);
    step("sync fails", File, Sync, EIO, u"ошибка ввода-вывода"_s, After::Old);
    step("rename fails", File, Replace, EIO, kept, After::Old);
    // A sticky folder lets only the owner rename over a file that others may write.
    step("rename refused: written in place", File, Replace, EPERM, {}, After::InPlace);
    step("folder sync fails", File, SyncFolder, EIO, u"не подтвердила"_s, After::New);
    step("no unnamed files: a short name instead", File, Unnamed, EOPNOTSUPP, {}, After::New);
    add("no unnamed files, disk full: the named copy removed",
        {.command = Writer, .faults = {{Unnamed, EOPNOTSUPP}, {Write, ENOSPC}}, .reason = full});
    step("unnamed file fails", File, Unnamed, EIO, kept, After::Old);
    step("in place, open fails", HardLinked, Create, EIO, kept, After::Old);
    step("in place, no rescue copy", HardLinked, Rescue, ENOSPC, kept, After::Old);
    step("in place, no space reserved", HardLinked, Reserve, ENOSPC, kept, After::Old);
    step("in place, write fails", HardLinked, Write, EIO, maybe, After::Unknown);
    step("in place, truncate fails", HardLinked, Truncate, EIO, maybe, After::Unknown);
    step("in place, sync fails", HardLinked, Sync, EIO, maybe, After::Unknown);
    step("unknown error", File, Write, ENOLINK, u"системная ошибка номер %1"_s.arg(ENOLINK),
         After::Old);
    add("a file that comes while the save runs is kept",
        {.command = Writer,
         .place = Appearing,
         .faults = {{Unnamed, EOPNOTSUPP}},
         .reason = u"файл с таким именем уже есть"_s});
    add("30 saves of 64 sets", {.command = Killed, .sets = 64});
}

void TestFileCommands::command()
{
    QFETCH(Row, row);
    using enum Command;
    if ((row.owner != Owner::Root || row.disk != Disk::Folder) && ::geteuid() != 0)
        QSKIP("needs root: to mount a small disk, own files as others and run as nobody");
    ::umask(022);
    QTemporaryDir temporary;
    QVERIFY(::chmod(QFile::encodeName(temporary.path()).constData(), 0755) == 0);
    const QString disk = temporary.filePath(u"disk"_s);
    if (row.disk != Disk::Folder) {
        QVERIFY(QDir(disk).mkpath(u"."_s));
        const QString why = mountDisk(row.disk, disk, temporary.filePath(u"disk.img"_s));
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
    }
    const auto unmount
        = qScopeGuard([&] { ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH); });
    // Messages must show a path as it is: Cyrillic (but where FAT takes only Latin names), a
    // blank, and what QString::arg would fill in.
    const QDir dir((row.disk != Disk::Folder ? disk : temporary.path())
                   + (row.disk == Disk::Fat ? u"/fonts %1 %2"_s : u"/шрифты %1 %2"_s));
    QVERIFY(dir.mkpath(u"."_s));
    const QString name = !row.name.isEmpty() ? row.name
        : row.command == Gph                 ? u"font.gph"_s
                                             : u"font.SpecCHR"_s;
    QString path = dir.filePath(name);
    const bool link = QList {Place::Link, Place::AbsoluteLink, Place::Dangling}.contains(row.place);
    QString file = link ? dir.filePath(u"real.SpecCHR"_s) : path;
    if (link || row.place == Place::Loop)
        QVERIFY(QFile::link(row.place == Place::AbsoluteLink ? file
                                : link                       ? u"real.SpecCHR"_s
                                                             : name,
                            path));
    if (row.place != Place::Dangling
        && (link || QList {Place::File, Place::HardLinked, Place::Copies}.contains(row.place)))
        QVERIFY(writeFile(file, row.content));
    // What saves killed before they finished may leave, named as the writer names its files:
    // ".glyphery-new-" process, length, six letters; ".glyphery-copy-" inode, process, length,
    // six letters. No process has the number 2^31 - 1; the test's own is alive. Only those
    // the writer can prove its own go: not a user's names like them, nor a copy of another
    // user, of another length, or of another file.
    struct stat status = {};
    const ino_t inode
        = ::lstat(QFile::encodeName(file).constData(), &status) == 0 ? status.st_ino : 0;
    const auto copyName = [&](const char *kind, const QString &numbers) {
        return u".glyphery-%1-%2-%3-abcdef"_s.arg(QString::fromLatin1(kind), numbers,
                                                  QString::number(row.content.size()));
    };
    const QString deadCopy = copyName("new", u"2147483647"_s);
    const QString deadRescue = copyName("copy", u"%1-2147483647"_s.arg(inode));
    if (row.place == Place::Copies) {
        const QString others = copyName("new", u"2147483646"_s);
        for (const QString &copy :
             {u".glyph~note"_s, deadCopy + u'g', copyName("new", QString::number(::getpid())),
              copyName("copy", u"1-2147483647"_s), u".glyphery-new-2147483647-768-abcdef"_s,
              copyName("new", u"02147483647"_s), others, deadCopy, deadRescue})
            QVERIFY(writeFile(dir.filePath(copy), row.content));
        QVERIFY(::chown(QFile::encodeName(dir.filePath(others)).constData(), 1234, 1234) == 0);
    }
    if (row.place == Place::HardLinked)
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath(u"other"_s)).constData())
                == 0);
    if (row.place == Place::Folder)
        QVERIFY(dir.mkdir(name));
    if (row.place == Place::Faulty)
        QVERIFY(QFile::link(u"/proc/self/mem"_s, path));
    if (row.place == Place::Fifo)
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    if (row.place == Place::NoFolder)
        path = dir.filePath(u"gone/font.SpecCHR"_s);
    if (row.place == Place::DevFull)
        path = u"/dev/full"_s;
    QVERIFY(prepareOwner(row.owner, dir.path(), file, path));
    if (row.freeKiB >= 0)
        QVERIFY2(fill(disk, row.freeKiB, row.disk == Disk::TmpFs), "the disk could not be filled");
    const QMap<QString, QString> filesBefore = snapshot(dir);

    // A session under way: unsaved changes, a selection away from the start, and random pixels
    // in every set, shown or not, which a command could change unnoticed.
    const QByteArray stored = randomBytes(MaxFontBytes, 6);
    const QByteArray newFont = stored.left(row.sets * SetBytes);
    auto before = std::make_unique<FontStore>();
    decodeSpecChr(stored, *before);
    before->lastSet = row.sets - 1;
    before->currentSet = row.sets / 2;
    before->currentChar = 57;
    before->modified = row.modified;
    const bool reads = row.command == Open || row.command == Gph;
    const bool saves = row.command == Save || row.command == SaveAs;
    const bool replaceable = QFileInfo(path).isFile() && QFileInfo(path).size() > 0;
    const QString script = row.script.value_or(reads                       ? u"No file"_s
                                                   : row.command != SaveAs ? QString()
                                                   : replaceable           ? u"file Yes"_s
                                                                           : u"file"_s);
    // New saves through Save As; the others have a file elsewhere, which a read must forget.
    before->fileName = row.command == Save || script == u"Yes" ? path
        : row.command == New                                   ? u"*"_s
                                                               : dir.filePath(u"old.SpecCHR"_s);
    const bool done = !row.stops && row.reason.isEmpty();
    const bool newStore = done && (reads || row.command == New);
    const After after = row.file.value_or(
        done && (saves || row.command == Killed || script.startsWith(u"Yes")) ? After::New
                                                                              : After::Old);

    const auto run = [&] {
        auto font = std::make_unique<FontStore>(*before);
        Glyph grid = before->glyph(63, 95);
        RecordingView view;
        ScriptedServices services;
        FileCommands commands(*font, grid, view, services);
        const char *buttons[] = {"OK", "YesNo", "YesNoCancel"};
        QList<QString> questions;
        for (const QString &step : script.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u"file" || step == u"none") {
                services.fileNames.enqueue(step == u"file" ? path : QString());
                continue;
            }
            services.answers.enqueue(step == u"Yes"      ? MessageAnswer::Yes
                                         : step == u"No" ? MessageAnswer::No
                                                         : MessageAnswer::Cancel);
            const bool askSave = questions.isEmpty() && row.modified && !saves;
            questions.append(!askSave
                                 ? u"Файл с таким именем существует, заменить?|Glyphery|YesNo"_s
                                 : row.command == New
                                 ? u"Сохранить изменения?|Создание нового шрифта|YesNoCancel"_s
                                 : u"Сохранить изменения?|Glyphery|YesNoCancel"_s);
        }
        const std::function<void()> commandOf[]
            = {[&] { commands.mnuFileNew(); },
               [&] { commands.mnuFileOpen(); },
               [&] { commands.mnuFileSave(); },
               [&] { commands.mnuFileSaveAs(); },
               [&] { commands.gphload(); },
               [&] {
                   const auto fault = [&](SaveStep step) {
                       if (row.place == Place::Appearing && step == SaveStep::Write)
                           writeFile(path, row.content);
                       for (const auto &[failing, error] : row.faults) {
                           if (step == failing)
                               return error;
                       }
                       return 0;
                   };
                   const SaveResult result
                       = writeWholeFile(QFile::encodeName(path), newFont,
                                        {.replace = row.place != Place::Appearing, .fault = fault});
                   if (!result.error.isEmpty())
                       services.message(result.error, u"Glyphery"_s, MessageButtons::Ok);
                   QCOMPARE(result.written, after != After::Old);
               }};
        commandOf[int(row.command)]();

        QVERIFY(services.allAnswered());
        for (const ScriptedServices::Dialog &dialog : services.dialogs) {
            QCOMPARE(dialog.kind + u'|' + dialog.title, reads ? u"open|Open"_s : u"save|Save"_s);
            QCOMPARE(dialog.filter.description + u'|' + dialog.filter.pattern,
                     row.command == Gph ? u"Шрифт Spectrum формата gph (*.gph)|*.gph"_s
                                        : u"Шрифт Spectrum (*.SpecCHR)|*.SpecCHR"_s);
        }
        QList<QString> asked;
        for (const ScriptedServices::Message &message : services.messages)
            asked.append(u"%1|%2|%3"_s.arg(message.text, message.title,
                                           QString::fromLatin1(buttons[int(message.buttons)])));
        const QString error
            = row.reason.isEmpty() || asked.isEmpty() ? QString() : asked.takeLast();
        QVERIFY2(row.reason.isEmpty()
                     || (error.contains(u"«"_s + path + u"»"_s) && error.contains(row.reason)
                         && error.endsWith(u"|Glyphery|OK"_s)),
                 qPrintable(error));
        QCOMPARE(asked, questions);

        // A new font with its selected character in the edit square, or the store as it was,
        // marked saved only when the save reached the disk.
        const bool saved = done && saves;
        const QString want = newStore
            ? QString::asprintf("%d 0 1 0 ", row.readSets - 1)
                + (row.command == Open ? path : u"*"_s)
            : QString::asprintf("%d %d 57 %d ", row.sets - 1, row.sets / 2, row.modified && !saved)
                + (saved ? path : before->fileName);
        QCOMPARE(QString::asprintf("%d %d %d %d ", font->lastSet, font->currentSet,
                                   font->currentChar, font->modified)
                     + font->fileName,
                 want);
        QVERIFY(grid == (newStore ? font->glyph(0, 1) : before->glyph(63, 95)));
        QCOMPARE(view.fontRedraws, newStore ? 1 : 0);
        const QByteArray read = !newStore ? QByteArray()
            : row.command == Open         ? row.content
                                          : row.pixels;
        font->lastSet = MaxSets - 1;
        QCOMPARE(encodeSpecChr(*font), read + stored.mid(read.size()));
    };
    if (row.command == Killed)
        killSaves(dir, path, row.content, newFont, row.place == Place::HardLinked);
    else
        QVERIFY2(inChild(owners[int(row.owner)].asNobody, row.sizeLimit, run),
                 "the command failed a check above, hung or could not run as nobody");

    // Every file in the folder as it was, but the font where a save succeeded, the copies of
    // dead saves removed, and a rescue copy of the new font where an in-place write failed. A
    // new file is the user's, with the mode the umask leaves.
    QMap<QString, QString> filesAfter = snapshot(dir);
    QMap<QString, QString> filesWanted = filesBefore;
    filesWanted.remove(deadCopy);
    filesWanted.remove(deadRescue);
    // FAT gives every file one mode.
    const QString newFile = u"%1:%2 %3 1 "_s.arg(::geteuid())
                                .arg(::getegid())
                                .arg(row.disk == Disk::Fat ? u"100700"_s : u"100644"_s);
    if (row.place == Place::Appearing)
        filesWanted.insert(name, newFile + digest(row.content));
    const QRegularExpression rescues(u"^\\.glyphery-copy-%1-[1-9]"_s.arg(inode));
    for (const QString &rescue : filesAfter.keys().filter(rescues))
        QVERIFY(filesAfter.take(rescue).endsWith(digest(newFont)) && after == After::Unknown);
    for (const QString &changed : {QFileInfo(file).fileName(), u"other"_s}) {
        if (after == After::Old || (changed == u"other" && !filesBefore.contains(changed)))
            continue;
        const QString identity = filesBefore.value(changed, newFile);
        filesWanted.insert(changed, identity.section(u' ', 0, -2) + u' ' + digest(newFont));
        if (after == After::Unknown) {
            filesAfter.remove(changed);
            filesWanted.remove(changed);
        }
    }
    QCOMPARE(filesAfter.keys() + filesAfter.values(), filesWanted.keys() + filesWanted.values());
    // Only a new file put in the old one's place is atomic. Many saves may reuse an inode, and
    // FUSE may number a file anew.
    if (inode != 0 && row.command != Killed && row.disk != Disk::Fat && row.disk != Disk::FuseExt2)
        QCOMPARE(::lstat(QFile::encodeName(file).constData(), &status) == 0
                     && status.st_ino != inode,
                 after == After::New);
    QVERIFY(row.place != Place::DevFull || (QFileInfo::exists(path) && !QFileInfo(path).isFile()));
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestFileCommands)
#include "test_file_commands.moc"
