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
// The editor imports any file whose header is 0..63, a short one padded with paper, what
// follows the last set passed over, any byte but 0 taken for ink. A converter cannot show
// what it made of such a file, and such a file is more likely something else renamed (a tape
// starts with the length of its first block), so only a file of the format's own shape is
// taken: the header, exactly the sets it names, and pixels of 0 or 1.
FontRead readGph(QByteArrayView bytes)
{
    const int sets = static_cast<std::uint8_t>(bytes[0]) + 1;
    const qsizetype length = 1 + qsizetype(sets) * GphSetBytes;
    if (bytes.size() != length)
        return {{},
                u"по заголовку в нём %1, это %2, а в файле %3."_s.arg(
                    counted(sets, u"набор", u"набора", u"наборов"), byteCount(length),
                    byteCount(bytes.size())),
                {}};
    for (qsizetype at = 1; at < length; ++at) {
        if (bytes[at] != 0 && bytes[at] != 1)
            return {{},
                    u"в байте %1 значение %2, а точка в gph — это 0 или 1."_s.arg(at).arg(
                        static_cast<std::uint8_t>(bytes[at])),
                    {}};
    }
    const auto store = std::make_unique<FontStore>(); // 400 KB: too large for the stack
    decodeGph(bytes, *store);
    return {encodeSpecChr(*store), {}, {}};
}

} // namespace Glyphery
