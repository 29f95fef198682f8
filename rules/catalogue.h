// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The fixed catalogue of everything the calculator can cost: six item types and under each its
// items with a unit cost in production points, in the order they are added to a row's list.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace rules {

inline constexpr std::int32_t kFirstItemType = 1;
inline constexpr std::int32_t kLastItemType = 6;
inline constexpr std::int32_t kItemTypeArmour = 2;
inline constexpr std::int32_t kItemTypeWeapons = 5;

// Production points that one skill level yields per production day; the level filter compares
// each single item's unit cost with this rate.
inline constexpr std::int32_t kPointsPerLevel = 4;

struct CatalogueItem {
    std::string_view name;
    std::int32_t unitCost; // production points for one unit, 1 to 72
};

bool IsItemType(std::int32_t code);

// "Alchemy", "Armour", "Potions", "Scrolls", "Weapons", "Crystals" for codes 1 to 6; empty
// otherwise.
std::string_view ItemTypeName(std::int32_t code);

// The type's items in catalogue order; empty for a code outside 1 to 6.
std::span<const CatalogueItem> CatalogueItems(std::int32_t code);

bool ShowsSilverColumn(std::int32_t code);        // Weapons only
bool ShowsShatterResistColumn(std::int32_t code); // Armour and Weapons

// Whether the level filter lets an item through: always when the filter is off, otherwise when
// 4 x level (computed without overflow) is at least the unit cost.
bool IsOffered(const CatalogueItem &item, bool enforceLevel, std::int32_t level);

// The items a row offers, in catalogue order. The rows are filled from SortedOfferedItems, already
// in their lists' order.
std::vector<CatalogueItem> OfferedItems(std::int32_t code, bool enforceLevel, std::int32_t level);

// The order of every drop-down list: ascending, without regard to (ASCII) case.
bool ListOrderLess(std::string_view a, std::string_view b);

// The offered items as a row's list shows them: sorted by ListOrderLess.
std::vector<CatalogueItem> SortedOfferedItems(std::int32_t code, bool enforceLevel,
                                              std::int32_t level);

// Extra silver, in tenths of the silver cost, for making a weapon in silver. Names match exactly
// and case-sensitively; empty for a name that is not a weapon of the catalogue.
std::optional<std::int32_t> WeaponSilverCost(std::string_view itemName);

} // namespace rules
