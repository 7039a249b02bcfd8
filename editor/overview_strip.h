// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/lattice_picture.h"
#include "font/font_store.h"

#include <QFrame>

namespace Glyphery {

// The overview strip "PP": all 96 characters of one set at three times their size. It keeps
// the image of its last draw() and repaints nothing else in answer to the window system.
class OverviewStrip : public QFrame
{
    Q_OBJECT
public:
    explicit OverviewStrip(QWidget *parent = nullptr);

    void draw(const FontStore &font, int ink, int paper);

signals:
    // A press of any button, in pixels of the drawing area.
    void pressed(QPointF position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    LatticePicture m_picture;
};

} // namespace Glyphery
