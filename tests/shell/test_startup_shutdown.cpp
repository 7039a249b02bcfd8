// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_services.h"
#include "shell/termination_signals.h"
#include "shell/window_place.h"
#include "support/main_window_harness.h"
#include "support/test_files.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <memory>

#include <sys/stat.h>
#include <unistd.h>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

bool visibleTopLevel(const QString &name)
{
    const auto windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [&name](QWidget *window) {
        return window->objectName() == name && window->isVisible();
    });
}

} // namespace

class TestStartupShutdown : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void startsBlackOnWhiteWithOneBlankSet();
    void opensAtTheStoredPlace_data();
    void opensAtTheStoredPlace();
    void placeRoundTripsThroughTwips();
    void closingWritesThePlaceInTwips();
    void closingWhileMinimisedWritesNothing();
    void closingClosesTheOtherWindowsAndAsksNothing();
    void qtSettingsLiveInTheGlypheryFile();
    void unusableSettingsFileIsLeftAlone_data();
    void unusableSettingsFileIsLeftAlone();
    void signalClosesLikeTheCloseBox_data();
    void signalClosesLikeTheCloseBox();
    void signalEndsTheProgramWithStatusZero();

private:
    QTemporaryDir m_config;
};

void TestStartupShutdown::initTestCase()
{
    // The real user's settings are never touched.
    QVERIFY(m_config.isValid());
    QStandardPaths::setTestModeEnabled(true);
}

void TestStartupShutdown::startsBlackOnWhiteWithOneBlankSet()
{
    MainWindowHarness harness;
    QCOMPARE(harness.state().inkColor, 0);
    QCOMPARE(harness.state().paperColor, 15);
    QCOMPARE(harness.font().setCount(), 1);
    QCOMPARE(harness.font().currentChar, 1);
    QCOMPARE(harness.font().fileName, u"*"_s);
    QVERIFY(!harness.font().modified);
    QVERIFY(harness.services.messages.isEmpty());
    QVERIFY(harness.services.dialogs.isEmpty());
    QCOMPARE(harness.font().glyph(0, 1), Glyph {});
    QCOMPARE(harness.stripPixel(30, 4), 0xffffffffu);
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
}

void TestStartupShutdown::opensAtTheStoredPlace()
{
    QFETCH(QString, left);
    QFETCH(QString, top);
    QFETCH(QPoint, position);
    ScriptedServices services;
    if (!left.isNull()) {
        services.settings.insert(u"MainLeft"_s, left);
        services.settings.insert(u"MainTop"_s, top);
    }
    MainWindow window(services);
    QCOMPARE(window.pos(), position);
}

void TestStartupShutdown::placeRoundTripsThroughTwips()
{
    ScriptedServices services;
    for (const QPoint place : {QPoint(0, 0), QPoint(123, 45), QPoint(-7, 2000)}) {
        storeWindowPlace(services, QRect(place, QSize(800, 450)));
        QCOMPARE(storedWindowPosition(services), place);
    }
}

void TestStartupShutdown::closingWritesThePlaceInTwips()
{
    auto harness = std::make_unique<MainWindowHarness>();
    harness->window.move(40, 50);
    const QRect frame = harness->window.frameGeometry();
    harness->window.close();
    const auto &settings = harness->services.settings;
    QCOMPARE(harness->services.writtenKeys,
             QStringList({u"MainLeft"_s, u"MainTop"_s, u"MainWidth"_s, u"MainHeight"_s}));
    QCOMPARE(settings.value(u"MainLeft"_s), QString::number(frame.x() * 15));
    QCOMPARE(settings.value(u"MainTop"_s), QString::number(frame.y() * 15));
    QCOMPARE(settings.value(u"MainWidth"_s), QString::number(frame.width() * 15));
    QCOMPARE(settings.value(u"MainHeight"_s), QString::number(frame.height() * 15));
}

void TestStartupShutdown::closingWhileMinimisedWritesNothing()
{
    MainWindowHarness harness;
    harness.services.settings.insert(u"MainLeft"_s, u"4500"_s);
    harness.window.setWindowState(Qt::WindowMinimized);
    harness.window.close();
    QVERIFY(harness.services.writtenKeys.isEmpty());
    QCOMPARE(harness.services.settings.value(u"MainLeft"_s), u"4500"_s);
}

void TestStartupShutdown::closingClosesTheOtherWindowsAndAsksNothing()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    harness.trigger(u"mnuHelpContents"_s);
    QVERIFY(visibleTopLevel(u"Form2"_s));
    QVERIFY(visibleTopLevel(u"Form1"_s));
    harness.font().modified = true;
    harness.trigger(u"mnuFileExit"_s);
    QVERIFY(!harness.window.isVisible());
    QVERIFY(!visibleTopLevel(u"Form2"_s));
    QVERIFY(!visibleTopLevel(u"Form1"_s));
    QVERIFY(harness.services.messages.isEmpty());
}

