// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"

#include <QByteArrayList>

#include <algorithm>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Text is put together as UTF-8 bytes from parts made once per file: QString arithmetic
// on the 6144 lines of a 64-set font took longer than the 10 ms a conversion may.

using Texts = std::array<QByteArray, 256>;

// The end of each character's line, from the comment on: its code and, but for the space, the
// character, between the comment's opening and closing. A backslash never ends the line: nasm
// would join the next line to the comment.
std::array<QByteArray, CharsPerSet> lineEnds(const QByteArray &opening, const QByteArray &closing)
{
    std::array<QByteArray, CharsPerSet> ends;
    for (int character = 0; character < CharsPerSet; ++character) {
        const int code = FirstCode + character;
        const char32_t unicode = unicodeOfCode(code);
        QByteArray note = QByteArray::number(code);
        if (code != FirstCode)
            note += ' ' + QString::fromUcs4(&unicode, 1).toUtf8();
        if (code == '\\')
            note += u" — обратная косая черта"_s.toUtf8();
        ends[toIndex(character)] = opening + note + closing + '\n';
    }
    return ends;
}

QByteArray setNote(QByteArrayView font)
{
    return u"Шрифт Spectrum — %1, в каждом 96 символов с кодами 32..127, по 8 байт "
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

// How each CPU's assembler spells what the font's text needs. The 6502's two take the same
// text, and so do the Z80's. GNU as for the 68000 takes no $FF or %1010 and ends a statement at
// ";", so its numbers are C's and its comments start with "|".
struct Dialect
{
    const char *comment;
    const char *bytes; // the directive of a line of bytes
    const char *hex;
    const char *binary;
};

constexpr Dialect Dialects[] = {
    {";", "DEFB", "$", "%"}, // Cpu::Z80
    {";", "db", "0x", "0b"}, // Cpu::X86
    {";", ".byte", "$", "%"}, // Cpu::M6502
    {"|", "dc.b", "0x", "0b"}, // Cpu::M68k
};

Texts assemblerTexts(const Dialect &dialect, NumberBase base)
{
    switch (base) {
    case NumberBase::Hex:
        return byteTexts(dialect.hex, 16, 2);
    case NumberBase::Binary:
        return byteTexts(dialect.binary, 2, 8);
    case NumberBase::Decimal:
        break;
    }
    return byteTexts("", 10, 1);
}

// A character's line is put together in a buffer of its own and appended at once: appending
// each number and comma to the text took most of the conversion's time.
void appendLine(QByteArray &text, QByteArrayView start, QByteArrayView font, int set, int character,
                const Texts &numbers, QByteArrayView end)
{
    std::array<char, 256> line; // the longest start and end, 8 numbers of 10 and 7 commas
    char *at = std::copy(start.begin(), start.end(), line.data());
    for (int row = 0; row < GlyphSize; ++row) {
        if (row > 0)
            *at++ = ',';
        const QByteArray &number = numbers[rowOf(font, set, character, row)];
        at = std::copy(number.cbegin(), number.cend(), at);
    }
    at = std::copy(end.begin(), end.end(), at);
    text.append(line.data(), at - line.data());
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

// $FF, %10101010 and plain decimal are the number forms that pasmo and z80asm both take, and xa
// and ca65 too. A comment never holds ":" with text after it: xa ends a comment there.
QByteArray writeAssembler(QByteArrayView font, const QString &name, int firstSet, NumberBase base,
                          Cpu cpu)
{
    const Dialect &dialect = Dialects[static_cast<int>(cpu)];
    const Texts numbers = assemblerTexts(dialect, base);
    const auto ends = lineEnds(QByteArray(" ") + dialect.comment + ' ', {});
    const QByteArray bytes = QByteArray("    ") + dialect.bytes + ' ';
    QByteArray text = dialect.comment + (' ' + setNote(font)) + '\n';
    text.reserve(font.size() * 8);
    for (int set = 0; set < setCountOf(font); ++set) {
        text += '\n' + name.toLatin1() + '_' + QByteArray::number(firstSet + set + 1) + ":\n";
        for (int character = 0; character < CharsPerSet; ++character) {
            appendLine(text, bytes, font, set, character, numbers, ends[toIndex(character)]);
        }
    }
    return text;
}

QByteArray writeCHeader(QByteArrayView font, const QString &name, int firstSet)
{
    const Texts numbers = byteTexts("0x", 16, 2);
    const auto ends = lineEnds(", /* ", " */");
    const QByteArray identifier = name.toLatin1();
    const QByteArray guard = identifier.toUpper() + "_H";
    QByteArray text = "/* " + setNote(font) + " */\n#ifndef " + guard + "\n#define " + guard
        + "\n\nconst unsigned char " + identifier + "[] = {\n";
    text.reserve(font.size() * 8);
    for (int set = 0; set < setCountOf(font); ++set) {
        text += u"    /* набор %1 */\n"_s.arg(firstSet + set + 1).toUtf8();
        for (int character = 0; character < CharsPerSet; ++character) {
            appendLine(text, "    ", font, set, character, numbers, ends[toIndex(character)]);
        }
    }
    return text + "};\n\n#endif\n";
}

// Rust: a constant a set, NAME_1 … as the assembler labels, and NAME for the whole font, which
// joined() puts together from the sets when the program is compiled, so the bytes are written
// once. Rust wants constants in capitals, and none of its keywords is in capitals.
QByteArray writeRust(QByteArrayView font, const QString &name, int firstSet)
{
    static_assert(SetBytes == 768, "the Rust text spells out the size of a set");
    const Texts numbers = byteTexts("0x", 16, 2);
    const auto ends = lineEnds(", // ", {});
    const QByteArray identifier = name.toUpper().toLatin1();
    QByteArray text = "// " + setNote(font) + '\n';
    text.reserve(font.size() * 8);
    QByteArrayList sets;
    for (int set = 0; set < setCountOf(font); ++set) {
        sets.append(identifier + '_' + QByteArray::number(firstSet + set + 1));
        text += "\npub const " + sets.last() + ": [u8; 768] = [\n";
        for (int character = 0; character < CharsPerSet; ++character) {
            appendLine(text, "    ", font, set, character, numbers, ends[toIndex(character)]);
        }
        text += "];\n";
    }
    text += "\npub const " + identifier + ": [u8; " + QByteArray::number(font.size())
        + "] = joined(&[&" + sets.join(", &") + "]);\n\n";
    return text + u"// Наборы один за другим.\n"_s.toUtf8()
        + R"(const fn joined<const N: usize>(sets: &[&[u8; 768]]) -> [u8; N] {
    let mut font = [0; N];
    let mut at = 0;
    while at < N {
        font[at] = sets[at / 768][at % 768];
        at += 1;
    }
    font
}
)";
}

} // namespace Glyphery
