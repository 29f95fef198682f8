// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/fitfont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

#include <algorithm>

namespace widgets {

namespace {
constexpr double kSmallestPointSize = 5.0;
}

QFont FontToFit(const QFont &base, const QString &text, int room)
{
    QFont font = base;
    double size = font.pointSizeF();
    // A window made smaller to fit its screen draws its figures smaller in the same proportion.
    const double desktop = QApplication::font().pointSizeF();
    const double smallest =
        kSmallestPointSize * (desktop > 0 && size > 0 ? std::min(1.0, size / desktop) : 1.0);
    while (size - 0.5 >= smallest && QFontMetrics(font).horizontalAdvance(text) > room) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}

QFont ProportionalFont(const QFont &font)
{
    if (!QFontInfo(font).fixedPitch())
        return font;
    for (const char *family :
         {"DejaVu Sans", "Liberation Sans", "Noto Sans", "Nimbus Sans", "FreeSans"}) {
        if (!QFontDatabase::hasFamily(QLatin1String(family)))
            continue;
        QFont proportional = font;
        proportional.setFamilies({QLatin1String(family)});
        if (!QFontInfo(proportional).fixedPitch())
            return proportional;
    }
    return font;
}

} // namespace widgets
