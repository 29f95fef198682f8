#include "window/toolkit/fitfont.h"

#include <QFontMetrics>

namespace toolkit {

namespace {
constexpr double kSmallestPointSize = 5.0;
}

QFont FontToFit(const QFont &base, const QString &text, int room)
{
    QFont font = base;
    double size = font.pointSizeF();
    while (size > kSmallestPointSize && QFontMetrics(font).horizontalAdvance(text) > room) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    return font;
}

} // namespace toolkit
