// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: every size the window system and the icon theme ask for comes out at that
// size, shows the drawing with both its dark and light parts, and keeps its corners clear.

#include "app/appicon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

namespace {

struct Coverage {
    double dark = 0;  // share of the square in near-black (the iron)
    double light = 0; // share in near-white (the tally)
    double clear = 0; // share fully transparent
};

Coverage measure(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Coverage coverage;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                ++coverage.clear;
            else if (qAlpha(pixel) == 255 && qGray(pixel) < 60)
                ++coverage.dark;
            else if (qAlpha(pixel) == 255 && qGray(pixel) > 200)
                ++coverage.light;
        }
    const double all = image.width() * image.height();
    return {coverage.dark / all, coverage.light / all, coverage.clear / all};
}

} // namespace

class AppIconTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachSizeShowsTheDrawing_data()
    {
        QTest::addColumn<int>("side");
        for (int side : {16, 20, 22, 24, 32, 40, 48, 64, 96, 128, 256, 512})
            QTest::addRow("%dx%d", side, side) << side;
    }

    void eachSizeShowsTheDrawing()
    {
        QFETCH(int, side);
        const QPixmap pixmap = app::AppIcon().pixmap(QSize(side, side), 1.0);
        QCOMPARE(pixmap.size(), QSize(side, side));
        const QImage image = pixmap.toImage();

        // The rounded tile leaves the corners (all but) clear and covers the middle.
        QVERIFY(qAlpha(image.pixel(0, 0)) < 16);
        QVERIFY(qAlpha(image.pixel(side - 1, side - 1)) < 16);
        QCOMPARE(qAlpha(image.pixel(side / 2, side / 2)), 255);

        const Coverage coverage = measure(image);
        QVERIFY2(coverage.dark > 0.15, qPrintable(QString::number(coverage.dark)));
        QVERIFY2(coverage.light > 0.02, qPrintable(QString::number(coverage.light)));
        QVERIFY2(coverage.clear < 0.25, qPrintable(QString::number(coverage.clear)));
    }

    void aNonSquareRequestGetsTheLargestSquareThatFits()
    {
        const QIcon icon = app::AppIcon();
        QCOMPARE(icon.actualSize(QSize(48, 32)), QSize(32, 32));
        QCOMPARE(icon.pixmap(QSize(48, 32), 1.0).size(), QSize(32, 32));
    }

    void anEmptyRequestGivesNoPixmap()
    {
        const QIcon icon = app::AppIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.pixmap(QSize(0, 0), 1.0).isNull());
        QVERIFY(icon.pixmap(QSize(-4, 16), 1.0).isNull());
    }

    void aHighDensityScreenGetsDevicePixels()
    {
        const QPixmap pixmap = app::AppIcon().pixmap(QSize(32, 32), 2.0);
        QCOMPARE(pixmap.size(), QSize(64, 64));
        QCOMPARE(pixmap.devicePixelRatio(), 2.0);
    }

    void theDisabledIconIsGreyAndDiffersFromTheNormalOne()
    {
        const QIcon icon = app::AppIcon();
        const QImage normal = icon.pixmap(QSize(32, 32), 1.0, QIcon::Normal).toImage();
        const QImage greyed = icon.pixmap(QSize(32, 32), 1.0, QIcon::Disabled)
                                  .toImage()
                                  .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(normal.convertToFormat(QImage::Format_ARGB32) != greyed);
        for (int y = 0; y < greyed.height(); ++y)
            for (int x = 0; x < greyed.width(); ++x) {
                const QRgb pixel = greyed.pixel(x, y);
                QVERIFY(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel));
            }
    }

    // A copy that is changed gets its own engine: the original must keep drawing.
    void aChangedCopyLeavesTheOriginalAlone()
    {
        const QIcon original = app::AppIcon();
        QIcon copy = original;
        QPixmap plain(16, 16);
        plain.fill(Qt::red);
        copy.addPixmap(plain);
        const QImage drawn = original.pixmap(QSize(16, 16), 1.0).toImage();
        QVERIFY(qAlpha(drawn.pixel(8, 8)) == 255 && qRed(drawn.pixel(8, 8)) != 255);
        QVERIFY(measure(drawn).dark > 0.15);
    }
};

QTEST_MAIN(AppIconTest)
#include "appicon_test.moc"
