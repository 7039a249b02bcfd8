// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/label_texts.h"

#include "font/font_store.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The KOI-7 letters at codes 96..127.
constexpr char16_t Koi7Letters[] = u"ЮАБЦДЕФГХИЙКЛМНОПЯРСТУЖВЬЫЗШЭЩЧЪ";
constexpr int FirstKoi7Code = 96;

} // namespace

QString numberText(int number)
{
    return number < 0 ? QString::number(number) : u' ' + QString::number(number);
}

QString setPositionText(int currentSet, int lastSet)
{
    return numberText(currentSet + 1) + u" из"_s + numberText(lastSet + 1);
}

QString fontSizeText(int lastSet)
{
    return numberText((lastSet + 1) * SetBytes) + u" байт"_s;
}

QString codeText(int currentChar)
{
    return u"Код:"_s + numberText(currentChar + FirstCode);
}

QString characterText(int currentChar)
{
    const int code = currentChar + FirstCode;
    QString text(QChar(static_cast<char16_t>(code)));
    if (code >= FirstKoi7Code)
        text += u" ("_s + QChar(Koi7Letters[code - FirstKoi7Code]) + u')';
    return text;
}

} // namespace Glyphery
