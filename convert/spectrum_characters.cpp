// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"

namespace Glyphery {

char32_t unicodeOfCode(int code)
{
    switch (code) {
    case 94:
        return U'↑';
    case 96:
        return U'£';
    case 127:
        return U'©';
    default:
        return char32_t(code);
    }
}

char32_t asciiStandIn(int code)
{
    return code == 94 || code == 96 ? char32_t(code) : 0;
}

} // namespace Glyphery
