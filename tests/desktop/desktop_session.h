// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <sys/types.h>

namespace Glyphery {

// A real X server (Xvfb) and, on request, a real window manager (openbox), started for one
// test program before its QApplication and stopped when it ends. DISPLAY names the server.
class DesktopSession
{
public:
    explicit DesktopSession(bool withWindowManager);
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    // Why the desktop could not be started; empty when it runs.
    QString problem() const { return m_problem; }

private:
    bool startServer();
    bool startWindowManager();

    pid_t m_server = -1;
    pid_t m_windowManager = -1;
    QString m_problem;
};

} // namespace Glyphery
