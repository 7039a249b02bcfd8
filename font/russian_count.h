// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace Glyphery {

// A count with its noun in the form Russian puts after that number: the first form after 1,
// 21, 31 … (not 11), the second after 2..4, 22..24 … (not 12..14), the third after the rest.
// counted(3, u"байт", u"байта", u"байт") is "3 байта". After "всех", "нет" and the like the
// forms are the genitive ones: counted(1, u"глифа", u"глифов", u"глифов") is "1 глифа".
inline QString counted(qint64 count, QStringView one, QStringView few, QStringView many)
{
    const qint64 lastTwo = (count < 0 ? -count : count) % 100;
    const qint64 last = lastTwo % 10;
    QStringView noun = many;
    if (last == 1 && lastTwo != 11)
        noun = one;
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        noun = few;
    return QString::number(count).append(u' ').append(noun);
}

} // namespace Glyphery
