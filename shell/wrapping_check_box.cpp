// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/wrapping_check_box.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace Glyphery {

void WrappingCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    const QRect contents = style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
    painter.drawItemText(contents, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextWordWrap,
                         option.palette, isEnabled(), caption, QPalette::WindowText);
}

} // namespace Glyphery
