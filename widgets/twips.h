// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Window geometry is drawn in twips (1440 to the inch, 15 to a pixel at 96 dpi) for an 8-point
// dialog font. Qt's default font is larger, so every window is built from its twip table scaled
// by one factor that makes the widest text fit.

#include "form/layout.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <span>

namespace widgets {

inline constexpr int kTwipsPerPixel = 15;

using TwipRect = form::TwipRect;

// A text that must fit into a control of the given twip size; extraWidth is room the control
// takes for itself (a combo box's arrow, a button's bevel), in unscaled pixels.
struct TextFit {
    QString text;
    int twipWidth;
    int twipHeight;
    int extraWidth = 0;
};

// A word-wrapped text that must fit into a box of the given twip size.
struct WrapFit {
    QString text;
    TwipRect box;
};

class TwipScale {
public:
    explicit TwipScale(double factor = 1.0) : m_factor(factor) {}

    // The smallest factor (at least 1) for which every text fits its control in the given font.
    static TwipScale ToFit(const QFont &font, std::span<const TextFit> texts);
    // This scale, widened in hundredths until every wrapped text fits its box in the font too.
    TwipScale WidenedToWrap(const QFont &font, std::span<const WrapFit> texts) const;

    double factor() const { return m_factor; }
    int pixels(int twips) const;
    QRect rect(const TwipRect &r) const;
    QSize size(int twipWidth, int twipHeight) const;

private:
    double m_factor;
};

} // namespace widgets
