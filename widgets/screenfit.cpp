// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/screenfit.h"

#include <QCursor>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <limits>

namespace widgets {

namespace {

// Title bars run from about 20 pixels (openbox) to 37 (GNOME) at 96 dpi; borders a few pixels.
constexpr QSize kFrameAllowance(16, 48);

QFont WithPointSize(QFont font, double points)
{
    font.setPointSizeF(points);
    return font;
}

} // namespace

WindowFit FitToRoom(const QFont &font, std::span<const TextFit> texts, QSize clientTwips,
                    QSize room)
{
    const TwipScale wanted = TwipScale::ToFit(font, texts);
    const double cap =
        std::floor(std::min(double(room.width()) * kTwipsPerPixel / double(clientTwips.width()),
                            double(room.height()) * kTwipsPerPixel / double(clientTwips.height())) *
                   100.0) /
        100.0;
    if (wanted.factor() <= cap)
        return {wanted, font};
    const double base = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    for (double points = std::ceil(base * 2.0 - 1.0) / 2.0; points >= kSmallestLegiblePointSize;
         points -= 0.5) {
        const QFont smaller = WithPointSize(font, points);
        if (TwipScale::ToFit(smaller, texts).factor() <= cap)
            return {TwipScale(cap), smaller};
    }
    // A screen too small for the smallest legible text: the text stays legible and the window
    // comes out larger than the screen; the keyboard still reaches every control, and the window
    // can be moved.
    const QFont smallest = WithPointSize(font, std::min(base, kSmallestLegiblePointSize));
    return {TwipScale::ToFit(smallest, texts), smallest};
}

QScreen *ScreenForNewWindow()
{
    if (QScreen *underPointer = QGuiApplication::screenAt(QCursor::pos()))
        return underPointer;
    return QGuiApplication::primaryScreen();
}

QSize ClientRoomOn(const QScreen *screen)
{
    if (!screen)
        return QSize(std::numeric_limits<int>::max() / 2, std::numeric_limits<int>::max() / 2);
    return screen->availableGeometry().size() - kFrameAllowance;
}

} // namespace widgets
