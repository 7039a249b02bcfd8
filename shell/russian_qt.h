// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

namespace Glyphery {

// The interface is Russian whatever the desktop's language, Qt's own parts included.

// Makes Qt's system locale Russian for numbers, sizes and dates, as Qt's file dialog writes
// them in the system locale, which Qt takes from the environment. Call it before the
// application object is made. The C library keeps the desktop's locale, which it takes first.
void useRussianLocale();

// Loads Qt's own Russian texts (message box buttons, file dialogs) into the translator. False
// when the translation is not installed.
bool loadQtRussian(QTranslator &translator);

} // namespace Glyphery
