// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/layout.h"

namespace window {

namespace {

using K = ControlKind;
using enum Spoken::Use;
constexpr OnEntry kSelectAll = OnEntry::SelectAll;
constexpr OnEntry kKeep = OnEntry::Keep;

// One row a control: name, kind, group, caption or initial contents, {left, top, width, height},
// then for the controls that take the focus or are named for screen readers: the place in the tab
// order, what entering does, and what screen readers are told.
// clang-format off
constexpr ControlSpec kFixed[] = {
    {"Frame1", K::Group, "", "Options", {120, 120, 3015, 1815}},
    {"Frame3", K::Group, "", "Total Cost", {120, 2160, 3015, 1695}},
    {"Frame4", K::Group, "", "Print Options", {120, 4080, 3015, 2175}},
    {"Frame2", K::Group, "", "Production List", {3360, 120, 7455, 5415}},
    {"cmdReset", K::Button, "", "&Reset Form", {3360, 5760, 1215, 375}, 9},
    {"cmdAbout", K::Button, "", "&About...", {4800, 5760, 1215, 375}, 10},

    {"Label1", K::Label, "Frame1", "Item type to produce:", {120, 240, 1575, 255}},
    {"cboItemType", K::DropDownList, "Frame1", "", {1680, 240, 1215, 315}, 1, kKeep, {"Label1"}},
    {"chkUseWorkshop", K::CheckBox, "Frame1", "1", {120, 600, 255, 255}, 2, kKeep, {"Label2"}},
    {"Label2", K::Label, "Frame1", "Use a Workshop", {480, 600, 1335, 255}},
    {"chkEnforceSkillLevel", K::CheckBox, "Frame1", "1", {120, 960, 255, 255}, 3, kKeep,
        {"Label8"}},
    {"Label8", K::Label, "Frame1", "Enforce level restrictions", {480, 960, 1935, 255}},
    {"lblSkillLevel", K::Label, "Frame1", "Skill Level:", {120, 1320, 855, 255}},
    {"txtSkillLevel", K::NumberField, "Frame1", "10", {960, 1320, 375, 285}, 4, kKeep,
        {"lblSkillLevel"}},
    {"Label13", K::Label, "Frame1", "Days:", {1440, 1320, 495, 255}},
    {"txtEventLength", K::NumberField, "Frame1", "2", {1920, 1320, 495, 285}, 11, kSelectAll,
        {"Label13"}},
    {"cmdHelpEventLength", K::Button, "Frame1", "?", {2520, 1320, 255, 255}, 12, kKeep,
        {.name = "Help on Days"}},

    {"Label7", K::Label, "Frame3", "Silver", {120, 240, 1335, 255}},
    {"lblTotalCostSilver", K::ResultLabel, "Frame3", "0", {1800, 240, 1095, 255}, 0, kKeep,
        {.description = "Total silver cost"}},
    {"Label10", K::Label, "Frame3", "Skill Levels", {120, 600, 1335, 255}},
    {"lblTotalCostLevel", K::ResultLabel, "Frame3", "0", {1320, 600, 1575, 255}, 0, kKeep,
        {.description = "Skill levels needed, in all and per day"}},
    {"Label12", K::Label, "Frame3", "Production Points", {120, 960, 1455, 255}},
    {"lblTotalCostPoints", K::ResultLabel, "Frame3", "0", {1800, 960, 1095, 255}, 0, kKeep,
        {.description = "Production points needed and the points you can produce"}},
    {"Label14", K::Label, "Frame3", "Workshops", {120, 1320, 1335, 255}},
    {"lblTotalCostWorkshops", K::ResultLabel, "Frame3", "0", {1680, 1320, 1215, 255}, 0, kKeep,
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

// The rows take the fifth place in the tab order.
constexpr int kRowsTab = 5;
constexpr ControlSpec kRow[] = {
    {"cboItemName", K::DropDownList, "Frame2", "", {120, 0, 2295, 315}, kRowsTab, kKeep,
        {"Label3", Name}},
    {"txtItemQuantity", K::NumberField, "Frame2", "0", {2640, 0, 495, 285}, kRowsTab, kSelectAll,
        {"Label4", Name}},
    {"chkSilver", K::CheckBox, "Frame2", "0", {3480, 0, 255, 255}, kRowsTab, kKeep,
        {"lblSilver", Name}},
    {"txtShatterResist", K::NumberField, "Frame2", "0", {4560, 0, 375, 285}, kRowsTab, kSelectAll,
        {"lblShatterResist", Name}},
    {"lblItemProdCost", K::ResultLabel, "Frame2", "0", {5760, 0, 615, 255}, 0, kKeep,
        {"Label5", Description}},
    {"lblItemSilverCost", K::ResultLabel, "Frame2", "0", {6840, 0, 495, 255}, 0, kKeep,
        {"Label6", Description}},
};
// clang-format on

} // namespace

std::span<const ControlSpec> FixedControls()
{
    return kFixed;
}
std::span<const ControlSpec> RowControls()
{
    return kRow;
}

} // namespace window
