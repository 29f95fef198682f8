// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The About window's texts, written once for the desktop window (about/frmabout.cpp) and the web
// page's About dialog (web/core.cpp).

#include <string_view>

namespace form::about {

inline constexpr std::string_view kTitlePrefix = "About ";     // then the application title
inline constexpr std::string_view kVersionPrefix = "Version "; // then major.minor.revision
inline constexpr std::string_view kCredit = "By the forgeTally developers, forgetally@example.org";
inline constexpr std::string_view kDescription =
    "This program follows the standard MIRVAK International rules as they stood in the 8th "
    "Edition rulebook at time of compile. Changes made since that time may require an update to "
    "this program.";
inline constexpr std::string_view kUpdates = "To check for updates, use the Visit Homepage button.";
inline constexpr std::string_view kDisclaimer =
    "Warning: This program is a beta. It might give you wrong numbers. Do not use it for anything "
    "important without double checking the figures first.";
inline constexpr std::string_view kOK = "OK";
inline constexpr std::string_view kOKDescription = "Closes the About window";
inline constexpr std::string_view kHomepage = "Visit Homepage";

} // namespace form::about
