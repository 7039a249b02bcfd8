// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QSocketNotifier;

namespace Glyphery {

// Until a main window takes them over, and again once it is gone, SIGTERM, SIGHUP and SIGINT
// end the program at once with status 0: there is nothing yet, or nothing left, to keep.
void endAtOnceOnTerminationSignals();

// Turns SIGTERM, SIGHUP and SIGINT (log-out, shutdown, a closed terminal, Ctrl+C) into a
// close of the main window, as its close box does, so that the window's place is kept. The
// handler only writes a byte to a socket; the window is closed from the event loop, after any
// modal window in the way has been closed as if cancelled.
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QWidget *mainWindow);
    ~TerminationSignals() override;

private:
    void closeMainWindow();

    QWidget *m_mainWindow;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace Glyphery
