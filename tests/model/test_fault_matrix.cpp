// Every way a file can fail Open, Save, Save As and gph import, one row each. A failure is told
// in a message naming the file and leaves the font, the selection, the file name, the
// unsaved-changes mark and every file on disk as they were. Rows without a reason are accepted.

#include "font/file_commands.h"
#include "font/font_file.h"
#include "font/gph.h"
#include "support/recording_view.h"
#include "support/scripted_services.h"
#include "support/test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstring>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

enum class Command { Open, Save, SaveAs, Gph };
// What lies at the path the command is given. NoRead, NoWrite and NoWriteIn are kernel settings,
// whose modes hold even against root; each is checked before use, and none is ever written.
enum class Target { Missing, File, Folder, Fifo, NoFolder, DevFull, NoRead, NoWrite, NoWriteIn };

// The folder's entries and the target, by type and, for a regular file, content.
QStringList snapshot(const QDir &dir, const QString &target)
{
    QStringList entries;
    QStringList paths
        = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    paths.append(target);
    for (const QString &path : std::as_const(paths)) {
        struct stat status = {};
        ::stat(QFile::encodeName(dir.filePath(path)).constData(), &status); // missing: all 0
        entries.append(
            path + u' ' + QString::number(status.st_mode & S_IFMT) + u' '
            + QString::number(S_ISREG(status.st_mode) ? qHash(fileBytes(dir.filePath(path))) : 0));
    }
    return entries;
}

// The selection, the mark and the file name, as one line to compare.
QString selection(const FontStore &font)
{
    return QString::asprintf("%d %d %d %d ", font.lastSet, font.currentSet, font.currentChar,
                             int(font.modified))
        + font.fileName;
}

void row(Command command, const char *what, Target target, const QString &reason,
         const QByteArray &content = {}, const QByteArray &pixels = {}, int lastSet = 4,
         int sizeLimit = 0)
{
    const char *names[] = {"Open", "Save", "Save As", "gph import"};
    QTest::addRow("%s: %s", names[int(command)], what)
        << command << target << reason << content << pixels << lastSet << sizeLimit;
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
    QTest::addColumn<Command>("command");
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("reason"); // empty: the file is accepted
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QByteArray>("pixels"); // the store's first pixels afterwards
    QTest::addColumn<int>("lastSet"); // of the session before the command
    QTest::addColumn<int>("sizeLimit"); // RLIMIT_FSIZE while the command runs; 0: none
    using enum Command;
    using enum Target;
    row(Open, "missing file", Missing, u"не найден"_s);
    row(Open, "folder", Folder, u"это папка"_s);
    row(Open, "unreadable file", NoRead, u"нет прав на чтение"_s);
    row(Open, "49,153 bytes", File, u"слишком велик"_s, randomBytes(MaxFontBytes + 1, 2));
    row(Open, "FIFO", Fifo, u"не обычный файл"_s);
    row(Open, "0 bytes is one set", File, {});
    for (const Command save : {Save, SaveAs}) {
        row(save, "read-only folder", NoWriteIn, u"нет прав на запись"_s);
        row(save, "onto a folder", Folder, u"это папка"_s);
        row(save, "/dev/full", DevFull, u"на диске нет места"_s);
        // 49,152 bytes do not fit a write buffer, so they are written directly.
        row(save, "/dev/full, 64 sets", DevFull, u"на диске нет места"_s, {}, {}, 63);
        row(save, "file without write permission", NoWrite, u"нет прав на запись"_s);
        row(save, "folder removed", NoFolder, u"не существует"_s);
        row(save, "FIFO without a reader", Fifo, u"это не обычный файл"_s);
        // EFBIG in the middle of the new content, as a full disk gives ENOSPC.
        row(save, "cut off by RLIMIT_FSIZE", File, u"Прежнее содержимое файла не изменилось"_s,
            randomBytes(SetBytes, 5), {}, 63, 4096);
    }
    const QByteArray ink(GphSetBytes, '\1');
    row(Gph, "empty", File, u"пуст"_s);
    row(Gph, "header 64", File, u"в нём 65 наборов"_s, '\x40' + ink);
    row(Gph, "header 255", File, u"в нём 256 наборов"_s, '\xff' + ink);
    row(Gph, "truncated in set 1", File, {}, '\1' + ink + QByteArray(20, '\1'),
        ink + QByteArray(20, '\1') + QByteArray(GphSetBytes - 20, '\0'));
    row(Gph, "trailing bytes ignored", File, {}, '\0' + ink + QByteArray(900, '\1'), ink);
    row(Gph, "pixel byte 2 is ink", File, {}, '\0' + QByteArray(GphSetBytes, '\2'), ink);
}

