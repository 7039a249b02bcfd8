// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/main_window.h"
#include "support/scripted_services.h"

#include <QAction>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QPointF>

namespace Glyphery {

// A main window on scripted services, with the mouse and the eyes of a user: presses, drags
// and releases at fractional positions, and pixel colours read from the grabbed strip.
class MainWindowHarness
{
public:
    ScriptedServices services;
    MainWindow window {services};

    MainWindowHarness();

    EditorState &state() { return window.state(); }
    FontStore &font() { return window.state().font; }

    template<typename T = QWidget> T *child(const QString &name) const
    {
        return window.findChild<T *>(name);
    }
    QString labelText(const QString &name) const;
    void trigger(const QString &command);

    // Positions are in pixels of the drawing area of the strip and the square.
    void pressStrip(QPointF at, Qt::MouseButton button = Qt::LeftButton);
    void pressSquare(QPointF at, Qt::MouseButton button, Qt::MouseButtons held = {});
    void moveSquare(QPointF at, Qt::MouseButtons held);
    void releaseSquare(QPointF at, Qt::MouseButton button, Qt::MouseButtons held = {});

    QRgb stripPixel(int x, int y) const;
};

// The visible top-level windows of that object name ("Form2", the calculator, ...).
QList<QWidget *> openWindows(const QString &name);

// Sends a mouse event straight to a widget, as the window system does while it has grabbed
// the mouse, also for positions outside the widget.
void sendMouse(QWidget *widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
               Qt::MouseButtons held);

} // namespace Glyphery
