// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator's reactions without a window: the steps before, an action, then the values, the
// recomputations and the messages it leads to.

#include "form/form.h"
#include "formscript.h"
#include "rules/texts.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using form::Counts;
using form::Field;
using form::Form;
using form::Icon;
using form::Message;
using formtest::Act;
using formtest::Differences;
using formtest::kDaysHelp;
using formtest::kOverLevelWarning;
using formtest::Perform;
using formtest::Read;
using formtest::Values;
using formtest::With;

// Only the values that `expected` names are compared.
std::string Mismatches(const form::State &state, std::string_view expected)
{
    const Values actual = Read(state);
    return Differences(With(actual, expected), actual);
}

// What the action changed beyond `changes` ("shown" being the boxes it raised), or did not change
// to the values `changes` names; empty when it changed exactly those.
std::string Unexpected(Form &f, std::string_view before, std::string_view action,
                       const std::string &changes)
{
    Perform(f, before);
    Values expected = With(Read(f.state()), "shown=; " + changes);
    const std::string shown = Act(f, action);
    Values actual = Read(f.state());
    actual["shown"] = shown;
    return Differences(expected, actual);
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

TEST(Form, LoadShowsTheAlchemyListWithTheDefaultsAndNoMessage)
{
    Form f;
    EXPECT_EQ(f.counts(), (Counts{2, 20, 20})); // the rows filled twice for Alchemy
    EXPECT_EQ(Mismatches(f.state(),
                         "types=Alchemy 1, Armour 2, Crystals 6, Potions 3, Scrolls 4, Weapons 5; "
                         "type=Alchemy; workshop=1; enforce=1; skillOn=1; skill=10; days=2; "
                         "silverCol=0; srCol=0; player=; char=; n*=47; "
                         "item*=Alchemical Solvent (Contact); qty*=0; silver*=0; sr*=0; pts*=0; "
                         "slv*=0; Tsilver=0; Tpoints=0 / 160; Tlevel=0 / 0 per day; "
                         "Tworkshops=0; warned=0"),
              "");
    EXPECT_TRUE(EndAction(f).empty());
}

// Each action changes exactly the values it names, "shown" being the boxes it raised: every other
// value, every other row included, stays as it was.
TEST(Form, EachActionChangesWhatItAffectsAndNothingElse)
{
    const char *const rebuilt = "pts*=0; slv*=0; Tpoints=0 / 160; Tsilver=0; "
                                "Tlevel=0 / 0 per day; Tworkshops=0";
    const struct {
        const char *before;
        const char *action;
        std::string changes;
    } cases[] = {
        {"type Weapons; qty 2 5; sr 2 4; silver 2 on", "type Armour",
         "type=Armour; silverCol=0; n*=16; item*=Suit: 01 point; qty2=0; sr2=0; silver2=0; " +
             std::string(rebuilt)},
        {"qty 0 2", "type Alchemy", ""},
        {"qty 2 3; qty 3 4; qty 4 5", "item 3 Death (Elixir)",
         "item3=Death (Elixir); pts3=144; slv3=14.4; Tpoints=208 / 160; Tsilver=20.8; "
         "Tlevel=26 / 13 per day; shown=warning; warned=1"},
        {"type Weapons; item 3 Long Sword; qty 3 2", "silver 3 on",
         "silver3=1; pts3=68; slv3=80.8; Tpoints=68 / 160; Tsilver=80.8; Tlevel=9 / 5 per day"},
        {"qty 0 10", "workshop off",
         "workshop=0; Tpoints=80 / 80; Tlevel=20 / 10 per day; Tworkshops=0"},
        {"workshop off; qty 0 10", "workshop on",
         "workshop=1; Tpoints=80 / 160; Tlevel=10 / 5 per day; Tworkshops=1"},
        {"type Armour; qty 0 2; sr 0 2", "enforce off",
         "enforce=0; skillOn=0; n*=22; qty0=0; sr0=0; " + std::string(rebuilt)},
        {"type Armour; enforce off; qty 0 2", "enforce on",
         "enforce=1; skillOn=1; n*=16; qty0=0; " + std::string(rebuilt)},
        {"type Weapons; item 3 Long Sword", "qty 3 2",
         "qty3=2; pts3=48; slv3=4.8; Tpoints=48 / 160; Tsilver=4.8; Tlevel=6 / 3 per day; "
         "Tworkshops=1"},
        {"qty 0 2", "qty 0 -2", "qty0=-2; shown=refused: Quantity must be a non negative number."},
        {"type Weapons; item 3 Long Sword; qty 3 2; silver 3 on", "sr 3 4",
         "sr3=4; pts3=228; slv3=242.4; Tpoints=228 / 160; Tsilver=242.4; "
         "Tlevel=29 / 15 per day; shown=warning; warned=1"},
        {"qty 0 10", "days 3", "days=3; Tpoints=80 / 240; Tlevel=10 / 4 per day"},
        {"qty 0 10", "days 0", "days=0; shown=refused: Production Days must be a positive number."},
        // Passing through the skill level keeps the list; only a new whole level rebuilds it.
        {"qty 0 2", "skill 10", ""},
        {"qty 0 2", "skill 10.4", "skill=10.4; Tpoints=16 / 166"},
        {"qty 0 2", "skill 9",
         "skill=9; n*=41; qty0=0; " + std::string(rebuilt) + "; Tpoints=0 / 144"},
        {"enforce off; qty 0 2", "skill 9", "skill=9; Tpoints=16 / 144"},
        {"qty 0 2", "player Ann", "player=Ann"},
        {"qty 0 2", "char Bor", "char=Bor"},
        {"qty 0 2", "help", "shown=help"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.before) + " -> " + c.action);
        Form f;
        EXPECT_EQ(Unexpected(f, c.before, c.action, c.changes), "");
    }
}

