// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/secondary_window.h"

#include "shell/ui_font.h"

#include <QWidget>

namespace Glyphery {

void setUpSecondaryWindow(QWidget *window, const QString &name, const QString &title, QSize size)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFont(uiFont());
    window->setFixedSize(size);
}

} // namespace Glyphery
