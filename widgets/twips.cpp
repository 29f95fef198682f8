// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/twips.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <cmath>

namespace widgets {

namespace {
// Room a text needs beside itself inside a control: Fusion's label and button margins.
constexpr int kTextPadding = 6;
} // namespace

TwipScale TwipScale::ToFit(const QFont &font, std::span<const TextFit> texts)
{
    const QFontMetrics metrics(font);
    const double needHeight = metrics.height() + 2;
    // A text that several controls show (every row's list offers the same items) is measured once.
    QHash<QString, int> advances;
    advances.reserve(qsizetype(texts.size()));
    double factor = 1.0;
    for (const TextFit &fit : texts) {
        auto advance = advances.constFind(fit.text);
        if (advance == advances.constEnd())
            advance = advances.insert(
                fit.text, metrics.horizontalAdvance(QString(fit.text).remove(QLatin1Char('&'))));
        const double needWidth = *advance + kTextPadding + fit.extraWidth;
        const double haveWidth = double(fit.twipWidth) / kTwipsPerPixel;
        const double haveHeight = double(fit.twipHeight) / kTwipsPerPixel;
        if (haveWidth > 0)
            factor = std::max(factor, needWidth / haveWidth);
        if (haveHeight > 0)
            factor = std::max(factor, needHeight / haveHeight);
    }
    // Round up to a hundredth so that layouts do not jitter between fonts of nearly one size.
    return TwipScale(std::ceil(factor * 100.0) / 100.0);
}

int TwipScale::pixels(int twips) const
{
    return int(std::lround(twips * m_factor / kTwipsPerPixel));
}

QRect TwipScale::rect(const TwipRect &r) const
{
    // Edges are scaled, not sizes, so that neighbouring controls stay exactly adjacent.
    const int left = pixels(r.left);
    const int top = pixels(r.top);
    return QRect(left, top, pixels(r.left + r.width) - left, pixels(r.top + r.height) - top);
}

QSize TwipScale::size(int twipWidth, int twipHeight) const
{
    return QSize(pixels(twipWidth), pixels(twipHeight));
}

} // namespace widgets
