// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QAction;
class QString;

namespace Glyphery {

// Qt's menu items offer a screen reader their caption only, so two items of the same caption
// ("Сохранить" of "Файл" and of "Правка") sound alike. An item given a description here gets
// an accessible interface of its own that offers it too.
void describeMenuItem(QAction *action, const QString &description);

} // namespace Glyphery
