// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as the hicolor theme's PNGs, <dir>/<n>x<n>/apps/forgetally.png, so
// that the desktop shows the same drawing as the window. Runs at build time, with no display.

#include "app/appicon.h"

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY\n", argc > 0 ? argv[0] : "make_icons");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString root = QString::fromLocal8Bit(argv[1]);
    const QIcon icon = app::AppIcon();
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = dir + QStringLiteral("/forgetally.png");
        // A pixel ratio of 1 whatever the screen says: the theme's sizes are in pixels.
        const QPixmap image = icon.pixmap(QSize(side, side), 1.0);
        if (!QDir().mkpath(dir) || image.size() != QSize(side, side) || !image.save(file, "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
