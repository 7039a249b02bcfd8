// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTimer>

#include <functional>

class QWidget;

namespace Glyphery {

// Puts a window's outer frame at a place on the screen and tells where the frame is. A window
// manager frames a window only after it is shown, and some report the frame's size later
// still; until the frame has been seen at its place, the placer moves the window there again
// on a short timer, a few times at most.
class FramePlacer : public QObject
{
    Q_OBJECT
public:
    // Where the frame's top-left corner goes, given the frame's size.
    using Placement = std::function<QPoint(QSize frame)>;

    static Placement at(QPoint topLeft);
    static Placement centredIn(QRect area);

    // frameGuess: the frame's margins until the window manager tells them, as those of a
    // window it has framed already.
    FramePlacer(QWidget *window, Placement placement, QMargins frameGuess = {});

    // The outer frame; while the window manager has framed the window but the frame is not yet
    // where it goes, where it is being put.
    QRect frame() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool isFramed() const;
    QSize frameSize() const;
    QPoint wanted() const;
    bool isPlaced() const;
    void tick();
    void finish();

    QWidget *m_window;
    Placement m_placement;
    QMargins m_guess;
    bool m_placing = true;
    int m_moves = 0;
    QTimer m_ticks;
    int m_ticksLeft;
};

} // namespace Glyphery
