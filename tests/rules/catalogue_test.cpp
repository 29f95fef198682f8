// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of rules/catalogue.h against the rulebook's item tables, the level filter and the weapon
// silver table. The expected tables are transcribed in rulebook_tables.h.

#include "rules/catalogue.h"
#include "rules/fields.h"

#include "rulebook_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace {

using rules::CatalogueItem;
using rules::CatalogueItems;
using rules::IsOffered;
using rules::ListOrderLess;
using rules::OfferedItems;
using rules::SortedOfferedItems;
using rules::WeaponSilverCost;

constexpr std::int32_t kTypes[] = {1, 2, 3, 4, 5, 6};

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The reference order of the lists: ascending, without regard to case.
bool RefLess(std::string_view a, std::string_view b)
{
    return Lower(a) < Lower(b);
}

std::vector<rulebook::BookItem> RefOffered(std::int32_t code, bool enforce, std::int64_t level)
{
    std::vector<rulebook::BookItem> out;
    for (const auto &item : *rulebook::kByType[code])
        if (!enforce || 4 * level >= item.unitCost)
            out.push_back(item);
    return out;
}

std::vector<rulebook::BookItem> RefSorted(std::int32_t code, bool enforce, std::int64_t level)
{
    auto out = RefOffered(code, enforce, level);
    std::stable_sort(out.begin(), out.end(),
                     [](const auto &a, const auto &b) { return RefLess(a.name, b.name); });
    return out;
}

template <typename Items>
void ExpectSameItems(const Items &actual, const std::vector<rulebook::BookItem> &expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "entry " << i);
        EXPECT_EQ(actual[i].name, expected[i].name);
        EXPECT_EQ(actual[i].unitCost, expected[i].unitCost);
    }
}

const CatalogueItem *Find(std::int32_t code, std::string_view name)
{
    for (const auto &item : CatalogueItems(code))
        if (item.name == name)
            return &item;
    return nullptr;
}

TEST(ItemTypes, CodesNamesAndColumns)
{
    struct Row {
        std::int32_t code;
        std::string_view name;
        bool silver;
        bool shatter;
    };
    const Row rows[] = {
        {1, "Alchemy", false, false}, {2, "Armour", false, true}, {3, "Potions", false, false},
        {4, "Scrolls", false, false}, {5, "Weapons", true, true}, {6, "Crystals", false, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "code " << r.code);
        EXPECT_TRUE(rules::IsItemType(r.code));
        EXPECT_EQ(rules::ItemTypeName(r.code), r.name);
        EXPECT_EQ(rules::ShowsSilverColumn(r.code), r.silver);
        EXPECT_EQ(rules::ShowsShatterResistColumn(r.code), r.shatter);
    }
    EXPECT_EQ(rules::kFirstItemType, 1);
    EXPECT_EQ(rules::kLastItemType, 6);
    EXPECT_EQ(rules::kItemTypeArmour, 2);
    EXPECT_EQ(rules::kItemTypeWeapons, 5);
    EXPECT_EQ(rules::kPointsPerLevel, 4);
}

TEST(ItemTypes, CodesOutsideOneToSix)
{
    for (std::int32_t code : {0, 7, -1, 100, std::numeric_limits<std::int32_t>::min(),
                              std::numeric_limits<std::int32_t>::max()}) {
        SCOPED_TRACE(testing::Message() << "code " << code);
        EXPECT_FALSE(rules::IsItemType(code));
        EXPECT_TRUE(rules::ItemTypeName(code).empty());
        EXPECT_TRUE(CatalogueItems(code).empty());
        EXPECT_TRUE(OfferedItems(code, false, 10).empty());
        EXPECT_TRUE(SortedOfferedItems(code, true, 10).empty());
        EXPECT_FALSE(rules::ShowsSilverColumn(code));
        EXPECT_FALSE(rules::ShowsShatterResistColumn(code));
    }
}