// How often each action runs the rules, the reactions that the program's own changes raise
// included.
TEST(Form, EachActionRecomputesWhatItAffects)
{
    const struct {
        const char *before;
        const char *action;
        Counts runs; // list fills, row recomputations, totals recomputations
    } cases[] = {
        {"", "type Weapons", {1, 10, 10}},
        {"", "type Alchemy", {0, 0, 0}},
        // Unchecking a checked silver box recomputes its row before the rebuild does.
        {"type Weapons; silver 2 on; silver 7 on", "type Potions", {1, 12, 12}},
        {"", "item 3 Death (Elixir)", {0, 1, 1}},
        {"type Weapons", "silver 4 on", {0, 1, 1}},
        {"", "workshop off", {0, 10, 11}},
        {"", "enforce off", {1, 10, 10}},
        {"", "qty 5 2", {0, 1, 1}},
        {"", "qty 5 -2", {0, 0, 0}},
        {"type Armour", "sr 0 2", {0, 1, 1}},
        {"", "days 3", {0, 0, 1}},
        {"", "skill 10", {0, 0, 1}},
        {"", "skill 10.4", {0, 0, 1}},
        {"", "skill 9", {1, 10, 10}},
        {"enforce off", "skill 9", {0, 0, 1}},
        {"", "player Ann", {0, 0, 0}},
        {"", "help", {0, 0, 0}},
        {"", "reset", {2, 30, 32}},
        {"type Armour; workshop off; enforce off", "reset", {2, 40, 43}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.before) + " -> " + c.action);
        Form f;
        Perform(f, c.before);
        const Counts before = f.counts();
        Act(f, c.action);
        EXPECT_EQ(Since(before, f.counts()), c.runs);
    }
}

// Reset ends in one state from anywhere, but for the days, which it keeps, and the warning's flag.
TEST(Form, ResetRestoresTheDefaultsForArmourButKeepsTheDays)
{
    const std::string end = "type=Armour; workshop=1; enforce=1; skillOn=1; skill=10; player=; "
                            "char=; silverCol=0; srCol=1; n*=16; item*=Suit: 01 point; qty*=0; "
                            "silver*=0; sr*=0; pts*=0; slv*=0; Tsilver=0; Tlevel=0 / 0 per day; "
                            "Tworkshops=0; ";
    const struct {
        const char *before;
        const char *capacity;
    } cases[] = {
        {"", "Tpoints=0 / 160"},
        {"days 3; type Weapons; qty 1 4; silver 1 on; sr 1 2; player Ann; char Brom",
         "Tpoints=0 / 240"},
        {"days 3; skill 25; enforce off; workshop off", "Tpoints=0 / 240"},
        {"days 3; type Armour; qty 0 3; sr 0 2", "Tpoints=0 / 240"},
        {"skill 25; type Armour; qty 0 3", "Tpoints=0 / 160"}, // filtered at 10, not 25
        {"qty 0 100", "Tpoints=0 / 160"},                      // warned: the flag stays
        {"days 0.5; type Crystals; player Ann", "Tpoints=0 / 40"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.before);
        Form f;
        EXPECT_EQ(Unexpected(f, c.before, "reset", end + c.capacity), "");
        for (const form::Row &row : f.state().rows)
            EXPECT_EQ(row.entries->back().text, "Suit: 16 points");
    }
}

