// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/twips.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <limits>

namespace widgets {

namespace {
// Room a text needs beside itself inside a control, in unscaled pixels: Fusion's label and button
// margins. The Windows styles take no more; the About window's tests pass under the Windows style
// too (tests/about).
constexpr int kTextPadding = 6;

bool WrappedTextFits(const QFontMetrics &metrics, const QString &text, const QSize &box)
{
    const QRect needed = metrics.boundingRect(
        QRect(0, 0, box.width(), std::numeric_limits<int>::max() / 2), Qt::TextWordWrap, text);
    return needed.width() <= box.width() && needed.height() <= box.height();
}
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

TwipScale TwipScale::WidenedToWrap(const QFont &font, std::span<const WrapFit> texts) const
{
    const QFontMetrics metrics(font);
    TwipScale scale = *this;
    const auto fits = [&](const WrapFit &fit) {
        return WrappedTextFits(metrics, fit.text, scale.rect(fit.box).size());
    };
    while (!std::all_of(texts.begin(), texts.end(), fits))
        scale = TwipScale(scale.factor() + 0.01);
    return scale;
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
