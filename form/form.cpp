// SPDX-License-Identifier: GPL-3.0-or-later
#include "form/form.h"

#include "rules/catalogue.h"
#include "rules/numbers.h"

#include <algorithm>
#include <utility>

namespace form {

namespace {

constexpr std::string_view kInvalidItemType =
    "Error: invalid item type. Please contact the author.";
constexpr std::string_view kUnknownWeapon = "Unknown Weapon Type, silver cost not added.";
// The field's check takes 0.01 to 10,000 days; the text is the rulebook's own.
constexpr std::string_view kDaysHelp =
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.";
constexpr std::string_view kOverLevelWarning =
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.";

// The calculator's contents when it is created: what Reset and a rebuild of the rows restore.
const State &Defaults()
{
    static const State defaults;
    return defaults;
}

bool IsRow(int Index)
{
    return Index >= 0 && Index < kRowCount;
}

bool IsIndexOf(const ListEntries &entries, int listIndex)
{
    return listIndex >= 0 && std::size_t(listIndex) < entries.size();
}

// Where a list that sorts itself puts a new entry: after the entries that do not sort after it.
ListEntries::iterator SortedPlace(ListEntries &entries, std::string_view text)
{
    return std::upper_bound(
        entries.begin(), entries.end(), text,
        [](std::string_view a, const ListEntry &b) { return rules::ListOrderLess(a, b.text); });
}

LeaveOutcome Outcome(const rules::FieldCheck &check, Icon icon)
{
    if (check.accepted)
        return {};
    return {false, {icon, check.message}};
}

} // namespace

const ListEntry *Row::Selected() const
{
    return IsIndexOf(*entries, listIndex) ? &(*entries)[std::size_t(listIndex)] : nullptr;
}

Form::Form(char decimalSeparator) : m_decimalSeparator(decimalSeparator)
{
    Form_Load();
}

void Form::Form_Load()
{
    m_levelWarning.Clear();
    m_state.levelWarningShown = false;
    // Added in code order; the list keeps them sorted by name, each with its code.
    for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
        const std::string_view name = rules::ItemTypeName(code);
        m_state.itemTypes.insert(SortedPlace(m_state.itemTypes, name), {std::string(name), code});
    }
    SelectItemType(0);
    FillItemLists(SelectedItemType());
}

// --- The user's actions ---------------------------------------------------------------------

void Form::cboItemType_Click(int listIndex)
{
    if (IsIndexOf(m_state.itemTypes, listIndex))
        SelectItemType(listIndex);
}

void Form::cboItemName_Click(int Index, int listIndex)
{
    if (IsRow(Index) && IsIndexOf(*m_state.rows[std::size_t(Index)].entries, listIndex))
        SelectEntry(Index, listIndex);
}

void Form::chkSilver_Click(int Index, bool checked)
{
    if (IsRow(Index))
        SetSilver(Index, checked);
}

void Form::chkUseWorkshop_Click(bool checked)
{
    SetWorkshop(checked);
}

void Form::chkEnforceSkillLevel_Click(bool checked)
{
    SetEnforceSkillLevel(checked);
}

void Form::SetText(Field field, int Index, std::string_view text)
{
    const bool rowField = field == Field::txtItemQuantity || field == Field::txtShatterResist;
    if (rowField && !IsRow(Index))
        return;
    TextOf(field, Index) = text;
}

LeaveOutcome Form::Leave(Field field, int Index)
{
    switch (field) {
    case Field::txtItemQuantity:
    case Field::txtShatterResist: {
        if (!IsRow(Index))
            return {};
        const bool quantity = field == Field::txtItemQuantity;
        const LeaveOutcome outcome =
            quantity ? Outcome(txtItemQuantity_Validate(Index), Icon::Exclamation)
                     : Outcome(txtShatterResist_Validate(Index), Icon::None);
        if (outcome.accepted) {
            if (quantity)
                txtItemQuantity_LostFocus(Index);
            else
                txtShatterResist_LostFocus(Index);
        }
        return outcome;
    }
    case Field::txtEventLength: {
        const LeaveOutcome outcome = Outcome(txtEventLength_Validate(), Icon::Exclamation);
        if (outcome.accepted)
            txtEventLength_LostFocus();
        return outcome;
    }
    case Field::txtSkillLevel: {
        const LeaveOutcome outcome = Outcome(txtSkillLevel_Validate(), Icon::Exclamation);
        if (outcome.accepted)
            txtSkillLevel_LostFocus();
        return outcome;
    }
    case Field::txtPlayerName:
    case Field::txtCharacterName:
        break;
    }
    return {};
}

