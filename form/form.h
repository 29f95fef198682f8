// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator without a window: its whole state and its reactions to every user action, in
// plain C++, for the desktop window and the web page to show.
//
// The flow of an action: a view forwards what the user did, one call each (a pick, a click, a
// field left, a button pressed). The call runs the reaction and every reaction that the program's
// own changes raise on the way (selecting a rebuilt row's first entry recomputes that row;
// unchecking a checked silver box recomputes its row), as a toolkit raises them.
// Reactions recompute one row (RecalculateRow), all rows (RecalculateAllRows) or the totals
// (RecalculateTotals), or rebuild every row for the item type (FillItemLists). A row's
// recomputation writes its two cost texts and recomputes the totals, which read the ten cost texts
// back. The view then shows state() and the messages the action queued (NextMessage), and says
// when each box it shows opens and closes. When the user's action is over, the view calls
// ActionEnded: the over-level warning is considered once, on the totals the action ended with.
//
// Typing runs nothing (SetText): a number field is checked when it is left (Leave), and only an
// accepted text runs the field's leave reaction. What the focus does after a refusal is the view's.

#include "form/reportdocument.h"
#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/fields.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace form {

inline constexpr int kRowCount = rules::kRowCount;

enum class Icon { None, Stop, Question, Exclamation };

// A message box: its text and icon, titled with the application title, with one OK button.
struct Message {
    Icon icon = Icon::None;
    std::string text;
    bool operator==(const Message &) const = default;
};

// An entry of a drop-down list: its text and its data value (ItemData).
struct ListEntry {
    std::string text;
    std::int32_t data = 0;
    bool operator==(const ListEntry &) const = default;
};
using ListEntries = std::vector<ListEntry>;

struct Row {
    // The offered entries in list order; rows filled by one rebuild share one list.
    std::shared_ptr<const ListEntries> entries = std::make_shared<const ListEntries>();
    int listIndex = -1; // -1: none selected
    std::string quantityText = "0";
    bool silver = false;
    std::string shatterResistText = "0";
    std::string pointsCaption = "0"; // lblItemProdCost
    std::string silverCaption = "0"; // lblItemSilverCost

    // The selected entry, or null.
    const ListEntry *Selected() const;
};

// Everything the calculator window shows, as values. The defaults are the window's contents when
// it is created, before its load step.
struct State {
    ListEntries itemTypes; // cboItemType: the type names, each with its code
    int itemTypeIndex = -1;
    bool useWorkshop = true;       // chkUseWorkshop
    bool enforceSkillLevel = true; // chkEnforceSkillLevel
    bool skillLevelEnabled = true; // txtSkillLevel and lblSkillLevel
    std::string skillLevelText = "10";
    std::string eventLengthText = "2";      // the production days
    bool silverColumnVisible = true;        // lblSilver and every chkSilver
    bool shatterResistColumnVisible = true; // lblShatterResist and every txtShatterResist
    std::array<Row, kRowCount> rows;
    std::string totalSilverCaption = "0";
    std::string totalLevelCaption = "0";
    std::string totalPointsCaption = "0";
    std::string totalWorkshopsCaption = "0";
    std::string playerName;
    std::string characterName;
    bool levelWarningShown = false; // LevelWarningShown
};

// The fields a user types into. A row's fields take the row index with them.
enum class Field {
    txtSkillLevel,
    txtEventLength,
    txtItemQuantity,
    txtShatterResist,
    txtPlayerName,
    txtCharacterName,
};

// The outcome of leaving a field: accepted, or refused with the message to show (its icon is the
// field's own: none for shatter resist).
struct LeaveOutcome {
    bool accepted = true;
    Message refusal;
    bool operator==(const LeaveOutcome &) const = default;
};

// How often the rules ran since the form was made: what a test of the reactions counts.
struct Counts {
    int listFills = 0; // FillItemLists for a valid type
    int rowRecalculations = 0;
    int totalsRecalculations = 0;
    bool operator==(const Counts &) const = default;
};

class Form {
public:
    // Creates the calculator and runs its load step. The result texts are written with the user's
    // decimal separator.
    explicit Form(char decimalSeparator = '.');

