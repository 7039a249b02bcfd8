// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace Glyphery {

// The calculator and the help window: windows of their own beside the editor, of a fixed size,
// with a close box but no minimise or maximise button, deleted when closed so that every
// opening starts afresh.
void setUpSecondaryWindow(QWidget *window, const QString &name, const QString &title, QSize size);

} // namespace Glyphery
