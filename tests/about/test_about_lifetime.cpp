// SPDX-License-Identifier: GPL-3.0-or-later
// The program ends when its last window closes, and the About window counts as one: closing
// the other window leaves it open and the program running. The application's own event loop
// runs here, since QGuiApplication only reacts to the last window closing while exec() runs.

#include "about/aboutwindow.h"
#include "about/frmabout.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

class AboutLifetimeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closing_the_main_window_leaves_about_open_until_it_is_closed_too()
    {
        QVERIFY(QApplication::quitOnLastWindowClosed());
        auto *mainWindow = new QWidget; // stands in for frmMain
        mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        mainWindow->show();
        QPointer<about::frmAbout> window = about::ShowAboutWindow(mainWindow);

        int lastWindowClosed = 0;
        connect(qApp, &QGuiApplication::lastWindowClosed, this, [&] { ++lastWindowClosed; });
        bool aboutOpenAfterMainClosed = false;
        int closedSignalsBeforeAboutClosed = -1;
        QTimer::singleShot(100, this, [&] { mainWindow->close(); });
        QTimer::singleShot(300, this, [&] {
            aboutOpenAfterMainClosed = window && window->isVisible();
            closedSignalsBeforeAboutClosed = lastWindowClosed;
            if (window)
                window->close();
        });
        QTimer::singleShot(5000, this, [] { QCoreApplication::exit(2); }); // the program hangs
        const int result = QApplication::exec();

        QVERIFY(aboutOpenAfterMainClosed);
        QCOMPARE(closedSignalsBeforeAboutClosed, 0);
        QCOMPARE(result, 0); // ended by closing the last window, not by the time-out
        QCOMPARE(lastWindowClosed, 1);
    }
};

QTEST_MAIN(AboutLifetimeTest)
#include "test_about_lifetime.moc"
