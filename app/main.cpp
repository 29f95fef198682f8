#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("forgeTally"));
    QApplication::setApplicationDisplayName(QStringLiteral("MIRVAK Production Calculator"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.7"));

    window::frmMain main;
    main.show();
    return app.exec();
}
