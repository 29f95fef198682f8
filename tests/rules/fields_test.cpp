// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of rules/fields.h: the four field rules and the accepted ranges,
// and the message texts of rules/texts.h.

#include "rules/fields.h"
#include "rules/texts.h"
#include "showtext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

namespace texts = rules::texts;
using rules::FieldCheck;

constexpr std::string_view kAccepted{};

struct FieldCase {
    std::string_view text;
    std::string_view message; // empty: accepted
};

template <typename Check> void CheckField(Check check, const FieldCase &c)
{
    SCOPED_TRACE(Show(c.text));
    const FieldCheck result = check(c.text);
    EXPECT_EQ(result.accepted, c.message.empty());
    EXPECT_EQ(result.message, c.message);
}

TEST(CheckDays, RulebookCases)
{
    const FieldCase cases[] = {
        {"0", texts::kDaysRefused},   {"-1", texts::kDaysRefused},  {"", texts::kDaysRefused},
        {"abc", texts::kDaysRefused}, {"0.0", texts::kDaysRefused}, {"3", kAccepted},
        {"0.5", kAccepted},           {"2 days", kAccepted},        {"2 ,5", texts::kDaysComma},
        {",5", texts::kDaysComma},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckDays, c);
}

TEST(CheckDays, RangeFromOneHundredthToTenThousand)
{
    const FieldCase cases[] = {
        {"0.01", kAccepted},
        {"1e-2", kAccepted},
        {"10000", kAccepted},
        {"1e4", kAccepted},
        {"9999.99", kAccepted},
        {"2", kAccepted},
        {"\t2\n", kAccepted},
        {"1 0 0 0 0", kAccepted},
        {"&H2710", kAccepted}, // 10000
        {"0.0099", texts::kDaysOutOfRange},
        {"0.009999999", texts::kDaysOutOfRange},
        {"0.001", texts::kDaysOutOfRange},
        {"1e-300", texts::kDaysOutOfRange},
        {"10000.01", texts::kDaysOutOfRange},
        {"10001", texts::kDaysOutOfRange},
        {"&H2711", texts::kDaysOutOfRange},
        {"1e10", texts::kDaysOutOfRange},
        {"1e999", texts::kDaysOutOfRange}, // infinity is refused, never accepted
        {"-1e999", texts::kDaysRefused},
        {"-0.5", texts::kDaysRefused},
        {"-0", texts::kDaysRefused},
        {"1e-999", texts::kDaysRefused}, // reads 0
        {".", texts::kDaysRefused},
        {"e5", texts::kDaysRefused},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckDays, c);
    EXPECT_EQ(rules::kMinDays, 0.01);
    EXPECT_EQ(rules::kMaxDays, 10000.0);
}

TEST(CheckSkillLevel, RulebookCases)
{
    const FieldCase cases[] = {
        {"0", texts::kSkillLevelRefused},
        {"", texts::kSkillLevelRefused},
        {"-1", texts::kSkillLevelRefused},
        {"abc", texts::kSkillLevelRefused},
        {"0.0", texts::kSkillLevelRefused},
        {"0,5", texts::kSkillLevelComma}, // before the rounding to 0
        {"10", kAccepted},
        {"2.5", kAccepted},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckSkillLevel, c);
}

TEST(CheckSkillLevel, MustRoundToAtLeastOne)
{
    const FieldCase cases[] = {
        {"0.4", texts::kSkillLevelTooLow},
        {"0.5", texts::kSkillLevelTooLow}, // half to even: 0
        {"0.1", texts::kSkillLevelTooLow},
        {"1e-300", texts::kSkillLevelTooLow},
        {"0.5000001", kAccepted},
        {"0.51", kAccepted},
        {"1", kAccepted},
        {"1.5", kAccepted},
        {"12abc", kAccepted}, // the leading number, as the filter reads it
        {" 1 2 ", kAccepted},
        {"-0.4", texts::kSkillLevelRefused},
        {"1e-999", texts::kSkillLevelRefused}, // reads 0
    };
    for (const auto &c : cases)
        CheckField(rules::CheckSkillLevel, c);
}

