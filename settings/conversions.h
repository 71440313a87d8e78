#pragma once

#include <cstdint>
#include <optional>

#include <QStringView>

namespace skyraid {

// The conversions that readers apply to stored text. None of them throws.

// The number at the start of the text: blanks are ignored, then an optional
// sign, digits with an optional period as decimal point, and an optional
// exponent. 0 when the text does not start with a number. Never fails; a
// magnitude beyond what a double holds is clamped to the largest finite one,
// and one too small for it reads as zero, each with the number's sign.
double toNumber(QStringView text);

// The whole text read as a number, or nothing when it is not one. Blanks may
// stand before and after the number but not within it: "12 34" is no number.
std::optional<double> parseNumber(QStringView text);

// Rounds half to even: 16.5 gives 16, 17.5 gives 18, -2.5 gives -2.
double roundHalfEven(double value);

// The whole text as a number, rounded half to even into a signed 16-bit
// value. Fails on text that is not a number or lies outside -32768..32767.
std::optional<std::int16_t> toWhole16(QStringView text);

// The leading number of the text (toNumber), rounded half to even into a
// signed 16-bit value. Fails only when it lies outside the 16-bit range.
std::optional<std::int16_t> numberToWhole16(QStringView text);

// A yes/no option means yes only when it is the number 1.
inline bool isYes(QStringView text)
{
    return toNumber(text) == 1.0;
}

} // namespace skyraid
