#include "version.h"
#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("forgeTally"));
    QApplication::setApplicationVersion(QLatin1String(forgetally::kVersionText));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.forgetally"));

    window::frmMain main;
    main.show();
    return app.exec();
}
