// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/catalogue.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>

namespace rules {

namespace {

// Item names and costs exactly as the rulebook gives them, typos included; the order is the
// order in which a row's list receives them.
constexpr CatalogueItem kAlchemy[] = {
    {"Antidode - Contact (Elixir)", 8},
    {"Antidote - Gas (Elixir)", 16},
    {"Antidote - Ingested (Elixir)", 20},
    {"Antidote - Enslavement (Elixir)", 40},
    {"Antidote - Euphoria (Elixir)", 40},
    {"Berserk (Elixir)", 40},
    {"Cause Damage (Elixir)", 8},
    {"Cause Damage (Gas)", 12},
    {"Cause Light Damage (Elixir)", 4},
    {"Cause Light Damage (Gas)", 8},
    {"Cause Serious Damage (Elixir)", 16},
    {"Cause Serious Damage (Gas)", 20},
    {"Cure Light Damage (Elixir)", 4},
    {"Death (Elixir)", 36},
    {"Dominate (Gas)", 32},
    {"Feeblemind (Elixir)", 24},
    {"Feeblemind (Gas)", 28},
    {"Forget-It-Well (Elixir)", 40},
    {"Forget-Me-Not (Elixir)", 28},
    {"Hallucinoid (Elixir)", 8},
    {"Instant Death (Elixir)", 40},
    {"Intoxicant (Elixir)", 2},
    {"Laugh (Elixir)", 20},
    {"Laugh (Gas)", 24},
    {"Love (Elixir)", 12},
    {"Love Potion #9 (Elixir)", 40},
    {"Nausea (Elixir)", 20},
    {"Nausea (Gas)", 24},
    {"Paralysis (Elixir)", 32},
    {"Paralysis (Gas)", 36},
    {"Paranoia (Elixir)", 8},
    {"Paranoia (Gas)", 12},
    {"Poison Shield (Elixir)", 16},
    {"Sleep (Elixir)", 24},
    {"Sleep (Gas)", 28},
    {"Slow Poison (Elixir)", 12},
    {"Vertigo (Elixir)", 20},
    {"Vertigo (Gas)", 24},
    {"Weakness (Elixir)", 12},
    {"Weakness (Gas)", 16},
    {"Alchemical Solvent (Contact)", 8},
    {"Liquid Light (Contact)", 4},
    {"Oil of Slipperiness (Contact)", 20},
    {"Paste of Stickiness (Contact)", 20},
    {"Vorpal Coating 2 (Contact)", 4},
    {"Vorpal Coating 4 (Contact)", 12},
    {"Vorpal Coating 6 (Contact)", 20},
};

constexpr CatalogueItem kArmour[] = {
    {"Suit: 01 point", 1},   {"Suit: 02 points", 2},  {"Suit: 03 points", 3},
    {"Suit: 04 points", 4},  {"Suit: 05 points", 6},  {"Suit: 06 points", 8},
    {"Suit: 07 points", 10}, {"Suit: 08 points", 12}, {"Suit: 09 points", 15},
    {"Suit: 10 points", 18}, {"Suit: 11 points", 21}, {"Suit: 12 points", 24},
    {"Suit: 13 points", 28}, {"Suit: 14 points", 32}, {"Suit: 15 points", 36},
    {"Suit: 16 points", 40}, {"Suit: 17 points", 45}, {"Suit: 18 points", 50},
    {"Suit: 19 points", 55}, {"Suit: 20 points", 60}, {"Suit: 21 points", 66},
    {"Suit: 22 points", 72},
};

constexpr CatalogueItem kPotions[] = {
    {"Cure Light Wounds", 4},
    {"Cure Wounds", 8},
    {"Cure Serious Wounds", 16},
    {"Cure Critical Wounds", 24},
    {"Cure Mortal Wounds", 32},
    {"Cause Light Wounds", 4},
    {"Cause Wounds", 8},
    {"Cause Serious Wounds", 16},
    {"Cause Critical Wounds", 24},
    {"Cause Mortal Wounds", 32},
    {"Cure Disease", 12},
    {"Purify Blood", 20},
    {"Restore Limb", 28},
    {"Cause Disease", 32},
    {"Taint Blood", 20},
    {"Wither Limb", 28},
    {"Remove Weakness", 12},
    {"Remove Curse", 28},
    {"Unparalyze", 32},
    {"Weakness", 12},
    {"Curse", 28},
    {"Paralyze", 32},
    {"Awaken", 16},
    {"Sleep", 16},
    {"Release", 20},
    {"Bless", 4},
    {"Greater Bless", 12},
    {"Magic Armor", 8},
    {"Poison Shield", 16},
    {"Shield Magic", 20},
    {"Elemental Shield", 24},
    {"Reflect Magic", 32},
    {"Dispel Magic", 32},
};

constexpr CatalogueItem kScrolls[] = {
    {"Magic Missile", 4},
    {"Lightning Bolt", 8},
    {"Ice Bolt", 12},
    {"Flame Bolt", 16},
    {"Stone Bolt", 20},
    {"Lightning Storm", 24},
    {"Ice Storm", 28},
    {"Dragons Breath", 32},
    {"Awaken", 16},
    {"Sleep", 24},
    {"Shun", 16},
    {"Repel", 8},
    {"Disarm", 4},
    {"Pin", 8},
    {"Bind", 16},
    {"Web", 20},
    {"Confine", 32},
    {"Release", 20},
    {"Shatter", 12},
    {"Destroy", 24},
    {"Endow", 4},
    {"Delayed Endow", 8},
    {"Elemental Blade", 16},
    {"Enchanted Blade", 24},
    {"Shield", 4},
    {"Greater Shield", 12},
    {"Magic Armor", 8},
    {"Shield Magic", 20},
    {"Reflect Magic", 32},
    {"Detect Magic", 8},
    {"Dispel Magic", 32},
    {"Wall of Force", 28},
    {"Wizard Lock", 32},
    {"Elemental Shield", 24},
    {"Light", 4},
};

// A weapon with its unit cost and the extra silver, in tenths of the silver cost, for making it
// in silver. The one table of weapons: the catalogue's list and the silver look-up both come from
// it, so no weapon can be in one and missing from the other.
struct Weapon {
    std::string_view name;
    std::int32_t unitCost;
    std::int32_t extraSilver;
};

constexpr Weapon kWeaponTable[] = {
    {"Bludgeon", 4, 190},
    {"Bow", 12, 0},
    {"Crossbow", 12, 0},
    {"Dagger", 4, 190},
    {"Hatchet", 4, 170},
    {"Javelin", 8, 400},
    {"Long Axe", 20, 200},
    {"Long Hammer", 16, 200},
    {"Long Mace", 16, 200},
    {"Long Sword", 24, 380},
    {"Polearm", 32, 260},
    {"Sap", 4, 190},
    {"Shield", 8, 5310},
    {"Short Axe", 16, 200},
    {"Short Hammer", 12, 200},
    {"Short Mace", 12, 200},
    {"Short Sword", 20, 260},
    {"Spear", 12, 80},
    {"Staff", 4, 720},
    {"Throwing Dagger", 4, 180},
    {"Two Handed Blunt", 32, 280},
    {"Two Handed Sword", 36, 500},
    {"Arrows - Standard (20)", 4, 400},
    {"Arrows - Quality (1)", 4, 20},
};

constexpr auto kWeapons = [] {
    std::array<CatalogueItem, std::size(kWeaponTable)> items{};
    for (std::size_t i = 0; i < items.size(); ++i)
        items[i] = {kWeaponTable[i].name, kWeaponTable[i].unitCost};
    return items;
}();

constexpr CatalogueItem kCrystals[] = {
    {"Bless", 4},
    {"Endow", 4},
    {"Cure Light Wounds", 4},
    {"Improve Hearth", 4},
    {"Rest", 4},
    {"Shield", 4},
    {"Delayed Endow", 8},
    {"Cure Wounds", 8},
    {"Magic Armor", 8},
    {"Purity", 8},
    {"Sacrifice", 8},
    {"Greater Bless", 12},
    {"Greater Shield", 12},
    {"Cure Disease", 12},
    {"Remove Weakness", 12},
    {"Stabilize", 12},
    {"Awaken", 16},
    {"Courage", 16},
    {"Flame Blade", 16},
    {"Cure Serious Wounds", 16},
    {"Poison Shield", 16},
    {"Sanctuary", 16},
    {"Purify Blood", 20},
    {"Release", 20},
    {"Shield Magic", 20},
    {"Warning", 20},
    {"Circle of Harmony", 24},
    {"Elemental Shield", 24},
    {"Enchanted Blade", 24},
    {"Cure Critical Wounds", 24},
    {"Wizard's Rage", 24},
    {"Infuse", 28},
    {"Remove Curse", 28},
    {"Restore Limb", 28},
    {"Warrior's Rage", 28},
    {"Cure Mortal Wounds", 32},
    {"Reflect Magic", 32},
    {"Unparalyze", 32},
    {"Vision", 32},
};

struct ItemType {
    std::string_view name;
    std::span<const CatalogueItem> items;
};

constexpr ItemType kItemTypes[] = {
    {"Alchemy", kAlchemy}, {"Armour", kArmour},   {"Potions", kPotions},
    {"Scrolls", kScrolls}, {"Weapons", kWeapons}, {"Crystals", kCrystals},
};

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

bool IsItemType(std::int32_t code)
{
    return code >= kFirstItemType && code <= kLastItemType;
}

std::string_view ItemTypeName(std::int32_t code)
{
    return IsItemType(code) ? kItemTypes[code - kFirstItemType].name : std::string_view();
}

std::span<const CatalogueItem> CatalogueItems(std::int32_t code)
{
    return IsItemType(code) ? kItemTypes[code - kFirstItemType].items
                            : std::span<const CatalogueItem>();
}

bool ShowsSilverColumn(std::int32_t code)
{
    return code == kItemTypeWeapons;
}

bool ShowsShatterResistColumn(std::int32_t code)
{
    return code == kItemTypeArmour || code == kItemTypeWeapons;
}

bool IsOffered(const CatalogueItem &item, bool enforceLevel, std::int32_t level)
{
    if (!enforceLevel)
        return true;
    return std::int64_t{kPointsPerLevel} * level >= item.unitCost;
}

std::vector<CatalogueItem> OfferedItems(std::int32_t code, bool enforceLevel, std::int32_t level)
{
    std::vector<CatalogueItem> offered;
    for (const CatalogueItem &item : CatalogueItems(code))
        if (IsOffered(item, enforceLevel, level))
            offered.push_back(item);
    return offered;
}

bool ListOrderLess(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char x = LowerAscii(a[i]);
        const char y = LowerAscii(b[i]);
        if (x != y)
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    return a.size() < b.size();
}

std::vector<CatalogueItem> SortedOfferedItems(std::int32_t code, bool enforceLevel,
                                              std::int32_t level)
{
    std::vector<CatalogueItem> offered = OfferedItems(code, enforceLevel, level);
    std::stable_sort(offered.begin(), offered.end(),
                     [](const CatalogueItem &a, const CatalogueItem &b) {
                         return ListOrderLess(a.name, b.name);
                     });
    return offered;
}

std::optional<std::int32_t> WeaponSilverCost(std::string_view itemName)
{
    for (const Weapon &weapon : kWeaponTable)
        if (weapon.name == itemName)
            return weapon.extraSilver;
    return std::nullopt;
}

} // namespace rules
