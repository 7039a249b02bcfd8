// SPDX-License-Identifier: GPL-3.0-or-later
// Every way a file can fail Open, Save, Save As and gph import, and every step of the writer,
// one row each, on real file systems: a temporary folder, a tmpfs of a few pages that runs out
// of space, files of other users. A failure is told in a message naming the file and leaves
// the font, the selection, the file name, the unsaved-changes mark and every file on disk as
// they were; a save that succeeds leaves exactly the new font, the file's identity kept.
//
// Each command runs in a child process, so that it can run as another user, under a file size
// limit and an alarm that turns a hang into a failure. Rows that need root skip without it.

#include "editor/editor_state.h"
#include "font/file_commands.h"
#include "font/file_reasons.h"
#include "font/gph.h"
#include "font/safe_writer.h"
#include "font/specchr.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"
#include "support/test_files.h"

#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <optional>

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
constexpr uid_t Stranger = 1234;
constexpr gid_t StrangeGroup = 5678;
constexpr int PageBytes = 4096;

enum class Command { Open, Save, SaveAs, Gph, Writer };
// What lies at the path the command is given.
enum class Place { File, Missing, Folder, Fifo, NoFolder, DevFull, Link, HardLinked, LongName };
// Who owns the file and its folder. All but Root and Strange run the command as nobody.
enum class Owner {
    Root,
    Strange, // owner 1234, group 5678, set-ID bits, an ACL and an extended attribute
    Nobody, // nobody's file in root's folder, which takes no new files from nobody
    Other, // 1234's file that nobody's group may write, in a folder everyone may write
    ReadOnly, // nobody's write-protected file
    Private, // root's file that only root may read
    ClosedFolder, // a folder only root may enter
};
// The target's bytes afterwards.
enum class Afterwards { Old, New, Unknown };

struct Row
{
    Command command = Command::Save;
    Place place = Place::File;
    QString reason {}; // in the message; empty: the command succeeds
    std::optional<Afterwards> file {}; // by default the new font after a successful save
    QByteArray content = randomBytes(3 * SetBytes, 5); // what the file holds before
    int sets = 5; // of the font in the store
    QByteArray pixels {}; // after a read: the store's first pixels
    Owner owner = Owner::Root;
    int freeKiB = -1; // on a small tmpfs with this much left; -1: a temporary folder
    std::optional<SaveStep> fault {};
    int error = EIO; // of the fault
    int sizeLimit = 0; // RLIMIT_FSIZE while the command runs
};

// What a command did, as the child process reports it.
struct Result
{
    bool hung = true;
    bool saved = false;
    bool allAnswered = false;
    QList<ScriptedServices::Message> messages;
    std::unique_ptr<EditorState> state = std::make_unique<EditorState>();
    int fontRedraws = 0;
};

QByteArray rawBytes(const void *data, size_t size)
{
    return QByteArray(static_cast<const char *>(data), qsizetype(size));
}

void setRaw(void *data, size_t size, const QByteArray &bytes)
{
    if (size_t(bytes.size()) == size)
        std::memcpy(data, bytes.constData(), size);
}

QByteArray report(bool saved, const ScriptedServices &services, const EditorState &state,
                  const RecordingView &view)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const FontStore &font = state.font;
    out << saved << services.allAnswered() << qsizetype(services.messages.size());
    for (const ScriptedServices::Message &message : services.messages)
        out << message.text << message.title << int(message.buttons);
    out << rawBytes(font.FontPixels.data(), sizeof font.FontPixels) << font.lastSet
        << font.currentSet << font.currentChar << font.modified << font.fileName
        << rawBytes(state.EditGrid.data(), sizeof state.EditGrid) << view.fontRedraws;
    return bytes;
}

void readReport(const QByteArray &bytes, Result &result)
{
    QDataStream in(bytes);
    qsizetype messages = 0;
    in >> result.saved >> result.allAnswered >> messages;
    for (qsizetype i = 0; i < messages && in.status() == QDataStream::Ok; ++i) {
        ScriptedServices::Message message;
        int buttons = 0;
        in >> message.text >> message.title >> buttons;
        message.buttons = MessageButtons(buttons);
        result.messages.append(message);
    }
    FontStore &font = result.state->font;
    QByteArray pixels, grid;
    in >> pixels >> font.lastSet >> font.currentSet >> font.currentChar >> font.modified
        >> font.fileName >> grid >> result.fontRedraws;
    setRaw(font.FontPixels.data(), sizeof font.FontPixels, pixels);
    setRaw(result.state->EditGrid.data(), sizeof result.state->EditGrid, grid);
    result.hung = in.status() != QDataStream::Ok;
}

