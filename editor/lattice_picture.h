// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/palette.h"

#include <QImage>
#include <QList>

class QPainter;

namespace Glyphery {

// One direction of a drawing surface: character cells of font pixels, each font pixel a square
// of logical pixels, with a grid line along every edge between two cells.
struct LatticeAxis
{
    int fontPixel; // logical pixels
    int perCell;
    int cells;
};

// A drawing surface's retained picture: the colours of its font pixels, shown in the screen's
// own pixels at any device pixel ratio, without smearing and without Qt's scaling.
//
// At a fractional ratio (1.25, 1.5) a font pixel cannot cover a whole number of device pixels
// at its exact size, so the rounding is spread: each edge between font pixels goes to the
// device pixel edge nearest its exact place, and font pixels differ by one device pixel at most
// (at 150 % a strip character's 36 device pixels are 5, 4, 5, 4, 5, 4, 5, 4). A grid line is
// the whole part of the ratio wide (one device pixel at 125 % and 150 %, two at 200 %) and
// lies over the start of the first font pixel of a cell, as it does at 100 %; the font pixel it
// falls on is, at 150 %, one of the wider, so what shows of it is as wide as its neighbours.
class LatticePicture
{
public:
    LatticePicture(LatticeAxis across, LatticeAxis down);

    // The font pixels of a row, to be given their colours; shown at the next paint.
    Rgb *row(int fontRow);

    void paint(QPainter &painter, QPointF topLeft, qreal ratio);

private:
    void render(qreal ratio);

    LatticeAxis m_across;
    LatticeAxis m_down;
    QList<Rgb> m_colours;
    QImage m_shown;
    qreal m_shownRatio = 0; // 0 while m_shown is behind m_colours
};

} // namespace Glyphery
