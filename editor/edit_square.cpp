// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/edit_square.h"

#include "editor/palette.h"
#include "editor/surface_geometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace Glyphery {

namespace {

PaintButton paintButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return PaintButton::Left;
    case Qt::RightButton:
        return PaintButton::Right;
    case Qt::MiddleButton:
        return PaintButton::Middle;
    default:
        return PaintButton::None;
    }
}

} // namespace

EditSquare::EditSquare(QWidget *parent)
    : QWidget(parent)
    , m_picture({SquareCell, 1, GlyphSize}, {SquareCell, 1, GlyphSize})
{
    setObjectName(QStringLiteral("P"));
    setFixedSize(SquareSize, SquareSize);
}

void EditSquare::draw(const Glyph &glyph, int ink, int paper)
{
    const Rgb inkRgb = Palette[static_cast<std::size_t>(ink)];
    const Rgb paperRgb = Palette[static_cast<std::size_t>(paper)];
    for (int y = 0; y < GlyphSize; ++y) {
        Rgb *colour = m_picture.row(y);
        for (const auto &column : glyph)
            *colour++ = column[static_cast<std::size_t>(y)] ? inkRgb : paperRgb;
    }
    update();
}

void EditSquare::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_picture.paint(painter, {0, 0}, devicePixelRatio());
}

void EditSquare::mousePressEvent(QMouseEvent *event)
{
    const PaintButton button = paintButton(event->button());
    if (button != PaintButton::None)
        emit pressed(button, event->position());
}

void EditSquare::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event->position());
}

// A button the square ignores when pressed (back, forward) does not end a stroke either.
void EditSquare::mouseReleaseEvent(QMouseEvent *event)
{
    if (paintButton(event->button()) != PaintButton::None)
        emit released();
}

} // namespace Glyphery
