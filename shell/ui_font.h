// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>

namespace Glyphery {

// The sans-serif face with Cyrillic that set-up installs, named explicitly so that every
// machine shows the same window.
inline QFont uiFont(int points = 8, bool bold = false)
{
    QFont font(QStringLiteral("Liberation Sans"), points, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace Glyphery