// Runs work in a child process, as nobody when asked, under a file size limit; a child that
// hangs is killed by its alarm. What work returns comes back through a pipe.
std::optional<QByteArray> inChild(bool asNobody, int sizeLimit,
                                  const std::function<QByteArray()> &work)
{
    int pipe[2];
    if (::pipe(pipe) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        ::alarm(5);
        const rlimit limit {rlim_t(sizeLimit), rlim_t(sizeLimit)};
        if (sizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of killing
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (asNobody
            && (::setgroups(0, nullptr) != 0 || ::setgid(NobodyId) != 0 || ::setuid(NobodyId) != 0))
            ::_exit(3);
        const QByteArray bytes = work();
        const bool written
            = ::write(pipe[1], bytes.constData(), size_t(bytes.size())) == ssize_t(bytes.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(pipe[1]);
    QByteArray bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(pipe[0], buffer, sizeof buffer)) != 0;) {
        if (got > 0)
            bytes.append(buffer, got);
        else if (errno != EINTR)
            break;
    }
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return bytes;
}

// A tmpfs of a few pages, so that saves run out of space on a real file system.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &mountPoint)
        : m_path(mountPoint)
    {
        m_mounted = ::mount("tmpfs", QFile::encodeName(m_path).constData(), "tmpfs", 0,
                            "size=128k,mode=0755")
            == 0;
        m_error = m_mounted ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
    }
    bool isMounted() const { return m_mounted; }
    QString error() const { return m_error; }

    // Fills the disk until exactly this much is left.
    bool leave(int kib) const
    {
        const QByteArray filler(freeBytes() - kib * 1024, 'f');
        return writeFile(m_path + u"/filler"_s, filler) && freeBytes() == kib * 1024;
    }

private:
    qsizetype freeBytes() const
    {
        struct statvfs status = {};
        ::statvfs(QFile::encodeName(m_path).constData(), &status);
        return qsizetype(status.f_bavail * status.f_frsize);
    }

    QString m_path;
    bool m_mounted = false;
    QString m_error;
};

// The POSIX ACL "user 1000 may read and write" in the kernel's attribute form.
QByteArray userAcl()
{
    QByteArray acl;
    QDataStream out(&acl, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(2); // version
    const struct
    {
        quint16 tag, permissions;
        quint32 id;
    } entries[] = {{0x01, 7, ~0u}, {0x02, 6, 1000}, {0x04, 5, ~0u}, {0x10, 7, ~0u}, {0x20, 4, ~0u}};
    for (const auto &entry : entries)
        out << entry.tag << entry.permissions << entry.id;
    return acl;
}

bool own(const QString &path, uid_t owner, gid_t group, mode_t mode)
{
    const QByteArray name = QFile::encodeName(path);
    return ::chown(name.constData(), owner, group) == 0 && ::chmod(name.constData(), mode) == 0;
}

// Gives the file and its folder the owners and modes of the row.
bool prepareOwner(Owner owner, const QString &folder, const QString &file)
{
    const QByteArray name = QFile::encodeName(file);
    const QByteArray acl = userAcl();
    switch (owner) {
    case Owner::Root:
        return true;
    case Owner::Strange:
        return own(file, Stranger, StrangeGroup, 06754)
            && ::setxattr(name.constData(), "user.glyphery", "kept", 4, 0) == 0
            && ::setxattr(name.constData(), "system.posix_acl_access", acl.constData(),
                          size_t(acl.size()), 0)
            == 0;
    case Owner::Nobody:
        return own(folder, 0, 0, 0755) && own(file, NobodyId, NobodyId, 0644);
    case Owner::Other:
        return own(folder, 0, 0, 0777) && own(file, Stranger, NobodyId, 0664);
    case Owner::ReadOnly:
        return own(folder, 0, 0, 0777) && own(file, NobodyId, NobodyId, 0444);
    case Owner::Private:
        return own(folder, 0, 0, 0755) && own(file, 0, 0, 0600);
    case Owner::ClosedFolder:
        return own(folder, 0, 0, 0700);
    }
    return false;
}

// Owner, group, mode, links and extended attributes: what a save must keep.
QString identity(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status = {};
    if (::lstat(name.constData(), &status) != 0)
        return {};
    QString text = QString::asprintf("%u:%u %o %lu", status.st_uid, status.st_gid, status.st_mode,
                                     static_cast<unsigned long>(status.st_nlink));
    char names[4096];
    const ssize_t length = ::llistxattr(name.constData(), names, sizeof names);
    for (const QByteArray &attribute : QByteArray(names, length > 0 ? length : 0).split('\0')) {
        char value[256];
        const ssize_t size = ::lgetxattr(name.constData(), attribute.constData(), value, 256);
        if (!attribute.isEmpty() && size >= 0)
            text += u' ' + QString::fromLatin1(attribute) + u'='
                + QString::fromLatin1(QByteArray(value, size).toHex());
    }
    return text;
}

// Every entry of the folder: its identity and, for a regular file, its bytes.
QMap<QString, QString> snapshot(const QDir &folder)
{
    QMap<QString, QString> entries;
    const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString &name : folder.entryList(filter)) {
        const QString path = folder.filePath(name);
        const bool regular = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink();
        entries.insert(name,
                       identity(path) + u' '
                           + (regular ? QString::fromLatin1(fileBytes(path).toHex()) : QString()));
    }
    return entries;
}