void Form::cmdHelpEventLength_Click()
{
    Queue(Icon::Question, std::string(kDaysHelp));
}

void Form::cmdReset_Click()
{
    const State &defaults = Defaults();
    const auto armour =
        std::find_if(m_state.itemTypes.begin(), m_state.itemTypes.end(),
                     [](const ListEntry &entry) { return entry.data == rules::kItemTypeArmour; });
    SelectItemType(int(armour - m_state.itemTypes.begin()));
    SetWorkshop(defaults.useWorkshop);
    SetEnforceSkillLevel(defaults.enforceSkillLevel);
    m_state.skillLevelText = defaults.skillLevelText;
    m_state.characterName = defaults.characterName;
    m_state.playerName = defaults.playerName;
    for (Row &row : m_state.rows)
        row.quantityText = Row{}.quantityText;
    FillItemLists(SelectedItemType());
    RecalculateAllRows();
    RecalculateTotals();
}

void Form::TakeList(Form &&from)
{
    m_state = std::move(from.m_state);
    m_state.levelWarningShown = m_levelWarning.Shown();
    m_builtLevel = from.m_builtLevel;
    m_lastOverLevel = from.m_lastOverLevel;
    m_warningPending = true;
}

ReportDocument Form::Report(const ReportHeading &heading) const
{
    // The report prints the texts as they stand; it computes and changes nothing.
    ReportSnapshot snapshot;
    snapshot.playerName = m_state.playerName;
    snapshot.characterName = m_state.characterName;
    for (const Row &row : m_state.rows) {
        const ListEntry *item = row.Selected();
        snapshot.rows.push_back({item ? item->text : std::string(), row.quantityText, row.silver,
                                 row.shatterResistText, row.pointsCaption, row.silverCaption});
    }
    snapshot.totalPointsCaption = m_state.totalPointsCaption;
    snapshot.totalLevelCaption = m_state.totalLevelCaption;
    snapshot.totalSilverCaption = m_state.totalSilverCaption;
    snapshot.totalWorkshopsCaption = m_state.totalWorkshopsCaption;
    return BuildReport(snapshot, heading);
}

// --- Messages and the over-level warning -------------------------------------------------------

void Form::Queue(Icon icon, std::string text)
{
    m_messages.push_back({icon, std::move(text)});
}

std::optional<Message> Form::NextMessage()
{
    if (m_messages.empty())
        return std::nullopt;
    Message message = std::move(m_messages.front());
    m_messages.pop_front();
    return message;
}

void Form::BoxOpened()
{
    ++m_openBoxes;
}

void Form::BoxClosed()
{
    m_openBoxes = std::max(0, m_openBoxes - 1);
}

void Form::ActionEnded()
{
    if (!m_warningPending || m_openBoxes > 0 || !m_messages.empty())
        return;
    m_warningPending = false;
    if (m_levelWarning.Check(m_lastOverLevel))
        Queue(Icon::Exclamation, std::string(kOverLevelWarning));
    m_state.levelWarningShown = m_levelWarning.Shown();
}

// --- The routines -----------------------------------------------------------------------------

std::int32_t Form::SelectedItemType() const
{
    return IsIndexOf(m_state.itemTypes, m_state.itemTypeIndex)
               ? m_state.itemTypes[std::size_t(m_state.itemTypeIndex)].data
               : 0;
}

