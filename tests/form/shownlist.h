// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything the calculator shows of a list, as one text: the list's own texts (as its file holds
// them) and every figure, row list and column. Two calculators that show the same list give the
// same text.

#include "form/form.h"
#include "form/listdocument.h"

#include <string>

inline std::string ShownList(const form::State &s)
{
    std::string shown = form::ListFile(s) + s.totalPointsCaption + "|" + s.totalLevelCaption + "|" +
                        s.totalSilverCaption + "|" + s.totalWorkshopsCaption + "|" +
                        std::to_string(s.silverColumnVisible) +
                        std::to_string(s.shatterResistColumnVisible) +
                        std::to_string(s.skillLevelEnabled);
    for (const form::Row &row : s.rows)
        shown += "|" + std::to_string(row.entries->size()) + ":" + std::to_string(row.listIndex) +
                 ":" + row.pointsCaption + ":" + row.silverCaption;
    return shown;
}
