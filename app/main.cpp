// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/appicon.h"
#include "rules/texts.h"
#include "version.h"
#include "widgets/applicationtitle.h"
#include "widgets/fitfont.h"
#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("forgeTally"));
    QApplication::setApplicationVersion(QLatin1String(forgetally::kVersionText));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.forgetally"));
    widgets::SetApplicationTitle(QString::fromUtf8(rules::texts::kAppTitle));

    // A desktop font that falls to a monospaced face is replaced by a proportional one.
    QApplication::setFont(widgets::ProportionalFont(QApplication::font()));
    window::frmMain main;
    app::SetAppIconAfterFirstPaint(main);
    main.show();
    return app.exec();
}
