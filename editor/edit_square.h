// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/editor_state.h"
#include "editor/lattice_picture.h"

#include <QWidget>

namespace Glyphery {

// The edit square "P": the working copy magnified 32 times. It keeps the image of its last
// draw(); while a button is held it receives moves and the release also outside itself.
class EditSquare : public QWidget
{
    Q_OBJECT
public:
    explicit EditSquare(QWidget *parent = nullptr);

    void draw(const Glyph &glyph, int ink, int paper);

signals:
    void pressed(Glyphery::PaintButton button, QPointF position);
    void moved(QPointF position);
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    LatticePicture m_picture;
};

} // namespace Glyphery
