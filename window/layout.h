// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every control of the calculator window, described once: where it stands (in twips), its
// caption or initial contents, its place in the tab order, whether it selects its text on entry,
// and what screen readers are told about it. The window is built, named and reset from this
// table (controls.h); the start-up floor in bench/ builds its plain copy from it too. Positions
// inside a group are relative to the group.

#include "widgets/twips.h"

#include <span>
#include <string_view>

namespace window {

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
    std::string_view group; // the group it stands in; empty for the window itself
    // The caption, or the initial contents that Reset and a rebuild of the rows restore: a field's
    // text, "1" for a checked box and "0" for an unchecked one.
    std::string_view caption;
    widgets::TwipRect rect; // a row control's top is its row's (kFirstRowTop, kRowPitch)
    int tab = 0;            // place in the tab order from 1; 0 for a control that takes no focus
    OnEntry entry = OnEntry::Keep;
    Spoken spoken = {};
};

inline constexpr int kClientTwipWidth = 10935;
inline constexpr int kClientTwipHeight = 6420;

// The groups, labels, fields and buttons that exist once.
std::span<const ControlSpec> FixedControls();

// The six controls of each production row, in the row's tab order. All rows share one place in
// the window's tab order: row 0's controls, then row 1's, and so on.
std::span<const ControlSpec> RowControls();
inline constexpr int kFirstRowTop = 600;
inline constexpr int kRowPitch = 480;

} // namespace window
