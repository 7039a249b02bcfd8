// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/overview_strip.h"

#include "editor/palette.h"
#include "editor/surface_geometry.h"

#include <QMouseEvent>
#include <QPainter>

namespace Glyphery {

namespace {

constexpr int BorderWidth = 2;

} // namespace

OverviewStrip::OverviewStrip(QWidget *parent)
    : QFrame(parent)
    , m_image(StripWidth, StripHeight, QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("PP"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(StripWidth + 2 * BorderWidth, StripHeight + 2 * BorderWidth);
}

// Written scan line by scan line: one pass over 768 × 72 pixels, the grid laid over it.
void OverviewStrip::draw(const FontStore &font, int ink, int paper)
{
    const Rgb inkRgb = Palette[static_cast<std::size_t>(ink)];
    const Rgb paperRgb = Palette[static_cast<std::size_t>(paper)];
    const Rgb grid = Palette[GridColor];
    const auto &set = font.FontPixels[static_cast<std::size_t>(font.currentSet)];
    for (int y = 0; y < StripHeight; ++y) {
        auto *line = reinterpret_cast<Rgb *>(m_image.scanLine(y));
        if (y % StripCell == 0 && y != 0) {
            std::fill(line, line + StripWidth, grid);
            continue;
        }
        const int stripRow = y / StripCell;
        const int row = y % StripCell / StripScale;
        for (int column = 0; column < StripColumns; ++column) {
            const Glyph &glyph = set[static_cast<std::size_t>(stripRow * StripColumns + column)];
            Rgb *cell = line + column * StripCell;
            for (int x = 0; x < GlyphSize; ++x) {
                const Rgb colour = glyph[static_cast<std::size_t>(x)][static_cast<std::size_t>(row)]
                    ? inkRgb
                    : paperRgb;
                std::fill(cell + x * StripScale, cell + (x + 1) * StripScale, colour);
            }
            if (column != 0)
                cell[0] = grid;
        }
    }
    update();
}

void OverviewStrip::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_image);
}

// Positions are given in pixels of the drawing area; a press on the border around it lies
// outside every cell, which selection leaves alone.
void OverviewStrip::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->position() - contentsRect().topLeft());
}

} // namespace Glyphery
