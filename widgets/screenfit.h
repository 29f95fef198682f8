// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A window scaled from the desktop font must still fit the screen it opens on. Where the font asks
// for more room than the screen's work area has, the layout scale is capped and the window's font
// made smaller until every text fits again, down to a smallest legible size.

#include "widgets/twips.h"

#include <QFont>
#include <QSize>

#include <span>

class QScreen;

namespace widgets {

// Below 7 points text stops being comfortable to read; the layout was drawn for an 8-point font,
// so 7 points is one step under its design size. Points follow the user's dpi setting.
inline constexpr double kSmallestLegiblePointSize = 7.0;

struct WindowFit {
    TwipScale scale;
    QFont font; // the window's font: the given one, or a smaller size of it
};

// The scale and font for a client area of clientTwips whose texts must fit their controls, in a
// room of the given size in pixels. With room to spare it is TwipScale::ToFit in the given font.
// Otherwise the scale is capped to the room and the font shrinks in half-point steps until every
// text fits at that scale. If even the smallest legible size needs more than the room, that size
// wins and the window comes out larger than the room.
WindowFit FitToRoom(const QFont &font, std::span<const TextFit> texts, QSize clientTwips,
                    QSize room);

// The screen a new window opens on: the one under the mouse pointer, else the primary one.
QScreen *ScreenForNewWindow();

// The room for a window's client area on a screen: its work area (panels excluded) less an
// allowance for the window manager's title bar and borders, which are not known before the
// window is shown.
QSize ClientRoomOn(const QScreen *screen);

} // namespace widgets
