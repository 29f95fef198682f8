// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window's layout table, which the web page shares, lives with the form
// (form/layout.h); the window names it as its own.

#include "form/layout.h"

namespace window {

using form::ControlKind;
using form::ControlSpec;
using form::FixedControls;
using form::kClientTwipHeight;
using form::kClientTwipWidth;
using form::kFirstRowTop;
using form::kRowPitch;
using form::kRowsTab;
using form::OnEntry;
using form::RowControls;
using form::Spoken;
namespace table = form::table;

} // namespace window
