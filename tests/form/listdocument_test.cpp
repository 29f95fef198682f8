// SPDX-License-Identifier: GPL-3.0-or-later
// The list as a document: both forms bring back the same list with the same figures, and anything
// that does not read whole is refused with the form left as it was.

#include "form/form.h"
#include "form/listdocument.h"
#include "tests/form/shownlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

using form::Field;
using form::Form;

// Picks an entry by its text: the item type for row -1, else the row's item.
void Pick(Form &f, int row, const std::string &text)
{
    const form::ListEntries &entries =
        row < 0 ? f.state().itemTypes : *f.state().rows[std::size_t(row)].entries;
    const auto at = std::find_if(entries.begin(), entries.end(),
                                 [&](const form::ListEntry &e) { return e.text == text; });
    ASSERT_NE(at, entries.end()) << text;
    if (row < 0)
        f.cboItemType_Click(int(at - entries.begin()));
    else
        f.cboItemName_Click(row, int(at - entries.begin()));
}

void Enter(Form &f, Field field, int row, const std::string &text)
{
    f.SetText(field, row, text);
    ASSERT_TRUE(f.Leave(field, row).accepted) << text;
}

// The list of the finished example: a Weapons list for three days.
void WeaponsList(Form &f)
{
    Pick(f, -1, "Weapons");
    Pick(f, 0, "Long Sword");
    f.chkSilver_Click(0, true);
    Enter(f, Field::txtShatterResist, 0, "4");
    Enter(f, Field::txtItemQuantity, 0, "2");
    Pick(f, 1, "Bow");
    Enter(f, Field::txtItemQuantity, 1, "1");
    Enter(f, Field::txtEventLength, -1, "3");
    Enter(f, Field::txtPlayerName, -1, "Ann ~ 100% \"A_B\"");
    Enter(f, Field::txtCharacterName, -1, "Zoë of Tír");
}

TEST(ListDocument, EachFormBringsBackTheSameListAndFigures)
{
    const struct {
        const char *name;
        std::function<void(Form &)> make;
    } cases[] = {
        {"the start", [](Form &) {}},
        {"weapons with silver, shatter resist and names", WeaponsList},
        {"every type, its last item, edge texts",
         [](Form &f) {
             for (const char *type : {"Alchemy", "Potions", "Scrolls", "Crystals", "Armour"}) {
                 Pick(f, -1, type);
                 const auto &entries = *f.state().rows[9].entries;
                 f.cboItemName_Click(9, int(entries.size()) - 1);
                 Enter(f, Field::txtItemQuantity, 9, "3 swords");
             }
             Enter(f, Field::txtShatterResist, 9, "2.5");
             Enter(f, Field::txtItemQuantity, 4, "1.5");
         }},
        {"options off, levels and days with fractions, a comma decimal separator",
         [](Form &f) {
             Enter(f, Field::txtSkillLevel, -1, "2.5");
             Enter(f, Field::txtItemQuantity, 3, "7");
             f.chkUseWorkshop_Click(false);
             f.chkEnforceSkillLevel_Click(false);
             Pick(f, 2, "Instant Death (Elixir)"); // beyond level 2.5
             Enter(f, Field::txtEventLength, -1, "0.5");
         }},
    };
    for (const auto &c : cases) {
        Form made(',');
        c.make(made);
        const std::string address = form::ListAddress(made.state());
        const std::string file = form::ListFile(made.state());
        for (const bool fromAddress : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (fromAddress ? ", address " : ", file ") +
                         (fromAddress ? address : file));
            Form opened(',');
            Pick(opened, -1, "Scrolls"); // a list of its own, replaced whole
            Enter(opened, Field::txtItemQuantity, 8, "5");
            const form::ListOpening result = fromAddress ? form::OpenListAddress(opened, address)
                                                         : form::OpenListFile(opened, file);
            EXPECT_TRUE(result.opened) << result.message;
            EXPECT_EQ(ShownList(opened.state()), ShownList(made.state()));
        }
    }
    Form example;
    WeaponsList(example);
    EXPECT_EQ(example.state().rows[0].pointsCaption, "228");
    EXPECT_EQ(example.state().rows[0].silverCaption, "242.4");
    EXPECT_EQ(form::ListAddress(Form().state()), "1~Alchemy~1~1~10~2~~~8858b736");
}

