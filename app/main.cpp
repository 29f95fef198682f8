#include "version.h"
#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("forgeTally"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(forgetally::kVersionMajor)
                                            .arg(forgetally::kVersionMinor)
                                            .arg(forgetally::kVersionRevision));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.forgetally"));

    window::frmMain main;
    main.show();
    return app.exec();
}