TEST(CheckSkillLevel, AtMostTenThousand)
{
    const FieldCase cases[] = {
        {"10000", kAccepted},
        {"1e4", kAccepted},
        {"9999.5", kAccepted},
        {"10000.01", texts::kSkillLevelTooHigh},
        {"10001", texts::kSkillLevelTooHigh},
        {"536870912", texts::kSkillLevelTooHigh},
        {"2147483648", texts::kSkillLevelTooHigh},
        {"1e300", texts::kSkillLevelTooHigh},
        {"1e999", texts::kSkillLevelTooHigh}, // infinity is refused, never accepted
        {"-1e999", texts::kSkillLevelRefused},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckSkillLevel, c);
    EXPECT_EQ(rules::kMaxSkillLevel, 10000.0);
}

TEST(FilterLevel, LeadingNumberRoundedHalfToEven)
{
    struct Case {
        std::string_view text;
        std::optional<std::int32_t> level;
    };
    const Case cases[] = {
        {"10", 10},
        {"2.5", 2},
        {"3.5", 4},
        {"0.5", 0},
        {"0.4", 0},
        {"1.5", 2},
        {"12abc", 12},
        {"2,5", 2},
        {"1 0", 10},
        {"", 0},
        {"abc", 0},
        {"-2.5", -2},
        {"10000", 10000},
        {"2147483647", 2147483647},
        {"2147483647.5", std::nullopt},
        {"2147483648", std::nullopt},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", std::nullopt},
        {"1e999", std::nullopt},
        {"-1e999", std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(rules::FilterLevel(c.text), c.level);
    }
}

TEST(FilterLevel, EveryAcceptedLevelIsAtLeastOne)
{
    const std::string_view accepted[] = {"0.51", "1",     "1.5",    "2.5",
                                         "10",   "12abc", "9999.5", "10000"};
    for (auto text : accepted) {
        SCOPED_TRACE(Show(text));
        ASSERT_TRUE(rules::CheckSkillLevel(text).accepted);
        const auto level = rules::FilterLevel(text);
        ASSERT_TRUE(level.has_value());
        EXPECT_GE(*level, 1);
        EXPECT_LE(*level, 10000);
    }
}

TEST(CheckQuantity, RulebookCases)
{
    const FieldCase cases[] = {
        {"0", kAccepted},
        {"5", kAccepted},
        {"1.5", kAccepted},
        {"3 swords", kAccepted},
        {"3 swords, 2 shields", kAccepted},
        {"2,5", texts::kQuantityComma},
        {"-2,5", texts::kQuantityComma}, // the comma is the clearer message
        {"&H1F,0", texts::kQuantityComma},
        {"", texts::kQuantityRefused},
        {"abc", texts::kQuantityRefused},
        {"00", texts::kQuantityRefused},
        {"0.0", texts::kQuantityRefused},
        {"-3", texts::kQuantityRefused},
        {"-0", texts::kQuantityRefused},
        {" 0", texts::kQuantityRefused},
        {"0 ", texts::kQuantityRefused},
        {"\t0", texts::kQuantityRefused},
        {"0\n", texts::kQuantityRefused},
        {"+0", texts::kQuantityRefused},
        {"0e5", texts::kQuantityRefused},
        {"&H0", texts::kQuantityRefused},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckQuantity, c);
}

TEST(CheckQuantity, AtMostOneMillion)
{
    const FieldCase cases[] = {
        {"1000000", kAccepted},
        {"1e6", kAccepted},
        {"999999.99", kAccepted},
        {"0.000001", kAccepted},
        {"1e-300", kAccepted},
        {"1000000.01", texts::kQuantityTooLarge},
        {"1000000.5", texts::kQuantityTooLarge},
        {"1000001", texts::kQuantityTooLarge},
        {"14128182", texts::kQuantityTooLarge},
        {"1e10", texts::kQuantityTooLarge},
        {"1e999", texts::kQuantityTooLarge}, // infinity is refused, never accepted
        {"-1e999", texts::kQuantityRefused},
        {"-0.5", texts::kQuantityRefused},
        {"1e-999", texts::kQuantityRefused}, // reads 0 but is not "0"
    };
    for (const auto &c : cases)
        CheckField(rules::CheckQuantity, c);
    EXPECT_EQ(rules::kMaxQuantity, 1000000.0);
}

TEST(CheckShatterResist, RulebookCases)
{
    const FieldCase cases[] = {
        {"0", kAccepted},
        {"2", kAccepted},
        {"4", kAccepted},
        {"10", kAccepted},
        {"2.4", kAccepted}, // rounds to 2
        {"2.5", kAccepted}, // rounds to 2 (half to even)
        {"0.5", kAccepted}, // rounds to 0, but reads above 0
        {"2,5", texts::kShatterResistComma},
        {"1.,5", texts::kShatterResistComma},
        {"1", texts::kShatterResistRefused},
        {"3", texts::kShatterResistRefused},
        {"-2", texts::kShatterResistRefused},
        {"2.6", texts::kShatterResistRefused}, // rounds to 3
        {"", texts::kShatterResistRefused},
        {"abc", texts::kShatterResistRefused},
        {"00", texts::kShatterResistRefused},
        {"0.0", texts::kShatterResistRefused},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckShatterResist, c);
}

TEST(CheckShatterResist, MoreBorders)
{
    const FieldCase cases[] = {
        {"1.5", kAccepted}, // rounds to 2
        {"3.5", kAccepted}, // rounds to 4
        {"0.4", kAccepted},
        {"1e-300", kAccepted},
        {"2 points", kAccepted},
        {"1 0", kAccepted},
        {"0.6", texts::kShatterResistRefused}, // rounds to 1
        {"4.5", kAccepted},                    // rounds to 4
        {"5.5", kAccepted},                    // rounds to 6
        {"-0", texts::kShatterResistRefused},  // reads 0 but is not "0"
        {"-0.4", texts::kShatterResistRefused},
        {"-1e999", texts::kShatterResistRefused},
        {" 0", texts::kShatterResistRefused},
        {"1e-999", texts::kShatterResistRefused},
        {"9999", texts::kShatterResistRefused},
    };
    for (const auto &c : cases)
        CheckField(rules::CheckShatterResist, c);
}

TEST(CheckShatterResist, AtMostTenThousand)
{
    const FieldCase cases[] = {
        {"10000", kAccepted},
        {"9998", kAccepted},
        {"1e4", kAccepted},
        {"10000.4", texts::kShatterResistTooLarge},
        {"10002", texts::kShatterResistTooLarge},
        {"1e10", texts::kShatterResistTooLarge}, // beyond the 32-bit rounding
        {"4294967296", texts::kShatterResistTooLarge},
        {"1e300", texts::kShatterResistTooLarge},
        {"1e999", texts::kShatterResistTooLarge}, // infinity is refused, never accepted
    };
    for (const auto &c : cases)
        CheckField(rules::CheckShatterResist, c);
    EXPECT_EQ(rules::kMaxShatterResist, 10000.0);
}

TEST(Texts, SystemMessagesVerbatim)
{
    EXPECT_EQ(texts::kAppTitle, "MIRVAK Production Calculator");
    EXPECT_EQ(texts::kDaysRefused, "Production Days must be a positive number.");
    EXPECT_EQ(texts::kSkillLevelRefused, "Skill Level must be a positive number.");
    EXPECT_EQ(texts::kQuantityRefused, "Quantity must be a non negative number.");
    EXPECT_EQ(texts::kShatterResistRefused,
              "Shatter Resist must be a positive even number (0, 2, 4, etc).");
}

TEST(Texts, RangeMessagesNameTheirLimits)
{
    EXPECT_EQ(texts::kDaysOutOfRange, "Production Days must be a number from 0.01 to 10000.");
    EXPECT_EQ(texts::kQuantityTooLarge, "Quantity must not be more than 1000000.");
    EXPECT_EQ(texts::kSkillLevelTooHigh, "Skill Level must not be more than 10000.");
    EXPECT_EQ(texts::kSkillLevelTooLow,
              "Skill Level must be at least 1: a level that rounds down to 0 allows no item.");
    EXPECT_EQ(texts::kShatterResistTooLarge, "Shatter Resist must not be more than 10000.");
}

} // namespace
