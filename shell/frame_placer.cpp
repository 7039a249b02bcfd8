// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frame_placer.h"

#include <QEvent>
#include <QEventLoop>
#include <QLayout>
#include <QWidget>
#include <QWindow>

namespace Glyphery {

namespace {

// A window manager that has mapped a window but not told its frame by then never will.
constexpr int SafetyLimitAfterMap = 10000;
// How long a close waits for the window manager to tell a frame it was asked for.
constexpr int AnswerLimit = 5000;
// A window manager that keeps the frame elsewhere after this many moves is not fought.
constexpr int MaxMoves = 3;

QMargins scaledDown(QMargins device, qreal ratio)
{
    return QMargins(qRound(device.left() / ratio), qRound(device.top() / ratio),
                    qRound(device.right() / ratio), qRound(device.bottom() / ratio));
}

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
    , m_teller(X11::frameTeller())
{
    // Moved before it exists on the screen, a window is created with its frame's place, which
    // a window manager keeps as it frames it (north-west gravity). Qt forgets that should the
    // window's size change before it is shown, so its size must be final now.
    if (QLayout *layout = m_window->layout())
        layout->activate();
    m_window->move(m_placement(m_window->size().grownBy(m_guess)));
    // Without a window manager the window is its own frame, and the server puts it exactly
    // where it was asked to; without X, nothing tells a frame: the window is where Qt put it.
    if (m_teller == X11::FrameTeller::NoManager)
        m_extents = QMargins();
    m_placing = m_teller == X11::FrameTeller::Extents || m_teller == X11::FrameTeller::Silent;
    m_safetyLimit.setSingleShot(true);
    m_safetyLimit.setInterval(SafetyLimitAfterMap);
    connect(&m_safetyLimit, &QTimer::timeout, this, &FramePlacer::finish);
    m_window->installEventFilter(this);
}

QRect FramePlacer::frame()
{
    if (m_teller == X11::FrameTeller::NoX)
        return m_window->frameGeometry();
    if (m_placing && !m_extents && m_teller == X11::FrameTeller::Extents && m_watch)
        awaitExtents();
    const QRect frame = m_window->geometry().marginsAdded(extents());
    return m_placing ? QRect(m_placement(frame.size()), frame.size()) : frame;
}

// The frame's events are watched from the moment the window exists on the screen, which it
// does once it is about to be shown.
bool FramePlacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Show && !m_watch
        && m_teller != X11::FrameTeller::NoX) {
        m_watch = std::make_unique<X11::FrameWatch>(
            m_window->winId(), [this](X11::FrameNews news, QPoint at) { hear(news, at); });
        m_window->removeEventFilter(this);
    }
    return QObject::eventFilter(watched, event);
}

void FramePlacer::hear(X11::FrameNews news, QPoint clientOnScreen)
{
    // The window manager has framed the window by the time it maps it or tells its frame; it
    // need not tell where the framing put it.
    if (news != X11::FrameNews::Configured && (m_mapped || news == X11::FrameNews::Mapped)) {
        if (const auto at = X11::clientOnScreen(m_window->winId()))
            m_client = logical(*at);
    }
    switch (news) {
    case X11::FrameNews::Extents:
        if (const auto told = X11::frameExtents(m_window->winId())) {
            m_extents = scaledDown(*told, m_window->devicePixelRatio());
            emit extentsTold();
        }
        break;
    case X11::FrameNews::Mapped:
        m_mapped = true;
        m_safetyLimit.start();
        if (m_teller == X11::FrameTeller::Silent)
            m_extents = m_window->windowHandle()->frameMargins();
        break;
    case X11::FrameNews::Configured:
        m_client = logical(clientOnScreen);
        m_awaitingAnswer = false;
        break;
    }
    judge();
}

// One move for each answer of the window manager: moving again before it has answered would
// only chase its events.
void FramePlacer::judge()
{
    if (!m_placing || !m_mapped || !m_extents || !m_client || m_awaitingAnswer)
        return;
    const QRect frame = QRect(*m_client, m_window->size()).marginsAdded(*m_extents);
    const QPoint place = m_placement(frame.size());
    if (frame.topLeft() == place || m_moves == MaxMoves) {
        finish();
        return;
    }
    ++m_moves;
    m_awaitingAnswer = true;
    m_window->windowHandle()->setFramePosition(place);
}

void FramePlacer::finish()
{
    m_placing = false;
    m_safetyLimit.stop();
}

void FramePlacer::awaitExtents()
{
    X11::requestFrameExtents(m_window->winId());
    QEventLoop loop;
    connect(this, &FramePlacer::extentsTold, &loop, &QEventLoop::quit);
    QTimer::singleShot(AnswerLimit, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

QMargins FramePlacer::extents() const
{
    return m_extents.value_or(m_guess);
}

QPoint FramePlacer::logical(QPoint device) const
{
    return (QPointF(device) / m_window->devicePixelRatio()).toPoint();
}

} // namespace Glyphery
