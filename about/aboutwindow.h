// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace about {

class frmAbout;

// The About button's reaction (cmdAbout_Click): shows the About window, creating (loading) it
// first when none exists, on the screen of `owner` (the calculator window) and above it; when it
// is already open the same window is raised and activated and its load step does not run again.
// Returns the window, which deletes itself when closed.
frmAbout *ShowAboutWindow(QWidget *owner = nullptr);

// The open About window, or null when none is loaded.
frmAbout *OpenAboutWindow();

} // namespace about