TEST(ItemTypes, TypeListSortsLikeTheItemLists)
{
    std::vector<std::string_view> names;
    for (auto code : kTypes)
        names.push_back(rules::ItemTypeName(code));
    std::sort(names.begin(), names.end(), ListOrderLess);
    const std::vector<std::string_view> expected = {"Alchemy", "Armour",  "Crystals",
                                                    "Potions", "Scrolls", "Weapons"};
    EXPECT_EQ(names, expected);
}

TEST(Catalogue, EveryTableExactlyInOrder)
{
    for (auto code : kTypes) {
        SCOPED_TRACE(testing::Message() << "type " << rulebook::kTypeNames[code]);
        ExpectSameItems(CatalogueItems(code), *rulebook::kByType[code]);
    }
}

TEST(Catalogue, CountsLowestAndHighestCosts)
{
    struct Row {
        std::int32_t code;
        std::size_t count;
        std::int32_t lowest;
        std::int32_t highest;
    };
    const Row rows[] = {{1, 47, 2, 40}, {2, 22, 1, 72}, {3, 33, 4, 32},
                        {4, 35, 4, 32}, {5, 24, 4, 36}, {6, 39, 4, 32}};
    std::size_t total = 0;
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "type " << r.code);
        const auto items = CatalogueItems(r.code);
        ASSERT_EQ(items.size(), r.count);
        total += items.size();
        const auto [lo, hi] = std::minmax_element(
            items.begin(), items.end(),
            [](const CatalogueItem &a, const CatalogueItem &b) { return a.unitCost < b.unitCost; });
        EXPECT_EQ(lo->unitCost, r.lowest);
        EXPECT_EQ(hi->unitCost, r.highest);
    }
    EXPECT_EQ(total, 200u);
}

TEST(Catalogue, NamesAreUniqueWithinATypeAndPrintableAscii)
{
    for (auto code : kTypes) {
        SCOPED_TRACE(testing::Message() << "type " << code);
        std::vector<std::string_view> names;
        for (const auto &item : CatalogueItems(code)) {
            names.push_back(item.name);
            EXPECT_GE(item.unitCost, 1);
            EXPECT_LE(item.unitCost, 72);
            for (char c : item.name) {
                const unsigned code_unit = static_cast<unsigned char>(c);
                EXPECT_GE(code_unit, 0x20u) << item.name;
                EXPECT_LE(code_unit, 0x7Eu) << item.name;
            }
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
    }
}

TEST(Catalogue, ExactNamesIncludingTheSystemsTypo)
{
    struct Row {
        std::int32_t code;
        std::string_view name;
        std::int32_t cost;
    };
    const Row rows[] = {
        {1, "Antidode - Contact (Elixir)", 8},
        {1, "Love Potion #9 (Elixir)", 40},
        {1, "Forget-It-Well (Elixir)", 40},
        {1, "Intoxicant (Elixir)", 2},
        {2, "Suit: 01 point", 1},
        {2, "Suit: 22 points", 72},
        {3, "Magic Armor", 8},
        {4, "Dragons Breath", 32},
        {5, "Arrows - Standard (20)", 4},
        {5, "Two Handed Sword", 36},
        {6, "Wizard's Rage", 24},
        {6, "Improve Hearth", 4},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << r.name);
        const auto *item = Find(r.code, r.name);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->unitCost, r.cost);
    }
    EXPECT_EQ(Find(1, "Antidote - Contact (Elixir)"), nullptr); // the typo is kept
    EXPECT_EQ(Find(2, "Suit: 01 points"), nullptr);
    EXPECT_EQ(Find(3, "Magic Armour"), nullptr);
}

