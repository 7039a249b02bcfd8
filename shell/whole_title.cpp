// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/whole_title.h"

#include <QGridLayout>
#include <QMessageBox>

namespace Glyphery {

namespace {

// Window managers write titles in a bold face of 8 to 10 points, beside the window's icon and
// up to three buttons: room is kept for a face of 10 points and four squares of 32 pixels.
constexpr qreal TitlePoints = 10;
constexpr int IconAndButtons = 4 * 32;

} // namespace

void keepTitleWhole(QMessageBox &box)
{
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont face = box.font();
    face.setBold(true);
    face.setPointSizeF(qMax(face.pointSizeF(), TitlePoints));
    const QMargins margins = grid->contentsMargins();
    const int width = QFontMetrics(face).horizontalAdvance(box.windowTitle()) + IconAndButtons
        - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0), grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace Glyphery