void Form::FillItemLists(std::int32_t itemType)
{
    if (!rules::IsItemType(itemType)) {
        Queue(Icon::Stop, std::string(kInvalidItemType));
        return;
    }
    ++m_counts.listFills;
    ShowSilverColumn(rules::ShowsSilverColumn(itemType));
    ShowShatterResistColumn(rules::ShowsShatterResistColumn(itemType));
    // The level is read once per rebuild: every row offers the same entries. The skill-level check
    // lets through only levels that round to 1 or more and fit 32 bits.
    const bool enforce = m_state.enforceSkillLevel;
    m_builtLevel = enforce ? rules::FilterLevel(m_state.skillLevelText) : std::nullopt;
    auto offered = std::make_shared<ListEntries>();
    for (const rules::CatalogueItem &item :
         rules::SortedOfferedItems(itemType, enforce, m_builtLevel.value_or(0)))
        offered->push_back({std::string(item.name), item.unitCost});
    for (int i = 0; i < kRowCount; ++i) {
        Row &row = m_state.rows[std::size_t(i)];
        row.entries = offered;
        row.listIndex = -1;
        row.quantityText = Row{}.quantityText;
        if (!offered->empty())
            SelectEntry(i, 0); // its reaction recomputes the row
        else
            RecalculateRow(i);
    }
}

void Form::AddCatalogueItem(int Index, const rules::CatalogueItem &item)
{
    if (!IsRow(Index))
        return;
    const bool enforce = m_state.enforceSkillLevel;
    const std::optional<std::int32_t> level = rules::FilterLevel(m_state.skillLevelText);
    if (enforce && !level)
        return;
    if (!rules::IsOffered(item, enforce, level.value_or(0)))
        return;
    Row &row = m_state.rows[std::size_t(Index)];
    ListEntries entries = *row.entries; // the other rows keep the list they share
    const auto place = SortedPlace(entries, item.name);
    const int at = int(place - entries.begin());
    entries.insert(place, {std::string(item.name), item.unitCost});
    // The selected entry stays the same one.
    if (row.listIndex >= at)
        ++row.listIndex;
    row.entries = std::make_shared<const ListEntries>(std::move(entries));
}

void Form::ShowSilverColumn(bool visible)
{
    m_state.silverColumnVisible = visible;
    for (int i = 0; i < kRowCount; ++i)
        SetSilver(i, Row{}.silver); // a checked box recomputes its row here, as a click would
}

void Form::ShowShatterResistColumn(bool visible)
{
    m_state.shatterResistColumnVisible = visible;
    for (Row &row : m_state.rows)
        row.shatterResistText = Row{}.shatterResistText;
}

void Form::RecalculateRow(int row)
{
    ++m_counts.rowRecalculations;
    Row &r = m_state.rows[std::size_t(row)];
    const ListEntry *item = r.Selected();
    const rules::RowCost cost =
        rules::CostRow({item ? item->data : 0, item ? std::string_view(item->text) : "",
                        r.quantityText, r.silver, r.shatterResistText});
    if (cost.unknownWeapon)
        Queue(Icon::Stop, std::string(kUnknownWeapon));
    r.pointsCaption = rules::WholeNumberText(cost.points);
    r.silverCaption = rules::GeneralNumberText(cost.silver, m_decimalSeparator);
    RecalculateTotals();
}

void Form::RecalculateAllRows()
{
    for (int i = 0; i < kRowCount; ++i)
        RecalculateRow(i);
    RecalculateTotals();
}

void Form::RecalculateTotals()
{
    ++m_counts.totalsRecalculations;
    rules::TotalsInputs in;
    in.skillLevelText = m_state.skillLevelText;
    in.daysText = m_state.eventLengthText;
    in.workshop = m_state.useWorkshop;
    in.enforceLevel = m_state.enforceSkillLevel;
    in.decimalSeparator = m_decimalSeparator;
    for (std::size_t i = 0; i < std::size_t(kRowCount); ++i) {
        in.rowPointsTexts[i] = m_state.rows[i].pointsCaption;
        in.rowSilverTexts[i] = m_state.rows[i].silverCaption;
    }
    rules::Totals totals = rules::ComputeTotals(in);
    m_state.totalSilverCaption = std::move(totals.silverText);
    m_state.totalPointsCaption = std::move(totals.pointsText);
    m_state.totalWorkshopsCaption = std::move(totals.workshopsText);
    m_state.totalLevelCaption = std::move(totals.levelText);
    m_lastOverLevel = totals.overLevel;
    m_warningPending = true;
}

