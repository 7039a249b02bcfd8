// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "font/gph.h"
#include "font/specchr.h"

#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

// The editor opens a file of any length and pads the last set; a converter has no screen to
// show that, and a raw file that is not whole sets is more likely something else (a 256-
// character font, a screen) than a font cut short, so it is refused.
FontRead readSpecChr(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {{}, u"файл пуст."_s, {}};
    if (bytes.size() % SetBytes != 0)
        return {{},
                u"в нём %1, а шрифт — это целое число наборов по 768 байт."_s.arg(
                    byteCount(bytes.size())),
                {}};
    if (bytes.size() > MaxFontBytes)
        return {{}, specChrTooLong(), {}};
    return {bytes.toByteArray(), {}, {}};
}

// The editor's own decoder, so a gph file converts to exactly the font the editor would show.
FontRead readGph(QByteArrayView bytes)
{
    const auto store = std::make_unique<FontStore>(); // 400 KB: too large for the stack
    decodeGph(bytes, *store);
    return {encodeSpecChr(*store), {}, {}};
}

} // namespace Glyphery
