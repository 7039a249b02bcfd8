// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and shutdown: the window's place in the settings, the settings file itself, and the
// ends a log-out or a closed terminal bring, from the program's first instant (the real
// program's end by a signal once shown is in the desktop suite).

#include "shell/qt_services.h"
#include "shell/termination_signals.h"
#include "support/main_window_harness.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

class TestStartupShutdown : public QObject
{
    Q_OBJECT
private slots:
    void startsBlackOnWhiteWithOneBlankSet();
    void opensAtTheStoredPlace_data();
    void opensAtTheStoredPlace();
    void closing_data();
    void closing();
    void settingsFile_data();
    void settingsFile();
    void signalBeforeTheWindow();
};

void TestStartupShutdown::startsBlackOnWhiteWithOneBlankSet()
{
    MainWindowHarness h;
    QCOMPARE(QString::asprintf("%d %d %d %d %d", h.state().inkColor, h.state().paperColor,
                               h.font().setCount(), h.font().currentChar, int(h.font().modified)),
             u"0 15 1 1 0"_s);
    QCOMPARE(h.font().fileName, u"*"_s);
    QVERIFY(h.services.messages.isEmpty() && h.services.dialogs.isEmpty());
    QCOMPARE(h.stripPixel(30, 4), 0xffffffffu);
}

void TestStartupShutdown::opensAtTheStoredPlace_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("top");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("nothing stored: 1000 twips") << QString() << QString() << QPoint(67, 67);
    QTest::newRow("stored") << u"1500"_s << u"3000"_s << QPoint(100, 200);
    QTest::newRow("negative, off screen") << u"-60"_s << u"150"_s << QPoint(-4, 10);
    QTest::newRow("not a number") << u"abc"_s << u"12.5"_s << QPoint(67, 67);
    QTest::newRow("beyond the window system")
        << u"-2147483648"_s << u"2147483647"_s << QPoint(-32768, 32767);
}

void TestStartupShutdown::opensAtTheStoredPlace()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, position);
    ScriptedServices services;
    if (!left.isNull())
        services.settings = {{u"MainLeft"_s, left}, {u"MainTop"_s, top}};
    MainWindow window(services);
    QCOMPARE(window.pos(), position);
}

// Closing, by the close box, "Выход" or a signal (over a modal box too), closes the other
// windows, asks nothing, and writes the outer frame in twips, unless the window is minimised.
void TestStartupShutdown::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("minimised");
    for (const QString &how : {u"mnuFileExit"_s, u"SIGTERM"_s, u"SIGHUP over About"_s})
        QTest::newRow(qPrintable(how)) << how << false;
    QTest::newRow("SIGINT while minimised") << u"SIGINT"_s << true;
    QTest::newRow("close box while minimised") << u"close"_s << true;
}

void TestStartupShutdown::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, minimised);
    MainWindowHarness h;
    TerminationSignals termination(&h.window);
    h.window.move(40, 50);
    const QRect frame = h.window.frameGeometry();
    h.trigger(u"calc"_s);
    h.trigger(u"mnuHelpContents"_s);
    h.font().modified = true;
    h.services.settings.insert(u"MainLeft"_s, u"4500"_s);
    if (minimised)
        h.window.setWindowState(Qt::WindowMinimized);
    const int signal = how.startsWith(u"SIGTERM") ? SIGTERM
        : how.startsWith(u"SIGHUP")               ? SIGHUP
                                                  : SIGINT;
    if (how == u"close")
        h.window.close();
    else if (how == u"mnuFileExit")
        h.trigger(how);
    else
        QTimer::singleShot(10, [signal] { ::raise(signal); });
    if (how.endsWith(u"About"))
        h.trigger(u"mnuHelpAbout"_s); // returns once the signal has closed the box
    QTRY_VERIFY(!h.window.isVisible());
    for (const QString &other : {u"Form1"_s, u"Form2"_s, u"frmAbout1"_s})
        QVERIFY2(openWindows(other).isEmpty(), qPrintable(other));
    QVERIFY(h.services.messages.isEmpty());
    const QStringList written = {u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s};
    QCOMPARE(h.services.writtenKeys, minimised ? QStringList() : written);
    const QList<int> values = {frame.x(), frame.y(), frame.width(), frame.height()};
    for (qsizetype i = 0; !minimised && i < written.size(); ++i)
        QCOMPARE(h.services.settings.value(written[i]), QString::number(values[i] * 15));
    if (minimised)
        QCOMPARE(h.services.settings.value(u"MainLeft"_s), u"4500"_s);
}

// What lies where the settings file should be at start-up, and what comes there while the
// program runs. A small regular file, or none, is read and written; anything else is neither
// read (a FIFO would block) nor replaced, and no lock file in the way can hold the program.
void TestStartupShutdown::settingsFile_data()
{
    QTest::addColumn<QString>("atStart");
    QTest::addColumn<QString>("atEnd");
    for (const char *kind : {"absent", "regular", "64 KiB", "FIFO", "folder", "link to a device",
                             "huge", "lock a folder", "lock a FIFO"})
        QTest::newRow(kind) << QString::fromLatin1(kind) << QString();
    for (const char *kind : {"FIFO", "link to a device", "huge"})
        QTest::addRow("becomes %s", kind) << u"regular"_s << QString::fromLatin1(kind);
}

