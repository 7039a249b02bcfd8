// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCheckBox>

namespace Glyphery {

// A check box whose caption wraps onto a second line when the box is too narrow for it, as
// the long captions of the load/store frame need.
class WrappingCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace Glyphery
