// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/toolbar_routing.h"

namespace Glyphery {

std::optional<QString> commandForKey(QStringView key)
{
    for (const ToolbarButton &button : ToolbarButtons) {
        if (key == QStringView(button.key))
            return QString::fromLatin1(button.command);
    }
    return std::nullopt;
}

void ButtonClick(QStringView key, const std::function<void(const QString &command)> &run) noexcept
{
    try {
        if (const auto command = commandForKey(key))
            run(*command);
    } catch (...) {
        // Absorbed on purpose; whatever the command did before it failed stays done.
    }
}

} // namespace Glyphery
