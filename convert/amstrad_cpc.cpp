// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/machine_characters.h"

#include <array>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int Codes = 256;
// SYMBOL may redefine only characters from SYMBOL AFTER on, 240 until a program says otherwise.
constexpr int StartingSymbolAfter = 240;
constexpr int WrittenSymbolAfter = FirstCode;
constexpr int LineStep = 10;
constexpr int HighestLine = 65535;
// AMSDOS reads an ASCII file up to this character, as CP/M does.
constexpr char EndOfFile = '\x1a';

// The CPC's characters are ASCII from 32 to 126 but for 94, its "↑"; "^", "£" and "©" lie
// at 160, 163 and 164, among accents and Greek letters; the rest are graphics.
constexpr char32_t cpcCharacter(int code)
{
    switch (code) {
    case 94:
        return U'↑';
    case 160:
        return U'^';
    case 163:
        return U'£';
    case 164:
        return U'©';
    default:
        return code >= 32 && code <= 126 ? char32_t(code) : 0;
    }
}

constexpr std::array<char32_t, Codes> cpcCharacters()
{
    std::array<char32_t, Codes> characters = {};
    for (int code = 0; code < Codes; ++code)
        characters[toIndex(code)] = cpcCharacter(code);
    return characters;
}

constexpr auto CpcCharacters = cpcCharacters();

