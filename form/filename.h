// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The name a file is offered under when it is saved, made from the character name, for any
// view: the page's download has no dialog that would refuse a bad name, so the name is made sound
// here.

#include <string>
#include <string_view>

namespace form {

// "<character name><ending>", or `defaultName` for a name that leaves nothing. Blanks are trimmed
// and runs of them made one; control characters and / \ : * ? " < > | (refused by disks shared
// with Windows) become "_", as does a byte that is not UTF-8; leading dots (a hidden file) and
// trailing dots and blanks are dropped, and the character name is cut to 64 UTF-16 units, never
// within a character. A name that Windows takes for a device (CON, PRN, AUX, NUL, COM0-9,
// LPT0-9, with or without a suffix) gets a leading "_". All texts are UTF-8.
std::string SuggestedFileName(std::string_view characterName, std::string_view ending,
                              std::string_view defaultName);

// Whether Windows takes this file name (UTF-8) for a device: CON, PRN, AUX, NUL, COM0-9 or LPT0-9
// (and COM or LPT with a superscript 1, 2 or 3), in any case, then blanks and a suffix or nothing.
// Writing to such a name makes no file.
bool IsWindowsDeviceName(std::string_view fileName);

// The name a saved list is offered under: "<character name> - production list.forgetally", or
// "Production list.forgetally".
std::string ListFileName(std::string_view characterName);

} // namespace form
