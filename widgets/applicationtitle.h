// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The application's title, set once at start-up: the title of every message box and the name the
// About window shows. Kept here rather than as Qt's application display name, which the X11
// platform appends to the title of every other window (the file dialog's among them).

#include <QString>

namespace widgets {

void SetApplicationTitle(const QString &title);
QString ApplicationTitle();

} // namespace widgets
