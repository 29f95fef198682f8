// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every control of the calculator window, described once: where it stands (in twips), its
// caption, its place in the tab order, whether it selects its text on entry, and what screen
// readers are told about it. Plain data with no toolkit in it: the desktop window is built and
// named from this table (window/controls.h), the web page from what the core hands it
// (web/core.cpp), and the start-up floor in bench/ builds its plain copy from it too. Positions
// inside a group are relative to the group. What the fields, boxes and result labels hold is the
// form's state (form.h), shown by the window and the page. Below the table, what both views
// derive from it: the order Tab walks, a row control's name ("txtItemQuantity_2") and the words
// screen readers hear ("Quantity, row 3").
//
// The compiler checks the table: names are unique, every group and every label that names a
// control stands before that control, and no two places in the tab order are the same. A member
// of the window that names a control the table lacks, or takes it as the wrong kind, does not
// compile (window/controls.h).

#include "rules/costing.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace form {

// A rectangle in twips: left, top, width, height.
struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

enum class ControlKind {
    Group,
    Label,
    ResultLabel,
    DropDownList,
    Field,
    NumberField,
    CheckBox,
    Button,
};

// Whether a field selects its whole text when it takes the focus.
enum class OnEntry { Keep, SelectAll };

// What screen readers are told about a control. A control whose caption stands in a separate
// label is named by that label's caption: a caption beside it (which also becomes its buddy), or
// its column heading, followed by ", row n".
struct Spoken {
    enum Use { Name = 1, Description = 2, NameAndDescription = 3 };
    std::string_view label = {}; // the label that names it
    Use use = NameAndDescription;
    std::string_view name = {}; // or a name and a description of their own
    std::string_view description = {};
};

struct ControlSpec {
    std::string_view name; // the control's objectName; a row control is named name_i
    ControlKind kind;
    std::string_view group;   // the group it stands in; empty for the window itself
    std::string_view caption; // of a group, a label or a button
    TwipRect rect;            // a row control's top is its row's (kFirstRowTop, kRowPitch)
    int tab = 0;              // place in the tab order from 1; 0 for a control that takes no focus
    OnEntry entry = OnEntry::Keep;
    Spoken spoken = {};
};

inline constexpr int kClientTwipWidth = 10935;
inline constexpr int kClientTwipHeight = 6420;
inline constexpr int kFirstRowTop = 600;
inline constexpr int kRowPitch = 480;
// The rows take the fifth place in the tab order: row 0's controls, then row 1's, and so on.
inline constexpr int kRowsTab = 5;

