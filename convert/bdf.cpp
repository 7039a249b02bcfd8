// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "convert/glyph_choice.h"

#include <QList>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// A BDF file is lines of a keyword and its values; the reader walks them with this.
class Lines
{
public:
    explicit Lines(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool atEnd() const { return m_at >= m_bytes.size(); }
    qsizetype number() const { return m_number; }

    QList<QByteArrayView> next()
    {
        qsizetype end = m_bytes.indexOf('\n', m_at);
        if (end < 0)
            end = m_bytes.size();
        const QByteArrayView line = m_bytes.sliced(m_at, end - m_at);
        m_at = end + 1;
        ++m_number;
        QList<QByteArrayView> words;
        qsizetype start = -1;
        for (qsizetype i = 0; i <= line.size(); ++i) {
            const bool blank
                = i == line.size() || line[i] == ' ' || line[i] == '\t' || line[i] == '\r';
            if (blank && start >= 0) {
                words.append(line.sliced(start, i - start));
                start = -1;
            } else if (!blank && start < 0) {
                start = i;
            }
        }
        return words;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_at = 0;
    qsizetype m_number = 0;
};

// Where a glyph's box lies: width, height and the offset of its lower left corner.
struct Box
{
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
};

// Numbers of 16 bits, as X's own fonts have them: sums and differences of two of them cannot
// overflow an int.
bool readBox(const QList<QByteArrayView> &words, Box &box)
{
    bool ok[4] = {};
    if (words.size() != 5)
        return false;
    box = {words[1].toShort(&ok[0]), words[2].toShort(&ok[1]), words[3].toShort(&ok[2]),
           words[4].toShort(&ok[3])};
    return ok[0] && ok[1] && ok[2] && ok[3] && box.width >= 0 && box.height >= 0;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

class BdfReader
{
public:
    explicit BdfReader(QByteArrayView bytes)
        : m_lines(bytes)
    {
    }

    FontRead read()
    {
        if (m_lines.next().value(0) != "STARTFONT")
            return failed(u"это не шрифт BDF: он начинается не со STARTFONT."_s);
        while (!m_lines.atEnd()) {
            const QList<QByteArrayView> words = m_lines.next();
            const QByteArrayView keyword = words.value(0);
            if (keyword == "FONTBOUNDINGBOX" && !cell(words))
                return {{}, m_error, {}};
            if (keyword == "STARTCHAR" && !character())
                return {{}, m_error, {}};
            if (keyword == "ENDFONT")
                return setFromGlyphs(m_glyphs, [this](int c) { return m_choice.glyphFor(c); });
        }
        return failed(u"файл обрывается: в нём нет ENDFONT."_s);
    }

private:
    FontRead failed(const QString &reason) { return {{}, reason, {}}; }

    bool fail(const QString &reason)
    {
        m_error = u"строка %1: %2"_s.arg(m_lines.number()).arg(reason);
        return false;
    }

    bool cell(const QList<QByteArrayView> &words)
    {
        if (!readBox(words, m_cell))
            return fail(u"после FONTBOUNDINGBOX нужны четыре числа от −32768 до 32767."_s);
        if (m_cell.width != GlyphSize || m_cell.height != GlyphSize)
            return fail(u"клетки размером %1×%2 точек, а нужны 8×8."_s.arg(m_cell.width)
                            .arg(m_cell.height));
        m_hasCell = true;
        return true;
    }

    // From STARTCHAR to ENDCHAR. Only the glyphs the Spectrum's characters need are drawn
    // into the cell; the others are read over.
    bool character()
    {
        if (!m_hasCell)
            return fail(u"символ описан раньше FONTBOUNDINGBOX."_s);
        long long encoding = -1;
        Box box;
        bool hasBox = false;
        while (!m_lines.atEnd()) {
            const QList<QByteArrayView> words = m_lines.next();
            const QByteArrayView keyword = words.value(0);
            if (keyword == "ENCODING") {
                bool ok = false;
                encoding = words.value(1).toLongLong(&ok);
                if (!ok)
                    return fail(u"после ENCODING нужно число."_s);
            } else if (keyword == "BBX") {
                if (!readBox(words, box))
                    return fail(u"после BBX нужны четыре числа от −32768 до 32767, ширина и "
                                u"высота не меньше 0."_s);
                hasBox = true;
            } else if (keyword == "BITMAP") {
                if (!hasBox)
                    return fail(u"BITMAP раньше BBX."_s);
                const bool wanted
                    = encoding >= 0 && encoding <= 0x10ffff && m_choice.wants(char32_t(encoding));
                if (!bitmap(box, wanted ? char32_t(encoding) : 0))
                    return false;
            } else if (keyword == "ENDCHAR") {
                return true;
            }
        }
        return fail(u"файл обрывается посреди символа."_s);
    }

    // The rows of a glyph, each as hex digits, the leftmost pixel in the top bit of the
    // first byte. unicode is 0 when the glyph is not wanted.
    bool bitmap(const Box &box, char32_t unicode)
    {
        QByteArray glyph(GlyphSize, '\0');
        // Cell rows count down from the top; BDF's y counts up from the baseline.
        const int top = (m_cell.y + m_cell.height) - (box.y + box.height);
        const int left = box.x - m_cell.x;
        for (int row = 0; row < box.height; ++row) {
            if (m_lines.atEnd())
                return fail(u"файл обрывается посреди точек символа."_s);
            const QByteArrayView digits = m_lines.next().value(0);
            const qint64 wanted = (qint64(box.width) + 7) / 8 * 2;
            if (digits.size() < wanted)
                return fail(u"в строке точек меньше %1."_s.arg(
                    counted(wanted, u"цифры", u"цифр", u"цифр")));
            if (unicode != 0 && !drawRow(glyph, digits, box.width, top + row, left))
                return false;
        }
        if (unicode != 0) {
            m_choice.offer(unicode, int(m_glyphs.size() / GlyphSize));
            m_glyphs += glyph;
        }
        return true;
    }

    bool drawRow(QByteArray &glyph, QByteArrayView digits, int width, int row, int left)
    {
        for (int x = 0; x < width; ++x) {
            const int value = hexDigit(digits[x / 4]);
            if (value < 0)
                return fail(u"в строке точек не шестнадцатеричная цифра."_s);
            if (!(value >> (3 - x % 4) & 1))
                continue;
            const int column = left + x;
            if (row < 0 || row >= GlyphSize || column < 0 || column >= GlyphSize)
                return fail(u"точка символа выходит за клетку 8×8."_s);
            glyph[row] = char(glyph[row] | 0x80 >> column);
        }
        return true;
    }

    Lines m_lines;
    Box m_cell;
    bool m_hasCell = false;
    GlyphChoice m_choice;
    QByteArray m_glyphs;
    QString m_error;
};

} // namespace

FontRead readBdf(QByteArrayView bytes)
{
    return BdfReader(bytes).read();
}

// The cell is the Spectrum's 8 × 8 with row 7 below the baseline, where its descenders go.
// Each character is named by its Unicode number, so "↑", "£" and "©" stay what they are.
// The properties repeat the fields of the font's name: X's font tools, fontconfig and
// FreeType take the family, the character set (ISO 10646, that is Unicode) and the cell
// spacing from them, and without them map no character to its glyph.
QByteArray writeBdf(QByteArrayView set, const QString &name)
{
    const QByteArray family = identifierFrom(name).toLatin1();
    QByteArray bytes = "STARTFONT 2.1\nFONT -Glyphery-" + family
        + "-Medium-R-Normal--8-80-72-72-C-80-ISO10646-1\nSIZE 8 72 72\n"
          "FONTBOUNDINGBOX 8 8 0 -1\nSTARTPROPERTIES 17\nFOUNDRY \"Glyphery\"\nFAMILY_NAME \""
        + family
        + "\"\nWEIGHT_NAME \"Medium\"\nSLANT \"R\"\nSETWIDTH_NAME \"Normal\"\n"
          "ADD_STYLE_NAME \"\"\nPIXEL_SIZE 8\nPOINT_SIZE 80\nRESOLUTION_X 72\nRESOLUTION_Y 72\n"
          "SPACING \"C\"\nAVERAGE_WIDTH 80\nCHARSET_REGISTRY \"ISO10646\"\n"
          "CHARSET_ENCODING \"1\"\nFONT_ASCENT 7\nFONT_DESCENT 1\nDEFAULT_CHAR 32\n"
          "ENDPROPERTIES\nCHARS 96\n";
    bytes.reserve(SetBytes * 16);
    // The lines before each character's bitmap are the same in every file.
    static const std::array<QByteArray, CharsPerSet> heads = [] {
        std::array<QByteArray, CharsPerSet> lines;
        for (int character = 0; character < CharsPerSet; ++character) {
            const auto unicode = uint(unicodeOfCode(FirstCode + character));
            lines[toIndex(character)] = "STARTCHAR uni"
                + QByteArray::number(unicode, 16).toUpper().rightJustified(4, '0') + "\nENCODING "
                + QByteArray::number(unicode)
                + "\nSWIDTH 1000 0\nDWIDTH 8 0\nBBX 8 8 0 -1\nBITMAP\n";
        }
        return lines;
    }();
    constexpr char HexDigits[] = "0123456789ABCDEF";
    for (int character = 0; character < CharsPerSet; ++character) {
        bytes += heads[toIndex(character)];
        for (int row = 0; row < GlyphSize; ++row) {
            const std::uint8_t bits = rowOf(set, 0, character, row);
            bytes.append(HexDigits[bits >> 4]).append(HexDigits[bits & 0xf]).append('\n');
        }
        bytes += "ENDCHAR\n";
    }
    return bytes + "ENDFONT\n";
}

} // namespace Glyphery
