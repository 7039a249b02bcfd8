// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

namespace Glyphery {

// Qt's own file dialog, whatever the desktop offers, so that it is the same everywhere: in
// Russian, each column as wide as what it shows, and no file opened to tell its type (a file
// such as /proc/kmsg never answers, and the dialog would wait for it for good). Nothing of it
// is kept between runs. Returns the chosen path, or nothing when the dialog is cancelled.
QString askFileName(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                    const QString &folder, const QString &filter);

// Whether a dialog may open in the folder: not in the kernel's /proc, /sys or /dev, whose files
// need not answer whoever reads them.
bool isOrdinaryFolder(const QString &folder);

} // namespace Glyphery
