// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Text is put together as UTF-8 bytes from parts made once per file: QString arithmetic
// on the 6144 lines of a 64-set font took longer than the 10 ms a conversion may.

using Texts = std::array<QByteArray, 256>;

// The comment after each character's line: its code and, but for the space, the character.
std::array<QByteArray, CharsPerSet> characterNotes()
{
    std::array<QByteArray, CharsPerSet> notes;
    for (int character = 0; character < CharsPerSet; ++character) {
        const int code = FirstCode + character;
        const char32_t unicode = unicodeOfCode(code);
        notes[toIndex(character)] = QByteArray::number(code)
            + (code == FirstCode ? QByteArray() : ' ' + QString::fromUcs4(&unicode, 1).toUtf8());
    }
    return notes;
}

QByteArray setNote(QByteArrayView font)
{
    return u"Шрифт Spectrum: %1, в каждом 96 символов с кодами 32..127, по 8 байт "
           u"(строки сверху вниз, бит 7 — левая точка)."_s
               .arg(counted(setCountOf(font), u"набор", u"набора", u"наборов"))
               .toUtf8();
}

Texts byteTexts(const char *prefix, int base, int digits)
{
    Texts texts;
    for (unsigned byte = 0; byte < texts.size(); ++byte)
        texts[byte] = prefix + QByteArray::number(byte, base).toUpper().rightJustified(digits, '0');
    return texts;
}

Texts assemblerTexts(NumberBase base)
{
    switch (base) {
    case NumberBase::Hex:
        return byteTexts("$", 16, 2);
    case NumberBase::Binary:
        return byteTexts("%", 2, 8);
    case NumberBase::Decimal:
        break;
    }
    return byteTexts("", 10, 1);
}

void appendRows(QByteArray &text, QByteArrayView font, int set, int character, const Texts &texts)
{
    for (int row = 0; row < GlyphSize; ++row) {
        if (row > 0)
            text += ',';
        text += texts[rowOf(font, set, character, row)];
    }
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
    const Texts numbers = assemblerTexts(base);
    const auto notes = characterNotes();
    QByteArray text = "; " + setNote(font) + '\n';
    text.reserve(font.size() * 8);
    for (int set = 0; set < setCountOf(font); ++set) {
        text += '\n' + name.toLatin1() + '_' + QByteArray::number(firstSet + set + 1) + ":\n";
        for (int character = 0; character < CharsPerSet; ++character) {
            text += "    DEFB ";
            appendRows(text, font, set, character, numbers);
            text += " ; " + notes[toIndex(character)] + '\n';
        }
    }
    return text;
}

QByteArray writeCHeader(QByteArrayView font, const QString &name, int firstSet)
{
    const Texts numbers = byteTexts("0x", 16, 2);
    const auto notes = characterNotes();
    const QByteArray identifier = name.toLatin1();
    const QByteArray guard = identifier.toUpper() + "_H";
    QByteArray text = "/* " + setNote(font) + " */\n#ifndef " + guard + "\n#define " + guard
        + "\n\nconst unsigned char " + identifier + "[] = {\n";
    text.reserve(font.size() * 8);
    for (int set = 0; set < setCountOf(font); ++set) {
        text += u"    /* набор %1 */\n"_s.arg(firstSet + set + 1).toUtf8();
        for (int character = 0; character < CharsPerSet; ++character) {
            text += "    ";
            appendRows(text, font, set, character, numbers);
            text += ", /* " + notes[toIndex(character)] + " */\n";
        }
    }
    return text + "};\n\n#endif\n";
}

} // namespace Glyphery