TEST(Catalogue, SharedNamesKeepTheirOwnCosts)
{
    struct Row {
        std::string_view name;
        std::int32_t costs[7]; // per type code; 0 = not in that type
    };
    const Row rows[] = {
        {"Sleep", {0, 0, 0, 16, 24, 0, 0}},
        {"Shield", {0, 0, 0, 0, 4, 8, 4}},
        {"Awaken", {0, 0, 0, 16, 16, 0, 16}},
        {"Release", {0, 0, 0, 20, 20, 0, 20}},
        {"Bless", {0, 0, 0, 4, 0, 0, 4}},
        {"Magic Armor", {0, 0, 0, 8, 8, 0, 8}},
        {"Reflect Magic", {0, 0, 0, 32, 32, 0, 32}},
        {"Endow", {0, 0, 0, 0, 4, 0, 4}},
        {"Poison Shield", {0, 0, 0, 16, 0, 0, 16}},
    };
    for (const auto &r : rows) {
        for (auto code : kTypes) {
            SCOPED_TRACE(testing::Message() << r.name << " in type " << code);
            const auto *item = Find(code, r.name);
            if (r.costs[code] == 0) {
                EXPECT_EQ(item, nullptr);
            } else {
                ASSERT_NE(item, nullptr);
                EXPECT_EQ(item->unitCost, r.costs[code]);
            }
        }
    }
}

TEST(Catalogue, FirstSortedEntryWhenEverythingIsOffered)
{
    const std::string_view first[7] = {
        "",       "Alchemical Solvent (Contact)", "Suit: 01 point", "Awaken",
        "Awaken", "Arrows - Quality (1)",         "Awaken"};
    for (auto code : kTypes) {
        SCOPED_TRACE(testing::Message() << "type " << code);
        const auto sorted = SortedOfferedItems(code, false, 0);
        ASSERT_FALSE(sorted.empty());
        EXPECT_EQ(sorted.front().name, first[code]);
    }
}

TEST(WeaponSilver, EveryTableEntry)
{
    ASSERT_EQ(rulebook::kWeaponSilver.size(), 24u);
    for (const auto &[name, value] : rulebook::kWeaponSilver) {
        SCOPED_TRACE(testing::Message() << name);
        EXPECT_EQ(WeaponSilverCost(name), value);
    }
}

TEST(WeaponSilver, EveryWeaponHasAnEntryAndViceVersa)
{
    const auto weapons = CatalogueItems(rules::kItemTypeWeapons);
    for (const auto &item : weapons) {
        SCOPED_TRACE(testing::Message() << item.name);
        EXPECT_TRUE(WeaponSilverCost(item.name).has_value());
    }
    for (const auto &[name, value] : rulebook::kWeaponSilver) {
        SCOPED_TRACE(testing::Message() << name);
        EXPECT_NE(Find(rules::kItemTypeWeapons, name), nullptr);
    }
}

TEST(WeaponSilver, ExactAndCaseSensitive)
{
    const std::string_view unknown[] = {
        "",
        "long sword",
        "Long sword",
        "LONG SWORD",
        "Long Sword ",
        " Long Sword",
        "LongSword",
        "Sleep",
        "Suit: 01 point",
        "Awaken",
        "shield",
        "Bow\n",
        "Arrows - Quality(1)",
        "Arrows - Quality (1) ",
        std::string_view("Bow\0", 4),
    };
    for (auto name : unknown) {
        SCOPED_TRACE(testing::Message() << "\"" << name << "\"");
        EXPECT_EQ(WeaponSilverCost(name), std::nullopt);
    }
    // Non-weapon catalogue names are unknown too, except those that are also weapon names.
    for (auto code : kTypes) {
        if (code == rules::kItemTypeWeapons)
            continue;
        for (const auto &item : CatalogueItems(code)) {
            if (Find(rules::kItemTypeWeapons, item.name) != nullptr)
                continue;
            EXPECT_EQ(WeaponSilverCost(item.name), std::nullopt) << item.name;
        }
    }
    EXPECT_EQ(WeaponSilverCost("Shield"), 5310);
}

TEST(LevelFilter, StartUpLevelTen)
{
    const auto armour = SortedOfferedItems(2, true, 10);
    ASSERT_EQ(armour.size(), 16u);
    EXPECT_EQ(armour.front().name, "Suit: 01 point");
    EXPECT_EQ(armour.back().name, "Suit: 16 points");
    EXPECT_EQ(armour.back().unitCost, 40);
    for (auto code : {1, 3, 4, 5, 6}) {
        SCOPED_TRACE(testing::Message() << "type " << code);
        EXPECT_EQ(OfferedItems(code, true, 10).size(), CatalogueItems(code).size());
    }
    // An item that costs exactly 4 x level is offered.
    const auto alchemy = OfferedItems(1, true, 10);
    EXPECT_NE(std::find_if(alchemy.begin(), alchemy.end(),
                           [](const CatalogueItem &i) {
                               return i.name == "Antidote - Enslavement (Elixir)";
                           }),
              alchemy.end());
}

