#include "conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace skyraid {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

enum class Blanks { Leading, Anywhere };

// Reads a number from the start of `text` into `out` as plain ASCII, skipping
// leading blanks, and with Blanks::Anywhere blanks within it too. Returns how
// many characters of `text` it used, or 0 when there is no number there.
qsizetype scanNumber(QStringView text, Blanks blanks, std::string& out)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text[i]))
        ++i;
    auto skipBlanks = [&] {
        while (blanks == Blanks::Anywhere && i < n && isBlank(text[i]))
            ++i;
    };

    out.clear();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            out += '-';
        ++i;
        skipBlanks();
    }
    bool digits = false;
    auto takeDigits = [&] {
        for (;;) {
            skipBlanks();
            if (i >= n || !isDigit(text[i]))
                return;
            out += char(text[i].unicode());
            digits = true;
            ++i;
        }
    };
    takeDigits();
    if (i < n && text[i] == u'.') {
        out += '.';
        ++i;
        takeDigits();
    }
    if (!digits)
        return 0;
    qsizetype used = i;

    // An exponent counts only when digits follow it; "1e" is just 1.
    skipBlanks();
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        std::string exponent = "e";
        ++i;
        skipBlanks();
        if (i < n && (text[i] == u'+' || text[i] == u'-')) {
            if (text[i] == u'-')
                exponent += '-';
            ++i;
        }
        bool expDigits = false;
        for (;;) {
            skipBlanks();
            if (i >= n || !isDigit(text[i]))
                break;
            exponent += char(text[i].unicode());
            expDigits = true;
            ++i;
        }
        if (expDigits) {
            out += exponent;
            used = i;
        }
    }
    return used;
}

// Whether the magnitude of a scanned number is at least 1, from its digits
// and exponent alone: the power of ten of its first significant digit is not
// negative. The exponent saturates, so no digit count or exponent overflows.
bool atLeastOne(const std::string& ascii)
{
    const std::size_t digitsStart = ascii.front() == '-' ? 1 : 0;
    const std::size_t exponentAt = std::min(ascii.find('e'), ascii.size());
    const std::size_t point = std::min(ascii.find('.', digitsStart), exponentAt);
    const std::size_t first = ascii.find_first_of("123456789", digitsStart);
    if (first >= exponentAt)
        return false; // all zeros
    constexpr long long Limit = 1LL << 50;
    long long power = first < point ? (long long)(point - first) - 1 : -(long long)(first - point);
    long long exponent = 0;
    bool negative = false;
    for (std::size_t i = exponentAt + 1; i < ascii.size(); ++i) {
        if (ascii[i] == '-')
            negative = true;
        else
            exponent = std::min(exponent * 10 + (ascii[i] - '0'), Limit);
    }
    power += negative ? -exponent : exponent;
    return power >= 0;
}

double toDouble(const std::string& ascii)
{
    double value = 0;
    const char* first = ascii.data();
    const char* last = first + ascii.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    (void)ptr;
    if (ec != std::errc::result_out_of_range)
        return value;
    // from_chars leaves the value alone on overflow and underflow alike; a
    // number that does not fit is too large when it is at least 1, else too
    // small: the largest finite double or zero, with the number's sign.
    const bool negative = ascii.front() == '-';
    if (atLeastOne(ascii)) {
        const double big = std::numeric_limits<double>::max();
        return negative ? -big : big;
    }
    return negative ? -0.0 : 0.0;
}

std::optional<std::int16_t> toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

} // namespace

double roundHalfEven(double value)
{
    // The default floating-point rounding mode rounds ties to even.
    return std::nearbyint(value);
}

double toNumber(QStringView text)
{
    std::string ascii;
    if (scanNumber(text, Blanks::Anywhere, ascii) == 0)
        return 0.0;
    return toDouble(ascii);
}

std::optional<double> parseNumber(QStringView text)
{
    std::string ascii;
    qsizetype used = scanNumber(text, Blanks::Leading, ascii);
    if (used == 0)
        return std::nullopt;
    while (used < text.size() && isBlank(text[used]))
        ++used;
    if (used != text.size())
        return std::nullopt;
    return toDouble(ascii);
}

std::optional<std::int16_t> toWhole16(QStringView text)
{
    const std::optional<double> number = parseNumber(text);
    if (!number)
        return std::nullopt;
    return toInt16(*number);
}

std::optional<std::int16_t> numberToWhole16(QStringView text)
{
    return toInt16(toNumber(text));
}

} // namespace skyraid
