// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QApplication>
#include <QMouseEvent>

namespace Glyphery {

namespace {

constexpr int StripBorder = 2;

} // namespace

MainWindowHarness::MainWindowHarness()
{
    window.show();
}

QString MainWindowHarness::labelText(const QString &name) const
{
    return child<QLabel>(name)->text();
}

void MainWindowHarness::trigger(const QString &command)
{
    window.command(command)->trigger();
}

void MainWindowHarness::pressStrip(QPointF at, Qt::MouseButton button)
{
    QWidget *strip = child(QStringLiteral("PP"));
    const QPointF widgetAt = at + QPointF(StripBorder, StripBorder);
    sendMouse(strip, QEvent::MouseButtonPress, widgetAt, button, button);
    sendMouse(strip, QEvent::MouseButtonRelease, widgetAt, button, {});
}

void MainWindowHarness::pressSquare(QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    sendMouse(child(QStringLiteral("P")), QEvent::MouseButtonPress, at, button, held | button);
}

void MainWindowHarness::moveSquare(QPointF at, Qt::MouseButtons held)
{
    sendMouse(child(QStringLiteral("P")), QEvent::MouseMove, at, Qt::NoButton, held);
}

void MainWindowHarness::releaseSquare(QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
{
    sendMouse(child(QStringLiteral("P")), QEvent::MouseButtonRelease, at, button, held);
}

QRgb MainWindowHarness::stripPixel(int x, int y) const
{
    return child(QStringLiteral("PP"))->grab().toImage().pixel(x + StripBorder, y + StripBorder)
        | 0xff000000;
}

QList<QWidget *> openWindows(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->objectName() == name && window->isVisible())
            found.append(window);
    }
    return found;
}

void sendMouse(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace Glyphery
