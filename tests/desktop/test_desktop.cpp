// SPDX-License-Identifier: GPL-3.0-or-later
// The windows on a real X server, under a real window manager or none (run_desktop.sh starts
// them, and keeps every core busy for the runs under load): where the outer frames go and come
// back, minimised windows brought back, windows centred on the screen, and the program's icon on
// every window. Positions are read from the X server itself (the window manager's frame
// window), not from Qt, and the mouse is the X server's.

#include "shell/application.h"
#include "shell/frame_placer.h"
#include "shell/main_window.h"
#include "support/main_window_harness.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

namespace {

// Long enough for a window manager that shares the cores with a load.
constexpr int Timeout = 15000;

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
// manager's frame when there is one and the window itself when there is none; or, looking up
// no level, the window itself.
QRect xFrame(QString id, int levelsUp = 10)
{
    for (int depth = 0; depth < levelsUp; ++depth) {
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

// A click of the X server's mouse, as a user's, at a point of the screen.
void click(QPoint at)
{
    run(u"xdotool"_s,
        {u"mousemove"_s, u"--sync"_s, QString::number(at.x()), QString::number(at.y()), u"click"_s,
         u"1"_s});
}

// Whether the window manager lets a window without a minimise button be minimised.
bool mayBeMinimised(const QWidget *window)
{
    return run(u"xprop"_s,
               {u"-id"_s, QString::number(window->winId()), u"_NET_WM_ALLOWED_ACTIONS"_s})
        .contains(u"_NET_WM_ACTION_MINIMIZE"_s);
}

// Who holds the mouse when a click does not open a menu: the program, by a menu still open or a
// grab of its own, or another client of the X server, such as the window manager, which a
// connection of this test's own cannot take the mouse from.
QString mouseHolder()
{
    if (const QWidget *menu = QApplication::activePopupWidget())
        return u"the program's open menu "_s + menu->objectName();
    if (const QWidget *grabber = QWidget::mouseGrabber())
        return u"the program's grab for "_s + grabber->objectName();
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::unique_ptr<xcb_grab_pointer_reply_t, decltype(&std::free)> grab(
        xcb_grab_pointer_reply(x,
                               xcb_grab_pointer(x, 0, root, 0, XCB_GRAB_MODE_ASYNC,
                                                XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                                                XCB_CURRENT_TIME),
                               nullptr),
        &std::free);
    xcb_disconnect(x); // and the grab with it
    return grab && grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED
        ? u"another client of the X server"_s
        : u"nobody"_s;
}

bool placed(const QWidget *window)
{
    return !window->findChild<FramePlacer *>()->isPlacing();
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
    void placeIsKeptOverRuns();
    void minimisedWindowsComeBack();
    void secondaryWindowsAreCentredAndEveryWindowCarriesTheIcon();
    void commandLineIsIgnored();

private:
    // run_desktop.sh starts the X server, and a window manager or none.
    const bool m_managed = qEnvironmentVariable("GLYPHERY_WINDOW_MANAGER") != u"none";
};

// The first start puts the outer frame at 1000 twips. Moved, then closed at once, a little
// later or once placed, the frame reopens where it was, run after run, and its size is the
// frame's each time.
void TestDesktop::placeIsKeptOverRuns()
{
    ScriptedServices services;
    QSize frame;
    {
        MainWindow window(services);
        window.show();
        QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window).topLeft(), QPoint(67, 67), Timeout);
        QTRY_VERIFY_WITH_TIMEOUT(placed(&window), Timeout);
        QCOMPARE(xFrame(&window).size() != window.size(), m_managed);
        window.move(300, 200);
        QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window).topLeft(), QPoint(300, 200), Timeout);
        frame = xFrame(&window).size();
        window.close();
    }
    const QStringList stored = {u"4500"_s, u"3000"_s, QString::number(frame.width() * 15),
                                QString::number(frame.height() * 15)};
    for (const int wait : {0, 10, 30, 60, 100, 200, 400, -1}) {
        MainWindow window(services);
        window.show();
        if (wait < 0)
            QTRY_COMPARE_WITH_TIMEOUT(xFrame(&window), QRect(QPoint(300, 200), frame), Timeout);
        else
            QTest::qWait(wait);
        window.close();
        QCOMPARE(QStringList({services.settings.value(u"MainLeft"_s),
                              services.settings.value(u"MainTop"_s),
                              services.settings.value(u"MainWidth"_s),
                              services.settings.value(u"MainHeight"_s)}),
                 stored);
    }
}

// Minimised by the window manager and brought back from its menu, a window is in front, and the
// menu opens again at the next click. Everything goes through the X server's mouse, as a user's.
void TestDesktop::minimisedWindowsComeBack()
{
    MainWindowHarness harness; // where the mouse finds it
    QTRY_VERIFY_WITH_TIMEOUT(placed(&harness.window), Timeout);
    QTRY_COMPARE_WITH_TIMEOUT(harness.window.geometry(),
                              xFrame(QString::number(harness.window.winId()), 0), Timeout);
    QMenuBar *bar = harness.window.menuBar();
    for (const auto &[menu, command, name] :
         {std::tuple(u"mnutools"_s, u"calc"_s, u"Form2"_s),
          std::tuple(u"mnuHelp"_s, u"mnuHelpContents"_s, u"Form1"_s)}) {
        auto *list = harness.child<QMenu>(menu);
        QAction *item = harness.window.command(command);
        const QString window = name; // structured bindings are not captured before clang 16
        const auto choose = [&] {
            click(bar->mapToGlobal(bar->actionGeometry(list->menuAction()).center()));
            QTRY_VERIFY_WITH_TIMEOUT(list->isVisible(), Timeout);
            click(list->mapToGlobal(list->actionGeometry(item).center()));
            QTRY_VERIFY_WITH_TIMEOUT(openWindows(window).size() == 1, Timeout);
        };
        choose();
        QWidget *shown = openWindows(name).value(0);
        QTRY_VERIFY_WITH_TIMEOUT(shown->isActiveWindow(), Timeout);
        // A window without a minimise button is minimised by the window manager's own means,
        // where it has them.
        if (m_managed && mayBeMinimised(shown)) {
            run(u"xdotool"_s, {u"windowminimize"_s, QString::number(shown->winId())});
            QTRY_VERIFY_WITH_TIMEOUT(shown->isMinimized() && !shown->isActiveWindow(), Timeout);
        }
        choose();
        QCOMPARE(openWindows(name).value(0), shown);
        QTRY_VERIFY_WITH_TIMEOUT(shown->isActiveWindow() && !shown->isMinimized(), Timeout);
        click(bar->mapToGlobal(bar->actionGeometry(list->menuAction()).center()));
        QTRY_VERIFY2_WITH_TIMEOUT(list->isVisible(),
                                  qPrintable(menu + u" held by "_s + mouseHolder()), Timeout);
        list->close();
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
