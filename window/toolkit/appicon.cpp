#include "window/toolkit/appicon.h"

#include <QPainter>
#include <QPixmap>

namespace toolkit {

QIcon AppIcon()
{
    // Placeholder drawing until the real artwork lands.
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0x8a, 0x5a, 0x2b));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QRectF(0, 0, size, size).adjusted(1, 1, -1, -1));
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace toolkit
