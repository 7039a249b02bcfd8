// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/chars_address.h"

#include <QString>
#include <QStringView>

namespace Glyphery {

// The two POKE statements that make the font at an address the one the Spectrum prints with.
struct CallLines
{
    QString low;
    QString high;
};

// The lines for a typed address; both are placeholders when the text is not an address.
CallLines ShowCall(QStringView text);

} // namespace Glyphery
