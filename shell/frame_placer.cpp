// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frame_placer.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

namespace Glyphery {

namespace {

constexpr int TickMilliseconds = 100;
constexpr int Ticks = 30; // a window manager that has not framed the window in 3 s never will
constexpr int MaxMoves = 3; // one that keeps the frame elsewhere is not fought

} // namespace

FramePlacer::Placement FramePlacer::at(QPoint topLeft)
{
    return [topLeft](QSize) { return topLeft; };
}

FramePlacer::Placement FramePlacer::centredIn(QRect area)
{
    return [area](QSize frame) {
        return area.topLeft()
            + QPoint((area.width() - frame.width()) / 2, (area.height() - frame.height()) / 2);
    };
}

FramePlacer::FramePlacer(QWidget *window, Placement placement, QMargins frameGuess)
    : QObject(window)
    , m_window(window)
    , m_placement(std::move(placement))
    , m_guess(frameGuess)
    , m_ticksLeft(Ticks)
{
    // Until the window is shown, a move places its client area.
    m_window->winId();
    m_window->move(wanted() + QPoint(m_guess.left(), m_guess.top()));
    m_window->installEventFilter(this);
    m_ticks.setInterval(TickMilliseconds);
    connect(&m_ticks, &QTimer::timeout, this, &FramePlacer::tick);
}

QRect FramePlacer::frame() const
{
    return m_placing && isFramed() ? QRect(wanted(), frameSize()) : m_window->frameGeometry();
}

bool FramePlacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && (event->type() == QEvent::Move || event->type() == QEvent::Show)) {
        if (!m_ticks.isActive())
            m_ticks.start();
        if (isPlaced())
            finish();
    }
    return QObject::eventFilter(watched, event);
}

bool FramePlacer::isFramed() const
{
    const QWindow *handle = m_window->windowHandle();
    return handle && !handle->frameMargins().isNull();
}

QSize FramePlacer::frameSize() const
{
    return isFramed() ? m_window->frameGeometry().size() : m_window->size().grownBy(m_guess);
}

QPoint FramePlacer::wanted() const
{
    return m_placement(frameSize());
}

// Placed once the window manager has told the frame's size and the frame is where it goes.
// Without a window manager there is no frame to wait for, and the ticks end the placing.
bool FramePlacer::isPlaced() const
{
    return isFramed() && m_window->frameGeometry().topLeft() == wanted();
}

// One move a tick at most: the window manager answers a move with several events, and moving
// again before it has answered would only chase them.
void FramePlacer::tick()
{
    if (isPlaced() || --m_ticksLeft <= 0 || m_moves == MaxMoves) {
        finish();
        return;
    }
    if (!m_window->isVisible() || m_window->frameGeometry().topLeft() == wanted())
        return;
    // Before any frame the window was put exactly; moved since, it was moved by someone else.
    if (!isFramed()) {
        finish();
        return;
    }
    ++m_moves;
    m_window->move(wanted());
}

void FramePlacer::finish()
{
    m_placing = false;
    m_ticks.stop();
    m_window->removeEventFilter(this);
}

} // namespace Glyphery
