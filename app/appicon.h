// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

class QWidget;

namespace app {

// The program's icon, drawn in code at every size a window or the desktop asks for.
QIcon AppIcon();

// Gives the program its icon (QApplication::setWindowIcon, which every window then shows) once the
// first frame of this window is painted: the window system asks for the icon at four sizes when
// it is set, and the first frame need not wait for them.
void SetAppIconAfterFirstPaint(QWidget &window);

} // namespace app
