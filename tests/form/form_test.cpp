// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's reactions without a window: an action, then the state, the recomputations and
// the messages it leads to.

#include "form/form.h"
#include "rules/texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using form::Counts;
using form::Field;
using form::Form;
using form::Icon;
using form::Message;

const std::string kOverLevelWarning =
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.";
const std::string kDaysHelp =
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.";

int TypeIndex(const Form &f, const std::string &name)
{
    const form::ListEntries &types = f.state().itemTypes;
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i].text == name)
            return int(i);
    ADD_FAILURE() << "no item type " << name;
    return -1;
}

int EntryIndex(const Form &f, int row, const std::string &name)
{
    const form::ListEntries &entries = *f.state().rows[std::size_t(row)].entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].text == name)
            return int(i);
    ADD_FAILURE() << "no entry " << name << " in row " << row;
    return -1;
}

void PickType(Form &f, const std::string &name)
{
    f.cboItemType_Click(TypeIndex(f, name));
}

void PickItem(Form &f, int row, const std::string &name)
{
    f.cboItemName_Click(row, EntryIndex(f, row, name));
}

form::LeaveOutcome Enter(Form &f, Field field, int row, const std::string &text)
{
    f.SetText(field, row, text);
    return f.Leave(field, row);
}

// The messages waiting, each taken and closed as a view would.
std::vector<Message> Answer(Form &f)
{
    std::vector<Message> shown;
    while (std::optional<Message> m = f.NextMessage()) {
        f.BoxOpened();
        shown.push_back(*m);
        f.BoxClosed();
    }
    return shown;
}

// The user's action is over: the messages it raised, the warning last.
std::vector<Message> EndAction(Form &f)
{
    std::vector<Message> shown = Answer(f);
    f.ActionEnded();
    for (const Message &m : Answer(f))
        shown.push_back(m);
    return shown;
}

Counts Since(const Counts &before, const Counts &after)
{
    return {after.listFills - before.listFills, after.rowRecalculations - before.rowRecalculations,
            after.totalsRecalculations - before.totalsRecalculations};
}

TEST(Form, LoadFillsTheRowsTwiceForAlchemyAndShowsNothing)
{
    Form f;
    EXPECT_EQ(f.counts(), (Counts{2, 20, 20}));
    const form::State &s = f.state();
    EXPECT_EQ(s.itemTypes[std::size_t(s.itemTypeIndex)].text, "Alchemy");
    EXPECT_EQ(s.rows[9].Selected()->text, "Alchemical Solvent (Contact)");
    EXPECT_FALSE(s.silverColumnVisible);
    EXPECT_FALSE(s.shatterResistColumnVisible);
    EXPECT_EQ(s.totalPointsCaption, "0 / 160");
    EXPECT_EQ(s.totalLevelCaption, "0 / 0 per day");
    EXPECT_TRUE(EndAction(f).empty());
}

