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
    , m_image(SquareSize, SquareSize, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("P"));
    setFixedSize(SquareSize, SquareSize);
}

void EditSquare::draw(const Glyph &glyph, int ink, int paper)
{
    const Rgb inkRgb = Palette[static_cast<std::size_t>(ink)];
    const Rgb paperRgb = Palette[static_cast<std::size_t>(paper)];
    const Rgb grid = Palette[GridColor];
    for (int y = 0; y < SquareSize; ++y) {
        auto *line = reinterpret_cast<Rgb *>(m_image.scanLine(y));
        if (y % SquareCell == 0 && y != 0) {
            std::fill(line, line + SquareSize, grid);
            continue;
        }
        const auto row = static_cast<std::size_t>(y / SquareCell);
        for (int column = 0; column < GlyphSize; ++column) {
            Rgb *cell = line + column * SquareCell;
            std::fill(cell, cell + SquareCell,
                      glyph[static_cast<std::size_t>(column)][row] ? inkRgb : paperRgb);
            if (column != 0)
                cell[0] = grid;
        }
    }
    update();
}

void EditSquare::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
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
