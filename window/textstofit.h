// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The texts the calculator window's scale is worked out from (widgets/screenfit.h), with the size
// of the control each must fit in the layout table: every caption, every entry that a list can
// offer, and everyday figures in the result labels (longer figures shrink their font rather than
// being cut off).

#include "widgets/twips.h"

#include <vector>

namespace window {

std::vector<widgets::TextFit> TextsToFit();

} // namespace window
