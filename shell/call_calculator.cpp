// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/call_calculator.h"

#include "editor/label_texts.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

CallLines ShowCall(QStringView text)
{
    const std::optional<int> address = parseAddress(text);
    const std::optional<CharsBytes> chars = address ? charsFor(*address) : std::nullopt;
    if (!chars)
        return {u"POKE 23606,___"_s, u"POKE 23607,___"_s};
    return {u"POKE 23606,"_s + numberText(chars->low), u"POKE 23607,"_s + numberText(chars->high)};
}

} // namespace Glyphery