TEST(ListDocument, WhatDoesNotReadWholeIsRefusedAndTheListStays)
{
    Form weapons;
    WeaponsList(weapons);
    const std::string file = form::ListFile(weapons.state());
    const std::string address = form::ListAddress(weapons.state());
    const auto edited = [&](std::string from, const std::string &to) {
        std::string text = file;
        return text.replace(text.find(from), from.size(), to);
    };
    std::string damaged = address;
    damaged[address.find("Bow")] = 'C';
    const struct {
        bool isAddress;
        std::string text;
        std::string reason;
    } cases[] = {
        {true, "", "it is empty"},
        {true, address.substr(0, address.size() / 2), "it is damaged or cut short"},
        {true, damaged, "it is damaged or cut short"},
        {true, "2~anything",
         "it was saved by a newer forgeTally, which writes its lists differently"},
        {true, std::string(form::kMaxListBytes + 1, '1'), "it is far larger than any list"},
        {false, " \n", "it is empty"},
        {false, "%PDF-1.4", "it is not a forgeTally list"},
        {false, "{\"name\": \"Long Sword\"}", "it is not a forgeTally list"},
        {false, file.substr(0, file.size() - 4), "it is damaged or cut short"},
        {false, edited("\"forgeTallyList\": 1", "\"forgeTallyList\": 2"),
         "it was saved by a newer forgeTally, which writes its lists differently"},
        {false, edited("\"days\"", "\"dayz\""), "it is damaged or cut short"},
        {false, edited("\"Bow\"", "\"B\xC3\""), "it is damaged or cut short"},
        {false, edited("\"Bow\"", "\"Bow\", \"item\": \"Bow\""), "it is damaged or cut short"},
        {false, // an eleventh row
         edited("\"rows\": [", "\"rows\": [{\"item\": \"Bow\", \"quantity\": \"1\", "
                               "\"silver\": false, \"shatterResist\": \"0\"},"),
         "it is damaged or cut short"},
        {false, edited("Weapons", "Weapon"), "there is no item type \"Weapon\""},
        {false, edited("\"Bow\"", "\"Long Swrod\""),
         "row 2 names \"Long Swrod\", which is not one of the Weapons items"},
        {false, edited("\"skillLevel\": \"10\"", "\"skillLevel\": \"5\""),
         "row 1 names \"Long Sword\", which skill level \"5\" does not offer while level "
         "restrictions are enforced"},
        {false, edited("\"skillLevel\": \"10\"", "\"skillLevel\": \"0\""),
         "the skill level \"0\" is refused: Skill Level must be a positive number"},
        {false, edited("\"days\": \"3\"", "\"days\": \"\""),
         "the number of days \"\" is refused: Production Days must be a positive number"},
        {false, edited("\"quantity\": \"1\"", "\"quantity\": \"-1\""),
         "row 2's quantity \"-1\" is refused: Quantity must be a non negative number"},
        {false, edited("\"shatterResist\": \"4\"", "\"shatterResist\": \"3\""),
         "row 1's shatter resist \"3\" is refused: Shatter Resist must be a positive even "
         "number (0, 2, 4, etc)"},
        {false, edited("Weapons", "Potions").replace(file.find("Long Sword"), 10, "Bless"),
         "row 1 is made in silver, which only weapons can be"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 300));
        Form f;
        WeaponsList(f);
        Enter(f, Field::txtItemQuantity, 5, "6");
        const std::string before = ShownList(f.state());
        const form::ListOpening result =
            c.isAddress ? form::OpenListAddress(f, c.text) : form::OpenListFile(f, c.text);
        EXPECT_FALSE(result.opened);
        EXPECT_EQ(result.reason, c.reason);
        EXPECT_EQ(result.message, "The list could not be opened: " + c.reason + ".");
        EXPECT_EQ(ShownList(f.state()), before);
    }
}

} // namespace
