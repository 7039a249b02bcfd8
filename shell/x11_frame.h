// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QMargins>
#include <QPoint>
#include <qwindowdefs.h>

#include <functional>
#include <optional>

// What the X server and its window manager tell of the frames around the program's windows.
// Positions and extents are the server's, in device pixels.
namespace Glyphery::X11 {

enum class FrameTeller {
    NoX, // another window system, or none (offscreen): Qt's account is all there is
    NoManager, // an X server without a window manager: a window is its own frame
    Extents, // a window manager that tells each frame by _NET_FRAME_EXTENTS
    Silent, // a window manager that does not: its frame windows must be measured
};

FrameTeller frameTeller();

// The frame's extents as the window manager last told them; none while it has not.
std::optional<QMargins> frameExtents(WId window);

// Where the window's client area is on the screen now.
std::optional<QPoint> clientOnScreen(WId window);

// Asks the window manager to tell the extents of the frame it gives, or will give, the window.
void requestFrameExtents(WId window);

enum class FrameNews {
    Extents, // the window manager told (other) extents
    Mapped, // the window is on the screen, framed if it has a manager
    Configured, // the window's client area is at a place on the screen
};

// Tells of the frame events of one window as the program receives them, in their order: a
// position is that of the event, not the window's place by the time it is handled. Made only
// where the program runs on an X server.
class FrameWatch : public QAbstractNativeEventFilter
{
public:
    using Listener = std::function<void(FrameNews news, QPoint clientOnScreen)>;

    FrameWatch(WId window, Listener listener);
    ~FrameWatch() override;

    bool nativeEventFilter(const QByteArray &type, void *message, qintptr *result) override;

private:
    WId m_window;
    Listener m_listener;
    quint32 m_extentsAtom;
    // Before the window is mapped its configure events tell only where the program put it.
    // Once a window manager has framed it, one that the server sends gives the place within the
    // frame; only those the window manager sends give the place on the screen.
    bool m_mapped = false;
    bool m_inFrame = false;
};

} // namespace Glyphery::X11
