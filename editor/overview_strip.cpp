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
    , m_picture({StripScale, GlyphSize, StripColumns}, {StripScale, GlyphSize, StripRows})
{
    setObjectName(QStringLiteral("PP"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(BorderWidth);
    setFixedSize(StripWidth + 2 * BorderWidth, StripHeight + 2 * BorderWidth);
}

void OverviewStrip::draw(const FontStore &font, int ink, int paper)
{
    const Rgb inkRgb = Palette[static_cast<std::size_t>(ink)];
    const Rgb paperRgb = Palette[static_cast<std::size_t>(paper)];
    const auto &set = font.FontPixels[static_cast<std::size_t>(font.currentSet)];
    for (int fontRow = 0; fontRow < StripRows * GlyphSize; ++fontRow) {
        Rgb *colour = m_picture.row(fontRow);
        const auto y = static_cast<std::size_t>(fontRow % GlyphSize);
        for (int column = 0; column < StripColumns; ++column) {
            const Glyph &glyph
                = set[static_cast<std::size_t>(fontRow / GlyphSize * StripColumns + column)];
            for (const auto &glyphColumn : glyph)
                *colour++ = glyphColumn[y] ? inkRgb : paperRgb;
        }
    }
    update();
}

void OverviewStrip::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    m_picture.paint(painter, contentsRect().topLeft(), devicePixelRatio());
}

// Positions are given in pixels of the drawing area; a press on the border around it lies
// outside every cell, which selection leaves alone.
void OverviewStrip::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->position() - contentsRect().topLeft());
}

} // namespace Glyphery
