// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

class QWidget;

namespace app {

// The program's icon, drawn in code at every size a window or the desktop asks for.
QIcon AppIcon();

// Gives a top-level window the program's icon once its first frame is painted: the window system
// asks for the icon at four sizes when it is set, and the first frame need not wait for them.
void SetAppIconAfterFirstPaint(QWidget &window);

} // namespace app