void TestFaultMatrix::fault()
{
    using enum Command;
    QFETCH(Command, command);
    QFETCH(Target, target);
    QFETCH(QString, reason);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, pixels);
    QFETCH(int, lastSet);
    QFETCH(int, sizeLimit);
    // Messages must show a path as it is: Cyrillic, a blank, and what QString::arg would fill in.
    QTemporaryDir temporary;
    const QDir dir(temporary.filePath(u"шрифты %1 %2"_s));
    QVERIFY(temporary.isValid() && dir.mkpath(u"."_s));
    QString path = dir.filePath(command == Gph ? u"font.gph"_s : u"font.SpecCHR"_s);
    using enum Target;
    if (target == File)
        QVERIFY(writeFile(path, content));
    if (target == Folder)
        QVERIFY(dir.mkdir(QFileInfo(path).fileName()));
    if (target == Fifo)
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    if (target == NoFolder)
        path = dir.filePath(u"gone/font.SpecCHR"_s);
    const QMap<Target, QString> standIns = {{DevFull, u"/dev/full"_s},
                                            {NoRead, u"/proc/sys/vm/drop_caches"_s},
                                            {NoWrite, u"/proc/sys/kernel/ostype"_s},
                                            {NoWriteIn, u"/proc/sys/kernel/font.SpecCHR"_s}};
    path = standIns.value(target, path);
    const QString checked = target == NoWriteIn ? QFileInfo(path).path() : path;
    if (standIns.contains(target)
        && (!QFileInfo::exists(checked)
            || (target != DevFull
                && ::access(QFile::encodeName(checked).constData(), target == NoRead ? R_OK : W_OK)
                    == 0)))
        QSKIP("a stand-in is missing, or this user may read or write it after all");
    const QStringList filesBefore = snapshot(dir, path);

    // A session under way: unsaved changes, a selection away from the start, and pixels a
    // command could change unnoticed in every set.
    auto state = std::make_unique<EditorState>();
    const QByteArray bits = randomBytes(qsizetype(sizeof state->font.FontPixels), 6);
    std::memcpy(state->font.FontPixels.data(), bits.constData(), size_t(bits.size()));
    state->font.lastSet = lastSet;
    state->font.currentSet = lastSet / 2;
    state->font.currentChar = 57;
    state->font.modified = true;
    state->font.fileName = command == Save ? path : dir.filePath(u"previous.SpecCHR"_s);
    const auto before = std::make_unique<EditorState>(*state);
    RecordingView view;
    ScriptedServices services;
    FileCommands commands(*state, view, services);
    if (command == Open || command == Gph)
        services.answers.enqueue(MessageAnswer::No); // do not save the changes first
    if (command != Save)
        services.fileNames.enqueue(path);
    if (command == SaveAs && QFileInfo(path).isFile() && QFileInfo(path).size() > 0)
        services.answers.enqueue(MessageAnswer::Yes); // replace the file
    const qsizetype questions = services.answers.size();

    rlimit limit {};
    QVERIFY(::getrlimit(RLIMIT_FSIZE, &limit) == 0);
    const rlimit previousLimit = limit;
    limit.rlim_cur = sizeLimit ? rlim_t(sizeLimit) : limit.rlim_cur;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
    std::signal(SIGXFSZ, SIG_IGN); // a write past the limit fails instead of ending the test
    // A command that waits on a FIFO for its other end fails the row instead of hanging.
    std::signal(SIGALRM, [](int) { qFatal("the command hung"); });
    ::alarm(2);
    bool saved = false;
    if (command == Open)
        commands.mnuFileOpen();
    else if (command == Gph)
        commands.gphload();
    else
        saved = command == Save ? commands.mnuFileSave() : commands.mnuFileSaveAs();
    ::alarm(0);
    ::setrlimit(RLIMIT_FSIZE, &previousLimit);

    QVERIFY(services.allAnswered());
    QVERIFY(!saved);
    QCOMPARE(snapshot(dir, path), filesBefore);
    QCOMPARE(services.messages.size(), questions + (reason.isEmpty() ? 0 : 1));
    auto want = std::make_unique<FontStore>(before->font);
    std::memcpy(want->FontPixels.data(), pixels.constData(), size_t(pixels.size()));
    QCOMPARE(state->font.FontPixels == want->FontPixels, true);
    if (reason.isEmpty()) { // one font from the file, its set 0 character 33 selected
        const int sets = command == Gph ? uchar(content[0]) : 0;
        QCOMPARE(selection(state->font),
                 u"%1 0 1 0 "_s.arg(sets) + (command == Gph ? noFileName() : path));
        QVERIFY(state->EditGrid == state->font.FontPixels[0][1]);
        QCOMPARE(view.fontRedraws, 1);
        return;
    }
    const ScriptedServices::Message &message = services.messages.constLast();
    QCOMPARE(message.title, u"Glyphery"_s);
    QVERIFY(message.buttons == MessageButtons::Ok);
    QVERIFY2(message.text.contains(quotedPath(path)) && message.text.contains(reason),
             qPrintable(message.text));
    QCOMPARE(selection(state->font), selection(before->font));
    QVERIFY(state->EditGrid == before->EditGrid);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestFaultMatrix)
#include "test_fault_matrix.moc"
