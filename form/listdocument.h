// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The production list as a document that a player keeps and carries: the item type, the two
// options, the skill level and days texts, the two names and every row (its item by name, its
// quantity text, its silver box, its shatter-resist text), after a format version. It has two
// forms with the same contents:
//
// - an address text, for the page's address: the fields in a fixed order, joined by "~", each
//   with every byte but letters, digits, "-" and "." written as %XX (a blank as "_"), the rows
//   that a rebuild of the rows would leave as they are dropped from the end, and a CRC-32 last,
//   so that a cut or damaged address is told from a list;
// - a list file (".forgetally", application/vnd.forgetally+json), a small JSON object.
//
// Reading either replays what a user would do in a new calculator: pick the type, set the
// options, enter and leave the fields, and in each row pick the item (by its name, among the
// items the row offers) and enter its fields. So every figure comes from the rules, and every
// text passes the check its field would make. Only when all of it reads does the list become the
// form's: otherwise the form stays exactly as it was, and the result says what could not be read.

#include "form/form.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace form {

inline constexpr int kListFormatVersion = 1;
inline constexpr std::string_view kListFileSuffix = ".forgetally";
inline constexpr std::string_view kListMediaType = "application/vnd.forgetally+json";
// Far more than any list takes; a larger text is refused before it is read.
inline constexpr std::size_t kMaxListBytes = 1024 * 1024;

// The list the form holds, in each form. What the fields hold is written as it stands: a text
// still being typed that its field would refuse makes a document that will not open.
std::string ListAddress(const State &state);
std::string ListFile(const State &state);

struct ListOpening {
    bool opened = false;
    // When refused: what could not be read, as a clause ("row 3 names ..."), and the message that
    // tells the user.
    std::string reason;
    std::string message;
};

// Reads a list and, when all of it reads, makes it the form's list; otherwise changes nothing.
ListOpening OpenListAddress(Form &form, std::string_view text);
ListOpening OpenListFile(Form &form, std::string_view text);

} // namespace form
