// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of rules/numbers.h against the rules for reading and writing numbers and for rounding.

#include "rules/numbers.h"
#include "showtext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace {

using rules::GeneralNumberText;
using rules::LeadingNumber;
using rules::ReadNumberText;
using rules::RoundNumber;
using rules::RoundTo15Digits;
using rules::ToInt32HalfEven;
using rules::WholeNumberText;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct LeadingCase {
    std::string_view text;
    double expected;
};

TEST(LeadingNumber, RulebookExamples)
{
    const LeadingCase cases[] = {
        {"3 swords", 3}, {"1 2", 12}, {"1,5", 1}, {"abc", 0}, {"", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, BlanksTabsAndLineFeedsAreDroppedWherever)
{
    const LeadingCase cases[] = {
        {"   ", 0},      {"\t\n \t", 0},   {" 7", 7},       {"7 ", 7},           {"\t7", 7},
        {"\n7\n", 7},    {"1\t2", 12},     {"1\n2", 12},    {" 1 2 . 5 ", 12.5}, {"- 3", -3},
        {"\t-\t3", -3},  {"+ \n4", 4},     {"1 e 3", 1000}, {"1e - 2", 0.01},    {"2 days", 2},
        {"& H 1 0", 16}, {"&\tO\n17", 15},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, OnlyBlanksTabsAndLineFeedsAreDropped)
{
    // A carriage return (or any other character) is not one of the three: reading stops there.
    const LeadingCase cases[] = {
        {"1\r2", 1}, {"1\v2", 1}, {"1\f2", 1}, {"1_2", 1}, {"1'000", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, SignDigitsAndOnePoint)
{
    const LeadingCase cases[] = {
        {"0", 0},
        {"5", 5},
        {"+5", 5},
        {"-5", -5},
        {"007", 7},
        {"-007.50", -7.5},
        {"1.5", 1.5},
        {".5", 0.5},
        {"-.5", -0.5},
        {"+.25", 0.25},
        {"5.", 5},
        {"0.1", 0.1},
        {"1.2.3", 1.2},
        {"1..2", 1},
        {"..5", 0},
        {".", 0},
        {"-", 0},
        {"+", 0},
        {"--5", 0},
        {"+-5", 0},
        {"-+5", 0},
        {"5-", 5},
        {"3-2", 3},
        {"12abc", 12},
        {"x12", 0},
        {"0x10", 0},
        {"1d2", 1}, // only E starts an exponent
        {"123456789012345678901234567890", 123456789012345678901234567890.0},
        {"0.000000000000000000000000000001", 1e-30},
        {"2147483648", 2147483648.0},
        {"-2147483649", -2147483649.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, ExponentInEitherCase)
{
    const LeadingCase cases[] = {
        {"1e3", 1000},        {"1E3", 1000},   {"1e+3", 1000},  {"1E+3", 1000},
        {"1e-3", 0.001},      {"1E-3", 0.001}, {"2.5e2", 250},  {"-2.5E-2", -0.025},
        {".5e1", 5},          {"5.e1", 50},    {"1e0", 1},      {"1e-0005", 1e-5},
        {"1e03swords", 1000}, {"1e3.5", 1000}, {"1e3e2", 1000}, {"0e99999", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, IncompleteExponentKeepsTheMantissa)
{
    const LeadingCase cases[] = {
        {"1e", 1},   {"1E", 1},     {"1e+", 1},  {"1E-", 1},   {"1ex", 1},
        {"1e+x", 1}, {"2.5e", 2.5}, {"-3E", -3}, {"1e-+2", 1}, {"e5", 0},
        {"E5", 0},   {".e5", 0},    {"-e5", 0},  {"1 e", 1},   {"1e\t+\n", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

TEST(LeadingNumber, HexadecimalAndOctalPrefixes)
{
    const LeadingCase cases[] = {
        {"&H10", 16}, {"&HFF", 255},  {"&Hff", 255}, {"&H7FFF", 32767}, {"&H0", 0},
        {"&H", 0},    {"&HG", 0},     {"&H1G", 1},   {"&H10.5", 16},    {"&H1E3", 0x1E3},
        {"&O17", 15}, {"&O777", 511}, {"&O0", 0},    {"&O", 0},         {"&O8", 0},
        {"&O78", 7},  {"&O1.5", 1},   {"&", 0},      {"&X10", 0},       {"& H 2 A", 42},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(LeadingNumber(c.text), c.expected);
    }
}

// Beyond 2^53 the digits are rounded once, to the nearest double, a tie to the even neighbour.
// Rounding as the digits arrive would round twice: &H200000000000011 would read 2^57.
TEST(LeadingNumber, HexadecimalAndOctalBeyond53BitsRoundOnce)
{
    const std::string zeros242(242, '0');
    const std::pair<std::string, double> cases[] = {
        {"&H20000000000001", 0x1p53},                     // 2^53 + 1: a tie, down to even
        {"&H20000000000003", 0x1.0000000000002p53},       // 2^53 + 3: a tie, up to even
        {"&H200000000000010", 0x1p57},                    // 2^57 + 16: a tie, down to even
        {"&H200000000000011", 0x1.0000000000001p57},      // 2^57 + 17: above the tie
        {"&O10000000000000000021", 0x1.0000000000001p57}, // the same in octal
        // A tie in the leading digits, broken by a 1 far behind them.
        {"&H20000000000001" + std::string(16, '0') + "1", 0x1.0000000000001p121},
        {"&HFFFFFFFFFFFFFFFF", 0x1p64},
        {"&HFFFFFFFFFFFFF8" + zeros242, std::numeric_limits<double>::max()},
        {"&HFFFFFFFFFFFFFC" + zeros242, kInf}, // the largest double and a half: a tie, to even
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(Show(text.substr(0, 40)));
        EXPECT_EQ(LeadingNumber(text), expected);
    }
}

TEST(LeadingNumber, HugeGivesInfinityTinyGivesZero)
{
    EXPECT_EQ(LeadingNumber("1e999"), kInf);
    EXPECT_EQ(LeadingNumber("-1e999"), -kInf);
    EXPECT_EQ(LeadingNumber("1E+400"), kInf);
    EXPECT_EQ(LeadingNumber("1e99999999999999999999"), kInf);
    EXPECT_EQ(LeadingNumber("-9e99999999999999999999999999999"), -kInf);
    EXPECT_EQ(LeadingNumber(std::string(400, '9')), kInf);
    EXPECT_EQ(LeadingNumber("1e-999"), 0.0);
    EXPECT_EQ(LeadingNumber("-1e-999"), 0.0);
    EXPECT_EQ(LeadingNumber("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(LeadingNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
    // A huge mantissa with a large negative exponent is an ordinary number.
    EXPECT_EQ(LeadingNumber(std::string(400, '1') + "e-399"), 1.1111111111111111);
    // Very long hexadecimal digits: whatever the value, never NaN and never a crash.
    EXPECT_FALSE(std::isnan(LeadingNumber("&H" + std::string(300, 'F'))));
    EXPECT_FALSE(std::isnan(LeadingNumber("&O" + std::string(300, '7'))));
}

TEST(LeadingNumber, NeverNaN)
{
    const std::string_view texts[] = {"nan",  "NaN",    "-nan",  "inf", "infinity",
                                      "-inf", "1e999e", "&Hnan", "0/0", "1e999-1e999"};
    for (auto t : texts) {
        SCOPED_TRACE(Show(t));
        const double v = LeadingNumber(t);
        EXPECT_FALSE(std::isnan(v));
    }
    // "nan" and "inf" are no numbers at all.
    EXPECT_EQ(LeadingNumber("nan"), 0.0);
    EXPECT_EQ(LeadingNumber("inf"), 0.0);
    EXPECT_EQ(LeadingNumber("infinity"), 0.0);
}

struct Int32Case {
    double x;
    std::optional<std::int32_t> expected;
};

TEST(ToInt32HalfEven, HalvesGoToTheEvenNeighbour)
{
    const Int32Case cases[] = {
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {4.5, 4},
        {5.5, 6},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {-3.5, -4},
        {0.0, 0},
        {-0.0, 0},
        {0.49999999999999994, 0},
        {0.5000000000000001, 1},
        {2.4, 2},
        {2.6, 3},
        {-2.4, -2},
        {-2.6, -3},
        {1e-300, 0},
        {-1e-300, 0},
        {7.0, 7},
        {-7.0, -7},
        {1000000.5, 1000000},
        {1000001.5, 1000002},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "x = " << c.x);
        EXPECT_EQ(ToInt32HalfEven(c.x), c.expected);
    }
}

TEST(ToInt32HalfEven, RangeBorders)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const Int32Case cases[] = {
        {2147483647.0, kMax},
        {2147483647.4, kMax},
        {2147483646.5, 2147483646},
        {2147483647.5, std::nullopt}, // the even neighbour 2147483648 does not fit
        {2147483648.0, std::nullopt},
        {2147483648.4, std::nullopt},
        {-2147483648.0, kMin},
        {-2147483648.4, kMin},
        {-2147483648.5, kMin}, // the even neighbour is -2147483648 itself
        {-2147483648.6, std::nullopt},
        {-2147483649.0, std::nullopt},
        {-2147483647.5, kMin},
        {1e10, std::nullopt},
        {-1e10, std::nullopt},
        {1e300, std::nullopt},
        {-1e300, std::nullopt},
        {std::numeric_limits<double>::max(), std::nullopt},
        {std::numeric_limits<double>::lowest(), std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << "x = " << c.x);
        EXPECT_EQ(ToInt32HalfEven(c.x), c.expected);
    }
}

TEST(ToInt32HalfEven, InfinityAndNaNAreReported)
{
    EXPECT_EQ(ToInt32HalfEven(kInf), std::nullopt);
    EXPECT_EQ(ToInt32HalfEven(-kInf), std::nullopt);
    EXPECT_EQ(ToInt32HalfEven(kNaN), std::nullopt);
    EXPECT_EQ(ToInt32HalfEven(-kNaN), std::nullopt);
}

TEST(RoundTo15Digits, DropsTheNoiseBeyond15Digits)
{
    const std::pair<double, double> cases[] = {
        {3.5999999999999996, 3.6},
        {0.030000000000000002, 0.03},
        {15.000000000000002, 15.0},
        {0.1 + 0.2, 0.3},
        {0.0, 0.0},
        {1.0, 1.0},
        {-3.5999999999999996, -3.6},
        {123456789012345678.0, 123456789012346000.0},
        {1.0 / 3.0, 0.333333333333333},
        {2.0 / 3.0, 0.666666666666667},
        {1e300, 1e300},
        {999999999999999.0, 999999999999999.0},
    };
    for (const auto &[x, expected] : cases) {
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << "x = " << x);
        EXPECT_DOUBLE_EQ(RoundTo15Digits(x), expected);
    }
}

struct RoundCase {
    double x;
    int multiple;
    double expected;
};

TEST(RoundNumber, RulebookCases)
{
    const RoundCase cases[] = {
        {12.5, 1, 13}, {25, 1, 25}, {0, 1, 0}, {-0.5, 1, 0}, {-1.5, 1, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "RoundNumber(" << c.x << ", " << c.multiple << ")");
        EXPECT_EQ(RoundNumber(c.x, c.multiple), c.expected);
    }
}

TEST(RoundNumber, RoundsUpToTheNextWholeNumber)
{
    const RoundCase cases[] = {
        {6.25, 1, 7},
        {0.25, 1, 1},
        {1.0025, 1, 2},
        {0.1 + 0.2, 1, 1},
        {10.5, 1, 11},
        {1e-10, 1, 1},
        {-2.5, 1, -2},
        {-0.25, 1, 0},
        {100.000000000001, 1, 101}, // the fraction is within the 15 digits
        {999999.5, 1, 1000000},
        {3, 2, 4}, // 3 / 2 = 1.5 is not whole: up to the next multiple of 2
        {4, 2, 4},
        {5, 2, 6},
        {7, 5, 10},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << "RoundNumber(" << c.x << ", "
                                        << c.multiple << ")");
        EXPECT_EQ(RoundNumber(c.x, c.multiple), c.expected);
    }
}

TEST(RoundNumber, WholeTo15DigitsReturnsXUnchanged)
{
    const double perDay = 10.5 / 0.7; // 15.000000000000002 in double arithmetic
    ASSERT_EQ(perDay, 15.000000000000002);
    EXPECT_EQ(RoundNumber(perDay, 1), perDay); // x itself, not 15 and not 16
    EXPECT_EQ(GeneralNumberText(RoundNumber(perDay, 1), '.'), "15");
    EXPECT_EQ(RoundNumber(1000.0000000000001, 1), 1000.0000000000001);
    EXPECT_EQ(RoundNumber(14.999999999999998, 1), 14.999999999999998);
    EXPECT_EQ(RoundNumber(1e20, 1), 1e20);
    EXPECT_EQ(RoundNumber(-7, 1), -7);
    EXPECT_EQ(RoundNumber(190000000, 1), 190000000);
}

TEST(RoundNumber, FollowsTheDoubleFormulaLiterally)
{
    // Step 3 is floor((x + 2m) / m - 1) * m in double arithmetic. For a tiny negative x the
    // sum x + 2 rounds to 2, so the formula gives 1 (a plain ceil would give -0).
    const double x = -1e-17;
    EXPECT_EQ(RoundNumber(x, 1), std::floor((x + 2.0) / 1.0 - 1.0) * 1.0);
    EXPECT_EQ(RoundNumber(x, 1), 1.0);
}

struct TextCase {
    double x;
    std::string_view point; // with '.'
    std::string_view comma; // with ','
};

void CheckTexts(const TextCase &c)
{
    SCOPED_TRACE(testing::Message() << std::setprecision(17) << "x = " << c.x);
    EXPECT_EQ(GeneralNumberText(c.x, '.'), c.point);
    EXPECT_EQ(GeneralNumberText(c.x, ','), c.comma);
}

TEST(GeneralNumberText, FifteenSignificantDigits)
{
    const TextCase cases[] = {
        {3.5999999999999996, "3.6", "3,6"},
        {0.030000000000000002, "0.03", "0,03"},
        {15.000000000000002, "15", "15"},
        {0.1 + 0.2, "0.3", "0,3"},
        {1.0 / 3.0, "0.333333333333333", "0,333333333333333"},
        {2.0 / 3.0, "0.666666666666667", "0,666666666666667"},
        {123456789.123456789, "123456789.123457", "123456789,123457"},
        {0.00012345678901234567, "0.000123456789012346", "0,000123456789012346"},
        {242.39999999999998, "242.4", "242,4"},
        {14.999999999999998, "15", "15"},
        {2.4000000000000004, "2.4", "2,4"},
    };
    for (const auto &c : cases)
        CheckTexts(c);
}

TEST(GeneralNumberText, FractionsWholesAndSigns)
{
    const TextCase cases[] = {
        {0.45, "0.45", "0,45"},
        {-0.45, "-0.45", "-0,45"},
        {0.5, "0.5", "0,5"},
        {7.2, "7.2", "7,2"},
        {-7.2, "-7.2", "-7,2"},
        {1234.5, "1234.5", "1234,5"}, // no grouping
        {0.0, "0", "0"},
        {-0.0, "0", "0"},
        {76.0, "76", "76"},
        {-228.0, "-228", "-228"},
        {1.0, "1", "1"},
        {10.0, "10", "10"},
        {100.0, "100", "100"},
        {1000000.0, "1000000", "1000000"},
        {2147483647.0, "2147483647", "2147483647"},
        {1e14, "100000000000000", "100000000000000"},
        {999999999999999.0, "999999999999999", "999999999999999"},
        {-999999999999999.0, "-999999999999999", "-999999999999999"},
        {99999999999999.9, "99999999999999.9", "99999999999999,9"},
        {1.5, "1.5", "1,5"},
        {10.25, "10.25", "10,25"},
    };
    for (const auto &c : cases)
        CheckTexts(c);
}

TEST(GeneralNumberText, PlainFrom00001UpTo1E15)
{
    const TextCase cases[] = {
        {0.0001, "0.0001", "0,0001"},    {-0.0001, "-0.0001", "-0,0001"},
        {0.00015, "0.00015", "0,00015"}, {0.001, "0.001", "0,001"},
        {0.03, "0.03", "0,03"},
    };
    for (const auto &c : cases)
        CheckTexts(c);
}

TEST(GeneralNumberText, ExponentFormOutsideThePlainRange)
{
    const TextCase cases[] = {
        {1e15, "1E+15", "1E+15"},    {-1e15, "-1E+15", "-1E+15"},    {1.5e15, "1.5E+15", "1,5E+15"},
        {1e16, "1E+16", "1E+16"},    {1.5e20, "1.5E+20", "1,5E+20"}, {1e100, "1E+100", "1E+100"},
        {0.00001, "1E-05", "1E-05"}, {-0.00001, "-1E-05", "-1E-05"}, {1.5e-5, "1.5E-05", "1,5E-05"},
        {0.00009, "9E-05", "9E-05"}, {1e-100, "1E-100", "1E-100"},
    };
    for (const auto &c : cases)
        CheckTexts(c);
}

TEST(GeneralNumberText, RoundTripThroughReadNumberText)
{
    const double values[] = {0.0,
                             1.0,
                             -1.0,
                             0.45,
                             -0.45,
                             3.6,
                             7.2,
                             242.4,
                             0.03,
                             0.0001,
                             0.00001,
                             1.5e-5,
                             1e15,
                             1.5e20,
                             1e-100,
                             1e300,
                             -1e300,
                             999999999999999.0,
                             123456789.123456789,
                             1.0 / 3.0,
                             2147483647.0,
                             -2147483648.0,
                             216000000.0,
                             15954000000.0,
                             1e-300};
    for (double x : values) {
        for (char sep : {'.', ','}) {
            SCOPED_TRACE(testing::Message()
                         << std::setprecision(17) << "x = " << x << " sep '" << sep << "'");
            const std::string text = GeneralNumberText(x, sep);
            const double back = ReadNumberText(text, sep);
            EXPECT_DOUBLE_EQ(back, RoundTo15Digits(x)) << "text " << text;
            EXPECT_LE(std::fabs(back - x), std::fabs(x) * 1e-14) << "text " << text;
        }
    }
}

TEST(ReadNumberText, ReadsTheLabelConvention)
{
    EXPECT_EQ(ReadNumberText("0", '.'), 0.0);
    EXPECT_EQ(ReadNumberText("228", '.'), 228.0);
    EXPECT_EQ(ReadNumberText("-228", ','), -228.0);
    EXPECT_EQ(ReadNumberText("7.2", '.'), 7.2);
    EXPECT_EQ(ReadNumberText("7,2", ','), 7.2);
    EXPECT_EQ(ReadNumberText("0,45", ','), 0.45);
    EXPECT_EQ(ReadNumberText("-0,45", ','), -0.45);
    EXPECT_EQ(ReadNumberText("1E+15", '.'), 1e15);
    EXPECT_EQ(ReadNumberText("1E+15", ','), 1e15);
    EXPECT_EQ(ReadNumberText("1E-05", ','), 1e-5);
    EXPECT_EQ(ReadNumberText("1,5E-05", ','), 1.5e-5);
    EXPECT_EQ(ReadNumberText("1.5E-05", '.'), 1.5e-5);
    EXPECT_EQ(ReadNumberText("2147483647", '.'), 2147483647.0);
    EXPECT_EQ(ReadNumberText("9223372036854775807", '.'), 9223372036854775807.0);
}

TEST(WholeNumberText, PlainDigitsWithMinus)
{
    const std::pair<std::int64_t, std::string_view> cases[] = {
        {0, "0"},
        {7, "7"},
        {228, "228"},
        {-228, "-228"},
        {1000000, "1000000"},
        {2147483647, "2147483647"},
        {-2147483648LL, "-2147483648"},
        {std::numeric_limits<std::int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<std::int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto &[n, text] : cases) {
        EXPECT_EQ(WholeNumberText(n), text);
        EXPECT_EQ(ReadNumberText(WholeNumberText(n), ','), static_cast<double>(n));
    }
}

} // namespace
