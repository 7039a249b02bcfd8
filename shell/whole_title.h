// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QMessageBox;

namespace Glyphery {

// Widens a message box, as far as the screen allows, so that the window manager has room for
// its whole title: Qt sizes a box by its text and buttons, and a long title over a short
// question ("Создание нового шрифта" over "Сохранить изменения?") was cut.
void keepTitleWhole(QMessageBox &box);

} // namespace Glyphery
