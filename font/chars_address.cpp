// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/chars_address.h"

namespace Glyphery {

namespace {

constexpr int HighestAddress = 65535;

int hexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Digits in the given base, at least one. The value is checked after each digit, so text of
// any length either stays within 0..65535 or is rejected at the first digit that leaves it.
std::optional<int> parseDigits(QStringView digits, int base)
{
    if (digits.isEmpty())
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        const int digit = hexDigitValue(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * base + digit;
        if (value > HighestAddress)
            return std::nullopt;
    }
    return value;
}

// Floor division, so that negative addresses split the way 16-bit wrap-around does.
constexpr long long floorDiv256(long long value)
{
    return value >= 0 ? value / 256 : -((-value + 255) / 256);
}

} // namespace

std::optional<int> parseAddress(QStringView text)
{
    text = text.trimmed();

    if (text.startsWith(u'#') || text.startsWith(u'$'))
        return parseDigits(text.sliced(1), 16);
    if (text.startsWith(u"0x", Qt::CaseInsensitive))
        return parseDigits(text.sliced(2), 16);

    bool negative = false;
    if (text.startsWith(u'+') || text.startsWith(u'-')) {
        negative = text.front() == u'-';
        text = text.sliced(1);
    }
    const std::optional<int> value = parseDigits(text, 10);
    if (!value || (negative && *value != 0))
        return std::nullopt;
    return value;
}

std::optional<std::uint8_t> a256(int address)
{
    const long long low = address - 256 * floorDiv256(address);
    if (low < 0 || low > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(low);
}

std::optional<std::uint8_t> b256(int address)
{
    const long long high = floorDiv256(address);
    if (high < 0 || high > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(high);
}

std::optional<CharsBytes> charsFor(int address)
{
    const std::optional<std::uint8_t> low = a256(address);
    const std::optional<std::uint8_t> high = b256(address);
    if (!low || !high)
        return std::nullopt;
    // CHARS points 256 bytes below the font: the Spectrum finds character code c at
    // CHARS + 8 * c, and the font starts with the space, code 32. The subtraction wraps as the
    // Spectrum's addresses do, so a font in the first page gives 255 rather than -1.
    return CharsBytes {*low, static_cast<std::uint8_t>((*high + 255) % 256)};
}

} // namespace Glyphery