// Each action runs its reaction, and the reactions the program's own changes raise, as often as
// the window always ran them.
TEST(Form, EachActionRecomputesWhatItAffects)
{
    const struct {
        const char *name;
        std::function<void(Form &)> before;
        std::function<void(Form &)> action;
        Counts runs; // list fills, row recomputations, totals recomputations
    } cases[] = {
        {"pick a type", {}, [](Form &f) { PickType(f, "Weapons"); }, {1, 10, 10}},
        {"pick the type already chosen", {}, [](Form &f) { PickType(f, "Alchemy"); }, {0, 0, 0}},
        {"pick a type while two silver boxes are checked",
         [](Form &f) {
             PickType(f, "Weapons");
             f.chkSilver_Click(2, true);
             f.chkSilver_Click(7, true);
         },
         [](Form &f) { PickType(f, "Potions"); },
         {1, 12, 12}},
        {"pick an item", {}, [](Form &f) { PickItem(f, 3, "Death (Elixir)"); }, {0, 1, 1}},
        {"click a silver box",
         [](Form &f) { PickType(f, "Weapons"); },
         [](Form &f) { f.chkSilver_Click(4, true); },
         {0, 1, 1}},
        {"click Use a Workshop", {}, [](Form &f) { f.chkUseWorkshop_Click(false); }, {0, 10, 11}},
        {"click Enforce level restrictions",
         {},
         [](Form &f) { f.chkEnforceSkillLevel_Click(false); },
         {1, 10, 10}},
        {"leave a quantity",
         {},
         [](Form &f) { Enter(f, Field::txtItemQuantity, 5, "2"); },
         {0, 1, 1}},
        {"leave a refused quantity",
         {},
         [](Form &f) { Enter(f, Field::txtItemQuantity, 5, "-2"); },
         {0, 0, 0}},
        {"leave a shatter resist",
         [](Form &f) { PickType(f, "Armour"); },
         [](Form &f) { Enter(f, Field::txtShatterResist, 0, "2"); },
         {0, 1, 1}},
        {"leave the days",
         {},
         [](Form &f) { Enter(f, Field::txtEventLength, -1, "3"); },
         {0, 0, 1}},
        {"pass through the skill level",
         {},
         [](Form &f) { Enter(f, Field::txtSkillLevel, -1, "10"); },
         {0, 0, 1}},
        {"leave a skill level that rounds to the same level",
         {},
         [](Form &f) { Enter(f, Field::txtSkillLevel, -1, "10.4"); },
         {0, 0, 1}},
        {"leave a new skill level",
         {},
         [](Form &f) { Enter(f, Field::txtSkillLevel, -1, "9"); },
         {1, 10, 10}},
        {"leave a new skill level while the filter is off",
         [](Form &f) { f.chkEnforceSkillLevel_Click(false); },
         [](Form &f) { Enter(f, Field::txtSkillLevel, -1, "9"); },
         {0, 0, 1}},
        {"leave a name", {}, [](Form &f) { Enter(f, Field::txtPlayerName, -1, "Ann"); }, {0, 0, 0}},
        {"press ?", {}, [](Form &f) { f.cmdHelpEventLength_Click(); }, {0, 0, 0}},
        {"reset Alchemy with the defaults", {}, [](Form &f) { f.cmdReset_Click(); }, {2, 30, 32}},
        {"reset Armour with both options off",
         [](Form &f) {
             PickType(f, "Armour");
             f.chkUseWorkshop_Click(false);
             f.chkEnforceSkillLevel_Click(false);
         },
         [](Form &f) { f.cmdReset_Click(); },
         {2, 40, 43}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        if (c.before)
            c.before(f);
        const Counts before = f.counts();
        c.action(f);
        EXPECT_EQ(Since(before, f.counts()), c.runs);
    }
}

TEST(Form, LeavingAFieldRunsItsCheckAndOnlyAnAcceptedTextReacts)
{
    const auto exclamation = Icon::Exclamation;
    const struct {
        Field field;
        int row;
        const char *text;
        bool accepted;
        std::string message;
        Icon icon;
    } cases[] = {
        {Field::txtEventLength, -1, "0", false, std::string(rules::texts::kDaysRefused),
         exclamation},
        {Field::txtSkillLevel, -1, "", false, std::string(rules::texts::kSkillLevelRefused),
         exclamation},
        {Field::txtItemQuantity, 4, "00", false, std::string(rules::texts::kQuantityRefused),
         exclamation},
        {Field::txtItemQuantity, 4, "3 swords", true, "", Icon::None},
        {Field::txtShatterResist, 4, "3", false, std::string(rules::texts::kShatterResistRefused),
         Icon::None},
        {Field::txtCharacterName, -1, "0", true, "", Icon::None},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        Form f;
        PickType(f, "Weapons");
        Enter(f, Field::txtItemQuantity, 4, "2");
        const form::State before = f.state();
        const form::LeaveOutcome outcome = Enter(f, c.field, c.row, c.text);
        EXPECT_EQ(outcome, (form::LeaveOutcome{c.accepted, {c.icon, c.message}}));
        // A refused text stays as typed and nothing is recomputed from it.
        const form::State &after = f.state();
        if (!c.accepted) {
            EXPECT_EQ(after.rows[4].pointsCaption, before.rows[4].pointsCaption);
        }
        EXPECT_TRUE(Answer(f).empty()); // the refusal is the view's to show
    }
}

TEST(Form, OverLevelWarningIsConsideredOncePerActionAfterItsBoxes)
{
    Form f;
    Enter(f, Field::txtItemQuantity, 0, "100"); // 800 points against 160
    EXPECT_EQ(EndAction(f), (std::vector<Message>{{Icon::Exclamation, kOverLevelWarning}}));
    // Eleven recomputations of the totals, all over the level, make one action: the warning
    // alternates once, so this one shows nothing.
    const int totals = f.counts().totalsRecalculations;
    f.chkUseWorkshop_Click(false);
    EXPECT_EQ(f.counts().totalsRecalculations - totals, 11);
    EXPECT_TRUE(EndAction(f).empty());
    EXPECT_FALSE(f.state().levelWarningShown);
    // The next over-level action warns, after the box it opened, never while a box is open.
    f.chkUseWorkshop_Click(true);
    f.cmdHelpEventLength_Click();
    f.ActionEnded();
    std::optional<Message> help = f.NextMessage();
    ASSERT_TRUE(help);
    EXPECT_EQ(*help, (Message{Icon::Question, kDaysHelp}));
    f.BoxOpened();
    f.ActionEnded();
    EXPECT_FALSE(f.NextMessage());
    f.BoxClosed();
    f.ActionEnded();
    EXPECT_EQ(f.NextMessage(), (Message{Icon::Exclamation, kOverLevelWarning}));
    f.ActionEnded();
    EXPECT_FALSE(f.NextMessage());
}

TEST(Form, InvalidItemTypeIsReportedAndChangesNothing)
{
    Form f;
    Enter(f, Field::txtItemQuantity, 0, "2");
    for (int code : {0, 7}) {
        f.FillItemLists(code);
        EXPECT_EQ(Answer(f),
                  (std::vector<Message>{
                      {Icon::Stop, "Error: invalid item type. Please contact the author."}}));
    }
    EXPECT_EQ(f.state().rows[0].quantityText, "2");
    EXPECT_EQ(f.state().rows[0].entries->size(), 47u);
}

TEST(Form, SilverForAWeaponWithoutASilverCostIsReported)
{
    Form f;
    PickType(f, "Weapons");
    f.chkSilver_Click(0, true);
    f.AddCatalogueItem(0, {"Unknown Blade", 10});
    PickItem(f, 0, "Unknown Blade");
    EXPECT_EQ(Answer(f),
              (std::vector<Message>{{Icon::Stop, "Unknown Weapon Type, silver cost not added."}}));
    // The other rows keep the catalogue's list.
    EXPECT_EQ(f.state().rows[1].entries->size(), 24u);
}

} // namespace
