// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The cost of one production row and the totals of the list.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace rules {

inline constexpr int kRowCount = 10;

struct RowInputs {
    std::int32_t unitCost = 0;          // ItemData of the row's selected entry
    std::string_view itemName;          // text of the selected entry (weapon silver look-up)
    std::string_view quantityText;      // read with LeadingNumber
    bool silver = false;                // the silver box is checked
    std::string_view shatterResistText; // only whether it reads above 0 matters
};

struct RowCost {
    std::int32_t points = 0; // round-half-even((C + 10*[S] + 80*[R>0]) * Q)
    double silver = 0;       // Q * (C + W*[S]) * 3^[R>0] / 10
    // The silver box is checked for a name the weapon silver table lacks: the window tells the
    // user "Unknown Weapon Type, silver cost not added."; the 10 extra points still count.
    bool unknownWeapon = false;
    // False when the points do not fit 32 bits (a quantity beyond what the quantity field
    // accepts): points and silver are then 0.
    bool inRange = true;
};

RowCost CostRow(const RowInputs &row);

struct TotalsInputs {
    std::string_view skillLevelText;
    std::string_view daysText;
    bool workshop = false;
    bool enforceLevel = false;
    // The captions of lblItemProdCost(i) and lblItemSilverCost(i), rows 0 to 9.
    std::array<std::string_view, kRowCount> rowPointsTexts{};
    std::array<std::string_view, kRowCount> rowSilverTexts{};
    char decimalSeparator = '.';
};

struct Totals {
    std::string silverText;    // lblTotalCostSilver
    std::string pointsText;    // lblTotalCostPoints: "total / capacity"
    std::string levelText;     // lblTotalCostLevel: "levels / levelsPerDay per day"
    std::string workshopsText; // lblTotalCostWorkshops
    // Total points exceed the capacity while the enforce option is on.
    bool overLevel = false;
    // False when the capacity or the total points leave the 32-bit range, days are not above 0,
    // or the levels per day are not finite (tiny days); none of that passes the fields' checks.
    // The affected figures then read 0.
    bool inRange = true;
};

Totals ComputeTotals(const TotalsInputs &in);

// Whether the over-level warning is shown: while the list stays over the level it is shown on
// every second check, starting with the first. A check that is not over the level changes nothing.
class LevelWarning {
public:
    // Returns true when the warning is to be shown now.
    bool Check(bool overLevel);
    bool Shown() const { return m_shown; }
    void Clear() { m_shown = false; }

private:
    bool m_shown = false;
};

} // namespace rules
