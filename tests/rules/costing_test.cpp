// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of rules/costing.h: the row rule, the totals and the over-level
// warning alternation.

#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/numbers.h"

#include "rulebook_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <iomanip>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using rules::ComputeTotals;
using rules::CostRow;
using rules::GeneralNumberText;
using rules::LevelWarning;
using rules::RowCost;
using rules::RowInputs;
using rules::Totals;
using rules::TotalsInputs;

struct RowCase {
    std::int32_t unitCost;
    std::string_view name;
    std::string_view quantity;
    bool silver;
    std::string_view shatter;
    std::int32_t points;
    std::string_view silverText;
    bool unknownWeapon;
};

std::string Describe(const RowCase &c)
{
    std::string out = "\"";
    out += c.name;
    out += "\" (";
    out += std::to_string(c.unitCost);
    out += ") quantity \"";
    out += c.quantity;
    out += "\" silver ";
    out += c.silver ? "on" : "off";
    out += " shatter \"";
    out += c.shatter;
    out += "\"";
    return out;
}

void CheckRow(const RowCase &c)
{
    SCOPED_TRACE(Describe(c));
    const RowCost cost = CostRow(RowInputs{c.unitCost, c.name, c.quantity, c.silver, c.shatter});
    EXPECT_TRUE(cost.inRange);
    EXPECT_EQ(cost.points, c.points);
    EXPECT_EQ(GeneralNumberText(cost.silver, '.'), c.silverText)
        << std::setprecision(17) << "silver " << cost.silver;
    EXPECT_EQ(cost.unknownWeapon, c.unknownWeapon);
}

