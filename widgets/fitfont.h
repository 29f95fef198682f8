// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

namespace widgets {

// The base font, made smaller in half-point steps until the text fits the room, in pixels: down to
// 5 points, or less in the proportion by which a window shrunk to fit its screen has already made
// its font smaller than the desktop's. Figures are shrunk rather than cut off.
QFont FontToFit(const QFont &base, const QString &text, int room);

// The font itself, or, where it falls to a monospaced face (fontconfig does that on a machine
// whose only fonts are the Liberation fonts), the same size of an installed proportional family.
QFont ProportionalFont(const QFont &font);

} // namespace widgets