TEST(LevelFilter, LevelOneCountsAndFirstEntries)
{
    struct Row {
        std::int32_t code;
        std::size_t count;
        std::string_view first;
    };
    const Row rows[] = {
        {1, 5, "Cause Light Damage (Elixir)"},
        {2, 4, "Suit: 01 point"},
        {3, 3, "Bless"},
        {4, 5, "Disarm"},
        {5, 8, "Arrows - Quality (1)"},
        {6, 6, "Bless"},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "type " << r.code);
        const auto sorted = SortedOfferedItems(r.code, true, 1);
        ASSERT_EQ(sorted.size(), r.count);
        EXPECT_EQ(sorted.front().name, r.first);
    }
}

TEST(LevelFilter, LevelNineAlchemyDropsTheSixFortyPointItems)
{
    EXPECT_EQ(OfferedItems(1, true, 9).size(), 41u);
}

TEST(LevelFilter, FromLevelEighteenEverything)
{
    for (std::int32_t level : {18, 19, 100, 10000, 536870911, 536870912, 1000000000,
                               std::numeric_limits<std::int32_t>::max()}) {
        for (auto code : kTypes) {
            SCOPED_TRACE(testing::Message() << "level " << level << " type " << code);
            ExpectSameItems(OfferedItems(code, true, level), *rulebook::kByType[code]);
        }
    }
    EXPECT_EQ(OfferedItems(2, true, 17).size(), 21u); // "Suit: 22 points" (72) needs 18
}

TEST(LevelFilter, EveryLevelMatchesTheReference)
{
    for (std::int32_t level = -2; level <= 20; ++level) {
        for (auto code : kTypes) {
            SCOPED_TRACE(testing::Message() << "level " << level << " type " << code);
            ExpectSameItems(OfferedItems(code, true, level), RefOffered(code, true, level));
            ExpectSameItems(SortedOfferedItems(code, true, level), RefSorted(code, true, level));
        }
    }
}

TEST(LevelFilter, LevelsBelowOneOfferNothing)
{
    for (std::int32_t level : {0, -1, -10, std::numeric_limits<std::int32_t>::min(),
                               std::numeric_limits<std::int32_t>::min() / 4 - 1}) {
        for (auto code : kTypes) {
            SCOPED_TRACE(testing::Message() << "level " << level << " type " << code);
            EXPECT_TRUE(OfferedItems(code, true, level).empty());
        }
    }
}

TEST(LevelFilter, SkillLevelTextsThroughFilterLevel)
{
    struct Row {
        std::string_view text;
        std::int32_t limit; // highest unit cost offered
    };
    const Row rows[] = {{"2.5", 8},  {"3.5", 16},  {"1.5", 8},  {"10", 40},   {"12abc", 48},
                        {"9.5", 40}, {"10.5", 40}, {"0.51", 4}, {" 1 0 ", 40}};
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "text \"" << r.text << "\"");
        const auto level = rules::FilterLevel(r.text);
        ASSERT_TRUE(level.has_value());
        for (auto code : kTypes) {
            const auto offered = OfferedItems(code, true, *level);
            std::size_t expected = 0;
            for (const auto &item : *rulebook::kByType[code])
                if (item.unitCost <= r.limit)
                    ++expected;
            EXPECT_EQ(offered.size(), expected) << "type " << code;
        }
    }
    EXPECT_EQ(OfferedItems(1, true, *rules::FilterLevel("2.5")).size(),
              RefOffered(1, true, 2).size());
}