void TestStartupShutdown::settingsFile()
{
    QFETCH(QString, atStart);
    QFETCH(QString, atEnd);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Glyphery/Glyphery.conf"_s);
    const QByteArray stored = "[Settings]\nMainLeft=1500\n";
    const QByteArray huge = stored + QByteArray(64 * 1024, '#');
    const auto make = [&](const QString &kind) {
        QVERIFY(QDir(folder.path()).mkpath(u"Glyphery"_s) && (QFile::remove(path) || true));
        if (kind == u"regular" || kind.startsWith(u"lock"))
            QVERIFY(writeFile(path, stored));
        if (kind == u"64 KiB") // the largest file read: a comment fills it up
            QVERIFY(writeFile(
                path, stored + ';' + QByteArray(64 * 1024 - stored.size() - 2, 'x') + '\n'));
        const QString fifo = kind == u"FIFO" ? path : path + u".lock"_s;
        if (kind.endsWith(u"FIFO"))
            QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        if (kind == u"folder" || kind == u"lock a folder")
            QVERIFY(QDir().mkpath(kind == u"folder" ? path : path + u".lock"_s));
        if (kind == u"link to a device")
            QVERIFY(QFile::link(u"/dev/null"_s, path));
        if (kind == u"huge")
            QVERIFY(writeFile(path, huge));
    };
    make(atStart);
    const bool stores
        = atStart == u"regular" || atStart == u"64 KiB" || atStart.startsWith(u"lock");
    std::signal(SIGALRM, [](int) { qFatal("the settings file held the program"); });
    ::alarm(5);
    {
        QtServices services(path);
        QCOMPARE(services.readSetting(u"MainLeft"_s, u"1000"_s), stores ? u"1500"_s : u"1000"_s);
        services.writeSetting(u"MainLeft"_s, u"-60"_s);
        if (!atEnd.isEmpty())
            make(atEnd);
        services.saveSettings();
    }
    ::alarm(0);
    const QString last = atEnd.isEmpty() ? atStart : atEnd;
    const bool written = last == u"absent" || (stores && atEnd.isEmpty());
    if (written)
        QVERIFY(fileBytes(path).startsWith("[Settings]\nMainLeft=-60\n"));
    QCOMPARE(QFileInfo(path).isSymLink(), last == u"link to a device");
    QCOMPARE(QFileInfo(path).isDir(), last == u"folder");
    QCOMPARE(QFileInfo(path).isFile(), written || last == u"huge");
    if (last == u"huge")
        QCOMPARE(fileBytes(path), huge);
}

// From the first line of the program, before its window exists, a termination signal ends it
// at once, cleanly and without a window to keep the place of. The program runs at the lowest
// priority and is stopped as soon as it has a handler (SigCgt has SIGTERM's bit); a start
// stopped that early has not loaded Qt's platform plugin yet, which its window needs. A start
// the test caught too late, on a busy machine, must end cleanly too, and is tried again.
void TestStartupShutdown::signalBeforeTheWindow()
{
    QTemporaryDir config;
    int early = 0;
    for (int start = 0; early < 3 && start < 30; ++start) {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
        program.setProcessEnvironment(environment);
        program.setChildProcessModifier([] { [[maybe_unused]] const int niceness = ::nice(19); });
        program.start(QFile::decodeName(GLYPHERY_PROGRAM), {});
        QVERIFY(program.waitForStarted());
        const auto pid = pid_t(program.processId());
        const QString proc = u"/proc/%1/"_s.arg(pid);
        for (bool caught = false; !caught; ::usleep(50)) {
            const QByteArray status = fileBytes(proc + u"status"_s);
            QVERIFY2(!status.isEmpty(), "the program ended by itself");
            const QByteArray mask = status.mid(status.indexOf("SigCgt:") + 7, 17).trimmed();
            caught = mask.toULongLong(nullptr, 16) >> (SIGTERM - 1) & 1;
        }
        ::kill(pid, SIGSTOP);
        const bool beforeTheWindow = !fileBytes(proc + u"maps"_s).contains("platforms/libq");
        ::kill(pid, SIGTERM);
        ::kill(pid, SIGCONT);
        QVERIFY(program.waitForFinished());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        if (beforeTheWindow) {
            QVERIFY(!QFileInfo::exists(config.filePath(u"Glyphery"_s)));
            ++early;
        }
        QDir(config.filePath(u"Glyphery"_s)).removeRecursively();
    }
    QCOMPARE(early, 3);
}

QTEST_MAIN(TestStartupShutdown)
#include "test_startup_shutdown.moc"
