// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appicon.h"

#include <QApplication>
#include <QEvent>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace app {

namespace {

// An anvil under a tally of four strokes, struck through by a hammer as the fifth: forge and tally.
// Flat colours on an orange tile with a dark rim, so that it stands out on light and dark panels.
const QColor kRim(0x6e, 0x33, 0x0c);
const QColor kTile(0xe8, 0x86, 0x2a);
const QColor kIron(0x22, 0x26, 0x2d);
const QColor kSteel(0x5d, 0x67, 0x74);
const QColor kTally(0xff, 0xf4, 0xdc);
const QColor kWood(0x5a, 0x30, 0x12);

// Design coordinates scaled to the pixel size and rounded, so that the straight edges fall on
// pixel boundaries and stay sharp at every size.
struct Grid {
    double scale;
    double at(double v) const { return std::round(v * scale); }
    QPointF point(double x, double y) const { return {at(x), at(y)}; }
    QRectF rect(double x, double y, double w, double h) const
    {
        return {at(x), at(y), std::max(1.0, std::round(w * scale)),
                std::max(1.0, std::round(h * scale))};
    }
};

// Below 24 pixels the full drawing turns to mush; this one is drawn on a 16-pixel grid, with
// three tally strokes and an upright hammer head.
void drawSmall(QPainter &painter, int side)
{
    const double sideF = side;
    const Grid grid{sideF / 16.0};
    painter.setPen(Qt::NoPen);
    painter.setBrush(kRim);
    painter.drawRoundedRect(QRectF(0, 0, sideF, sideF), 3 * grid.scale, 3 * grid.scale);
    painter.setBrush(kTile);
    painter.drawRoundedRect(QRectF(1, 1, sideF - 2, sideF - 2), 2.5 * grid.scale, 2.5 * grid.scale);

    QPainterPath anvil;
    anvil.moveTo(grid.point(1.5, 8));
    for (const auto &[x, y] : {std::pair{14.0, 8.0},
                               {14.0, 10.0},
                               {11.0, 10.0},
                               {10.0, 11.0},
                               {10.0, 12.0},
                               {13.0, 12.0},
                               {13.0, 14.0},
                               {4.0, 14.0},
                               {4.0, 12.0},
                               {7.0, 12.0},
                               {7.0, 11.0},
                               {6.0, 10.0},
                               {5.0, 10.0}})
        anvil.lineTo(grid.point(x, y));
    anvil.quadTo(grid.point(3, 10), grid.point(1.5, 8));
    painter.setBrush(kIron);
    painter.drawPath(anvil);

    painter.setBrush(kTally);
    for (double x : {4.0, 7.0, 10.0})
        painter.drawRect(grid.rect(x, 2, 1, 5));
    painter.setPen(QPen(kWood, grid.scale, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(2 * grid.scale, 6.5 * grid.scale),
                     QPointF(11.5 * grid.scale, 3.5 * grid.scale));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kIron);
    painter.drawRect(grid.rect(11, 2, 2, 4));
}

// The hammer's slope from handle end (4.5, 12) to head centre (23.5, 7.5), atan2(-4.5, 19) in
// degrees: a constant, as computing it would pull libm's arc tangent tables in at start-up.
constexpr double kHammerDegrees = -13.324531261890785;

// The full drawing, on a 32-pixel grid.
void drawLarge(QPainter &painter, int side)
{
    const double sideF = side;
    const Grid grid{sideF / 32.0};
    painter.setPen(Qt::NoPen);
    const double margin = grid.at(1);
    const double rimWidth = std::max(1.0, grid.at(1));
    const QRectF outer(margin, margin, sideF - 2 * margin, sideF - 2 * margin);
    const double radius = 6 * grid.scale;
    painter.setBrush(kRim);
    painter.drawRoundedRect(outer, radius, radius);
    painter.setBrush(kTile);
    painter.drawRoundedRect(outer.adjusted(rimWidth, rimWidth, -rimWidth, -rimWidth),
                            radius - rimWidth, radius - rimWidth);

    // Horn to the left, face, waist and a flared foot.
    QPainterPath anvil;
    anvil.moveTo(grid.point(3, 15));
    for (const auto &[x, y] : {std::pair{27.0, 15.0},
                               {27.0, 19.0},
                               {23.0, 19.0},
                               {20.0, 22.0},
                               {23.0, 25.0},
                               {25.0, 25.0},
                               {25.0, 27.0},
                               {10.0, 27.0},
                               {10.0, 25.0},
                               {12.0, 25.0},
                               {15.0, 22.0},
                               {12.0, 19.0},
                               {10.0, 19.0}})
        anvil.lineTo(grid.point(x, y));
    anvil.quadTo(grid.point(6, 18.5), grid.point(3, 15));
    painter.setBrush(kIron);
    painter.drawPath(anvil);
    painter.setBrush(kSteel);
    painter.drawRect(QRectF(grid.point(10, 15), QPointF(grid.at(27), grid.at(15) + rimWidth)));

    painter.setBrush(kTally);
    for (double x : {7.0, 11.0, 15.0, 19.0})
        painter.drawRect(grid.rect(x, 5, 2, 8));

    const QPointF handleEnd(4.5 * grid.scale, 12 * grid.scale);
    const QPointF headCentre(23.5 * grid.scale, 7.5 * grid.scale);
    painter.setPen(QPen(kWood, 2.2 * grid.scale, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(handleEnd, headCentre);
    painter.translate(headCentre);
    painter.rotate(kHammerDegrees);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kIron);
    painter.drawRoundedRect(
        QRectF(-2 * grid.scale, -4.5 * grid.scale, 4 * grid.scale, 9 * grid.scale),
        0.8 * grid.scale, 0.8 * grid.scale);
}

QImage render(int side)
{
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (side < 24)
        drawSmall(painter, side);
    else
        drawLarge(painter, side);
    return image;
}

// Greyed and faded, as Qt's own styles show a disabled icon.
QImage disabled(QImage image)
{
    image.convertTo(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = 128 + (qGray(line[x]) - 128) / 2;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 3 / 5);
        }
    }
    return image;
}

