// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop_session.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int StartMilliseconds = 10000;

bool onPath(const char *program)
{
    return std::system(QByteArray("command -v ").append(program).append(" >/dev/null").constData())
        == 0;
}

pid_t spawn(const QList<QByteArray> &arguments)
{
    QList<char *> argv;
    for (const QByteArray &argument : arguments)
        argv.append(const_cast<char *>(argument.constData()));
    argv.append(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : pid;
}

void stop(pid_t &pid)
{
    if (pid <= 0)
        return;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    pid = -1;
}

} // namespace

DesktopSession::DesktopSession(bool withWindowManager)
{
    if (!onPath("Xvfb") || !onPath("xprop") || !onPath("xwininfo"))
        m_problem = u"Xvfb, xprop or xwininfo is not installed (xvfb, x11-utils)"_s;
    else if (withWindowManager && !onPath("openbox"))
        m_problem = u"openbox is not installed"_s;
    else if (startServer() && withWindowManager)
        startWindowManager();
}

DesktopSession::~DesktopSession()
{
    stop(m_windowManager);
    stop(m_server);
}

// Xvfb picks a free display itself and writes its number to the pipe once it accepts clients.
bool DesktopSession::startServer()
{
    int pipe[2];
    if (::pipe(pipe) != 0) {
        m_problem = u"no pipe for Xvfb"_s;
        return false;
    }
    m_server = spawn(QList<QByteArray> {"Xvfb", "-displayfd", QByteArray::number(pipe[1]),
                                        "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    ::close(pipe[1]);
    QByteArray display;
    pollfd ready {pipe[0], POLLIN, 0};
    char digit;
    while (m_server > 0 && ::poll(&ready, 1, StartMilliseconds) == 1
           && ::read(pipe[0], &digit, 1) == 1 && digit != '\n')
        display += digit;
    ::close(pipe[0]);
    if (display.isEmpty()) {
        m_problem = u"Xvfb did not start"_s;
        return false;
    }
    qputenv("DISPLAY", ':' + display);
    return true;
}

// The window manager is ready once it has announced itself on the root window.
bool DesktopSession::startWindowManager()
{
    m_windowManager = spawn(QList<QByteArray> {"openbox", "--sm-disable"});
    for (int wait = 0; m_windowManager > 0 && wait < StartMilliseconds / 50; ++wait) {
        if (std::system("xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'")
            == 0)
            return true;
        ::usleep(50 * 1000);
    }
    m_problem = u"openbox did not start"_s;
    return false;
}

} // namespace Glyphery
