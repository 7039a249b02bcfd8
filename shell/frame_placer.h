// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/x11_frame.h"

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace Glyphery {

// Puts a window's outer frame at a place on the screen and tells where the frame is, from what
// the window manager says: the window is created with its frame's place, which window managers
// keep, and once the window manager has told the frame (_NET_FRAME_EXTENTS) and where it put
// the window, the frame is moved where it goes if it is not there. Nothing is concluded before
// the frame is known, however long the window manager takes.
class FramePlacer : public QObject
{
    Q_OBJECT
public:
    // Where the frame's top-left corner goes, given the frame's size.
    using Placement = std::function<QPoint(QSize frame)>;

    static Placement at(QPoint topLeft);
    static Placement centredIn(QRect area);

    // Made before the window is first shown. frameGuess: the frame's margins until the window
    // manager tells them, as those of a window it has framed already.
    FramePlacer(QWidget *window, Placement placement, QMargins frameGuess = {});

    // The outer frame; while the window is being placed, the place it is being put at. A window
    // manager that has not told the frame yet is asked, and its answer awaited a while.
    QRect frame();

    // The frame's margins as the window manager told them, or as guessed until it does.
    QMargins extents() const;

    // True until the window manager has framed the window where it goes, or is not fought any
    // more.
    bool isPlacing() const { return m_placing; }

signals:
    // The window manager has told the frame's extents, which a close may be waiting for.
    void extentsTold();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hear(X11::FrameNews news, QPoint clientOnScreen);
    void judge();
    void finish();
    void awaitExtents();
    QPoint logical(QPoint device) const;

    QWidget *m_window;
    Placement m_placement;
    QMargins m_guess;
    X11::FrameTeller m_teller;
    std::unique_ptr<X11::FrameWatch> m_watch;
    std::optional<QMargins> m_extents;
    std::optional<QPoint> m_client; // where the window manager last put the client area
    bool m_mapped = false;
    bool m_placing = true;
    bool m_awaitingAnswer = false;
    int m_moves = 0;
    QTimer m_safetyLimit;
};

} // namespace Glyphery