TEST(CostRow, QuantityZeroCostsNothingWhateverTheOptions)
{
    const RowCase cases[] = {
        {24, "Long Sword", "0", false, "0", 0, "0", false},
        {8, "Shield", "0", true, "2", 0, "0", false},
        {36, "Two Handed Sword", "0", true, "10", 0, "0", false},
        {72, "Suit: 22 points", "0", false, "4", 0, "0", false},
        {24, "Long Sword", "-0", true, "2", 0, "0", false},
        {24, "Long Sword", "", true, "2", 0, "0", false},
        {24, "Long Sword", "abc", false, "2", 0, "0", false},
        {24, "Long Sword", "0.0", false, "", 0, "0", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
    const RowCost cost = CostRow(RowInputs{8, "Shield", "0", true, "2"});
    EXPECT_EQ(cost.silver, 0.0);
    EXPECT_FALSE(std::signbit(cost.silver));
    const RowCost negZero = CostRow(RowInputs{8, "Shield", "-0", true, "2"});
    EXPECT_EQ(negZero.points, 0);
    EXPECT_EQ(negZero.silver, 0.0);
}

TEST(CostRow, RulebookExamples)
{
    const RowCase cases[] = {
        {24, "Long Sword", "3", false, "0", 72, "7.2", false},
        {24, "Long Sword", "2", true, "4", 228, "242.4", false},
        {12, "Bow", "1", true, "0", 22, "1.2", false},
        {3, "Suit: 03 points", "1.5", false, "0", 4, "0.45", false},
        {1, "Suit: 01 point", "2.5", false, "0", 2, "0.25", false},
        {1, "Suit: 01 point", "3.5", false, "0", 4, "0.35", false},
        {3, "Suit: 03 points", "1", false, "2", 83, "0.9", false},
        {3, "Suit: 03 points", "1", false, "10", 83, "0.9", false},
        {3, "Suit: 03 points", "1", false, "0", 3, "0.3", false},
        {3, "Suit: 03 points", "1", false, "-2", 3, "0.3", false},
        {3, "Suit: 03 points", "1", false, "", 3, "0.3", false},
        {3, "Suit: 03 points", "0.1", false, "0", 0, "0.03", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, QuantityTextsReadWithLeadingNumber)
{
    const RowCase cases[] = {
        {24, "Long Sword", "3 swords", false, "0", 72, "7.2", false},
        {24, "Long Sword", "1 2", false, "0", 288, "28.8", false},
        {24, "Long Sword", "abc", false, "0", 0, "0", false},
        {24, "Long Sword", "\t2\n", false, "0", 48, "4.8", false},
        {24, "Long Sword", "1e1", false, "0", 240, "24", false},
        {24, "Long Sword", "1,5", false, "0", 24, "2.4", false},
        {24, "Long Sword", "&H10", false, "0", 384, "38.4", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, ShatterResistOnlyItsSignMatters)
{
    const RowCase cases[] = {
        {24, "Long Sword", "1", false, "0.5", 104, "7.2", false},
        {24, "Long Sword", "1", false, "2 points", 104, "7.2", false},
        {24, "Long Sword", "1", false, "abc", 24, "2.4", false},
        {24, "Long Sword", "1", false, "00", 24, "2.4", false},
        {24, "Long Sword", "1", false, "-0.5", 24, "2.4", false},
        {24, "Long Sword", "1", false, "1e-999", 24, "2.4", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, SilverOption)
{
    const RowCase cases[] = {
        // The table value is added before the shatter factor and the division by 10.
        {8, "Shield", "1", true, "0", 18, "531.8", false},
        {8, "Shield", "1", true, "2", 98, "1595.4", false},
        {24, "Long Sword", "1", true, "0", 34, "40.4", false},
        {24, "Long Sword", "1", true, "2", 114, "121.2", false},
        {4, "Arrows - Quality (1)", "3", true, "0", 42, "7.2", false},
        {12, "Crossbow", "2", true, "2", 204, "7.2", false},
        // Not checked: the table is not consulted, whatever the name.
        {16, "Sleep", "1", false, "0", 16, "1.6", false},
        {24, "Long Sword", "1", false, "0", 24, "2.4", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, EveryWeaponInSilver)
{
    for (const auto &[name, extra] : rulebook::kWeaponSilver) {
        std::int32_t cost = 0;
        for (const auto &item : rulebook::kWeapons)
            if (item.name == name)
                cost = item.unitCost;
        ASSERT_NE(cost, 0) << name;
        SCOPED_TRACE(testing::Message() << name);
        const RowCost plain = CostRow(RowInputs{cost, name, "1", true, "0"});
        EXPECT_EQ(plain.points, cost + 10);
        EXPECT_EQ(plain.silver, static_cast<double>(cost + extra) / 10.0);
        EXPECT_FALSE(plain.unknownWeapon);
        const RowCost hard = CostRow(RowInputs{cost, name, "2", true, "2"});
        EXPECT_EQ(hard.points, (cost + 90) * 2);
        EXPECT_EQ(hard.silver, 2.0 * static_cast<double>((cost + extra) * 3) / 10.0);
    }
}

TEST(CostRow, UnknownWeaponStillCountsTheTenPoints)
{
    const RowCase cases[] = {
        {16, "Sleep", "1", true, "0", 26, "1.6", true},
        {16, "Sleep", "2", true, "2", 212, "9.6", true},
        {24, "long sword", "1", true, "0", 34, "2.4", true},
        {24, "Long Sword ", "1", true, "0", 34, "2.4", true},
        {3, "Suit: 03 points", "1", true, "0", 13, "0.3", true},
        {24, "", "1", true, "0", 34, "2.4", true},
        // The look-up (and its message) comes before the quantity is considered.
        {16, "Sleep", "0", true, "0", 0, "0", true},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, PointsRoundHalfToEven)
{
    const RowCase cases[] = {
        {1, "Suit: 01 point", "0.5", false, "0", 0, "0.05", false},
        {1, "Suit: 01 point", "1.5", false, "0", 2, "0.15", false},
        {1, "Suit: 01 point", "4.5", false, "0", 4, "0.45", false},
        {1, "Suit: 01 point", "5.5", false, "0", 6, "0.55", false},
        {6, "Suit: 05 points", "0.75", false, "0", 4, "0.45", false},
        {2, "Suit: 02 points", "0.25", false, "0", 0, "0.05", false},
        {2, "Suit: 02 points", "0.75", false, "0", 2, "0.15", false},
        {1, "Suit: 01 point", "0.49", false, "0", 0, "0.049", false},
        {1, "Suit: 01 point", "0.51", false, "0", 1, "0.051", false},
        // With the extras the sum is rounded once, after the multiplication.
        {3, "Suit: 03 points", "0.5", false, "2", 42, "0.45", false}, // 83 x 0.5 = 41.5
        {4, "Dagger", "0.5", true, "0", 7, "9.7", false},             // 14 x 0.5 = 7
        {4, "Dagger", "0.25", true, "0", 4, "4.85", false},           // 14 x 0.25 = 3.5
        // The rule itself is defined for negative quantities (the field refuses them).
        {1, "Suit: 01 point", "-2.5", false, "0", -2, "-0.25", false},
        {1, "Suit: 01 point", "-3.5", false, "0", -4, "-0.35", false},
    };
    for (const auto &c : cases)
        CheckRow(c);
}

TEST(CostRow, SilverInThePartsOrderOfOperations)
{
    // V = C (+ W); V = V x 3 when R > 0; V = Q x V; V = V / 10: compared bit for bit.
    const double quantities[] = {0.1, 0.05, 0.09, 0.18, 0.19, 0.3, 0.7, 1.1, 2.675, 1.5, 3, 7.3};
    const RowInputs rows[] = {
        {3, "Suit: 03 points", "", false, "0"},  {3, "Suit: 03 points", "", false, "2"},
        {24, "Long Sword", "", true, "4"},       {8, "Shield", "", true, "0"},
        {15, "Suit: 09 points", "", false, "2"},
    };
    for (const auto &base : rows) {
        for (double q : quantities) {
            const std::string qText = [&] {
                std::ostringstream s;
                s << std::setprecision(17) << q;
                return s.str();
            }();
            RowInputs in = base;
            in.quantityText = qText;
            double v = base.unitCost;
            if (base.silver)
                v = v + *rules::WeaponSilverCost(base.itemName);
            if (rules::LeadingNumber(base.shatterResistText) > 0)
                v = v * 3;
            v = q * v;
            v = v / 10;
            SCOPED_TRACE(testing::Message() << base.itemName << " quantity " << qText);
            EXPECT_EQ(CostRow(in).silver, v);
        }
    }
    // The double computed for "Suit: 03 points" x 0.1 is a hair above 0.03.
    const RowCost tenth = CostRow(RowInputs{3, "Suit: 03 points", "0.1", false, "0"});
    EXPECT_EQ(tenth.silver, 0.1 * 3.0 / 10.0);
    EXPECT_GT(tenth.silver, 0.03);
    EXPECT_EQ(GeneralNumberText(tenth.silver, '.'), "0.03");
}

TEST(CostRow, PointsBeyond32BitsAreReported)
{
    struct Case {
        std::int32_t unitCost;
        std::string_view quantity;
        std::string_view shatter;
        bool inRange;
        std::int32_t points;
    };
    const Case cases[] = {
        {72, "14128181", "2", true, 2147483512}, // 152 x 14128181 fits
        {72, "14128182", "2", false, 0},         // 152 x 14128182 does not
        {1, "2147483647", "0", true, 2147483647},
        {1, "2147483647.4", "0", true, 2147483647},
        {1, "2147483647.5", "0", false, 0}, // rounds to the even 2147483648
        {1, "2147483648", "0", false, 0},
        {1, "-2147483648", "0", true, -2147483647 - 1},
        {1, "-2147483649", "0", false, 0},
        {1, "1e10", "0", false, 0},
        {1, "-1e10", "0", false, 0},
        {72, "1e999", "2", false, 0},
        {72, "-1e999", "2", false, 0},
        {72, "1e308", "2", false, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "quantity \"" << c.quantity << "\"");
        const RowCost cost = CostRow(RowInputs{c.unitCost, "Suit", c.quantity, false, c.shatter});
        EXPECT_EQ(cost.inRange, c.inRange);
        EXPECT_EQ(cost.points, c.points);
        if (!c.inRange) {
            EXPECT_EQ(cost.silver, 0.0);
        }
        EXPECT_TRUE(std::isfinite(cost.silver));
    }
}

struct RowTexts {
    std::string_view points;
    std::string_view silver;
};

TotalsInputs MakeTotals(std::string_view skill, std::string_view days, bool workshop, bool enforce,
                        std::initializer_list<RowTexts> rows = {}, char sep = '.')
{
    TotalsInputs in;
    in.skillLevelText = skill;
    in.daysText = days;
    in.workshop = workshop;
    in.enforceLevel = enforce;
    in.decimalSeparator = sep;
    in.rowPointsTexts.fill("0");
    in.rowSilverTexts.fill("0");
    std::size_t i = 0;
    for (const auto &r : rows) {
        in.rowPointsTexts.at(i) = r.points;
        in.rowSilverTexts.at(i) = r.silver;
        ++i;
    }
    return in;
}

struct TotalsExpected {
    std::string_view silver;
    std::string_view points;
    std::string_view level;
    std::string_view workshops;
    bool overLevel;
};

void CheckTotals(const TotalsInputs &in, const TotalsExpected &e)
{
    SCOPED_TRACE(testing::Message()
                 << "skill \"" << in.skillLevelText << "\" days \"" << in.daysText << "\" workshop "
                 << in.workshop << " enforce " << in.enforceLevel << " row 0 \""
                 << in.rowPointsTexts[0] << "\"");
    const Totals t = ComputeTotals(in);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.silverText, e.silver);
    EXPECT_EQ(t.pointsText, e.points);
    EXPECT_EQ(t.levelText, e.level);
    EXPECT_EQ(t.workshopsText, e.workshops);
    EXPECT_EQ(t.overLevel, e.overLevel);
}

TEST(ComputeTotals, EmptyList)
{
    CheckTotals(MakeTotals("10", "2", false, false), {"0", "0 / 80", "0 / 0 per day", "0", false});
    CheckTotals(MakeTotals("10", "2", false, true), {"0", "0 / 80", "0 / 0 per day", "0", false});
    CheckTotals(MakeTotals("10", "2", true, true), {"0", "0 / 160", "0 / 0 per day", "0", false});
}

TEST(ComputeTotals, SilverSumShowsFifteenDigits)
{
    // 2.4 + 1.2 is 3.5999999999999996 in double arithmetic.
    CheckTotals(MakeTotals("10", "2", false, true, {{"24", "2.4"}, {"12", "1.2"}}),
                {"3.6", "36 / 80", "9 / 5 per day", "0", false});
    // Ten times 0.1 is 0.9999999999999999.
    TotalsInputs tenths = MakeTotals("10", "2", false, false);
    tenths.rowSilverTexts.fill("0.1");
    tenths.rowPointsTexts.fill("1");
    CheckTotals(tenths, {"1", "10 / 80", "3 / 2 per day", "0", false});
}

TEST(ComputeTotals, RulebookExamples)
{
    // 100 points, skill level 10, days 2.
    CheckTotals(MakeTotals("10", "2", false, true, {{"100", "0"}}),
                {"0", "100 / 80", "25 / 13 per day", "0", true});
    CheckTotals(MakeTotals("10", "2", false, false, {{"100", "0"}}),
                {"0", "100 / 80", "25 / 13 per day", "0", false});
    CheckTotals(MakeTotals("10", "2", true, true, {{"100", "0"}}),
                {"0", "100 / 160", "13 / 7 per day", "1", false});
    // 42 points over 0.7 days: 10.5 / 0.7 is 15.000000000000002, whole to 15 digits.
    CheckTotals(MakeTotals("10", "0.7", false, false, {{"42", "0"}}),
                {"0", "42 / 28", "11 / 15 per day", "0", false});
    // Half a day.
    CheckTotals(MakeTotals("10", "0.5", false, false, {{"100", "0"}}),
                {"0", "100 / 20", "25 / 50 per day", "0", false});
}

TEST(ComputeTotals, Workshops)
{
    struct Case {
        std::string_view points;
        std::string_view workshops;
        std::string_view level;
    };
    const Case cases[] = {
        {"400", "1", "50 / 25 per day"},  {"401", "2", "51 / 26 per day"},
        {"800", "2", "100 / 50 per day"}, {"801", "3", "101 / 51 per day"},
        {"1", "1", "1 / 1 per day"},      {"399", "1", "50 / 25 per day"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.points << " points");
        const Totals on = ComputeTotals(MakeTotals("100", "2", true, false, {{c.points, "0"}}));
        EXPECT_EQ(on.workshopsText, c.workshops);
        EXPECT_EQ(on.levelText, c.level);
        const Totals off = ComputeTotals(MakeTotals("100", "2", false, false, {{c.points, "0"}}));
        EXPECT_EQ(off.workshopsText, "0");
    }
}

TEST(ComputeTotals, EqualToTheCapacityIsNotOverTheLevel)
{
    EXPECT_FALSE(ComputeTotals(MakeTotals("10", "2", false, true, {{"80", "0"}})).overLevel);
    EXPECT_TRUE(ComputeTotals(MakeTotals("10", "2", false, true, {{"81", "0"}})).overLevel);
    EXPECT_FALSE(ComputeTotals(MakeTotals("10", "2", false, false, {{"81", "0"}})).overLevel);
    EXPECT_FALSE(ComputeTotals(MakeTotals("10", "2", true, true, {{"160", "0"}})).overLevel);
    EXPECT_TRUE(ComputeTotals(MakeTotals("10", "2", true, true, {{"161", "0"}})).overLevel);
    EXPECT_FALSE(ComputeTotals(MakeTotals("10", "2", false, false, {{"100000", "0"}})).overLevel);
}

TEST(ComputeTotals, CapacityRoundsHalfToEvenBeforeTheWorkshopDoubles)
{
    struct Case {
        std::string_view skill;
        std::string_view days;
        std::string_view off;
        std::string_view on;
    };
    const Case cases[] = {
        {"0.625", "1", "0 / 2", "0 / 4"}, // 2.5 -> 2, then x 2
        {"0.875", "1", "0 / 4", "0 / 8"}, // 3.5 -> 4
        {"1.125", "1", "0 / 4", "0 / 8"}, // 4.5 -> 4
        {"1", "0.625", "0 / 2", "0 / 4"},      {"2.5", "0.25", "0 / 2", "0 / 4"},
        {"10", "2 days", "0 / 80", "0 / 160"}, {"10abc", "2", "0 / 80", "0 / 160"},
        {"1 0", "\t2", "0 / 80", "0 / 160"},   {"10000", "10000", "0 / 400000000", "0 / 800000000"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "skill \"" << c.skill << "\" days \"" << c.days << "\"");
        EXPECT_EQ(ComputeTotals(MakeTotals(c.skill, c.days, false, false)).pointsText, c.off);
        EXPECT_EQ(ComputeTotals(MakeTotals(c.skill, c.days, true, false)).pointsText, c.on);
    }
}

TEST(ComputeTotals, CapacityIsSkillTimesFourTimesDaysInDoubles)
{
    const std::string_view skills[] = {"0.1", "0.3", "0.7", "1.1", "2.675", "3.3", "7.77", "12.5"};
    const std::string_view days[] = {"0.1", "0.3", "0.35", "0.7", "1.1", "2.5", "3", "0.01"};
    for (auto s : skills) {
        for (auto d : days) {
            const double exact = rules::LeadingNumber(s) * 4 * rules::LeadingNumber(d);
            // std::nearbyint in the default rounding mode rounds a half to the even neighbour.
            const auto capacity = static_cast<long long>(std::nearbyint(exact));
            SCOPED_TRACE(testing::Message() << "skill " << s << " days " << d);
            EXPECT_EQ(ComputeTotals(MakeTotals(s, d, false, false)).pointsText,
                      "0 / " + std::to_string(capacity));
            EXPECT_EQ(ComputeTotals(MakeTotals(s, d, true, false)).pointsText,
                      "0 / " + std::to_string(capacity * 2));
        }
    }
}

// Levels = points / 4 (8 with a workshop) and levels per day = levels / days, each rounded up to
// a whole number unless whole to 15 digits (42 points over 0.7 days: 10.5 / 0.7 = 15 per day).
TEST(ComputeTotals, LevelsPerDayDivideTheLevelsByTheDays)
{
    const char *points[] = {"1", "7", "42", "99", "100", "401", "12345"};
    const char *levels[] = {"1", "2", "11", "25", "25", "101", "3087"};
    const char *workshopLevels[] = {"1", "1", "6", "13", "13", "51", "1544"};
    // A constant: clang refuses a local struct that names the array itself.
    constexpr std::size_t kPoints = std::size(points);
    struct Case {
        std::string_view days;
        std::array<int, kPoints> perDay;             // for each of the points
        std::array<int, kPoints> perDayWithWorkshop; // the same with a workshop
    };
    const Case cases[] = {
        {"0.7", {1, 3, 15, 36, 36, 144, 4409}, {1, 2, 8, 18, 18, 72, 2205}},
        {"0.3", {1, 6, 35, 83, 84, 335, 10288}, {1, 3, 18, 42, 42, 168, 5144}},
        {"1.1", {1, 2, 10, 23, 23, 92, 2806}, {1, 1, 5, 12, 12, 46, 1403}},
        {"3", {1, 1, 4, 9, 9, 34, 1029}, {1, 1, 2, 5, 5, 17, 515}},
        {"0.01",
         {25, 175, 1050, 2475, 2500, 10025, 308625},
         {13, 88, 525, 1238, 1250, 5013, 154313}},
        {"2.5", {1, 1, 5, 10, 10, 41, 1235}, {1, 1, 3, 5, 5, 21, 618}},
    };
    for (const Case &c : cases) {
        for (std::size_t i = 0; i < std::size(points); ++i) {
            for (bool workshop : {false, true}) {
                SCOPED_TRACE(testing::Message() << points[i] << " points over " << c.days
                                                << " days, workshop " << workshop);
                const std::string expected =
                    std::string(workshop ? workshopLevels[i] : levels[i]) + " / " +
                    std::to_string(workshop ? c.perDayWithWorkshop[i] : c.perDay[i]) + " per day";
                EXPECT_EQ(
                    ComputeTotals(MakeTotals("10", c.days, workshop, false, {{points[i], "0"}}))
                        .levelText,
                    expected);
            }
        }
    }
}

TEST(ComputeTotals, TheTenRowsAddUp)
{
    TotalsInputs in = MakeTotals("10", "2", false, true);
    const std::array<std::string_view, 10> points = {"1", "2", "3", "4", "5",
                                                     "6", "7", "8", "9", "10"};
    const std::array<std::string_view, 10> silver = {"0.1", "0.2", "0.3", "0.4", "0.5",
                                                     "0.6", "0.7", "0.8", "0.9", "1"};
    in.rowPointsTexts = points;
    in.rowSilverTexts = silver;
    CheckTotals(in, {"5.5", "55 / 80", "14 / 7 per day", "0", false});
    // Only the last row.
    TotalsInputs last = MakeTotals("10", "2", false, true);
    last.rowPointsTexts[9] = "81";
    last.rowSilverTexts[9] = "8.1";
    CheckTotals(last, {"8.1", "81 / 80", "21 / 11 per day", "0", true});
}

TEST(ComputeTotals, CommaSeparatorRoundTrip)
{
    // Rows written by CostRow + GeneralNumberText in the ',' convention, read back the same way.
    const RowCost a = CostRow(RowInputs{3, "Suit: 03 points", "1.5", false, "0"}); // 0.45
    const RowCost b = CostRow(RowInputs{24, "Long Sword", "3", false, "0"});       // 7.2
    const RowCost c = CostRow(RowInputs{24, "Long Sword", "2", true, "4"});        // 242.4
    const std::string aSilver = GeneralNumberText(a.silver, ',');
    const std::string bSilver = GeneralNumberText(b.silver, ',');
    const std::string cSilver = GeneralNumberText(c.silver, ',');
    EXPECT_EQ(aSilver, "0,45");
    EXPECT_EQ(bSilver, "7,2");
    EXPECT_EQ(cSilver, "242,4");
    const std::string aPoints = rules::WholeNumberText(a.points);
    const std::string bPoints = rules::WholeNumberText(b.points);
    const std::string cPoints = rules::WholeNumberText(c.points);
    TotalsInputs in = MakeTotals("10", "2", false, true,
                                 {{aPoints, aSilver}, {bPoints, bSilver}, {cPoints, cSilver}}, ',');
    // 4 + 72 + 228 = 304 points; levels 76 / 38 per day; 0.45 + 7.2 + 242.4 silver.
    CheckTotals(in, {"250,05", "304 / 80", "76 / 38 per day", "0", true});
    // The same labels in the '.' convention give the same figures.
    TotalsInputs point =
        MakeTotals("10", "2", false, true, {{"4", "0.45"}, {"72", "7.2"}, {"228", "242.4"}}, '.');
    EXPECT_EQ(ComputeTotals(point).silverText, "250.05");
    // The days and skill-level fields are read with LeadingNumber: "." whatever the separator.
    CheckTotals(MakeTotals("10", "0.7", false, false, {{"42", "0"}}, ','),
                {"0", "42 / 28", "11 / 15 per day", "0", false});
    CheckTotals(MakeTotals("10", "2,5", false, false, {{"42", "0"}}, ','),
                {"0", "42 / 80", "11 / 6 per day", "0", false});
}

TEST(ComputeTotals, OutOfRangeIsReported)
{
    struct Case {
        std::string_view skill;
        std::string_view days;
        bool workshop;
        std::string_view rowPoints; // in all ten rows
    };
    const Case cases[] = {
        {"10", "0", false, "0"},          {"10", "-1", false, "0"},
        {"10", "", false, "0"},           {"10", "abc", false, "0"},
        {"10", "1e-999", false, "0"},     {"1e999", "2", false, "0"},
        {"-1e999", "2", false, "0"},      {"10", "1e999", false, "0"},
        {"1e9", "1", false, "0"},         {"300000000", "1", true, "0"},
        {"-300000000", "1", true, "0"},   {"-1e9", "1", false, "0"},
        {"10", "2", false, "2147483647"}, {"10", "2", false, "-2147483648"},
        {"10", "2", false, "214748365"},  {"10", "2", false, "1e999"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "skill \"" << c.skill << "\" days \"" << c.days
                                        << "\" rows \"" << c.rowPoints << "\"");
        TotalsInputs in = MakeTotals(c.skill, c.days, c.workshop, true);
        in.rowPointsTexts.fill(c.rowPoints);
        const Totals t = ComputeTotals(in);
        EXPECT_FALSE(t.inRange);
        for (const std::string *text :
             {&t.silverText, &t.pointsText, &t.levelText, &t.workshopsText}) {
            EXPECT_EQ(text->find("inf"), std::string::npos) << *text;
            EXPECT_EQ(text->find("nan"), std::string::npos) << *text;
        }
    }
    // Just inside: ten rows of 214748364 is 2147483640.
    TotalsInputs inside = MakeTotals("10", "2", false, true);
    inside.rowPointsTexts.fill("214748364");
    const Totals t = ComputeTotals(inside);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "2147483640 / 80");
    // 300000000 x 4 x 1 = 1200000000 fits; doubled it would not.
    EXPECT_TRUE(ComputeTotals(MakeTotals("300000000", "1", false, false)).inRange);
}

TEST(LevelWarning, FirstAndThirdOfThreeAreShown)
{
    LevelWarning w;
    EXPECT_FALSE(w.Shown());
    EXPECT_TRUE(w.Check(true));
    EXPECT_TRUE(w.Shown());
    EXPECT_FALSE(w.Check(true));
    EXPECT_FALSE(w.Shown());
    EXPECT_TRUE(w.Check(true));
    EXPECT_TRUE(w.Shown());
}

TEST(LevelWarning, NotOverTheLevelLeavesTheFlag)
{
    LevelWarning w;
    EXPECT_FALSE(w.Check(false));
    EXPECT_FALSE(w.Shown());
    EXPECT_TRUE(w.Check(true));
    EXPECT_FALSE(w.Check(false));
    EXPECT_FALSE(w.Check(false));
    EXPECT_TRUE(w.Shown());
    EXPECT_FALSE(w.Check(true)); // the alternation continues where it stood
    EXPECT_FALSE(w.Shown());
    EXPECT_FALSE(w.Check(false));
    EXPECT_FALSE(w.Shown());
    EXPECT_TRUE(w.Check(true));
}

// Each check over the level flips the flag and shows on every other call, from either start.
// How many checks one window action makes is the form's to count (tests/form).
TEST(LevelWarning, EveryCheckOverTheLevelTurnsItOver)
{
    struct Case {
        bool startShown;
        int shownTimes;
        bool endShown;
    };
    for (const Case &c : {Case{false, 6, true}, Case{true, 5, false}}) {
        LevelWarning w;
        if (c.startShown) {
            ASSERT_TRUE(w.Check(true));
        }
        ASSERT_EQ(w.Shown(), c.startShown);
        int shown = 0;
        std::vector<int> when;
        for (int i = 1; i <= 11; ++i) {
            if (w.Check(true)) {
                ++shown;
                when.push_back(i);
            }
        }
        EXPECT_EQ(shown, c.shownTimes);
        EXPECT_EQ(w.Shown(), c.endShown);
        if (!c.startShown) {
            EXPECT_EQ(when, (std::vector<int>{1, 3, 5, 7, 9, 11}));
        } else {
            EXPECT_EQ(when, (std::vector<int>{2, 4, 6, 8, 10}));
        }
    }
}

TEST(LevelWarning, ClearResets)
{
    LevelWarning w;
    EXPECT_TRUE(w.Check(true));
    w.Clear();
    EXPECT_FALSE(w.Shown());
    EXPECT_TRUE(w.Check(true));
}

} // namespace