// The value of a digit of a literal, -1 for no digit.
int digitOf(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    const char lower = char(c | 0x20);
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// One line of the program, read from its start: keywords in any case, spaces anywhere between
// them, numbers as literals (decimal, &FF or &HFF, &X11111111).
class LineReader
{
public:
    explicit LineReader(QByteArrayView text)
        : m_text(text)
    {
    }

    bool atEnd()
    {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
        return m_at == m_text.size();
    }

    bool take(QByteArrayView word)
    {
        if (atEnd() || m_text.size() - m_at < word.size()
            || m_text.sliced(m_at, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        m_at += word.size();
        return true;
    }

    // Nothing for what is no literal, or is above 65535, more than any number here may be.
    std::optional<int> number()
    {
        const int base = take("&X") ? 2 : take("&H") || take("&") ? 16 : 10;
        if (atEnd())
            return std::nullopt;
        const qsizetype start = m_at;
        int value = 0;
        for (int digit = 0;
             m_at < m_text.size() && (digit = digitOf(m_text[m_at])) >= 0 && digit < base; ++m_at) {
            value = value * base + digit;
            if (value > HighestLine)
                return std::nullopt;
        }
        return m_at > start ? std::optional<int>(value) : std::nullopt;
    }

private:
    QByteArrayView m_text;
    qsizetype m_at = 0;
};

// What running the program's SYMBOL statements leaves in the character matrices.
struct Symbols
{
    QByteArray glyphs = QByteArray(Codes * GlyphSize, '\0');
    std::array<bool, Codes> defined = {};
    int after = StartingSymbolAfter;
};

// One SYMBOL statement, after its keyword; rows not given are paper.
QString runSymbol(LineReader &line, Symbols &symbols)
{
    if (line.take("AFTER")) {
        const std::optional<int> after = line.number();
        if (!after || *after > Codes)
            return u"после SYMBOL AFTER нужно число от 0 до 256."_s;
        symbols.after = *after;
        return {};
    }
    const std::optional<int> code = line.number();
    if (!code || *code >= Codes)
        return u"после SYMBOL нужен код символа от 0 до 255."_s;
    if (*code < symbols.after)
        return u"символ %1 ниже SYMBOL AFTER %2; CPC его не переопределит."_s.arg(*code).arg(
            symbols.after);
    QByteArray rows(GlyphSize, '\0');
    qsizetype given = 0;
    for (; line.take(","); ++given) {
        const std::optional<int> row = line.number();
        if (!row || *row > 255 || given == GlyphSize)
            return u"в SYMBOL нужно от 1 до 8 чисел от 0 до 255 после кода."_s;
        rows[given] = char(*row);
    }
    if (given == 0)
        return u"в SYMBOL нужно от 1 до 8 чисел от 0 до 255 после кода."_s;
    symbols.glyphs.replace(*code * GlyphSize, GlyphSize, rows);
    symbols.defined[toIndex(*code)] = true;
    return {};
}

// The statements of one line, which must be SYMBOL, SYMBOL AFTER or a remark; anything else
// might change what the program draws, so it is not guessed at.
QString runLine(QByteArrayView text, Symbols &symbols)
{
    LineReader line(text);
    while (!line.atEnd()) {
        if (line.take("REM") || line.take("'"))
            return {};
        if (line.take(":"))
            continue;
        if (!line.take("SYMBOL"))
            return u"понятны только SYMBOL, SYMBOL AFTER и REM."_s;
        if (const QString error = runSymbol(line, symbols); !error.isEmpty())
            return error;
        if (line.take("'"))
            return {};
        if (!line.atEnd() && !line.take(":"))
            return u"после SYMBOL что-то кроме «:» или «'»."_s;
    }
    return {};
}

// A program line's number, 1..65535, and its statements; nothing for a line without a number.
std::optional<std::pair<int, QByteArrayView>> numbered(QByteArrayView line)
{
    line = line.trimmed();
    qsizetype digits = 0;
    while (digits < line.size() && digitOf(line[digits]) >= 0 && digitOf(line[digits]) < 10)
        ++digits;
    const int number = digits <= 5 ? line.first(digits).toInt() : 0;
    if (number < 1 || number > HighestLine)
        return std::nullopt;
    return std::pair(number, line.sliced(digits));
}

} // namespace

QByteArray writeCpcBasic(QByteArrayView set)
{
    QByteArray text = QByteArray::number(LineStep) + " SYMBOL AFTER "
        + QByteArray::number(WrittenSymbolAfter) + "\r\n";
    int line = LineStep;
    for (int code = WrittenSymbolAfter; code < Codes; ++code) {
        const int character = spectrumCharacter(CpcCharacters[toIndex(code)]);
        if (character < 0)
            continue;
        line += LineStep;
        text += QByteArray::number(line) + " SYMBOL " + QByteArray::number(code);
        for (int row = 0; row < GlyphSize; ++row)
            text += ',' + QByteArray::number(rowOf(set, 0, character, row));
        text += "\r\n";
    }
    return text + EndOfFile;
}

// The lines run in the order of their numbers, a later line of a number replacing an earlier
// one, as the CPC loads an ASCII program. A character no SYMBOL defines keeps the CPC's own
// glyph, which the file does not hold, so it is left as paper.
FontRead readCpcBasic(QByteArrayView bytes)
{
    const qsizetype end = bytes.indexOf(EndOfFile);
    QByteArrayView text = end < 0 ? bytes : bytes.first(end);
    std::map<int, QByteArrayView> program;
    for (int fileLine = 1; !text.isEmpty(); ++fileLine) {
        const qsizetype newline = text.indexOf('\n');
        const QByteArrayView line = newline < 0 ? text : text.first(newline);
        text = newline < 0 ? QByteArrayView() : text.sliced(newline + 1);
        if (line.trimmed().isEmpty())
            continue;
        const auto numberedLine = numbered(line);
        if (!numberedLine)
            return {
                {}, u"строка %1 файла не начинается с номера от 1 до 65535."_s.arg(fileLine), {}};
        program[numberedLine->first] = numberedLine->second;
    }
    Symbols symbols;
    for (const auto &[number, statements] : program) {
        if (const QString error = runLine(statements, symbols); !error.isEmpty())
            return {{}, u"строка %1: %2"_s.arg(QString::number(number), error), {}};
    }
    std::array<char32_t, Codes> defined = {};
    for (int code = 0; code < Codes; ++code) {
        if (symbols.defined[toIndex(code)])
            defined[toIndex(code)] = CpcCharacters[toIndex(code)];
    }
    if (std::all_of(defined.begin(), defined.end(), [](char32_t c) { return c == 0; }))
        return {{}, u"в программе нет ни одного символа Spectrum, заданного SYMBOL."_s, {}};
    return setFromMachine(symbols.glyphs, defined);
}

} // namespace Glyphery