TEST(Form, PickingATypeRebuildsEveryRow)
{
    const struct {
        const char *type;
        const char *rows; // entries, first entry, columns
    } cases[] = {
        {"Crystals", "n*=39; item*=Awaken; silverCol=0; srCol=0"}, // code 6, added last
        {"Armour", "n*=16; item*=Suit: 01 point; silverCol=0; srCol=1"},
        {"Weapons", "n*=24; item*=Arrows - Quality (1); silverCol=1; srCol=1"},
        {"Potions", "n*=33; item*=Awaken; silverCol=0; srCol=0"},
        {"Scrolls", "n*=35; item*=Awaken; silverCol=0; srCol=0"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.type);
        Form f;
        Perform(f, "type Weapons; qty 2 5; sr 2 4; silver 2 on");
        if (c.type == std::string_view("Weapons"))
            Act(f, "type Potions");
        Act(f, std::string("type ") + c.type);
        EXPECT_EQ(Mismatches(f.state(), std::string("type=") + c.type + "; " + c.rows +
                                            "; qty*=0; sr*=0; silver*=0; pts*=0; slv*=0; "
                                            "Tpoints=0 / 160; Tsilver=0"),
                  "");
    }
}

TEST(Form, LevelFilterFollowsTheSkillLevelAndTheEnforceBox)
{
    Form f;
    const struct {
        const char *actions;
        const char *expected;
    } steps[] = {
        {"qty 0 2; skill 9", "n*=41; qty*=0"},
        {"skill 1", "n0=5; item0=Cause Light Damage (Elixir)"},
        {"type Armour", "n9=4"},
        {"enforce off", "n9=22; skillOn=0"},
        {"enforce on", "n9=4; skillOn=1"},
    };
    for (const auto &step : steps) {
        SCOPED_TRACE(step.actions);
        Perform(f, step.actions);
        EXPECT_EQ(Mismatches(f.state(), step.expected), "");
        if (!f.state().enforceSkillLevel) {
            EXPECT_EQ(f.state().rows[9].entries->back().text, "Suit: 22 points");
        }
    }
}

// The result texts use the user's decimal separator and the totals read them back in it; the
// fields always read ".".
TEST(Form, DecimalCommaInRowsTotalsAndReadBack)
{
    const char *const bows = "type Weapons; item 0 Long Sword; qty 0 1; item 1 Bow";
    const char *const bows15 = "type Weapons; item 0 Long Sword; qty 0 1; item 1 Bow; qty 1 1.5";
    const struct {
        const char *before;
        const char *action;
        std::string changes;
    } cases[] = {
        {bows, "qty 1 1.5",
         "qty1=1.5; pts1=18; slv0=2,4; slv1=1,8; Tpoints=42 / 160; Tsilver=4,2; "
         "Tlevel=6 / 3 per day"},
        {bows15, "sr 0 2",
         "sr0=2; pts0=104; slv0=7,2; Tsilver=9; Tpoints=122 / 160; Tlevel=16 / 8 per day"},
        {bows15, "workshop off",
         "workshop=0; Tpoints=42 / 80; Tlevel=11 / 6 per day; Tworkshops=0"},
        {bows, "qty 1 1,5", "qty1=1,5; shown=refused: " + rules::texts::kQuantityComma},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.action);
        Form f(',');
        EXPECT_EQ(Unexpected(f, c.before, c.action, c.changes), "");
    }
}

// Leaving a number field runs its check: an accepted text runs the field's reaction, a refused one
// comes back with its message and icon (none for shatter resist), is kept as typed, and nothing is
// recomputed from it.
TEST(Form, LeavingAFieldRunsItsCheckAndOnlyAnAcceptedTextReacts)
{
    namespace t = rules::texts;
    const Field days = Field::txtEventLength, skill = Field::txtSkillLevel;
    const Field qty = Field::txtItemQuantity, sr = Field::txtShatterResist;
    const struct {
        Field field;
        std::vector<const char *> texts;
        std::string_view refusal; // empty: accepted
    } groups[] = {
        {days, {"0", "-1", "", "abc", "0.0"}, t::kDaysRefused},
        {days, {"0.001", "10001"}, t::kDaysOutOfRange},
        {days, {"2,5"}, t::kDaysComma},
        {days, {"3", "0.5", "2 days"}, ""},
        {skill, {"0", ""}, t::kSkillLevelRefused},
        {skill, {"0.4"}, t::kSkillLevelTooLow},
        {skill, {"1e9"}, t::kSkillLevelTooHigh},
        {skill, {"12", "2.5"}, ""},
        {qty, {"", "abc", "00", "0.0", "-0", " 0", "-3"}, t::kQuantityRefused},
        {qty, {"1000001"}, t::kQuantityTooLarge},
        {qty, {"1,5"}, t::kQuantityComma},
        {qty, {"0", "5", "1.5", "3 swords"}, ""},
        {sr, {"1", "3", "-2", "2.6", "", "00", "abc", "0.0"}, t::kShatterResistRefused},
        {sr, {"1e10"}, t::kShatterResistTooLarge},
        {sr, {"0", "2", "10", "2.4", "2.5", "0.5"}, ""},
    };
    for (const auto &g : groups)
        for (const char *text : g.texts) {
            SCOPED_TRACE(std::string("\"") + text + "\" in field " + std::to_string(int(g.field)));
            Form f;
            Perform(f, "type Weapons; qty 4 2; sr 4 2");
            Values before = Read(f.state());
            const Counts counts = f.counts();
            const form::LeaveOutcome outcome = Enter(f, g.field, 4, text);
            const bool accepted = g.refusal.empty();
            const Icon icon = g.field == sr ? Icon::None : Icon::Exclamation;
            EXPECT_EQ(outcome,
                      (form::LeaveOutcome{accepted,
                                          {accepted ? Icon::None : icon, std::string(g.refusal)}}));
            EXPECT_TRUE(Answer(f).empty()); // the refusal is the view's to show
            const std::string key = g.field == days    ? "days"
                                    : g.field == skill ? "skill"
                                    : g.field == qty   ? "qty4"
                                                       : "sr4";
            if (!accepted) {
                Values kept = before;
                kept[key] = text;
                EXPECT_EQ(Differences(kept, Read(f.state())), "");
            } else if (g.field == days || g.field == skill) {
                EXPECT_GT(f.counts().totalsRecalculations, counts.totalsRecalculations);
            } else {
                EXPECT_EQ(Since(counts, f.counts()), (Counts{0, 1, 1}));
            }
        }
    Form f;
    EXPECT_EQ(Enter(f, Field::txtCharacterName, -1, "0"), form::LeaveOutcome{});
}

