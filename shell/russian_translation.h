#pragma once

#include <QTranslator>

namespace Glyphery {

// Loads Qt's own Russian texts (message box buttons, file dialogs) into the translator; the
// interface is Russian whatever the system locale. False when the translation is not installed.
bool loadQtRussian(QTranslator &translator);

} // namespace Glyphery
