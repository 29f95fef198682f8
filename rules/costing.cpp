// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/costing.h"

#include "rules/catalogue.h"
#include "rules/numbers.h"

#include <cmath>
#include <limits>

namespace rules {

namespace {

constexpr std::int64_t kSilverExtraPoints = 10;
constexpr std::int64_t kShatterResistExtraPoints = 80;
constexpr double kShatterResistSilverFactor = 3;
constexpr double kSilverDivisor = 10;

constexpr std::int32_t kWorkshopCapacityFactor = 2;
constexpr double kPointsPerLevelWithWorkshop = 8;
constexpr double kPointsPerWorkshop = 400;

} // namespace

RowCost CostRow(const RowInputs &row)
{
    RowCost cost;
    // 64 bits until the final conversion: the unit cost plus both extras must not wrap.
    std::int64_t points = row.unitCost;
    double silver = row.unitCost;
    if (row.silver) {
        points += kSilverExtraPoints;
        const std::optional<std::int32_t> extra = WeaponSilverCost(row.itemName);
        cost.unknownWeapon = !extra;
        silver += extra.value_or(0);
    }
    if (LeadingNumber(row.shatterResistText) > 0) {
        silver *= kShatterResistSilverFactor;
        points += kShatterResistExtraPoints;
    }
    const double quantity = LeadingNumber(row.quantityText);
    const std::optional<std::int32_t> rowPoints = ToInt32HalfEven(double(points) * quantity);
    silver = quantity * silver;
    silver = silver / kSilverDivisor;
    if (quantity == 0 || !rowPoints || !std::isfinite(silver)) {
        cost.inRange = quantity == 0 || (rowPoints && std::isfinite(silver));
        return cost;
    }
    cost.points = *rowPoints;
    cost.silver = silver;
    return cost;
}

Totals ComputeTotals(const TotalsInputs &in)
{
    Totals out;
    const double days = LeadingNumber(in.daysText);

    std::int64_t capacity = 0;
    if (const auto base =
            ToInt32HalfEven(LeadingNumber(in.skillLevelText) * kPointsPerLevel * days))
        capacity = *base;
    else
        out.inRange = false;
    if (in.workshop)
        capacity *= kWorkshopCapacityFactor;
    if (capacity > std::numeric_limits<std::int32_t>::max() ||
        capacity < std::numeric_limits<std::int32_t>::min()) {
        capacity = 0;
        out.inRange = false;
    }

    std::int32_t totalPoints = 0;
    double totalSilver = 0;
    for (int i = 0; i < kRowCount; ++i) {
        const double rowPoints =
            ReadNumberText(in.rowPointsTexts[std::size_t(i)], in.decimalSeparator);
        if (const auto sum = ToInt32HalfEven(rowPoints + totalPoints))
            totalPoints = *sum;
        else
            out.inRange = false;
        totalSilver += ReadNumberText(in.rowSilverTexts[std::size_t(i)], in.decimalSeparator);
    }

    out.silverText = GeneralNumberText(totalSilver, in.decimalSeparator);
    out.pointsText = WholeNumberText(totalPoints) + " / " + WholeNumberText(capacity);

    const double pointsPerLevel = in.workshop ? kPointsPerLevelWithWorkshop : kPointsPerLevel;
    const double levels = RoundNumber(totalPoints / pointsPerLevel, 1);
    double levelsPerDay = 0;
    if (days > 0) {
        levelsPerDay = RoundNumber((totalPoints / pointsPerLevel) / days, 1);
    }
    if (!(days > 0) || !std::isfinite(levelsPerDay)) {
        levelsPerDay = 0;
        out.inRange = false;
    }
    out.workshopsText = in.workshop
                            ? GeneralNumberText(RoundNumber(totalPoints / kPointsPerWorkshop, 1),
                                                in.decimalSeparator)
                            : "0";
    out.levelText = GeneralNumberText(levels, in.decimalSeparator) + " / " +
                    GeneralNumberText(levelsPerDay, in.decimalSeparator) + " per day";
    out.overLevel = in.enforceLevel && totalPoints > capacity;
    return out;
}

bool LevelWarning::Check(bool overLevel)
{
    if (!overLevel)
        return false;
    m_shown = !m_shown;
    return m_shown;
}

} // namespace rules
