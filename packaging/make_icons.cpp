// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as the hicolor theme's PNGs, <dir>/<n>x<n>/apps/forgetally.png, so
// that the desktop shows the same drawing as the window, and the same sizes as one Windows icon,
// <dir>/forgetally.ico, for the .exe. Given sizes, it writes only <dir>/icon-<n>.png for each, as
// the web app manifest names them. Runs at build time, with no display.

#include "app/appicon.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QString>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

// An .ico file whose images are PNGs, as Windows reads them since Vista: a header, one directory
// entry per size (256 is written as 0), then the images.
bool WriteIco(const QString &path, const std::vector<std::pair<int, QByteArray>> &pngs)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pngs.size());
    quint32 offset = 6 + 16 * quint32(pngs.size());
    for (const auto &[side, png] : pngs) {
        out << quint8(side % 256) << quint8(side % 256) << quint8(0) << quint8(0) << quint16(1)
            << quint16(32) << quint32(png.size()) << offset;
        offset += quint32(png.size());
    }
    for (const auto &[side, png] : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok && file.flush();
}

// The icon at side x side pixels as a PNG file; a pixel ratio of 1 whatever the screen says.
bool WritePng(const QIcon &icon, int side, const QString &file, QByteArray &png)
{
    const QPixmap image = icon.pixmap(QSize(side, side), 1.0);
    QBuffer buffer(&png);
    QFile out(file);
    return image.size() == QSize(side, side) && buffer.open(QIODevice::WriteOnly) &&
           image.save(&buffer, "PNG") && out.open(QIODevice::WriteOnly) &&
           out.write(png) == png.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-DIRECTORY [SIZE...]\n",
                     argc > 0 ? argv[0] : "make_icons");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QString root = QString::fromLocal8Bit(argv[1]);
    const QIcon icon = app::AppIcon();
    if (argc > 2) {
        for (int i = 2; i < argc; ++i) {
            bool number = false;
            const int side = QString::fromLocal8Bit(argv[i]).toInt(&number);
            const QString file = QStringLiteral("%1/icon-%2.png").arg(root).arg(side);
            QByteArray png;
            if (!number || side < 16 || side > 1024 || !QDir().mkpath(root) ||
                !WritePng(icon, side, file, png)) {
                std::fprintf(stderr, "make_icons: cannot write an icon of size %s in %s\n", argv[i],
                             qPrintable(root));
                return 1;
            }
        }
        return 0;
    }
    std::vector<std::pair<int, QByteArray>> pngs;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = dir + QStringLiteral("/forgetally.png");
        QByteArray png;
        if (!QDir().mkpath(dir) || !WritePng(icon, side, file, png)) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
        pngs.emplace_back(side, png);
    }
    const QString ico = root + QStringLiteral("/forgetally.ico");
    if (!WriteIco(ico, pngs)) {
        std::fprintf(stderr, "make_icons: cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
