// SPDX-License-Identifier: GPL-3.0-or-later
// The About window, driven offscreen through its single-instance opener.

#include "about/aboutwindow.h"
#include "about/frmabout.h"
#include "about/separatorline.h"
#include "app/appicon.h"
#include "rules/texts.h"
#include "version.h"
#include "widgets/applicationtitle.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QUrl>
#include <QWindow>

using about::frmAbout;

namespace {

// The About window's version line for this release.
QString VersionLine()
{
    return QStringLiteral("Version ") + QLatin1String(forgetally::kVersionText);
}

// Receives the desktop's "open this address" requests in place of a browser.
class UrlRecorder : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened << url; }
};

template <typename T> T *Child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

QLabel *Label(QWidget *window, const char *name)
{
    return Child<QLabel>(window, name);
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

private:
    UrlRecorder m_urls;

    // Opens the window and waits until it is active with the focus placed.
    frmAbout *Open()
    {
        frmAbout *window = about::ShowAboutWindow();
        if (window && !QTest::qWaitForWindowActive(window))
            return nullptr;
        return window;
    }

private Q_SLOTS:
    void initTestCase()
    {
        // What main sets: the title and the icon that the About window shows.
        widgets::SetApplicationTitle(QString::fromUtf8(rules::texts::kAppTitle));
        QApplication::setWindowIcon(app::AppIcon());
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_urls, "open");
    }

    void cleanupTestCase() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    void init()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        m_urls.opened.clear();
        delete about::OpenAboutWindow();
        QVERIFY(!about::OpenAboutWindow());
    }

    void load_step_sets_title_bar_and_title_and_version()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QStringLiteral("About MIRVAK Production Calculator"));
        QCOMPARE(Label(window, "lblTitle")->text(), QStringLiteral("MIRVAK Production Calculator"));
        QCOMPARE(Label(window, "lblVersion")->text(), VersionLine());
    }

    void static_texts_are_the_parts_texts()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        QCOMPARE(Label(window, "lblDescription")->text(),
                 QStringLiteral("This program follows the standard MIRVAK International rules as "
                                "they stood in the 8th Edition rulebook at time of compile. "
                                "Changes made since that time may require an update to this "
                                "program."));
        QCOMPARE(Label(window, "Label1")->text(),
                 QStringLiteral("To check for updates, use the Visit Homepage button."));
        QCOMPARE(Label(window, "lblDisclaimer")->text(),
                 QStringLiteral("Warning: This program is a beta. It might give you wrong "
                                "numbers. Do not use it for anything important without double "
                                "checking the figures first."));
        const QString credit = Label(window, "Label2")->text();
        QVERIFY2(credit.contains(QStringLiteral("the forgeTally developers")), qPrintable(credit));
        QVERIFY2(credit.contains(QStringLiteral("forgetally@example.org")), qPrintable(credit));
        QCOMPARE(Child<QPushButton>(window, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(Child<QPushButton>(window, "cmdHomepage")->text(),
                 QStringLiteral("Visit Homepage"));
        QVERIFY(Label(window, "lblDescription")->wordWrap());
        QVERIFY(Label(window, "lblDisclaimer")->wordWrap());
    }

    void black_labels_have_black_text_and_the_others_the_default()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        for (const char *name : {"lblTitle", "Label2", "lblDescription", "lblDisclaimer"})
            QVERIFY2(Label(window, name)->palette().color(QPalette::WindowText) ==
                         QColor(Qt::black),
                     name);
        for (const char *name : {"lblVersion", "Label1"})
            QVERIFY2(Label(window, name)->palette().color(QPalette::WindowText) ==
                         QApplication::palette(Label(window, name)).color(QPalette::WindowText),
                     name);
        // A dark theme chosen while it is open (white text): black would all but vanish there.
        QApplication::setPalette(QPalette(Qt::darkGray, Qt::black)); // button, window
        QCoreApplication::processEvents(); // the change reaches the windows through the queue
        for (const char *name : {"lblTitle", "Label2", "lblDescription", "lblDisclaimer"})
            QVERIFY2(Label(window, name)->palette().windowText().color() == Qt::white, name);
        QCOMPARE(Child<about::SeparatorLine>(window, "Line1_0")->colour(),
                 QApplication::palette().light().color());
    }

    void frame_is_fixed_with_only_a_close_box_and_no_task_bar_entry()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        QVERIFY(window->isWindow());
        QVERIFY(!window->parentWidget());
        QVERIFY(!window->isModal());
        const Qt::WindowFlags flags = window->windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Tool); // a utility window: no task-bar entry
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(!Label(window, "picIcon")->pixmap().isNull());
        QCOMPARE(Label(window, "picIcon")->size(), QSize(32, 32));
    }

    // Run with two screens too: the window opens on the one that holds its owner, above it.
    void opens_at_its_offset_on_the_screen_of_its_owner_and_above_it()
    {
        QWidget owner; // on the last screen
        owner.setGeometry(QGuiApplication::screens().constLast()->geometry().center().x(), 9, 9, 9);
        owner.show();
        frmAbout *window = about::ShowAboutWindow(&owner);
        QCOMPARE(window->geometry().topLeft(),
                 owner.screen()->geometry().topLeft() + QPoint(156, 129));
        QCOMPARE(window->windowHandle()->transientParent(), owner.windowHandle());
    }

    void client_area_and_controls_follow_the_twip_table_with_one_factor()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        const double k = window->twipScale();
        QVERIFY(k >= 1.0);
        const auto px = [k](int twips) { return int(std::lround(twips * k / 15)); };
        QCOMPARE(window->size(), QSize(px(5730), px(3555)));
        const QPoint screen = QGuiApplication::primaryScreen()->geometry().topLeft();
        QCOMPARE(window->geometry().topLeft(), screen + QPoint(2340 / 15, 1935 / 15));
        const struct {
            const char *name;
            int left, top, width, height;
        } table[] = {
            {"lblTitle", 1050, 240, 3885, 240},   {"Label2", 1050, 480, 3885, 240},
            {"lblVersion", 1050, 780, 3885, 225}, {"lblDescription", 1050, 1125, 3885, 810},
            {"Label1", 1050, 2040, 3975, 255},    {"lblDisclaimer", 255, 2625, 3870, 825},
            {"cmdOK", 4245, 2625, 1260, 345},     {"cmdHomepage", 4245, 3000, 1260, 345},
        };
        for (const auto &row : table) {
            const QWidget *control = Child<QWidget>(window, row.name);
            QVERIFY2(control, row.name);
            const QRect expected(px(row.left), px(row.top), px(row.left + row.width) - px(row.left),
                                 px(row.top + row.height) - px(row.top));
            QVERIFY2(control->geometry() == expected, row.name);
        }
        QCOMPARE(Label(window, "picIcon")->pos(), QPoint(px(240), px(240)));
    }

    void every_text_fits_its_control()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        const QFontMetrics metrics(window->font());
        for (QLabel *label : window->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            const QRect box = label->contentsRect();
            const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
            const QRect needed =
                metrics.boundingRect(QRect(0, 0, box.width(), 10000), flags, label->text());
            QVERIFY2(needed.width() <= box.width() && needed.height() <= box.height(),
                     qPrintable(label->objectName()));
        }
        for (QPushButton *button : window->findChildren<QPushButton *>())
            QVERIFY2(button->sizeHint().width() <= button->width() &&
                         button->sizeHint().height() <= button->height(),
                     qPrintable(button->objectName()));
    }

    void etched_separator_is_grey_over_white()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        auto *grey = Child<about::SeparatorLine>(window, "Line1_1");
        auto *white = Child<about::SeparatorLine>(window, "Line1_0");
        QVERIFY(grey && white);
        QCOMPARE(grey->colour(), QColor(128, 128, 128));
        QCOMPARE(white->colour(), QColor(Qt::white));
        QCOMPARE(grey->height(), 1);
        QCOMPARE(white->height(), 2);
        QCOMPARE(white->y(), grey->y() + 1);
        QCOMPARE(grey->geometry().right(), white->geometry().right());
        const QImage picture = window->grab().toImage();
        const int x = window->width() / 2;
        QCOMPARE(QColor(picture.pixel(x, grey->y())), QColor(128, 128, 128));
        QCOMPARE(QColor(picture.pixel(x, white->y())), QColor(Qt::white));
        QCOMPARE(QColor(picture.pixel(x, white->y() + 1)), QColor(Qt::white));
    }

    void every_control_has_an_accessible_name()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        for (const char *name :
             {"picIcon", "lblTitle", "Label2", "lblVersion", "lblDescription", "Label1", "Line1_0",
              "Line1_1", "lblDisclaimer", "cmdOK", "cmdHomepage"}) {
            const QWidget *control = Child<QWidget>(window, name);
            QVERIFY2(control, name);
            QVERIFY2(!control->accessibleName().isEmpty(), name);
        }
        QCOMPARE(Label(window, "lblVersion")->accessibleName(), VersionLine());
    }

    void opens_with_the_focus_on_ok_and_tabs_between_the_two_buttons()
    {
        frmAbout *window = Open();
        QVERIFY(window);
        auto *ok = Child<QPushButton>(window, "cmdOK");
        auto *homepage = Child<QPushButton>(window, "cmdHomepage");
        QTRY_COMPARE(QApplication::focusWidget(), ok);
        QVERIFY(ok->isDefault());
        QTest::keyClick(ok, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), homepage);
        QTest::keyClick(homepage, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok); // the labels never take the focus
    }

    void second_opening_shows_the_same_window_without_loading_again()
    {
        frmAbout *first = Open();
        QVERIFY(first);
        Label(first, "lblVersion")->setText(QStringLiteral("marker"));
        frmAbout *second = Open();
        QCOMPARE(second, first);
        QCOMPARE(Label(second, "lblVersion")->text(), QStringLiteral("marker"));
        int windows = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            windows += qobject_cast<frmAbout *>(widget) != nullptr;
        QCOMPARE(windows, 1);
    }

    void closing_keys_discard_the_window_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::newRow("Esc on OK") << QStringLiteral("cmdOK") << int(Qt::Key_Escape);
        QTest::newRow("Esc on Visit Homepage")
            << QStringLiteral("cmdHomepage") << int(Qt::Key_Escape);
        QTest::newRow("Enter on OK") << QStringLiteral("cmdOK") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on OK") << QStringLiteral("cmdOK") << int(Qt::Key_Enter);
    }

    void closing_keys_discard_the_window()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        auto *button = window->findChild<QPushButton *>(focus);
        button->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), button);
        QTest::keyClick(button, Qt::Key(key));
        QTRY_VERIFY(window.isNull()); // deleted, not just hidden
        QVERIFY(!about::OpenAboutWindow());
        QVERIFY(m_urls.opened.isEmpty());
    }

    void enter_on_visit_homepage_presses_it_and_the_window_stays()
    {
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        auto *homepage = Child<QPushButton>(window, "cmdHomepage");
        homepage->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), homepage);
        QTest::keyClick(homepage, Qt::Key_Return);
        QCOMPARE(m_urls.opened,
                 QList<QUrl>{QUrl(QStringLiteral("https://forgetally.example.org/"))});
        QCoreApplication::processEvents();
        QVERIFY(window && window->isVisible());
    }

    void visit_homepage_asks_each_time_and_the_window_stays_open()
    {
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        auto *homepage = Child<QPushButton>(window, "cmdHomepage");
        for (int i = 0; i < 3; ++i)
            QTest::mouseClick(homepage, Qt::LeftButton);
        QCOMPARE(m_urls.opened.size(), 3);
        for (const QUrl &url : m_urls.opened)
            QCOMPARE(url, QUrl(QStringLiteral("https://forgetally.example.org/")));
        QCoreApplication::processEvents();
        QVERIFY(window && window->isVisible());
    }

    void ok_discards_the_window_and_the_next_opening_loads_afresh()
    {
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        Label(window, "lblVersion")->setText(QStringLiteral("marker"));
        QTest::mouseClick(Child<QPushButton>(window, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(window.isNull());
        frmAbout *again = Open();
        QVERIFY(again);
        QCOMPARE(Label(again, "lblVersion")->text(), VersionLine());
    }

    void close_box_discards_the_window()
    {
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        QVERIFY(window->close());
        QTRY_VERIFY(window.isNull());
    }

    void other_windows_stay_usable_while_it_is_open()
    {
        QWidget other;
        auto *button = new QPushButton(QStringLiteral("press"), &other);
        QSignalSpy clicks(button, &QPushButton::clicked);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QPointer<frmAbout> window = Open();
        QVERIFY(window);
        QVERIFY(!QApplication::activeModalWidget());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks.size(), 1);
        QVERIFY(window->isVisible());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "test_about_window.moc"