namespace table {

using K = ControlKind;
using enum Spoken::Use;
inline constexpr OnEntry kSelectAll = OnEntry::SelectAll;
inline constexpr OnEntry kKeep = OnEntry::Keep;

// One row a control: name, kind, group, caption, {left, top, width, height}, then for the controls
// that take the focus or are named for screen readers: the place in the tab order, what entering
// does, and what screen readers are told.
// clang-format off
inline constexpr ControlSpec kFixed[] = {
    {"Frame1", K::Group, "", "Options", {120, 120, 3015, 1815}},
    {"Frame3", K::Group, "", "Total Cost", {120, 2160, 3015, 1695}},
    {"Frame4", K::Group, "", "Print Options", {120, 4080, 3015, 2175}},
    {"Frame2", K::Group, "", "Production List", {3360, 120, 7455, 5415}},
    {"cmdReset", K::Button, "", "&Reset Form", {3360, 5760, 1215, 375}, 9},
    {"cmdAbout", K::Button, "", "&About...", {4800, 5760, 1215, 375}, 10},
    {"cmdSaveList", K::Button, "", "&Save List...", {6240, 5760, 1215, 375}, 11},
    {"cmdOpenList", K::Button, "", "&Open List...", {7680, 5760, 1215, 375}, 12},

    {"Label1", K::Label, "Frame1", "Item type to produce:", {120, 240, 1575, 255}},
    {"cboItemType", K::DropDownList, "Frame1", "", {1680, 240, 1215, 315}, 1, kKeep, {"Label1"}},
    {"Label2", K::Label, "Frame1", "Use a Workshop", {480, 600, 1335, 255}},
    {"chkUseWorkshop", K::CheckBox, "Frame1", "", {120, 600, 255, 255}, 2, kKeep, {"Label2"}},
    {"Label8", K::Label, "Frame1", "Enforce level restrictions", {480, 960, 1935, 255}},
    {"chkEnforceSkillLevel", K::CheckBox, "Frame1", "", {120, 960, 255, 255}, 3, kKeep,
        {"Label8"}},
    {"lblSkillLevel", K::Label, "Frame1", "Skill Level:", {120, 1320, 855, 255}},
    {"txtSkillLevel", K::NumberField, "Frame1", "", {960, 1320, 375, 285}, 4, kKeep,
        {"lblSkillLevel"}},
    {"Label13", K::Label, "Frame1", "Days:", {1440, 1320, 495, 255}},
    {"txtEventLength", K::NumberField, "Frame1", "", {1920, 1320, 495, 285}, 13, kSelectAll,
        {"Label13"}},
    {"cmdHelpEventLength", K::Button, "Frame1", "?", {2520, 1320, 255, 255}, 14, kKeep,
        {.name = "Help on Days"}},

    {"Label7", K::Label, "Frame3", "Silver", {120, 240, 1335, 255}},
    {"lblTotalCostSilver", K::ResultLabel, "Frame3", "", {1800, 240, 1095, 255}, 0, kKeep,
        {.description = "Total silver cost"}},
    {"Label10", K::Label, "Frame3", "Skill Levels", {120, 600, 1335, 255}},
    {"lblTotalCostLevel", K::ResultLabel, "Frame3", "", {1320, 600, 1575, 255}, 0, kKeep,
        {.description = "Skill levels needed, in all and per day"}},
    {"Label12", K::Label, "Frame3", "Production Points", {120, 960, 1455, 255}},
    {"lblTotalCostPoints", K::ResultLabel, "Frame3", "", {1800, 960, 1095, 255}, 0, kKeep,
        {.description = "Production points needed and the points you can produce"}},
    {"Label14", K::Label, "Frame3", "Workshops", {120, 1320, 1335, 255}},
    {"lblTotalCostWorkshops", K::ResultLabel, "Frame3", "", {1680, 1320, 1215, 255}, 0, kKeep,
        {.description = "Workshops needed"}},

    {"Label9", K::Label, "Frame4", "Player Name", {120, 240, 1215, 255}},
    {"txtPlayerName", K::Field, "Frame4", "", {120, 600, 2655, 285}, 6, kKeep, {"Label9"}},
    {"Label11", K::Label, "Frame4", "Character Name", {120, 960, 1335, 255}},
    {"txtCharacterName", K::Field, "Frame4", "", {120, 1320, 2655, 285}, 7, kKeep, {"Label11"}},
    {"cmdPrint", K::Button, "Frame4", "&Print", {120, 1680, 1215, 375}, 8},

    {"Label3", K::Label, "Frame2", "Item", {120, 240, 975, 255}},
    {"Label4", K::Label, "Frame2", "Quantity", {2520, 240, 615, 255}},
    {"lblSilver", K::Label, "Frame2", "Silver", {3360, 240, 495, 255}},
    {"lblShatterResist", K::Label, "Frame2", "Shatter Resist", {4080, 240, 1095, 255}},
    {"Label5", K::Label, "Frame2", "Cost (Points)", {5400, 240, 1095, 255}},
    {"Label6", K::Label, "Frame2", "Cost (Silver)", {6480, 240, 855, 255}},
};

// The six controls of each production row, in the row's tab order.
inline constexpr ControlSpec kRow[] = {
    {"cboItemName", K::DropDownList, "Frame2", "", {120, 0, 2295, 315}, kRowsTab, kKeep,
        {"Label3", Name}},
    {"txtItemQuantity", K::NumberField, "Frame2", "", {2640, 0, 495, 285}, kRowsTab, kSelectAll,
        {"Label4", Name}},
    {"chkSilver", K::CheckBox, "Frame2", "", {3480, 0, 255, 255}, kRowsTab, kKeep,
        {"lblSilver", Name}},
    {"txtShatterResist", K::NumberField, "Frame2", "", {4560, 0, 375, 285}, kRowsTab, kSelectAll,
        {"lblShatterResist", Name}},
    {"lblItemProdCost", K::ResultLabel, "Frame2", "", {5760, 0, 615, 255}, 0, kKeep,
        {"Label5", Description}},
    {"lblItemSilverCost", K::ResultLabel, "Frame2", "", {6840, 0, 495, 255}, 0, kKeep,
        {"Label6", Description}},
};
// clang-format on

// The place of a control in a table, or -1.
consteval int IndexIn(std::span<const ControlSpec> controls, std::string_view name)
{
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (controls[i].name == name)
            return int(i);
    return -1;
}

// Whether the fixed control `name` is of `kind` and stands before place `before`.
consteval bool StandsBefore(std::string_view name, ControlKind kind, std::size_t before)
{
    const int at = IndexIn(kFixed, name);
    return at >= 0 && std::size_t(at) < before && kFixed[std::size_t(at)].kind == kind;
}

consteval bool NamesAreUnique()
{
    for (std::size_t i = 0; i < std::size(kFixed); ++i)
        if (IndexIn(kFixed, kFixed[i].name) != int(i) || IndexIn(kRow, kFixed[i].name) >= 0)
            return false;
    for (std::size_t i = 0; i < std::size(kRow); ++i)
        if (IndexIn(kRow, kRow[i].name) != int(i))
            return false;
    return true;
}

// Every group, and every label that names a control, is built before that control. The rows
// are built after every fixed control.
consteval bool GroupsAndLabelsComeFirst()
{
    for (std::size_t i = 0; i < std::size(kFixed); ++i) {
        const ControlSpec &c = kFixed[i];
        if (!c.group.empty() && !StandsBefore(c.group, K::Group, i))
            return false;
        if (!c.spoken.label.empty() && !StandsBefore(c.spoken.label, K::Label, i))
            return false;
    }
    for (const ControlSpec &c : kRow)
        if (!StandsBefore(c.group, K::Group, std::size(kFixed)) ||
            (!c.spoken.label.empty() && !StandsBefore(c.spoken.label, K::Label, std::size(kFixed))))
            return false;
    return true;
}

// Each fixed control that takes the focus has a place of its own; the rows share theirs.
consteval bool TabPlacesAreUnique()
{
    for (std::size_t i = 0; i < std::size(kFixed); ++i) {
        const int tab = kFixed[i].tab;
        if (tab == kRowsTab)
            return false;
        for (std::size_t j = i + 1; tab > 0 && j < std::size(kFixed); ++j)
            if (kFixed[j].tab == tab)
                return false;
    }
    for (const ControlSpec &c : kRow)
        if (c.tab != 0 && c.tab != kRowsTab)
            return false;
    return true;
}

static_assert(NamesAreUnique(), "two controls of the layout share a name");
static_assert(GroupsAndLabelsComeFirst(),
              "a control stands before its group or before the label that names it");
static_assert(TabPlacesAreUnique(), "two controls share a place in the tab order");

} // namespace table