    const State &state() const { return m_state; }
    const Counts &counts() const { return m_counts; }
    char DecimalSeparator() const { return m_decimalSeparator; }

    // The user's actions, one call each. A pick or a click that does not change the list's
    // selection or the box's state runs nothing, as the control raises nothing then.
    void cboItemType_Click(int listIndex);
    void cboItemName_Click(int Index, int listIndex);
    void chkSilver_Click(int Index, bool checked);
    void chkUseWorkshop_Click(bool checked);
    void chkEnforceSkillLevel_Click(bool checked);
    // The field's text as the user typed it; runs nothing. Index is the row for row fields.
    void SetText(Field field, int Index, std::string_view text);
    // The focus is about to leave the field: its check, then its leave reaction when accepted.
    // Fields without a check (the names) are always accepted and react to nothing.
    LeaveOutcome Leave(Field field, int Index = -1);
    void cmdHelpEventLength_Click();
    void cmdReset_Click();
    // Makes the list of another form this form's own (a list opened from a document, replayed in
    // a form of its own): its state and its totals, which the over-level warning then considers as
    // after any action. Whether the warning was shown last, the waiting messages and the open
    // boxes stay this form's.
    void TakeList(Form &&from);
    // The report that Print sends to the printer: the texts as they stand now.
    ReportDocument Report(const ReportHeading &heading) const;

    // The messages the actions raised, oldest first: each call takes one (none when none wait).
    std::optional<Message> NextMessage();
    // Every box a view shows (a message taken here, a refusal, a box of its own such as a print
    // failure) is open from BoxOpened to BoxClosed. The over-level warning waits for them all.
    void BoxOpened();
    void BoxClosed();
    // The user's action is over (on a desktop, once no mouse button is held): if it recomputed the
    // totals and no box is open or waiting, the over-level warning is considered on the totals it
    // ended with, and queued when the rule says so (every second time while over the level).
    // Until then the consideration waits; calling it again is harmless.
    void ActionEnded();

    // The routines the reactions are made of.
    // Rebuilds all ten rows for an item type (1 to 6): columns shown or hidden, every row's list
    // refilled through the level filter with its first entry selected, quantities "0". Another
    // code queues the stop message and changes nothing.
    void FillItemLists(std::int32_t itemType);
    // Adds one item to one row's list at its sorted place, unless the level filter withholds it.
    void AddCatalogueItem(int Index, const rules::CatalogueItem &item);
    void RecalculateRow(int row);
    void RecalculateAllRows();
    void RecalculateTotals();

private:
    void Form_Load();
    void ShowSilverColumn(bool visible);
    void ShowShatterResistColumn(bool visible);
    std::int32_t SelectedItemType() const;
    // The program's own changes, which raise the same reactions as the user's.
    void SelectItemType(int listIndex);
    void SelectEntry(int Index, int listIndex);
    void SetSilver(int Index, bool checked);
    void SetWorkshop(bool checked);
    void SetEnforceSkillLevel(bool checked);
    std::string &TextOf(Field field, int Index);

    rules::FieldCheck txtItemQuantity_Validate(int Index) const;
    void txtItemQuantity_LostFocus(int Index);
    rules::FieldCheck txtShatterResist_Validate(int Index) const;
    void txtShatterResist_LostFocus(int Index);
    rules::FieldCheck txtEventLength_Validate() const;
    void txtEventLength_LostFocus();
    rules::FieldCheck txtSkillLevel_Validate() const;
    void txtSkillLevel_LostFocus();
    void cboItemType_Click();
    void cboItemName_Click(int Index);
    void chkSilver_Click(int Index);
    void chkUseWorkshop_Click();
    void chkEnforceSkillLevel_Click();

    void Queue(Icon icon, std::string text);

    State m_state;
    Counts m_counts;
    char m_decimalSeparator;
    // The level the rows' lists were last filtered with (none while the filter is off).
    std::optional<std::int32_t> m_builtLevel;
    rules::LevelWarning m_levelWarning; // LevelWarningShown
    // The over-level warning: whether an action's totals await it, and what they were.
    bool m_warningPending = false;
    bool m_lastOverLevel = false;
    std::deque<Message> m_messages;
    int m_openBoxes = 0;
};

} // namespace form
