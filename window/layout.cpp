// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/layout.h"

namespace window {

namespace {

using K = ControlKind;

constexpr ControlSpec kFixed[] = {
    {"Frame1", K::Group, "", "Options", {120, 120, 3015, 1815}},
    {"Frame3", K::Group, "", "Total Cost", {120, 2160, 3015, 1695}},
    {"Frame4", K::Group, "", "Print Options", {120, 4080, 3015, 2175}},
    {"Frame2", K::Group, "", "Production List", {3360, 120, 7455, 5415}},
    {"cmdReset", K::Button, "", "&Reset Form", {3360, 5760, 1215, 375}},
    {"cmdAbout", K::Button, "", "&About...", {4800, 5760, 1215, 375}},

    {"Label1", K::Label, "Frame1", "Item type to produce:", {120, 240, 1575, 255}},
    {"cboItemType", K::DropDownList, "Frame1", "", {1680, 240, 1215, 315}},
    {"chkUseWorkshop", K::CheckBox, "Frame1", "1", {120, 600, 255, 255}},
    {"Label2", K::Label, "Frame1", "Use a Workshop", {480, 600, 1335, 255}},
    {"chkEnforceSkillLevel", K::CheckBox, "Frame1", "1", {120, 960, 255, 255}},
    {"Label8", K::Label, "Frame1", "Enforce level restrictions", {480, 960, 1935, 255}},
    {"lblSkillLevel", K::Label, "Frame1", "Skill Level:", {120, 1320, 855, 255}},
    {"txtSkillLevel", K::NumberField, "Frame1", "10", {960, 1320, 375, 285}},
    {"Label13", K::Label, "Frame1", "Days:", {1440, 1320, 495, 255}},
    {"txtEventLength", K::NumberField, "Frame1", "2", {1920, 1320, 495, 285}},
    {"cmdHelpEventLength", K::Button, "Frame1", "?", {2520, 1320, 255, 255}},

    {"Label7", K::Label, "Frame3", "Silver", {120, 240, 1335, 255}},
    {"lblTotalCostSilver", K::ResultLabel, "Frame3", "0", {1800, 240, 1095, 255}},
    {"Label10", K::Label, "Frame3", "Skill Levels", {120, 600, 1335, 255}},
    {"lblTotalCostLevel", K::ResultLabel, "Frame3", "0", {1320, 600, 1575, 255}},
    {"Label12", K::Label, "Frame3", "Production Points", {120, 960, 1455, 255}},
    {"lblTotalCostPoints", K::ResultLabel, "Frame3", "0", {1800, 960, 1095, 255}},
    {"Label14", K::Label, "Frame3", "Workshops", {120, 1320, 1335, 255}},
    {"lblTotalCostWorkshops", K::ResultLabel, "Frame3", "0", {1680, 1320, 1215, 255}},

    {"Label9", K::Label, "Frame4", "Player Name", {120, 240, 1215, 255}},
    {"txtPlayerName", K::Field, "Frame4", "", {120, 600, 2655, 285}},
    {"Label11", K::Label, "Frame4", "Character Name", {120, 960, 1335, 255}},
    {"txtCharacterName", K::Field, "Frame4", "", {120, 1320, 2655, 285}},
    {"cmdPrint", K::Button, "Frame4", "&Print", {120, 1680, 1215, 375}},

    {"Label3", K::Label, "Frame2", "Item", {120, 240, 975, 255}},
    {"Label4", K::Label, "Frame2", "Quantity", {2520, 240, 615, 255}},
    {"lblSilver", K::Label, "Frame2", "Silver", {3360, 240, 495, 255}},
    {"lblShatterResist", K::Label, "Frame2", "Shatter Resist", {4080, 240, 1095, 255}},
    {"Label5", K::Label, "Frame2", "Cost (Points)", {5400, 240, 1095, 255}},
    {"Label6", K::Label, "Frame2", "Cost (Silver)", {6480, 240, 855, 255}},
};

constexpr RowSpec kRow[] = {
    {"cboItemName", K::DropDownList, "", 120, 2295, 315},
    {"txtItemQuantity", K::NumberField, "0", 2640, 495, 285},
    {"chkSilver", K::CheckBox, "0", 3480, 255, 255},
    {"txtShatterResist", K::NumberField, "0", 4560, 375, 285},
    {"lblItemProdCost", K::ResultLabel, "0", 5760, 615, 255},
    {"lblItemSilverCost", K::ResultLabel, "0", 6840, 495, 255},
};

} // namespace

std::span<const ControlSpec> FixedControls()
{
    return kFixed;
}
std::span<const RowSpec> RowControls()
{
    return kRow;
}

} // namespace window