void TestStartupShutdown::qtSettingsLiveInTheGlypheryFile()
{
    const QString path = m_config.filePath(u"Glyphery/Glyphery.conf"_s);
    {
        QtServices services(path);
        QCOMPARE(services.readSetting(u"MainLeft"_s, u"1000"_s), u"1000"_s);
        services.writeSetting(u"MainLeft"_s, u"-60"_s);
    }
    QSettings file(path, QSettings::IniFormat);
    QCOMPARE(file.value(u"Settings/MainLeft"_s).toString(), u"-60"_s);
    QtServices again(path);
    QCOMPARE(again.readSetting(u"MainLeft"_s, u"1000"_s), u"-60"_s);
}

// What lies where the settings file should be. Anything but a small regular file is neither
// read (a FIFO would block start-up for ever) nor replaced when the program ends.
void TestStartupShutdown::unusableSettingsFileIsLeftAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("FIFO") << u"fifo"_s;
    QTest::newRow("folder") << u"folder"_s;
    QTest::newRow("link to a device") << u"device"_s;
    QTest::newRow("64 KiB and one byte") << u"huge"_s;
}

void TestStartupShutdown::unusableSettingsFileIsLeftAlone()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"Glyphery.conf"_s);
    const QByteArray huge = "[Settings]\nMainLeft=1500\n" + QByteArray(64 * 1024, '#');
    if (kind == u"fifo")
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
    if (kind == u"folder")
        QVERIFY(QDir(folder.path()).mkdir(u"Glyphery.conf"_s));
    if (kind == u"device")
        QVERIFY(QFile::link(u"/dev/null"_s, path));
    if (kind == u"huge")
        QVERIFY(writeFile(path, huge));
    const QFileInfo before(path);
    std::signal(SIGALRM, [](int) { qFatal("reading the settings blocked"); });
    ::alarm(5);
    {
        QtServices services(path);
        QCOMPARE(services.readSetting(u"MainLeft"_s, u"1000"_s), u"1000"_s);
        services.writeSetting(u"MainLeft"_s, u"-60"_s);
    }
    ::alarm(0);
    const QFileInfo after(path);
    QCOMPARE(after.isSymLink(), before.isSymLink());
    QCOMPARE(after.isDir(), before.isDir());
    QCOMPARE(after.isFile(), before.isFile());
    if (kind == u"huge")
        QCOMPARE(fileBytes(path), huge);
}

void TestStartupShutdown::signalClosesLikeTheCloseBox_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("minimised");
    QTest::addColumn<bool>("aboutOpen"); // a modal window runs its own event loop
    QTest::newRow("SIGTERM") << SIGTERM << false << false;
    QTest::newRow("SIGHUP over the About box") << SIGHUP << false << true;
    QTest::newRow("SIGINT while minimised") << SIGINT << true << false;
}

void TestStartupShutdown::signalClosesLikeTheCloseBox()
{
    QFETCH(int, signal);
    QFETCH(bool, minimised);
    QFETCH(bool, aboutOpen);
    MainWindowHarness harness;
    TerminationSignals termination(&harness.window);
    harness.window.show();
    harness.trigger(u"calc"_s);
    harness.font().modified = true;
    if (minimised)
        harness.window.setWindowState(Qt::WindowMinimized);
    QTimer::singleShot(10, [signal] { ::raise(signal); });
    if (aboutOpen)
        harness.trigger(u"mnuHelpAbout"_s); // returns once the signal has closed the box
    QTRY_VERIFY(!harness.window.isVisible());
    QVERIFY(!visibleTopLevel(u"Form2"_s));
    QVERIFY(!visibleTopLevel(u"frmAbout1"_s));
    QVERIFY(harness.services.messages.isEmpty());
    QCOMPARE(harness.services.writtenKeys.size(), minimised ? 0 : 4);
}

// The real program, ended by a signal as a log-out ends it: status 0, its place written.
void TestStartupShutdown::signalEndsTheProgramWithStatusZero()
{
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    program.setProcessEnvironment(environment);
    program.start(QFile::decodeName(GLYPHERY_PROGRAM), {});
    QVERIFY(program.waitForStarted());
    // The handlers are in place once the kernel lists SIGTERM among the caught signals.
    const QString status = u"/proc/%1/status"_s.arg(program.processId());
    const auto catchesTerm = [&] {
        const QByteArray text = fileBytes(status);
        const qsizetype at = text.indexOf("SigCgt:");
        return at >= 0
            && (text.mid(at + 7, 17).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
    };
    QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(), 20000);
    QTest::qWait(200);
    ::kill(pid_t(program.processId()), SIGTERM);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QSettings file(config.filePath(u"Glyphery/Glyphery.conf"_s), QSettings::IniFormat);
    QCOMPARE(file.allKeys().size(), 4);
}

QTEST_MAIN(TestStartupShutdown)
#include "test_startup_shutdown.moc"