// Draws each size when it is asked for, and keeps none: a window's icon is asked for once, when it
// is set, and kept by the window system.
class AppIconEngine final : public QIconEngine {
public:
    AppIconEngine() = default;

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
        const QSize pixels(qRound(rect.width() * ratio), qRound(rect.height() * ratio));
        QPixmap image = pixmap(pixels, mode, state);
        if (image.isNull())
            return;
        image.setDevicePixelRatio(ratio);
        const QSize shown = image.deviceIndependentSize().toSize();
        QRect target(QPoint(), shown);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, image);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return side > 0 ? QSize(side, side) : QSize();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        if (side <= 0)
            return {};
        QImage image = render(side);
        if (mode == QIcon::Disabled)
            image = disabled(std::move(image));
        return QPixmap::fromImage(std::move(image));
    }

    QIconEngine *clone() const override { return new AppIconEngine; }
    QString key() const override { return QStringLiteral("forgetally-appicon"); }
    bool isNull() override { return false; }

    // Scalable: no fixed set of sizes, as an SVG icon reports none.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {}; }
};

class IconAfterFirstPaint final : public QObject {
public:
    explicit IconAfterFirstPaint(QWidget &window) : QObject(&window), m_window(window)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &m_window && event->type() == QEvent::Paint) {
            m_window.removeEventFilter(this);
            // Queued: the painted frame goes to the screen first.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    QApplication::setWindowIcon(AppIcon());
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget &m_window;
};

} // namespace

QIcon AppIcon()
{
    return QIcon(new AppIconEngine);
}

void SetAppIconAfterFirstPaint(QWidget &window)
{
    new IconAfterFirstPaint(window);
}

} // namespace app
