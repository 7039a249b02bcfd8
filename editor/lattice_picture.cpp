// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/lattice_picture.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace Glyphery {

namespace {

constexpr int OnGrid = -1;

// For each device pixel along an axis, the font pixel it shows, or OnGrid.
QList<int> devicePixels(const LatticeAxis &axis, qreal ratio)
{
    const auto edge
        = [&](int fontPixels) { return int(std::lround(fontPixels * axis.fontPixel * ratio)); };
    const int gridWidth = std::max(1, int(ratio));
    QList<int> shows;
    for (int font = 0; font < axis.perCell * axis.cells; ++font) {
        const bool underGrid = font % axis.perCell == 0 && font != 0;
        for (int device = edge(font); device < edge(font + 1); ++device)
            shows.append(underGrid && device < edge(font) + gridWidth ? OnGrid : font);
    }
    return shows;
}

} // namespace

LatticePicture::LatticePicture(LatticeAxis across, LatticeAxis down)
    : m_across(across)
    , m_down(down)
    , m_colours(qsizetype(across.perCell) * across.cells * down.perCell * down.cells)
{
}

Rgb *LatticePicture::row(int fontRow)
{
    m_shownRatio = 0;
    return m_colours.data() + qsizetype(fontRow) * m_across.perCell * m_across.cells;
}

void LatticePicture::paint(QPainter &painter, QPointF topLeft, qreal ratio)
{
    if (m_shownRatio != ratio)
        render(ratio);
    // Scaled back to device pixels, the painter copies the picture as it is, at the nearest
    // whole device pixel, even where the widget itself lies across one.
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(topLeft * ratio, m_shown);
    painter.restore();
}

// Scan line by scan line, from a table for each axis.
void LatticePicture::render(qreal ratio)
{
    const QList<int> columns = devicePixels(m_across, ratio);
    const QList<int> rows = devicePixels(m_down, ratio);
    const Rgb grid = Palette[GridColor];
    m_shown = QImage(int(columns.size()), int(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < m_shown.height(); ++y) {
        auto *line = reinterpret_cast<Rgb *>(m_shown.scanLine(y));
        if (rows[y] == OnGrid) {
            std::fill(line, line + m_shown.width(), grid);
            continue;
        }
        const Rgb *colours
            = m_colours.constData() + qsizetype(rows[y]) * m_across.perCell * m_across.cells;
        for (int x = 0; x < m_shown.width(); ++x)
            line[x] = columns[x] == OnGrid ? grid : colours[columns[x]];
    }
    m_shownRatio = ratio;
}

} // namespace Glyphery
