// SPDX-License-Identifier: GPL-3.0-or-later
// The conversions do not depend on the C locale: once QApplication exists it has called
// setlocale(LC_ALL, ""), and under a German locale printf writes "1,5" and strtod stops at ".".
// A separate executable, so that the locale switch cannot leak into the other tests.

#include "rules/costing.h"
#include "rules/fields.h"
#include "rules/numbers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

class GermanLocale : public testing::Test {
protected:
    void SetUp() override
    {
#ifdef __EMSCRIPTEN__
        GTEST_SKIP() << "emscripten's C library has only the \"C\" locale: none writes \",\"";
#endif
        // The last name is Windows' own.
        if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr &&
            std::setlocale(LC_ALL, "de_DE.utf8") == nullptr &&
            std::setlocale(LC_ALL, "German_Germany.1252") == nullptr) {
            GTEST_SKIP() << "the locale de_DE.UTF-8 is not installed on this machine";
        }
        // Make sure the locale really uses ',' (otherwise the test proves nothing).
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
        ASSERT_EQ(std::string(buffer), "1,5");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(GermanLocale, ConversionsAreLocaleFree)
{
    EXPECT_EQ(rules::LeadingNumber("1.5"), 1.5);
    EXPECT_EQ(rules::LeadingNumber("1,5"), 1.0);
    EXPECT_EQ(rules::LeadingNumber("2.5e1"), 25.0);
    EXPECT_EQ(rules::GeneralNumberText(1.5, '.'), "1.5");
    EXPECT_EQ(rules::GeneralNumberText(1.5, ','), "1,5");
    EXPECT_EQ(rules::GeneralNumberText(3.5999999999999996, '.'), "3.6");
    EXPECT_EQ(rules::GeneralNumberText(1.5e-5, '.'), "1.5E-05");
    EXPECT_EQ(rules::ReadNumberText("7.2", '.'), 7.2);
    EXPECT_EQ(rules::ReadNumberText("7,2", ','), 7.2);
    EXPECT_EQ(rules::WholeNumberText(1234567), "1234567");
    EXPECT_EQ(rules::RoundTo15Digits(3.5999999999999996), 3.6);
    EXPECT_EQ(rules::ToInt32HalfEven(2.5), 2);
}

TEST_F(GermanLocale, RulesAreLocaleFree)
{
    const rules::RowCost row =
        rules::CostRow(rules::RowInputs{3, "Suit: 03 points", "1.5", false, "0"});
    EXPECT_EQ(row.points, 4);
    EXPECT_EQ(rules::GeneralNumberText(row.silver, '.'), "0.45");
    EXPECT_TRUE(rules::CheckDays("0.5").accepted);
    EXPECT_TRUE(rules::CheckSkillLevel("2.5").accepted);
    EXPECT_EQ(rules::FilterLevel("2.5"), 2);
    EXPECT_TRUE(rules::CheckQuantity("1.5").accepted);
    EXPECT_TRUE(rules::CheckShatterResist("2.5").accepted);
    rules::TotalsInputs in;
    in.skillLevelText = "10";
    in.daysText = "0.7";
    in.rowPointsTexts.fill("0");
    in.rowSilverTexts.fill("0");
    in.rowPointsTexts[0] = "42";
    in.rowSilverTexts[0] = "0.45";
    const rules::Totals t = rules::ComputeTotals(in);
    EXPECT_EQ(t.pointsText, "42 / 28");
    EXPECT_EQ(t.levelText, "11 / 15 per day");
    EXPECT_EQ(t.silverText, "0.45");
}

} // namespace