void row(const char *what, Row row)
{
    const char *names[] = {"Open", "Save", "Save As", "gph import", "writer"};
    QTest::addRow("%s: %s", names[int(row.command)], what) << row;
}

// Full disks: the save fits or leaves the old file whole; it never cuts the file short.
void fullDiskRows()
{
    for (const int sets : {1, 3, 20, 21, 22, 64}) {
        for (const int free : {0, 4, 8, 12}) {
            const int pages = (sets * SetBytes + PageBytes - 1) / PageBytes;
            const bool fits = pages * PageBytes <= free * 1024;
            const QByteArray name = QString::asprintf("%d sets, %d KB free", sets, free).toUtf8();
            row(name.constData(),
                {.reason = fits ? QString() : u"на диске нет места"_s,
                 .sets = sets,
                 .freeKiB = free});
        }
    }
    // In place a whole new length is reserved first: a longer font does not fit, one of the
    // same length does.
    row("in place, no space for a longer font",
        {.place = Place::HardLinked, .reason = u"на диске нет места"_s, .sets = 20, .freeKiB = 0});
    row("in place, same length on a full disk",
        {.place = Place::HardLinked, .sets = 3, .freeKiB = 0});
}

// Each step of the writer failing, by itself.
void writerRows()
{
    using enum SaveStep;
    const QString unchanged = u"Прежнее содержимое файла не изменилось"_s;
    const QString maybe = u"мог сохраниться не полностью"_s;
    const auto add = [](const char *what, Place place, SaveStep step, int error, QString reason,
                        Afterwards file) {
        row(what,
            {.command = Command::Writer,
             .place = place,
             .reason = std::move(reason),
             .file = file,
             .sets = 1,
             .fault = step,
             .error = error});
    };
    add("new file not created", Place::File, Create, EIO, unchanged, Afterwards::Old);
    add("identity not kept: written in place", Place::File, KeepIdentity, EPERM, {},
        Afterwards::New);
    add("disk full while writing", Place::File, Write, ENOSPC, u"на диске нет места"_s,
        Afterwards::Old);
    add("quota exceeded while writing", Place::File, Write, EDQUOT, u"дисковая квота"_s,
        Afterwards::Old);
    add("read-only file system", Place::File, Create, EROFS, u"только для чтения"_s,
        Afterwards::Old);
    add("sync fails", Place::File, Sync, EIO, u"ошибка ввода-вывода"_s, Afterwards::Old);
    add("rename fails", Place::File, Replace, EIO, unchanged, Afterwards::Old);
    add("folder sync fails", Place::File, SyncFolder, EIO, u"не подтвердила"_s, Afterwards::New);
    add("in place, open fails", Place::HardLinked, Create, EIO, unchanged, Afterwards::Old);
    add("in place, no space reserved", Place::HardLinked, Reserve, ENOSPC, unchanged,
        Afterwards::Old);
    add("in place, write fails", Place::HardLinked, Write, EIO, maybe, Afterwards::Unknown);
    add("in place, truncate fails", Place::HardLinked, Truncate, EIO, maybe, Afterwards::Unknown);
    add("in place, sync fails", Place::HardLinked, Sync, EIO, maybe, Afterwards::Unknown);
    add("unknown error", Place::File, Write, ENOLINK, u"системная ошибка номер %1"_s.arg(ENOLINK),
        Afterwards::Old);
}

