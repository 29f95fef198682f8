// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives form::Form with short scripts and reads its state back as named values, so that a test's
// row reads like the reaction table: the steps before, the action, the values it leads to.
//
// Actions, one user action each: "type Weapons", "item 3 Long Sword", "silver 3 on",
// "workshop off", "enforce on", "qty 3 2", "sr 3 4", "days 3", "skill 9", "player Ann",
// "char Bor", "reset", "help". A field's action types the text and leaves the field.
//
// Values: type, workshop, enforce, skillOn, skill, days, silverCol, srCol, player, char, Tsilver,
// Tpoints, Tlevel, Tworkshops, warned (LevelWarningShown), types (the type list with its codes),
// and per row i: item<i> (the selected entry), n<i> (entries offered), qty<i>, silver<i>, sr<i>,
// pts<i>, slv<i>. Booleans read 1 or 0. Expected values are written "key=value; key=value", where
// a "*" in a key stands for every row.

#include "form/form.h"

#include <map>
#include <string>
#include <string_view>

namespace formtest {

inline const std::string kOverLevelWarning =
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.";
inline const std::string kDaysHelp =
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.";

using Values = std::map<std::string, std::string>;

Values Read(const form::State &state);

// Runs one action, shows the boxes it raised and ends it. Returns what it showed, oldest first,
// joined by ", ": "warning", "help", "bad type", "unknown weapon" for the calculator's messages,
// "refused: " and the text for a field's refusal, anything else as icon and text.
std::string Act(form::Form &f, std::string_view action);
// Runs actions separated by ";"; returns what each showed ("-" for nothing), joined by " | ".
std::string Perform(form::Form &f, std::string_view script);

// The values with the expected ones written over them.
Values With(Values values, std::string_view expected);
// One line "key: want 'x', got 'y'" for each difference; empty when there is none.
std::string Differences(const Values &expected, const Values &actual);

} // namespace formtest
