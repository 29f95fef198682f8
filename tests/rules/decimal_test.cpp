// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the exact conversions (rules/decimal.h) through the functions that use them: the inputs
// where a conversion that is not exact goes wrong, and, where the standard library has them,
// random comparisons with std::from_chars / std::to_chars.

#include "rules/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <version>

namespace {

constexpr double kMax = std::numeric_limits<double>::max();
const std::string kZeros800(800, '0');
// The exact midpoint between 1 and the next double.
const std::string kMidpoint1 = "1.00000000000000011102230246251565404236316680908203125";

TEST(LeadingNumber, RoundsTheExactValueOnce)
{
    const std::pair<std::string, double> cases[] = {
        // Halfway between two doubles: to the even one, unless any later digit lies above.
        {"9007199254740993", 0x1p53},
        {"9007199254740995", 0x1.0000000000002p53},
        {kMidpoint1, 1.0},
        {kMidpoint1 + std::string(900, '0') + "1", 0x1.0000000000001p0},
        {"9007199254740993" + kZeros800 + "1e-801", 0x1.0000000000001p53},
        // Many digits, and digits far from the point.
        {"0.1000000000000000055511151231257827", 0.1},
        {"123456789012345678901234567890", 0x1.8ee90ff6c373ep96},
        {"1e23", 0x1.52d02c7e14af6p76},
        {"0." + kZeros800 + "1e801", 1.0},
        // Around the smallest normal double, and subnormals, which keep fewer bits.
        {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
        {"2.2250738585072012e-308", 0x1p-1022},
        {"1e-323", 0x1p-1073},
        {"2.4703282292062328e-324", 0x1p-1074}, // just above half the smallest
        {"2.4703282292062327e-324", 0.0},       // just below
        // Around the border of infinity, 2^1024 - 2^970.
        {"1.797693134862315807e308", kMax},
        {"1.797693134862315808e308", std::numeric_limits<double>::infinity()},
    };
    for (const auto &[text, expected] : cases) {
        SCOPED_TRACE(text.substr(0, 60));
        EXPECT_EQ(rules::LeadingNumber(text), expected);
    }
}

TEST(GeneralNumberText, RoundsTheExactValueOnce)
{
    const std::pair<double, std::string_view> cases[] = {
        {100000000000000.5, "100000000000000"}, // a tie at the 15th digit: to even
        {100000000000001.5, "100000000000002"},
        {999999999999999.5, "1E+15"},         // up into the exponent form
        {0x1.a36e2eb1c432cp-14, "0.0001"},    // the double below 0.0001, up into plain
        {0x1p-1074, "4.94065645841247E-324"}, // the smallest subnormal
        {kMax, "1.79769313486232E+308"},
    };
    for (const auto &[x, text] : cases)
        EXPECT_EQ(rules::GeneralNumberText(x, '.'), text);
    // Rounded past the largest double, RoundTo15Digits keeps x.
    EXPECT_EQ(rules::RoundTo15Digits(kMax), kMax);
    EXPECT_EQ(rules::RoundTo15Digits(0x1p-1074), 0x1p-1074);
}

#if defined(__cpp_lib_to_chars)
std::string Scientific(auto x, int precision)
{
    std::string text(1100, '\0');
    const auto res = std::to_chars(text.data(), text.data() + text.size(), x,
                                   std::chars_format::scientific, precision);
    text.resize(static_cast<std::size_t>(res.ptr - text.data()));
    return text;
}

double FromChars(const std::string &text)
{
    double x = 0;
    std::from_chars(text.data(), text.data() + text.size(), x);
    return x;
}

// Random doubles, every third a subnormal: their 15 digits, some of their digits read back, and
// the exact midpoint to the next double read back (where long double holds it).
TEST(DecimalConversions, AgreeWithTheStandardLibrary)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 5000; ++i) {
        const std::uint64_t bits =
            random() & (i % 3 == 0 ? 0xf'ffff'ffff'ffffu : 0x7fef'ffff'ffff'ffffu);
        double x = 0;
        std::memcpy(&x, &bits, sizeof x);
        const std::string digits15 = Scientific(x, 14);
        EXPECT_EQ(rules::RoundTo15Digits(x), FromChars(digits15)) << digits15;
        const std::string some = Scientific(x, static_cast<int>(random() % 40));
        EXPECT_EQ(rules::LeadingNumber(some), FromChars(some)) << some;
        if constexpr (std::numeric_limits<long double>::digits > 53) {
            const double next = std::nextafter(x, kMax);
            const std::string mid = Scientific((static_cast<long double>(x) + next) / 2, 800);
            EXPECT_EQ(rules::LeadingNumber(mid), bits % 2 == 0 ? x : next) << mid;
        }
    }
}
#else
TEST(DecimalConversions, AgreeWithTheStandardLibrary)
{
    GTEST_SKIP() << "this standard library has no floating-point std::from_chars / std::to_chars "
                    "to compare with (emscripten's libc++ 13); the tables above still run";
}
#endif

} // namespace
