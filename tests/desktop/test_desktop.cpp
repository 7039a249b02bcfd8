// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on a real X server, with a real window manager (openbox) or none: where the
// outer frames go and come back, minimised windows brought back, windows centred on the
// screen, and the program's icon on every window. Positions are read from the X server itself
// (the window manager's frame window), not from Qt.

#include "shell/application.h"
#include "shell/main_window.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int Timeout = 5000;

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

qulonglong capture(const QString &text, const QString &pattern)
{
    const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
    return match.hasMatch() ? match.captured(1).toULongLong(nullptr, 0) : 0;
}

// The outer frame: the top-level ancestor of the window on the X server, which is the window
// manager's frame when there is one and the window itself when there is none.
QRect xFrame(QString id)
{
    for (int depth = 0; depth < 10; ++depth) {
        const QString tree = run(u"xwininfo"_s, {u"-tree"_s, u"-id"_s, id});
        const qulonglong root = capture(tree, u"Root window id: (0x[0-9a-f]+)"_s);
        const qulonglong parent = capture(tree, u"Parent window id: (0x[0-9a-f]+)"_s);
        if (!parent || parent == root)
            break;
        id = QString::number(parent);
    }
    const QString info = run(u"xwininfo"_s, {u"-id"_s, id});
    const int border = 2 * int(capture(info, u"Border width: +(\\d+)"_s));
    return QRect(int(capture(info, u"Absolute upper-left X: +(-?\\d+)"_s)),
                 int(capture(info, u"Absolute upper-left Y: +(-?\\d+)"_s)),
                 int(capture(info, u"Width: +(\\d+)"_s)) + border,
                 int(capture(info, u"Height: +(\\d+)"_s)) + border);
}

QRect xFrame(const QWidget *window)
{
    return xFrame(QString::number(window->winId()));
}

// The X window of another process's main window: the visible one of that title and size.
QString programWindow()
{
    const QString tree = run(u"xwininfo"_s, {u"-root"_s, u"-tree"_s});
    const QRegularExpressionMatch match
        = QRegularExpression(u"(0x[0-9a-f]+) \"Glyphery\": .* 789x401"_s).match(tree);
    return match.hasMatch() ? match.captured(1) : QString();
}

bool hasProgramIcon(const QWidget *window)
{
    return run(u"xprop"_s, {u"-id"_s, QString::number(window->winId()), u"_NET_WM_ICON"_s})
        .contains(u"Icon (16 x 16)"_s);
}

bool centredOnScreen(const QWidget *window)
{
    const QPoint offset = xFrame(window).center() - window->screen()->availableGeometry().center();
    return qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1;
}

// Runs check on the About box while its modal loop runs, then closes it.
bool checkAboutBox(MainWindowHarness &harness, const std::function<bool(QWidget *)> &check)
{
    bool passed = false;
    QTimer poll;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *box = openWindows(u"frmAbout1"_s).value(0);
        if (!box)
            return;
        passed = check(box);
        if (passed || clock.elapsed() > Timeout)
            box->close();
    });
    poll.start(50);
    harness.trigger(u"mnuHelpAbout"_s);
    return passed;
}

} // namespace

class TestDesktop : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(); }
    void placeStartsAt1000TwipsAndIsKeptOverRuns();
    void minimisedWindowsComeBack();
    void secondaryWindowsAreCentredAndEveryWindowCarriesTheIcon();
    void commandLineIsIgnored();

private:
    // run_desktop.sh starts the X server, and openbox or no window manager.
    const bool m_managed = qEnvironmentVariable("GLYPHERY_WINDOW_MANAGER") == u"openbox";
};

// The first start puts the outer frame at 1000 twips. Closed at once, a little later or once
// placed, the frame reopens where it was, run after run.
void TestDesktop::placeStartsAt1000TwipsAndIsKeptOverRuns()
{
    ScriptedServices services;
    {
        MainWindow window(services);
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window).topLeft(), QPoint(67, 67), Timeout);
        QCOMPARE(window.windowHandle()->frameMargins().isNull(), !m_managed);
        window.move(200, 150);
        QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window).topLeft(), QPoint(200, 150), Timeout);
        window.close();
    }
    for (const int wait : {0, 10, 30, 60, 100, 200, 400}) {
        MainWindow window(services);
        window.show();
        QTest::qWait(wait);
        window.close();
        QCOMPARE(services.settings.value(u"MainLeft"_s), u"3000"_s);
        QCOMPARE(services.settings.value(u"MainTop"_s), u"2250"_s);
    }
    MainWindow window(services);
    window.show();
    QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window).topLeft(), QPoint(200, 150), Timeout);
    const QSize frame = xFrame(&window).size();
    window.close();
    QCOMPARE(services.settings.value(u"MainWidth"_s), QString::number(frame.width() * 15));
    QCOMPARE(services.settings.value(u"MainHeight"_s), QString::number(frame.height() * 15));
}

void TestDesktop::minimisedWindowsComeBack()
{
    MainWindowHarness harness;
    for (const auto &[command, name] :
         {std::pair(u"calc"_s, u"Form2"_s), std::pair(u"mnuHelpContents"_s, u"Form1"_s)}) {
        harness.trigger(command);
        QWidget *window = openWindows(name).value(0);
        QVERIFY(window);
        QTRY_VERIFY_WITH_TIMEOUT(window->isActiveWindow(), Timeout);
        window->showMinimized();
        if (m_managed)
            QTRY_VERIFY_WITH_TIMEOUT(!window->isActiveWindow(), Timeout);
        harness.trigger(command);
        QCOMPARE(openWindows(name).value(0), window);
        QTRY_VERIFY_WITH_TIMEOUT(window->isActiveWindow() && !window->isMinimized(), Timeout);
    }
}

void TestDesktop::secondaryWindowsAreCentredAndEveryWindowCarriesTheIcon()
{
    MainWindowHarness harness;
    harness.trigger(u"calc"_s);
    harness.trigger(u"mnuHelpContents"_s);
    for (const QString &name : {u"frmMain"_s, u"Form2"_s, u"Form1"_s}) {
        QVERIFY2(openWindows(name).value(0), qPrintable(name));
        QTRY_VERIFY2_WITH_TIMEOUT(hasProgramIcon(openWindows(name).value(0)), qPrintable(name),
                                  Timeout);
    }
    QTRY_VERIFY_WITH_TIMEOUT(centredOnScreen(openWindows(u"Form1"_s).value(0)), Timeout);
    QVERIFY(checkAboutBox(
        harness, [](QWidget *box) { return centredOnScreen(box) && hasProgramIcon(box); }));
}

// Qt's own options would move the window, mirror it or take it off this display. Ended by a
// signal, the program stores its place and exits normally.
void TestDesktop::commandLineIsIgnored()
{
    QTemporaryDir config;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, config.path());
    program.setProcessEnvironment(environment);
    program.start(QFile::decodeName(GLYPHERY_PROGRAM),
                  {u"-geometry"_s, u"+400+300"_s, u"-reverse"_s, u"-platform"_s, u"offscreen"_s,
                   u"font.SpecCHR"_s});
    QTRY_VERIFY_WITH_TIMEOUT(!programWindow().isEmpty(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(xFrame(programWindow()).topLeft(), QPoint(67, 67), Timeout);
    program.terminate(); // SIGTERM, as a log-out sends: the place is written, the status is 0
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QCOMPARE(QSettings(config.filePath(u"Glyphery/Glyphery.conf"_s), QSettings::IniFormat)
                 .value(u"Settings/MainLeft"_s),
             u"1005"_s);
}

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
