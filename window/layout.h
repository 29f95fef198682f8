// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where every control of the calculator window stands, in twips, with its caption: the one table
// the window is built from. Positions inside a group are relative to the group.

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

struct ControlSpec {
    std::string_view name; // the control's objectName
    ControlKind kind;
    std::string_view group;   // the group it stands in; empty for the window itself
    std::string_view caption; // caption or initial contents
    widgets::TwipRect rect;
};

inline constexpr int kClientTwipWidth = 10935;
inline constexpr int kClientTwipHeight = 6420;

// The groups, labels, fields and buttons that exist once.
std::span<const ControlSpec> FixedControls();

// The six controls of production row i (0 to 9), named name_i; they stand in "Frame2".
struct RowSpec {
    std::string_view name;
    ControlKind kind;
    std::string_view caption;
    int left;
    int width;
    int height;
};
std::span<const RowSpec> RowControls();
inline constexpr int kFirstRowTop = 600;
inline constexpr int kRowPitch = 480;

} // namespace window
