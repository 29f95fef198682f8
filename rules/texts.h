// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's own texts that more than one part of it shows: the application title (the
// window's caption, every message box, the About window, the report and its PDF) and the messages
// of the field checks (made here, shown by the window's leave check). Every other text stands in
// the file that shows it.

#include "rules/fields.h"
#include "rules/numbers.h"

#include <string>
#include <string_view>

namespace rules::texts {

inline constexpr std::string_view kAppTitle = "MIRVAK Production Calculator";

inline constexpr std::string_view kDaysRefused = "Production Days must be a positive number.";
inline constexpr std::string_view kSkillLevelRefused = "Skill Level must be a positive number.";
inline constexpr std::string_view kQuantityRefused = "Quantity must be a non negative number.";
inline constexpr std::string_view kShatterResistRefused =
    "Shatter Resist must be a positive even number (0, 2, 4, etc).";

// The ranges beyond which a figure could overflow, each message made from its limit in fields.h
// so that a limit changes in one place. Limits are written as the fields read them, with ".".
inline std::string LimitText(double limit)
{
    return GeneralNumberText(limit, '.');
}
inline const std::string kDaysOutOfRange = "Production Days must be a number from " +
                                           LimitText(kMinDays) + " to " + LimitText(kMaxDays) + ".";
inline const std::string kSkillLevelTooLow = "Skill Level must be at least " +
                                             WholeNumberText(kMinSkillLevel) +
                                             ": a level that rounds down to 0 allows no item.";
inline const std::string kSkillLevelTooHigh =
    "Skill Level must not be more than " + LimitText(kMaxSkillLevel) + ".";
inline const std::string kQuantityTooLarge =
    "Quantity must not be more than " + LimitText(kMaxQuantity) + ".";
inline const std::string kShatterResistTooLarge =
    "Shatter Resist must not be more than " + LimitText(kMaxShatterResist) + ".";

// A decimal comma or a thousands separator where the number ends (see numbers.h), one sentence
// for every field.
inline std::string CommaRefused(std::string_view field)
{
    return std::string(field) +
           " must be written with a point for decimals, such as 2.5, and without thousands "
           "separators.";
}
inline const std::string kDaysComma = CommaRefused("Production Days");
inline const std::string kSkillLevelComma = CommaRefused("Skill Level");
inline const std::string kQuantityComma = CommaRefused("Quantity");
inline const std::string kShatterResistComma = CommaRefused("Shatter Resist");

} // namespace rules::texts
