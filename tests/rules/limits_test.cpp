// SPDX-License-Identifier: GPL-3.0-or-later
// The largest inputs that the fields accept compute everywhere without overflow, NaN or infinity
// (the ranges in rules/fields.h).

#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/fields.h"
#include "rules/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using rules::ComputeTotals;
using rules::CostRow;
using rules::RowCost;
using rules::RowInputs;
using rules::Totals;
using rules::TotalsInputs;

constexpr std::string_view kMaxQuantity = "1000000";
constexpr std::string_view kMaxShatter = "10000";
constexpr std::string_view kMaxSkill = "10000";
constexpr std::string_view kMaxDays = "10000";
constexpr std::string_view kMinDays = "0.01";
constexpr std::string_view kMinSkill = "0.51";

TEST(Limits, TheBorderTextsAreAccepted)
{
    EXPECT_TRUE(rules::CheckQuantity(kMaxQuantity).accepted);
    EXPECT_TRUE(rules::CheckShatterResist(kMaxShatter).accepted);
    EXPECT_TRUE(rules::CheckSkillLevel(kMaxSkill).accepted);
    EXPECT_TRUE(rules::CheckSkillLevel(kMinSkill).accepted);
    EXPECT_TRUE(rules::CheckDays(kMaxDays).accepted);
    EXPECT_TRUE(rules::CheckDays(kMinDays).accepted);
}

TEST(Limits, EveryItemAtTheLargestQuantityWithEveryOption)
{
    for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
        for (const auto &item : rules::CatalogueItems(code)) {
            for (bool silver : {false, true}) {
                for (std::string_view shatter : {std::string_view("0"), kMaxShatter}) {
                    SCOPED_TRACE(testing::Message()
                                 << item.name << " silver " << silver << " shatter " << shatter);
                    const RowCost cost =
                        CostRow(RowInputs{item.unitCost, item.name, kMaxQuantity, silver, shatter});
                    const std::int64_t perUnit =
                        item.unitCost + (silver ? 10 : 0) + (shatter == kMaxShatter ? 80 : 0);
                    EXPECT_TRUE(cost.inRange);
                    EXPECT_EQ(cost.points, perUnit * 1000000);
                    EXPECT_TRUE(std::isfinite(cost.silver));
                    EXPECT_GT(cost.silver, 0.0);
                }
            }
        }
    }
}

Totals TenEqualRows(const RowCost &row, std::string_view skill, std::string_view days,
                    bool workshop, std::string &pointsText, std::string &silverText)
{
    pointsText = rules::WholeNumberText(row.points);
    silverText = rules::GeneralNumberText(row.silver, '.');
    TotalsInputs in;
    in.skillLevelText = skill;
    in.daysText = days;
    in.workshop = workshop;
    in.enforceLevel = true;
    in.rowPointsTexts.fill(pointsText);
    in.rowSilverTexts.fill(silverText);
    return ComputeTotals(in);
}

TEST(Limits, TheHighestRowInAllTenRows)
{
    // "Suit: 22 points" (72) with shatter resist: 152 points a unit, the most any row can cost.
    const RowCost row = CostRow(RowInputs{72, "Suit: 22 points", kMaxQuantity, false, kMaxShatter});
    ASSERT_TRUE(row.inRange);
    EXPECT_EQ(row.points, 152000000);
    EXPECT_EQ(rules::GeneralNumberText(row.silver, '.'), "21600000");
    std::string p;
    std::string s;

    Totals t = TenEqualRows(row, kMaxSkill, kMaxDays, true, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "1520000000 / 800000000");
    EXPECT_EQ(t.levelText, "190000000 / 19000 per day");
    EXPECT_EQ(t.workshopsText, "3800000");
    EXPECT_EQ(t.silverText, "216000000");
    EXPECT_TRUE(t.overLevel);

    t = TenEqualRows(row, kMaxSkill, kMaxDays, false, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "1520000000 / 400000000");
    EXPECT_EQ(t.levelText, "380000000 / 38000 per day");
    EXPECT_EQ(t.workshopsText, "0");

    // The fewest days: the per-day figure grows, but stays finite and whole.
    t = TenEqualRows(row, kMinSkill, kMinDays, false, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "1520000000 / 0");
    EXPECT_EQ(t.levelText, "380000000 / 38000000000 per day");
    t = TenEqualRows(row, kMinSkill, kMinDays, true, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.levelText, "190000000 / 19000000000 per day");
    t = TenEqualRows(row, kMaxSkill, kMinDays, true, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "1520000000 / 800");
}

TEST(Limits, EvenSilverOnTheDearestArmourFitsTenRows)
{
    // 72 + 10 + 80 = 162 points a unit: not a combination the window offers, yet it fits.
    const RowCost row = CostRow(RowInputs{72, "Suit: 22 points", kMaxQuantity, true, kMaxShatter});
    ASSERT_TRUE(row.inRange);
    EXPECT_EQ(row.points, 162000000);
    std::string p;
    std::string s;
    const Totals t = TenEqualRows(row, kMaxSkill, kMinDays, false, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.pointsText, "1620000000 / 400");
}

TEST(Limits, TheDearestSilverInAllTenRows)
{
    // "Shield" in silver with shatter resist: (8 + 5310) x 3 / 10 silver a unit.
    const RowCost row = CostRow(RowInputs{8, "Shield", kMaxQuantity, true, kMaxShatter});
    ASSERT_TRUE(row.inRange);
    EXPECT_EQ(row.points, 98000000);
    EXPECT_EQ(rules::GeneralNumberText(row.silver, '.'), "1595400000");
    std::string p;
    std::string s;
    const Totals t = TenEqualRows(row, kMaxSkill, kMaxDays, true, p, s);
    EXPECT_TRUE(t.inRange);
    EXPECT_EQ(t.silverText, "15954000000");
    EXPECT_EQ(t.pointsText, "980000000 / 800000000");
    // With ',' as the separator the same figures come back.
    TotalsInputs in;
    in.skillLevelText = kMaxSkill;
    in.daysText = kMaxDays;
    in.workshop = true;
    in.decimalSeparator = ',';
    const std::string silverComma = rules::GeneralNumberText(row.silver, ',');
    in.rowPointsTexts.fill(p);
    in.rowSilverTexts.fill(silverComma);
    EXPECT_EQ(ComputeTotals(in).silverText, "15954000000");
}

TEST(Limits, CapacityAtTheLargestSkillAndDays)
{
    TotalsInputs in;
    in.skillLevelText = kMaxSkill;
    in.daysText = kMaxDays;
    in.rowPointsTexts.fill("0");
    in.rowSilverTexts.fill("0");
    for (bool workshop : {false, true}) {
        in.workshop = workshop;
        const Totals t = ComputeTotals(in);
        EXPECT_TRUE(t.inRange);
        EXPECT_EQ(t.pointsText, workshop ? "0 / 800000000" : "0 / 400000000");
        EXPECT_FALSE(t.overLevel);
    }
}

TEST(Limits, AnAcceptedSkillLevelAlwaysOffersItems)
{
    for (std::string_view text : {kMinSkill, std::string_view("1"), kMaxSkill}) {
        const auto level = rules::FilterLevel(text);
        ASSERT_TRUE(level.has_value());
        for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
            EXPECT_FALSE(rules::OfferedItems(code, true, *level).empty())
                << "skill " << text << " type " << code;
        }
    }
}

} // namespace
