// SPDX-License-Identifier: GPL-3.0-or-later
// The call calculator on any typed text: the address is 0..65535 or nothing, the POKE lines are
// either both placeholders or two statements with bytes 0..255, and the address agrees with a
// second parser written the plain way (strip, check characters, compare lengths).

#include "font/chars_address.h"
#include "shell/call_calculator.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

using namespace Qt::Literals::StringLiterals;
using namespace Glyphery;

namespace {

void check(bool condition, const char *what, QStringView text)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\ntext: \"%s\"\n", what,
                     text.toUtf8().constData());
        std::abort();
    }
}

bool isDigitIn(QChar c, int base)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return true;
    return base == 16 && ((u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'));
}

// The same rules as parseAddress by another road: the text must consist of digits only, and
// once leading zeros are gone at most five decimal or four hexadecimal digits may be left.
std::optional<int> referenceAddress(QStringView text)
{
    text = text.trimmed();
    int base = 10;
    bool negative = false;
    if (text.startsWith(u'#') || text.startsWith(u'$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        base = 16;
        text = text.sliced(2);
    } else if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text[0] == u'-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        if (!isDigitIn(c, base))
            return std::nullopt;
    }
    while (text.size() > 1 && text[0] == u'0')
        text = text.sliced(1);
    if (text.size() > (base == 10 ? 5 : 4))
        return std::nullopt;
    bool ok = false;
    const int value = text.toString().toInt(&ok, base);
    if (!ok || value > 65535 || (negative && value != 0))
        return std::nullopt;
    return value;
}

// " n" with n in 0..255 and nothing else, as the POKE lines print a byte.
std::optional<int> pokedByte(const QString &line, const QString &prefix)
{
    if (!line.startsWith(prefix))
        return std::nullopt;
    const QStringView number = QStringView(line).sliced(prefix.size());
    if (number.size() < 2 || number.size() > 4 || number[0] != u' ')
        return std::nullopt;
    for (const QChar c : number.sliced(1)) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    if (number.size() > 2 && number[1] == u'0')
        return std::nullopt;
    const int value = number.sliced(1).toString().toInt();
    if (value > 255)
        return std::nullopt;
    return value;
}

void checkText(QStringView text)
{
    const std::optional<int> address = parseAddress(text);
    if (address)
        check(*address >= 0 && *address <= 65535, "an address lies in 0..65535", text);
    check(address == referenceAddress(text), "both parsers agree", text);

    const CallLines lines = ShowCall(text);
    if (!address) {
        check(lines.low == u"POKE 23606,___"_s && lines.high == u"POKE 23607,___"_s,
              "no address shows both placeholders", text);
        return;
    }
    const std::optional<int> low = pokedByte(lines.low, u"POKE 23606,"_s);
    const std::optional<int> high = pokedByte(lines.high, u"POKE 23607,"_s);
    check(low && high, "an address shows two POKE statements of bytes 0..255", text);
    // CHARS = address - 256, wrapped to 16 bits.
    const int chars = (*address + 65536 - 256) % 65536;
    check(*low == chars % 256 && *high == chars / 256, "the POKEs give CHARS", text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto length = static_cast<qsizetype>(size);
    checkText(QString::fromUtf8(reinterpret_cast<const char *>(data), length));

    // The same bytes as UTF-16, lone surrogates included: the field can hold any QChar.
    QString utf16(length / 2, Qt::Uninitialized);
    std::memcpy(utf16.data(), data, std::size_t(utf16.size()) * sizeof(char16_t));
    checkText(utf16);

    // a256 never fails; b256 fails exactly outside the memory.
    if (size >= sizeof(int)) {
        int address = 0;
        std::memcpy(&address, data, sizeof address);
        const std::optional<std::uint8_t> low = a256(address);
        const std::optional<std::uint8_t> high = b256(address);
        const QString text = QString::number(address);
        check(low.has_value(), "every int has a low byte", text);
        check(high.has_value() == (address >= 0 && address <= 65535),
              "a high byte exists exactly for 0..65535", text);
        check(*low == static_cast<std::uint8_t>(static_cast<unsigned>(address) & 0xFFu),
              "the low byte wraps as 16-bit arithmetic does", text);
        if (high)
            check(*high * 256 + *low == address, "high and low bytes make the address", text);
    }
    return 0;
}