void gphRows()
{
    const QByteArray ink(GphSetBytes, '\1');
    const auto add = [](const char *what, QByteArray content, QString reason, QByteArray pixels) {
        row(what,
            {.command = Command::Gph,
             .reason = std::move(reason),
             .content = std::move(content),
             .pixels = std::move(pixels)});
    };
    add("empty", {}, u"пуст"_s, {});
    add("header 64", '\x40' + ink, u"в нём 65 наборов"_s, {});
    add("header 255", '\xff' + ink, u"в нём 256 наборов"_s, {});
    add("truncated in set 1", '\1' + ink + QByteArray(20, '\1'), {},
        ink + QByteArray(20, '\1') + QByteArray(GphSetBytes - 20, '\0'));
    add("trailing bytes ignored", '\0' + ink + QByteArray(900, '\1'), {}, ink);
    add("pixel byte 2 is ink", '\0' + QByteArray(GphSetBytes, '\2'), {}, ink);
}

bool isRead(Command command)
{
    return command == Command::Open || command == Command::Gph;
}

} // namespace

class TestFaultMatrix : public QObject
{
    Q_OBJECT
private slots:
    void fault_data();
    void fault();
};

void TestFaultMatrix::fault_data()
{
    QTest::addColumn<Row>("row");
    using enum Command;
    using enum Place;
    using enum Owner;
    row("missing file", {.command = Open, .place = Missing, .reason = u"такого файла нет"_s});
    row("missing folder", {.command = Open, .place = NoFolder, .reason = u"не существует"_s});
    row("folder", {.command = Open, .place = Folder, .reason = u"это папка"_s});
    row("unreadable file", {.command = Open, .reason = u"нет прав на чтение"_s, .owner = Private});
    row("folder nobody may enter",
        {.command = Open, .reason = u"нет прав на доступ к папке"_s, .owner = ClosedFolder});
    row("49,153 bytes",
        {.command = Open,
         .reason = u"слишком велик"_s,
         .content = randomBytes(MaxFontBytes + 1, 2)});
    row("FIFO", {.command = Open, .place = Fifo, .reason = u"не обычный файл"_s});
    row("0 bytes is one set", {.command = Open, .content = {}});
    for (const Command save : {Save, SaveAs}) {
        row("folder takes no new files",
            {.command = save, .reason = u"не разрешает создавать в ней файлы"_s, .owner = Nobody});
        row("onto a folder", {.command = save, .place = Folder, .reason = u"это папка"_s});
        row("/dev/full", {.command = save, .place = DevFull, .reason = u"на диске нет места"_s});
        // 49,152 bytes do not fit a write buffer, so they are written directly.
        row("/dev/full, 64 sets",
            {.command = save, .place = DevFull, .reason = u"на диске нет места"_s, .sets = 64});
        row("write-protected file",
            {.command = save, .reason = u"нет прав на запись в этот файл"_s, .owner = ReadOnly});
        row("folder removed", {.command = save, .place = NoFolder, .reason = u"не существует"_s});
        row("FIFO without a reader",
            {.command = save, .place = Fifo, .reason = u"это не обычный файл"_s});
        // EFBIG in the middle of the new content, as a full disk gives ENOSPC.
        row("cut off by RLIMIT_FSIZE",
            {.command = save,
             .reason = u"больше, чем разрешает система"_s,
             .sets = 64,
             .sizeLimit = 4096});
    }
    row("owner, mode, ACL and attributes kept", {.owner = Strange});
    row("owner cannot be given: written in place", {.owner = Other});
    row("every hard link sees the new font", {.place = HardLinked});
    row("a symbolic link stays a link", {.place = Link});
    row("255-byte name", {.place = LongName});
    row("256-byte name",
        {.command = SaveAs, .place = LongName, .reason = u"слишком длинное имя"_s, .content = {}});
    fullDiskRows();
    writerRows();
    gphRows();
}

