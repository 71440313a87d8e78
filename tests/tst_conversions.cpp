#include "settings/conversions.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <string>

#include <QString>

#include <gtest/gtest.h>

using namespace skyraid;

// Each text, its leading number, and the whole text as a 16-bit number.
TEST(Conversions, LeadingNumberWhole16AndYesNo)
{
    const std::string zeros(600, '0');
    const std::string nines(400, '9');
    const std::string hugeExponent(30, '9');
    constexpr int Fails = INT_MIN;
    // clang-format off
    const struct { std::string text; double number; int whole; } rows[] = {
        {"-857", -857, -857}, {" 2 ", 2, 2}, {"+7", 7, 7}, {"\t7\n", 7, 7}, {"1 2 3", 123, Fails},
        {"- 3", -3, Fails}, {".5", 0.5, 0}, {"-.25", -0.25, 0}, {"16.5", 16.5, 16},
        {"1e2x", 100, Fails}, {"17.5", 17.5, 18}, {"-2.5", -2.5, -2}, {"2.51", 2.51, 3},
        {"1.5E-2", 0.015, 0}, {"2.5E1", 25, 25}, {"2e", 2, Fails}, {"2e+", 2, Fails},
        {"30px", 30, Fails}, {"4.5.6", 4.5, Fails}, {"", 0, Fails}, {"abc", 0, Fails},
        {"NaN", 0, Fails}, {"inf", 0, Fails}, {"&H10", 0, Fails}, {".", 0, Fails}, {"-", 0, Fails},
        {"１２", 0, Fails} /* full-width digits are not digits */, {"32767.4", 32767.4, 32767},
        {"-32768.5", -32768.5, -32768}, {"32767.5", 32767.5, Fails}, {"-32769", -32769, Fails},
        // Beyond a double: too large is the largest finite one, too small is
        // zero, each with the number's sign, however the digits are written.
        {"1e400", DBL_MAX, Fails}, {"-1e400", -DBL_MAX, Fails}, {"1e-400", 0, 0},
        {"-1e-400", -0.0, 0}, {"0." + zeros + "1", 0, 0}, {"-0." + zeros + "1", -0.0, 0},
        {"0." + zeros + "1e+5", 0, 0}, {nines + "e-80", DBL_MAX, Fails},
        {"-" + nines + "e-1", -DBL_MAX, Fails}, {"1" + zeros + "e-2", DBL_MAX, Fails},
        {zeros + "2e308", DBL_MAX, Fails}, {"0." + zeros + "1e1000", DBL_MAX, Fails},
        {"1e" + hugeExponent, DBL_MAX, Fails}, {"-1e-" + hugeExponent, -0.0, 0},
        {"0." + zeros + "1e601", 1, 1}, {"1" + zeros + "e-600", 1, 1},
        {zeros + "1.5e308", 1.5e308, Fails}, {zeros + "1e-400", 0, 0}};
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.substr(0, 30));
        const QString text = QString::fromStdString(row.text);
        const double number = toNumber(text);
        EXPECT_DOUBLE_EQ(number, row.number);
        EXPECT_EQ(std::signbit(number), std::signbit(row.number));
        const std::optional<std::int16_t> whole = toWhole16(text);
        EXPECT_EQ(whole ? *whole : Fails, row.whole);
    }

    EXPECT_EQ(numberToWhole16(u"17.5"), std::int16_t(18));
    EXPECT_EQ(numberToWhole16(u"24pt"), std::int16_t(24));
    EXPECT_FALSE(numberToWhole16(u"40000").has_value());
    EXPECT_TRUE(isYes(u" 1.0 ") && isYes(u"1abc"));
    EXPECT_FALSE(isYes(u"2") || isYes(u"0") || isYes(u"-1") || isYes(u"yes"));
}