TEST(LevelFilter, EnforceOffOffersEverythingWhateverTheLevel)
{
    for (std::int32_t level : {0, -5, 1, 10, std::numeric_limits<std::int32_t>::min()}) {
        for (auto code : kTypes) {
            SCOPED_TRACE(testing::Message() << "level " << level << " type " << code);
            ExpectSameItems(OfferedItems(code, false, level), *rulebook::kByType[code]);
            ExpectSameItems(SortedOfferedItems(code, false, level), RefSorted(code, false, 0));
        }
    }
}

TEST(LevelFilter, IsOfferedBorders)
{
    struct Row {
        std::int32_t cost;
        bool enforce;
        std::int32_t level;
        bool offered;
    };
    const Row rows[] = {
        {40, true, 10, true},
        {41, true, 10, false},
        {4, true, 1, true},
        {5, true, 1, false},
        {1, true, 0, false},
        {8, true, 2, true},
        {9, true, 2, false},
        {72, true, 18, true},
        {72, true, 17, false},
        {72, false, 0, true},
        {72, false, -1, true},
        {1, true, -1, false},
        {72, true, std::numeric_limits<std::int32_t>::max(), true},
        {72, true, 536870912, true}, // 4 x level leaves the 32-bit range: still offered
        {1, true, std::numeric_limits<std::int32_t>::min(), false},
        {1, true, -536870913, false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message()
                     << "cost " << r.cost << " enforce " << r.enforce << " level " << r.level);
        EXPECT_EQ(IsOffered(CatalogueItem{"x", r.cost}, r.enforce, r.level), r.offered);
    }
}

TEST(ListOrder, CaseInsensitiveAscending)
{
    struct Row {
        std::string_view a;
        std::string_view b;
        bool less;
    };
    const Row rows[] = {
        {"abc", "abd", true},
        {"abd", "abc", false},
        {"abc", "ABD", true},
        {"ABC", "abd", true},
        {"b", "C", true}, // plain ASCII comparison would put "C" first
        {"C", "b", false},
        {"abc", "ABC", false},
        {"ABC", "abc", false},
        {"Abc", "Abc", false},
        {"", "a", true},
        {"a", "", false},
        {"", "", false},
        {"Long", "Long Axe", true}, // a name that is the beginning of another comes first
        {"Long Axe", "Long", false},
        {"Long Sword", "Longbow", true}, // a space comes before letters
        {"Love (Elixir)", "Love Potion #9 (Elixir)", true},
        {"Suit: 09 points", "Suit: 10 points", true},
        {"Arrows - Quality (1)", "Arrows - Standard (20)", true},
        {"Warning", "Warrior's Rage", true},
        {"Wizard Lock", "Wizard's Rage", true},
        {"awaken", "Bless", true},
        {"Zebra", "apple", false},
    };
    for (const auto &r : rows) {
        SCOPED_TRACE(testing::Message() << "\"" << r.a << "\" < \"" << r.b << "\"");
        EXPECT_EQ(ListOrderLess(r.a, r.b), r.less);
    }
}

TEST(ListOrder, SortedListsKeepEachEntrysCost)
{
    for (auto code : kTypes) {
        SCOPED_TRACE(testing::Message() << "type " << code);
        const auto sorted = SortedOfferedItems(code, false, 0);
        ExpectSameItems(sorted, RefSorted(code, false, 0));
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                                   [](const CatalogueItem &a, const CatalogueItem &b) {
                                       return ListOrderLess(a.name, b.name);
                                   }));
        for (const auto &entry : sorted) {
            const auto *item = Find(code, entry.name);
            ASSERT_NE(item, nullptr) << entry.name;
            EXPECT_EQ(entry.unitCost, item->unitCost) << entry.name;
        }
    }
}

TEST(ListOrder, ArmourInNumberOrder)
{
    const auto sorted = SortedOfferedItems(2, false, 0);
    ASSERT_EQ(sorted.size(), 22u);
    for (std::size_t i = 0; i < sorted.size(); ++i)
        EXPECT_EQ(sorted[i].name, rulebook::kArmour[i].name);
}

} // namespace
