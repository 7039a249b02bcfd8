// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "font/chars_address.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr char NumberMark = 0x0e;
constexpr char EndOfLine = 0x0d;

struct Keyword
{
    QStringView text;
    char token;
};

// The keywords the loader uses and their one-byte tokens in Spectrum memory.
constexpr Keyword Keywords[]
    = {{u"CLEAR", char(0xfd)}, {u"LOAD", char(0xef)}, {u"CODE", char(0xaf)}, {u"POKE", char(0xf4)}};

char tokenOf(QStringView word)
{
    for (const Keyword &keyword : Keywords) {
        if (keyword.text == word)
            return keyword.token;
    }
    Q_UNREACHABLE();
    return 0;
}

// A number as BASIC stores it: the digits as typed, then the mark and the five-byte form the
// interpreter reads instead of them; a whole number 0..65535 is 0, 0, low byte, high byte, 0.
QByteArray numberBytes(QStringView digits)
{
    const int value = digits.toInt();
    QByteArray bytes = digits.toLatin1();
    const char hidden[] = {NumberMark, 0, 0, char(value & 0xff), char(value >> 8), 0};
    return bytes.append(hidden, sizeof hidden);
}

// One line of the listing, tokenised as the Spectrum's editor would: keywords to tokens,
// blanks outside strings dropped, numbers followed by their hidden form.
QByteArray tokenizedLine(QStringView text)
{
    QByteArray body;
    qsizetype at = 0;
    auto runOf = [&](auto belongs) {
        const qsizetype start = at;
        while (at < text.size() && belongs(text[at]))
            ++at;
        return text.sliced(start, at - start);
    };
    const int line = runOf([](QChar c) { return c.isDigit(); }).toInt();
    while (at < text.size()) {
        const QChar c = text[at];
        if (c.isLetter()) {
            body.append(tokenOf(runOf([](QChar l) { return l.isLetter(); })));
        } else if (c.isDigit()) {
            body.append(numberBytes(runOf([](QChar d) { return d.isDigit(); })));
        } else if (c == u'"') {
            ++at;
            body.append('"').append(runOf([](QChar s) { return s != u'"'; }).toLatin1());
            body.append('"');
            ++at;
        } else {
            if (c != u' ')
                body.append(char(c.unicode()));
            ++at;
        }
    }
    body.append(EndOfLine);
    QByteArray bytes;
    // The line number is the one big-endian word in a BASIC program.
    bytes.append(char(line >> 8)).append(char(line & 0xff));
    bytes.append(char(body.size() & 0xff)).append(char(body.size() >> 8));
    return bytes + body;
}

// CLEAR puts RAMTOP below the font, so BASIC never writes over it; the two POKEs are the
// calculator's, so the tape and the editor's window always agree. The listing is written as
// zmakebas takes it.
QString loaderListing(int address)
{
    const CharsBytes chars = *charsFor(address); // the tape's writer checked the address
    return u"%1 CLEAR %2: LOAD \"\"CODE %3: POKE 23606,%4: POKE 23607,%5"_s.arg(LoaderLine)
        .arg(address - 1)
        .arg(address)
        .arg(int(chars.low))
        .arg(int(chars.high));
}

} // namespace

QByteArray loaderProgram(int address)
{
    return tokenizedLine(loaderListing(address));
}

} // namespace Glyphery
