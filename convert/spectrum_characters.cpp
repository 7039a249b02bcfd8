// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The code of a character of a text; -1 for one the Spectrum has not.
int codeOf(char32_t unicode)
{
    for (int code = FirstCode; code < FirstCode + CharsPerSet; ++code) {
        if (unicode == unicodeOfCode(code) || unicode == asciiStandIn(code))
            return code;
    }
    return -1;
}

} // namespace

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

TextCodes textCodes(const QString &text)
{
    TextCodes codes;
    for (const QString &line : text.split(u'\n')) {
        QList<int> &lineCodes = codes.lines.emplace_back();
        for (const char32_t unicode : line.toUcs4()) {
            const int code = codeOf(unicode);
            if (code < 0)
                return {
                    {},
                    u"в тексте есть знак «%1», а у Spectrum только символы с кодами 32..127."_s.arg(
                        QString::fromUcs4(&unicode, 1))};
            lineCodes.append(code);
        }
    }
    return codes;
}

} // namespace Glyphery