// One warning per action: an action that ends over the level is considered once, on the totals it
// ends with, and the warning comes on every second such action. An action not over the level, or
// one that recomputes nothing, leaves the flag as it was; with the enforce box off nothing warns.
TEST(Form, OverLevelWarningComesOncePerActionOnEverySecondOverLevelAction)
{
    const struct {
        const char *actions;
        const char *shown; // per action
        bool warned;       // LevelWarningShown afterwards
    } cases[] = {
        {"qty 0 100; workshop off; workshop on", "warning | - | warning", true},
        {"qty 0 100; qty 0 20; qty 0 100", "warning | - | -", false}, // 160 / 160 is not over
        {"qty 0 20; qty 1 1", "- | warning", true},
        {"enforce off; qty 0 100; qty 1 100", "- | - | -", false},
        {"type Armour; qty 0 200; type Weapons; type Potions", "- | warning | - | -", true},
        {"qty 0 100; reset", "warning | -", true},
        {"enforce off; qty 0 100; enforce on", "- | - | -", false},
        {"qty 0 15; days 1", "- | warning", true},
        {"qty 0 20; skill 9.6", "- | warning", true}, // the same level, a lower capacity
        {"qty 0 15; workshop off", "- | warning", true},
        {"qty 0 10; item 0 Death (Elixir)", "- | warning", true},
        {"type Weapons; item 0 Long Sword; qty 0 5; silver 0 on", "- | - | - | warning", true},
        {"type Armour; qty 0 2; sr 0 2", "- | - | warning", true},
        {"qty 0 100; player Ann; help; qty 0 101", "warning | - | help | -", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.actions);
        Form f;
        EXPECT_EQ(Perform(f, c.actions), c.shown);
        EXPECT_EQ(f.state().levelWarningShown, c.warned);
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

// An item added to one row takes its sorted place there, unless the level filter withholds it; the
// row keeps its selected entry and nothing is recomputed.
TEST(Form, AddedItemTakesItsSortedPlaceInItsRowAlone)
{
    Form f;
    Perform(f, "type Weapons; qty 0 1");
    const Values before = Read(f.state());
    f.AddCatalogueItem(0, {"Aaa Blade", 10});   // sorts before the selected first entry
    f.AddCatalogueItem(0, {"Heavy Blade", 41}); // above what level 10 allows
    f.AddCatalogueItem(3, {"Zz Blade", 40});
    EXPECT_EQ(Differences(With(before, "n0=25; n3=25"), Read(f.state())), "");
    EXPECT_EQ(f.state().rows[0].entries->front().text, "Aaa Blade");
}

TEST(Form, SilverForAWeaponWithoutASilverCostIsReported)
{
    Form f;
    Perform(f, "type Weapons; silver 0 on");
    f.AddCatalogueItem(0, {"Unknown Blade", 10});
    PickItem(f, 0, "Unknown Blade");
    EXPECT_EQ(Answer(f),
              (std::vector<Message>{{Icon::Stop, "Unknown Weapon Type, silver cost not added."}}));
    // The other rows keep the catalogue's list.
    EXPECT_EQ(f.state().rows[1].entries->size(), 24u);
}

} // namespace