void TestFaultMatrix::fault()
{
    QFETCH(Row, row);
    const bool asNobody = row.owner != Owner::Root && row.owner != Owner::Strange;
    const bool needsRoot = row.owner != Owner::Root || row.freeKiB >= 0;
    if (needsRoot && ::geteuid() != 0)
        QSKIP("needs root: to mount a small disk, own files as others and run as nobody");

    // Messages must show a path as it is: Cyrillic, a blank, and what QString::arg would fill in.
    QTemporaryDir temporary;
    QVERIFY(temporary.isValid());
    QVERIFY(own(temporary.path(), 0, 0, 0755));
    std::optional<SmallDisk> disk;
    QString base = temporary.path();
    if (row.freeKiB >= 0) {
        base = temporary.filePath(u"disk"_s);
        QVERIFY(QDir(base).mkpath(u"."_s));
        disk.emplace(base);
        if (!disk->isMounted())
            QSKIP(qPrintable(u"cannot mount a tmpfs here: "_s + disk->error()));
    }
    const QDir dir(base + u"/шрифты %1 %2"_s);
    QVERIFY(dir.mkpath(u"."_s));
    const bool gph = row.command == Command::Gph;
    QString name = gph ? u"font.gph"_s : u"font.SpecCHR"_s;
    if (row.place == Place::LongName) // 255 bytes, or 256 for a name the system refuses
        name = QString(123, u'ш') + (row.reason.isEmpty() ? u"x.SpecCHR"_s : u"xy.SpecCHR"_s);
    QString path = dir.filePath(name);
    QString file = path; // the regular file that holds the font
    using enum Place;
    switch (row.place) {
    case LongName:
        if (!row.reason.isEmpty()) // the system refuses the name
            break;
        [[fallthrough]];
    case File:
    case HardLinked:
        QVERIFY(writeFile(path, row.content));
        break;
    case Link:
        file = dir.filePath(u"real.SpecCHR"_s);
        QVERIFY(writeFile(file, row.content) && QFile::link(u"real.SpecCHR"_s, path));
        break;
    case Folder:
        QVERIFY(dir.mkdir(name));
        break;
    case Fifo:
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        break;
    case NoFolder:
        path = dir.filePath(u"gone/font.SpecCHR"_s);
        break;
    case DevFull:
        path = u"/dev/full"_s;
        break;
    case Missing:
        break;
    }
    if (row.place == HardLinked)
        QVERIFY(::link(QFile::encodeName(path).constData(),
                       QFile::encodeName(dir.filePath(u"other.SpecCHR"_s)).constData())
                == 0);
    QVERIFY(prepareOwner(row.owner, dir.path(), file));
    if (disk)
        QVERIFY2(disk->leave(row.freeKiB), "the small disk could not be filled exactly");
    const QMap<QString, QString> filesBefore = snapshot(dir);

    // A session under way: unsaved changes, a selection away from the start, and random pixels
    // a command could change unnoticed in every set.
    EditorState before;
    const QByteArray bits = randomBytes(qsizetype(sizeof before.font.FontPixels), 6);
    std::memcpy(before.font.FontPixels.data(), bits.constData(), size_t(bits.size()));
    before.font.lastSet = row.sets - 1;
    before.font.currentSet = row.sets / 2;
    before.font.currentChar = 57;
    before.font.modified = true;
    before.font.fileName
        = row.command == Command::Save ? path : dir.filePath(u"previous.SpecCHR"_s);
    const QByteArray newFont = encodeSpecChr(before.font);
    const bool replaceQuestion
        = row.command == Command::SaveAs && QFileInfo(path).isFile() && QFileInfo(path).size() > 0;

    const std::optional<QByteArray> childReport = inChild(asNobody, row.sizeLimit, [&] {
        auto state = std::make_unique<EditorState>(before);
        RecordingView view;
        ScriptedServices services;
        FileCommands commands(state->font, state->EditGrid, view, services);
        if (isRead(row.command))
            services.answers.enqueue(MessageAnswer::No); // do not save the changes first
        if (row.command != Command::Save && row.command != Command::Writer)
            services.fileNames.enqueue(path);
        if (replaceQuestion)
            services.answers.enqueue(MessageAnswer::Yes); // replace the file
        bool saved = false;
        switch (row.command) {
        case Command::Open:
            commands.mnuFileOpen();
            break;
        case Command::Gph:
            commands.gphload();
            break;
        case Command::Save:
            saved = commands.mnuFileSave();
            break;
        case Command::SaveAs:
            saved = commands.mnuFileSaveAs();
            break;
        case Command::Writer: {
            const SaveStep failing = *row.fault;
            const QString error = writeWholeFile(
                path, newFont, [&](SaveStep step) { return step == failing ? row.error : 0; });
            saved = error.isEmpty();
            if (!saved)
                services.message(error, applicationTitle(), MessageButtons::Ok);
            break;
        }
        }
        return report(saved, services, *state, view);
    });
    QVERIFY2(childReport, "the command hung, crashed or could not run as nobody");
    Result result;
    readReport(*childReport, result);
    QVERIFY(!result.hung);
    QVERIFY(result.allAnswered);

    // The message names the file as the user chose it and says why.
    const qsizetype questions = replaceQuestion || isRead(row.command) ? 1 : 0;
    QCOMPARE(result.messages.size(), questions + (row.reason.isEmpty() ? 0 : 1));
    if (!row.reason.isEmpty()) {
        const ScriptedServices::Message &message = result.messages.constLast();
        QCOMPARE(message.title, u"Glyphery"_s);
        QVERIFY(message.buttons == MessageButtons::Ok);
        QVERIFY2(message.text.contains(quotedPath(path)) && message.text.contains(row.reason),
                 qPrintable(message.text));
    }

    // Every file in the folder as before, but the font where a save succeeded; nothing left
    // behind. Identity (owner, group, mode, links, attributes) is part of each entry.
    const bool saving = !isRead(row.command);
    const Afterwards expected
        = row.file.value_or(saving && row.reason.isEmpty() ? Afterwards::New : Afterwards::Old);
    QMap<QString, QString> filesAfter = snapshot(dir);
    QMap<QString, QString> filesWanted = filesBefore;
    for (const QString &changed : {QFileInfo(file).fileName(), u"other.SpecCHR"_s}) {
        if (!filesWanted.contains(changed) && changed != name)
            continue;
        if (expected == Afterwards::Unknown) {
            filesAfter.remove(changed);
            filesWanted.remove(changed);
        } else if (expected == Afterwards::New) {
            const QString old = filesWanted.value(changed, identity(dir.filePath(changed)) + u' ');
            filesWanted.insert(
                changed, old.section(u' ', 0, -2) + u' ' + QString::fromLatin1(newFont.toHex()));
        }
    }
    if (row.place == Place::DevFull)
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    QCOMPARE(filesAfter, filesWanted);

    // The font in the store: a new one after a read that succeeded, unchanged otherwise; the
    // unsaved-changes mark cleared only by a save that reached the disk.
    FontStore &font = result.state->font;
    QCOMPARE(result.saved, saving && row.reason.isEmpty());
    if (isRead(row.command) && row.reason.isEmpty()) {
        const int sets = gph ? uchar(row.content[0]) + 1 : 1;
        QCOMPARE(font.lastSet, sets - 1);
        QCOMPARE(font.currentSet, 0);
        QCOMPARE(font.currentChar, 1);
        QCOMPARE(font.modified, false);
        QCOMPARE(font.fileName, gph ? noFileName() : path);
        QVERIFY(result.state->EditGrid == font.FontPixels[0][1]);
        QCOMPARE(result.fontRedraws, 1);
    } else {
        QCOMPARE(font.lastSet, before.font.lastSet);
        QCOMPARE(font.currentSet, before.font.currentSet);
        QCOMPARE(font.currentChar, before.font.currentChar);
        QCOMPARE(font.modified, row.command == Command::Writer || !result.saved);
        QVERIFY(result.state->EditGrid == before.EditGrid);
    }
    auto want = std::make_unique<FontStore>(before.font);
    std::memcpy(want->FontPixels.data(), row.pixels.constData(), size_t(row.pixels.size()));
    QVERIFY(font.FontPixels == want->FontPixels);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestFaultMatrix)
#include "test_fault_matrix.moc"