// The groups, labels, fields and buttons that exist once.
constexpr std::span<const ControlSpec> FixedControls()
{
    return table::kFixed;
}

// The six controls of each production row, in the row's tab order.
constexpr std::span<const ControlSpec> RowControls()
{
    return table::kRow;
}

// A control that Tab visits: a fixed control (row -1) or a row's control, by its place in its
// table.
struct TabStop {
    std::size_t index; // in FixedControls(), or in RowControls() for a row's control
    int row = -1;
    constexpr const ControlSpec &control() const
    {
        return row < 0 ? FixedControls()[index] : RowControls()[index];
    }
};

namespace table {

consteval std::size_t TabStopCount()
{
    std::size_t count = 0;
    for (const ControlSpec &c : kFixed)
        count += c.tab > 0 ? 1 : 0;
    for (const ControlSpec &c : kRow)
        count += c.tab > 0 ? std::size_t(rules::kRowCount) : 0;
    return count;
}

// The fixed controls by their places; at the rows' place, row 0's controls, then row 1's, and so
// on.
consteval std::array<TabStop, TabStopCount()> MakeTabOrder()
{
    std::array<TabStop, TabStopCount()> order{};
    int last = kRowsTab;
    for (const ControlSpec &c : kFixed)
        last = c.tab > last ? c.tab : last;
    std::size_t n = 0;
    for (int place = 1; place <= last; ++place) {
        if (place == kRowsTab) {
            for (int row = 0; row < rules::kRowCount; ++row)
                for (std::size_t i = 0; i < std::size(kRow); ++i)
                    if (kRow[i].tab > 0)
                        order[n++] = {i, row};
            continue;
        }
        for (std::size_t i = 0; i < std::size(kFixed); ++i)
            if (kFixed[i].tab == place)
                order[n++] = {i, -1};
    }
    return order;
}

inline constexpr std::array<TabStop, TabStopCount()> kTabOrder = MakeTabOrder();

} // namespace table

// Every control that takes the focus, in the order Tab visits them (Shift+Tab walks it backwards).
constexpr std::span<const TabStop, table::TabStopCount()> TabOrder()
{
    return table::kTabOrder;
}

// The name of a control: its own for a fixed control (row -1), name_row for a row's.
inline std::string ControlName(std::string_view name, int row = -1)
{
    std::string text(name);
    if (row >= 0)
        text += '_' + std::to_string(row);
    return text;
}

// What screen readers are told about a control: the caption of the label that names it, which
// for a row's control adds the row counted from 1 ("Quantity, row 3"), or its own words. Empty
// where it has none.
struct SpokenTexts {
    std::string name;
    std::string description;
};

inline SpokenTexts SpokenFor(const ControlSpec &control, int row = -1)
{
    const Spoken &spoken = control.spoken;
    SpokenTexts texts;
    if (!spoken.label.empty()) {
        std::string text;
        for (const ControlSpec &label : FixedControls())
            if (label.name == spoken.label)
                text = label.caption;
        if (row >= 0)
            text += ", row " + std::to_string(row + 1);
        if (spoken.use & Spoken::Name)
            texts.name = text;
        if (spoken.use & Spoken::Description)
            texts.description = text;
    }
    if (!spoken.name.empty())
        texts.name = spoken.name;
    if (!spoken.description.empty())
        texts.description = spoken.description;
    return texts;
}

} // namespace form
