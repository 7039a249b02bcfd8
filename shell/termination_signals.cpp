// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/termination_signals.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <atomic>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace Glyphery {

namespace {

constexpr int Signals[] = {SIGTERM, SIGHUP, SIGINT};
int wakeUp[2] = {-1, -1}; // the handler writes to [0], the event loop reads [1]
std::atomic<int> windowWaker {-1}; // wakeUp[0] while a main window takes the signals

void handle(int)
{
    const int waker = windowWaker.load();
    if (waker < 0)
        ::_exit(0);
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(waker, &byte, 1);
}

} // namespace

void endAtOnceOnTerminationSignals()
{
    struct sigaction action = {};
    action.sa_handler = handle;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : Signals)
        ::sigaction(signal, &action, nullptr);
}

TerminationSignals::TerminationSignals(QWidget *mainWindow)
    : m_mainWindow(mainWindow)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, wakeUp) != 0)
        return;
    m_notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(wakeUp[1], bytes, sizeof bytes) > 0) { }
        closeMainWindow();
    });
    windowWaker.store(wakeUp[0]);
    endAtOnceOnTerminationSignals();
}

TerminationSignals::~TerminationSignals()
{
    windowWaker.store(-1);
    for (int &end : wakeUp) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

// A modal window runs its own event loop, which must end before the main window can; closing
// it counts as Cancel, so no command goes on to ask or write anything.
void TerminationSignals::closeMainWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget()) {
        modal->close();
        QTimer::singleShot(0, this, &TerminationSignals::closeMainWindow);
        return;
    }
    m_mainWindow->close();
}

} // namespace Glyphery