// --- The program's own changes of a selection or a box ----------------------------------------

void Form::SelectItemType(int listIndex)
{
    if (listIndex == m_state.itemTypeIndex)
        return;
    m_state.itemTypeIndex = listIndex;
    cboItemType_Click();
}

void Form::SelectEntry(int Index, int listIndex)
{
    Row &row = m_state.rows[std::size_t(Index)];
    if (listIndex == row.listIndex)
        return;
    row.listIndex = listIndex;
    cboItemName_Click(Index);
}

void Form::SetSilver(int Index, bool checked)
{
    Row &row = m_state.rows[std::size_t(Index)];
    if (checked == row.silver)
        return;
    row.silver = checked;
    chkSilver_Click(Index);
}

void Form::SetWorkshop(bool checked)
{
    if (checked == m_state.useWorkshop)
        return;
    m_state.useWorkshop = checked;
    chkUseWorkshop_Click();
}

void Form::SetEnforceSkillLevel(bool checked)
{
    if (checked == m_state.enforceSkillLevel)
        return;
    m_state.enforceSkillLevel = checked;
    chkEnforceSkillLevel_Click();
}

std::string &Form::TextOf(Field field, int Index)
{
    switch (field) {
    case Field::txtSkillLevel:
        return m_state.skillLevelText;
    case Field::txtEventLength:
        return m_state.eventLengthText;
    case Field::txtItemQuantity:
        return m_state.rows[std::size_t(Index)].quantityText;
    case Field::txtShatterResist:
        return m_state.rows[std::size_t(Index)].shatterResistText;
    case Field::txtPlayerName:
        return m_state.playerName;
    case Field::txtCharacterName:
        break;
    }
    return m_state.characterName;
}

// --- The reactions ----------------------------------------------------------------------------

void Form::cboItemType_Click()
{
    FillItemLists(SelectedItemType());
}

void Form::cboItemName_Click(int Index)
{
    RecalculateRow(Index);
}

void Form::chkSilver_Click(int Index)
{
    RecalculateRow(Index);
}

void Form::chkUseWorkshop_Click()
{
    RecalculateAllRows();
}

void Form::chkEnforceSkillLevel_Click()
{
    m_state.skillLevelEnabled = m_state.enforceSkillLevel;
    FillItemLists(SelectedItemType());
}

rules::FieldCheck Form::txtItemQuantity_Validate(int Index) const
{
    return rules::CheckQuantity(m_state.rows[std::size_t(Index)].quantityText);
}

void Form::txtItemQuantity_LostFocus(int Index)
{
    RecalculateRow(Index);
}

rules::FieldCheck Form::txtShatterResist_Validate(int Index) const
{
    return rules::CheckShatterResist(m_state.rows[std::size_t(Index)].shatterResistText);
}

void Form::txtShatterResist_LostFocus(int Index)
{
    RecalculateRow(Index);
}

rules::FieldCheck Form::txtEventLength_Validate() const
{
    return rules::CheckDays(m_state.eventLengthText);
}

void Form::txtEventLength_LostFocus()
{
    RecalculateTotals();
}

rules::FieldCheck Form::txtSkillLevel_Validate() const
{
    return rules::CheckSkillLevel(m_state.skillLevelText);
}

void Form::txtSkillLevel_LostFocus()
{
    // Passing through the field must not throw the list away: the rows are rebuilt only when the
    // level that filters them has changed. The capacity may change either way.
    const std::optional<std::int32_t> level = rules::FilterLevel(m_state.skillLevelText);
    if (m_state.enforceSkillLevel && level != m_builtLevel)
        FillItemLists(SelectedItemType());
    else
        RecalculateTotals();
}

} // namespace form
