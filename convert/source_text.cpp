#include "convert/formats.h"

#include <QStringList>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The comment after a character's line: its code and, when it has one, the character.
QString characterNote(int character)
{
    const int code = FirstCode + character;
    const QString number = QString::number(code);
    if (code == FirstCode)
        return number;
    const char32_t unicode = unicodeOfCode(code);
    return number + u' ' + QString::fromUcs4(&unicode, 1);
}

QString setNote(QByteArrayView font)
{
    return u"Шрифт Spectrum: наборов %1, в каждом 96 символов с кодами 32..127, по 8 байт "
           u"(строки сверху вниз, бит 7 — левая точка)."_s.arg(setCountOf(font));
}

QString number(std::uint8_t byte, NumberBase base)
{
    switch (base) {
    case NumberBase::Hex:
        return u'$' + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    case NumberBase::Binary:
        return u'%' + QString::number(byte, 2).rightJustified(8, u'0');
    case NumberBase::Decimal:
        break;
    }
    return QString::number(byte);
}

QString rowList(QByteArrayView font, int set, int character, const auto &format)
{
    QStringList rows;
    for (int row = 0; row < GlyphSize; ++row)
        rows.append(format(rowOf(font, set, character, row)));
    return rows.join(u',');
}

// Every C keyword up to C23: a header naming its array after one of them would not compile.
constexpr QStringView CKeywords[]
    = {u"alignas",      u"alignof",  u"auto",          u"bool",      u"break",
       u"case",         u"char",     u"const",         u"constexpr", u"continue",
       u"default",      u"do",       u"double",        u"else",      u"enum",
       u"extern",       u"false",    u"float",         u"for",       u"goto",
       u"if",           u"inline",   u"int",           u"long",      u"nullptr",
       u"register",     u"restrict", u"return",        u"short",     u"signed",
       u"sizeof",       u"static",   u"static_assert", u"struct",    u"switch",
       u"thread_local", u"true",     u"typedef",       u"typeof",    u"typeof_unqual",
       u"union",        u"unsigned", u"void",          u"volatile",  u"while"};

} // namespace

QString identifierFrom(const QString &name)
{
    QString identifier;
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool ascii
            = (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9');
        identifier += ascii ? c : u'_';
    }
    if (identifier.isEmpty() || !identifier.front().isLetter())
        identifier.prepend(u"font_"_s);
    if (std::find(std::begin(CKeywords), std::end(CKeywords), identifier) != std::end(CKeywords))
        identifier += u"_font"_s;
    return identifier;
}

// Z80 assemblers differ in their number forms; $FF, %10101010 and plain decimal are the ones
// pasmo and z80asm both take.
QByteArray writeAssembler(QByteArrayView font, const QString &name, int firstSet, NumberBase base)
{
    QString text = u"; "_s + setNote(font) + u'\n';
    for (int set = 0; set < setCountOf(font); ++set) {
        text += u"\n%1_%2:\n"_s.arg(name).arg(firstSet + set + 1);
        for (int character = 0; character < CharsPerSet; ++character) {
            text += u"    DEFB "_s
                + rowList(font, set, character,
                          [base](std::uint8_t row) { return number(row, base); })
                + u" ; "_s + characterNote(character) + u'\n';
        }
    }
    return text.toUtf8();
}

QByteArray writeCHeader(QByteArrayView font, const QString &name, int firstSet)
{
    const QString guard = name.toUpper() + u"_H"_s;
    QString text = u"/* %1 */\n#ifndef %2\n#define %2\n\nconst unsigned char %3[] = {\n"_s.arg(
        setNote(font), guard, name);
    for (int set = 0; set < setCountOf(font); ++set) {
        text += u"    /* набор %1 */\n"_s.arg(firstSet + set + 1);
        for (int character = 0; character < CharsPerSet; ++character) {
            text += u"    "_s
                + rowList(font, set, character,
                          [](std::uint8_t row) {
                              return u"0x"_s + QString::number(row, 16).rightJustified(2, u'0');
                          })
                + u", /* "_s + characterNote(character) + u" */\n"_s;
        }
    }
    text += u"};\n\n#endif\n"_s;
    return text.toUtf8();
}

} // namespace Glyphery
