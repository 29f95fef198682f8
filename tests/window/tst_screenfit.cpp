// SPDX-License-Identifier: GPL-3.0-or-later
// The window's scale and font, worked out from its texts and the room its screen has for it.

#include "widgets/fitfont.h"
#include "widgets/screenfit.h"
#include "window/layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <vector>

using widgets::FitToRoom;
using widgets::kSmallestLegiblePointSize;
using widgets::TwipScale;

namespace {

const QSize kClient(window::kClientTwipWidth, window::kClientTwipHeight);

// Some of the window's tightest texts: a long caption, a list entry beside its arrow, a button.
const std::vector<widgets::TextFit> kTexts = {
    {QStringLiteral("Enforce level restrictions"), 1935, 255, 0},
    {QStringLiteral("Alchemical Solvent (Contact)"), 2295, 315, 24},
    {QStringLiteral("&Reset Form"), 1215, 375, 0},
};

} // namespace

class ScreenFitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void texts_fit_and_the_window_fits_its_room_down_to_a_legible_font_data()
    {
        QTest::addColumn<double>("points");
        QTest::addColumn<QSize>("room");
        QTest::addColumn<QString>("expected");
        QTest::newRow("room to spare") << 9.0 << QSize(4000, 3000) << "as wanted";
        QTest::newRow("large font on a 1366 x 768 laptop") << 14.0 << QSize(1350, 720) << "shrunk";
        QTest::newRow("1366 x 768 at 144 dpi") << 12.0 << QSize(894, 464) << "any";
        QTest::newRow("smaller than the smallest legible text")
            << 9.0 << QSize(400, 240) << "smallest";
        QTest::newRow("desktop font already below it") << 6.0 << QSize(300, 200) << "smallest";
        QTest::newRow("no room at all") << 9.0 << QSize(0, 0) << "smallest";
    }
    void texts_fit_and_the_window_fits_its_room_down_to_a_legible_font()
    {
        QFETCH(double, points);
        QFETCH(QSize, room);
        QFETCH(QString, expected);
        QFont font = QApplication::font();
        font.setPointSizeF(points);
        const TwipScale wanted = TwipScale::ToFit(font, kTexts);
        const widgets::WindowFit fit = FitToRoom(font, kTexts, kClient, room);
        const QSize window = fit.scale.size(kClient.width(), kClient.height());
        const bool fitsRoom = window.width() <= room.width() && window.height() <= room.height();

        // Never clipped, never below a legible size (unless the desktop's own font is smaller).
        QVERIFY(TwipScale::ToFit(fit.font, kTexts).factor() <= fit.scale.factor());
        QVERIFY(fit.font.pointSizeF() >= std::min(points, kSmallestLegiblePointSize));
        QVERIFY(fit.font.pointSizeF() <= points);
        QCOMPARE(fit.font.family(), font.family());
        // The room is left only where the smallest legible font needs more.
        if (!fitsRoom)
            QCOMPARE(fit.font.pointSizeF(), std::min(points, kSmallestLegiblePointSize));
        if (expected == QLatin1String("as wanted")) {
            QCOMPARE(fit.scale.factor(), wanted.factor());
            QCOMPARE(fit.font, font);
        } else if (expected == QLatin1String("shrunk")) {
            QVERIFY(fitsRoom);
            QVERIFY(fit.font.pointSizeF() < points);
        } else if (expected == QLatin1String("smallest")) {
            QVERIFY(!fitsRoom);
        }
    }

    void a_monospaced_desktop_font_gives_way_to_a_proportional_one()
    {
        QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        mono.setPointSizeF(11);
        if (!QFontInfo(mono).fixedPitch())
            QSKIP("no monospaced font on this machine");
        const QFont font = widgets::ProportionalFont(mono);
        QVERIFY(!QFontInfo(font).fixedPitch());
        QCOMPARE(font.pointSizeF(), 11.0);
        QFont sans = QApplication::font();
        sans.setStyleHint(QFont::SansSerif);
        if (!QFontInfo(sans).fixedPitch())
            QCOMPARE(widgets::ProportionalFont(sans), sans);
    }
};

QTEST_MAIN(ScreenFitTest)
#include "tst_screenfit.moc"
