// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/aboutwindow.h"

#include "about/frmabout.h"

#include <QPointer>

namespace about {

namespace {

// Cleared by QPointer when the window deletes itself on closing.
QPointer<frmAbout> &Instance()
{
    static QPointer<frmAbout> window;
    return window;
}

} // namespace

frmAbout *ShowAboutWindow(QWidget *owner)
{
    QPointer<frmAbout> &window = Instance();
    if (!window) {
        window = new frmAbout;
        window->OpenOver(owner);
        window->show();
        // Without a window manager (Xvfb) nothing else would give it the focus that OK takes.
        window->activateWindow();
        return window;
    }
    // Already loaded: bring the same window to the front, perhaps from behind the main window.
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

frmAbout *OpenAboutWindow()
{
    return Instance();
}

} // namespace about
