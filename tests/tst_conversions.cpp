#include "settings/conversions.h"

#include <cfloat>

#include <QString>

#include <gtest/gtest.h>

using namespace skyraid;

struct NumberRow {
    const char* text;
    double expected;
};

void PrintTo(const NumberRow& row, std::ostream* os)
{
    *os << '"' << row.text << '"';
}

class LeadingNumber : public ::testing::TestWithParam<NumberRow> {};

TEST_P(LeadingNumber, ReadsTheNumberAtTheStart)
{
    const NumberRow row = GetParam();
    EXPECT_DOUBLE_EQ(toNumber(QString::fromUtf8(row.text)), row.expected) << row.text;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LeadingNumber,
    ::testing::Values(NumberRow{"36", 36}, NumberRow{"-857", -857}, NumberRow{"+5", 5},
                      NumberRow{"  12  ", 12}, NumberRow{"1 2 3", 123}, NumberRow{"- 3", -3},
                      NumberRow{"2.5", 2.5}, NumberRow{".5", 0.5}, NumberRow{"-.25", -0.25},
                      NumberRow{"1e3", 1000}, NumberRow{"1.5E-2", 0.015}, NumberRow{"2e", 2},
                      NumberRow{"2e+", 2}, NumberRow{"30px", 30}, NumberRow{"4.5.6", 4.5},
                      NumberRow{"", 0}, NumberRow{"   ", 0}, NumberRow{"abc", 0},
                      NumberRow{"NaN", 0}, NumberRow{"&H10", 0}, NumberRow{".", 0},
                      NumberRow{"-", 0}, NumberRow{"1e-400", 0}, NumberRow{"1e400", DBL_MAX},
                      NumberRow{"-1e400", -DBL_MAX}, NumberRow{"\t7\n", 7},
                      NumberRow{"１２", 0} /* full-width digits are not digits */));

struct WholeRow {
    const char* text;
    bool converts;
    int expected;
};

void PrintTo(const WholeRow& row, std::ostream* os)
{
    *os << '"' << row.text << '"';
}

class Whole16 : public ::testing::TestWithParam<WholeRow> {};

TEST_P(Whole16, ConvertsWholeTextOrFails)
{
    const WholeRow row = GetParam();
    const std::optional<std::int16_t> value = toWhole16(QString::fromUtf8(row.text));
    ASSERT_EQ(value.has_value(), row.converts) << row.text;
    if (row.converts) {
        EXPECT_EQ(*value, row.expected) << row.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Whole16,
    ::testing::Values(
        WholeRow{"-857", true, -857}, WholeRow{" 2 ", true, 2}, WholeRow{"+7", true, 7},
        WholeRow{"16.5", true, 16}, WholeRow{"17.5", true, 18}, WholeRow{"-2.5", true, -2},
        WholeRow{"0.5", true, 0}, WholeRow{"1.5", true, 2}, WholeRow{"2.51", true, 3},
        WholeRow{"1e2", true, 100}, WholeRow{"2.5E1", true, 25}, WholeRow{"32767", true, 32767},
        WholeRow{"-32768", true, -32768}, WholeRow{"32767.4", true, 32767},
        WholeRow{"-32768.5", true, -32768}, WholeRow{"32767.5", false, 0},
        WholeRow{"32768", false, 0}, WholeRow{"-32769", false, 0},
        WholeRow{"99999999999", false, 0}, WholeRow{"1e400", false, 0}, WholeRow{"", false, 0},
        WholeRow{"  ", false, 0}, WholeRow{"abc", false, 0}, WholeRow{"12abc", false, 0},
        WholeRow{"1 2", false, 0}, WholeRow{"- 3", false, 0}, WholeRow{"NaN", false, 0},
        WholeRow{"inf", false, 0}, WholeRow{"&H10", false, 0}, WholeRow{"1e", false, 0}));

TEST(NumberThenWhole16, UsesTheLeadingNumberAndFailsOnlyOutOfRange)
{
    EXPECT_EQ(numberToWhole16(u"16.5"), std::int16_t(16));
    EXPECT_EQ(numberToWhole16(u"17.5"), std::int16_t(18));
    EXPECT_EQ(numberToWhole16(u"24pt"), std::int16_t(24));
    EXPECT_EQ(numberToWhole16(u"abc"), std::int16_t(0));
    EXPECT_EQ(numberToWhole16(u"-32768.5"), std::int16_t(-32768));
    EXPECT_FALSE(numberToWhole16(u"40000").has_value());
    EXPECT_FALSE(numberToWhole16(u"1e400").has_value());
}

TEST(YesNo, OnlyTheNumberOneMeansYes)
{
    EXPECT_TRUE(isYes(u"1"));
    EXPECT_TRUE(isYes(u" 1.0 "));
    EXPECT_TRUE(isYes(u"1abc"));
    EXPECT_FALSE(isYes(u"2"));
    EXPECT_FALSE(isYes(u"0"));
    EXPECT_FALSE(isYes(u""));
    EXPECT_FALSE(isYes(u"yes"));
    EXPECT_FALSE(isYes(u"-1"));
}

TEST(ParseNumber, AWholeTextWithInnerBlanksIsNoNumber)
{
    // The preview reads its window from the longest tail that is a number.
    EXPECT_FALSE(parseNumber(u"12 34").has_value());
    EXPECT_EQ(parseNumber(u" 34"), 34.0);
    EXPECT_FALSE(parseNumber(u":4242").has_value());
}
