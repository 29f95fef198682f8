// SPDX-License-Identifier: GPL-3.0-or-later
// The calculator window driven as a user drives it: keys, mouse presses, picks; message boxes
// answered and recorded.

#include "windowdriver.h"

#include "about/aboutwindow.h"
#include "about/frmabout.h"
#include "rules/texts.h"
#include "widgets/screenfit.h"
#include "widgets/utf8.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

using widgets::MessageIcon;

namespace {

// Messages of the window, as a player reads them.
const QString kDaysHelp = QStringLiteral(
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.");

} // namespace

class FrmMainTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowDriver> d;
    QLineEdit *field(const char *name, int row = -1) const
    {
        return row < 0 ? d->Field(QLatin1String(name)) : d->Field(WindowDriver::Row(name, row));
    }
    QString label(const char *name, int row = -1) const
    {
        return (row < 0 ? d->Label(QLatin1String(name)) : d->Label(WindowDriver::Row(name, row)))
            ->text();
    }
    void expectConsistent() const
    {
        const QStringList wrong = MismatchedLabels(*d);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d = std::make_unique<WindowDriver>();
    }
    void cleanup() { d.reset(); }

    // The start-up state itself is the form's (tests/form); the window shows it with the focus
    // on the type list.
    void starts_with_the_focus_on_the_type_list_and_the_columns_hidden()
    {
        QCOMPARE(d->window().windowTitle(), QStringLiteral("MIRVAK Production Calculator"));
        QTRY_COMPARE(QApplication::focusWidget(),
                     static_cast<QWidget *>(d->List(QStringLiteral("cboItemType"))));
        for (int i = 0; i < 10; ++i) {
            QVERIFY(d->Box(WindowDriver::Row("chkSilver", i))->isHidden());
            QVERIFY(field("txtShatterResist", i)->isHidden());
        }
        QVERIFY(d->Label(QStringLiteral("lblSilver"))->isHidden());
        QVERIFY(d->Label(QStringLiteral("lblShatterResist"))->isHidden());
        QVERIFY(d->messages().shown.empty());
    }

    void refused_text_keeps_the_focus_and_drops_the_action_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("route");
        const QString qty = WindowDriver::Row("txtItemQuantity", 1);
        const QString sr = WindowDriver::Row("txtShatterResist", 1);
        const auto ex = int(MessageIcon::Exclamation);
        for (const char *route : {"tab", "backtab", "mouse on workshop box",
                                  "mouse beside the workshop box's indicator", "mouse on Reset",
                                  "Alt+R", "mouse on another field", "mouse on a list"}) {
            QTest::addRow("days 0, %s", route)
                << "txtEventLength"
                << "0" << widgets::FromUtf8(rules::texts::kDaysRefused) << ex << route;
            QTest::addRow("skill empty, %s", route)
                << "txtSkillLevel"
                << "" << widgets::FromUtf8(rules::texts::kSkillLevelRefused) << ex << route;
            QTest::addRow("quantity 00, %s", route)
                << qty << "00" << widgets::FromUtf8(rules::texts::kQuantityRefused) << ex << route;
            QTest::addRow("shatter 3, %s", route)
                << sr << "3" << widgets::FromUtf8(rules::texts::kShatterResistRefused)
                << int(MessageIcon::None) << route;
        }
        QTest::newRow("quantity -3")
            << qty << "-3" << widgets::FromUtf8(rules::texts::kQuantityRefused) << ex << "tab";
        QTest::newRow("quantity abc")
            << qty << "abc" << widgets::FromUtf8(rules::texts::kQuantityRefused) << ex << "tab";
        QTest::newRow("quantity 0.0")
            << qty << "0.0" << widgets::FromUtf8(rules::texts::kQuantityRefused) << ex << "tab";
        QTest::newRow("quantity too large")
            << qty << "1000001" << widgets::FromUtf8(rules::texts::kQuantityTooLarge) << ex
            << "tab";
        QTest::newRow("days -1") << "txtEventLength"
                                 << "-1" << widgets::FromUtf8(rules::texts::kDaysRefused) << ex
                                 << "tab";
        QTest::newRow("days abc") << "txtEventLength"
                                  << "abc" << widgets::FromUtf8(rules::texts::kDaysRefused) << ex
                                  << "tab";
        QTest::newRow("days too small")
            << "txtEventLength"
            << "0.001" << widgets::FromUtf8(rules::texts::kDaysOutOfRange) << ex << "tab";
        QTest::newRow("skill 0.4")
            << "txtSkillLevel"
            << "0.4" << widgets::FromUtf8(rules::texts::kSkillLevelTooLow) << ex << "tab";
        QTest::newRow("skill 1e9")
            << "txtSkillLevel"
            << "1e9" << widgets::FromUtf8(rules::texts::kSkillLevelTooHigh) << ex << "tab";
        QTest::newRow("shatter 2.6")
            << sr << "2.6" << widgets::FromUtf8(rules::texts::kShatterResistRefused)
            << int(MessageIcon::None) << "tab";
        QTest::newRow("shatter empty")
            << sr << "" << widgets::FromUtf8(rules::texts::kShatterResistRefused)
            << int(MessageIcon::None) << "tab";
        QTest::newRow("shatter 1e10")
            << sr << "1e10" << widgets::FromUtf8(rules::texts::kShatterResistTooLarge)
            << int(MessageIcon::None) << "tab";
    }
    void refused_text_keeps_the_focus_and_drops_the_action()
    {
        QFETCH(QString, fieldName);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(int, icon);
        QFETCH(QString, route);
        d->PickType(QStringLiteral("Armour"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("2"));
        const QString rowCost = label("lblItemProdCost", 0);
        QLineEdit *edit = d->Field(fieldName);
        d->Click(edit);
        d->Type(text);
        d->messages().shown.clear();
        QCheckBox *workshop = d->Box(QStringLiteral("chkUseWorkshop"));
        if (route == QLatin1String("tab"))
            d->Key(Qt::Key_Tab);
        else if (route == QLatin1String("backtab"))
            d->Key(Qt::Key_Backtab, Qt::ShiftModifier);
        else if (route == QLatin1String("mouse on workshop box"))
            d->Click(workshop);
        else if (route.startsWith(QLatin1String("mouse beside")))
            d->ClickAt(workshop, QPoint(0, 0));
        else if (route == QLatin1String("mouse on Reset"))
            d->Click(d->Button(QStringLiteral("cmdReset")));
        else if (route == QLatin1String("Alt+R"))
            d->Key(Qt::Key_R, Qt::AltModifier);
        else if (route == QLatin1String("mouse on another field"))
            d->Click(d->Field(QStringLiteral("txtPlayerName")));
        else
            d->Click(d->List(WindowDriver::Row("cboItemName", 5)));
        QCOMPARE(int(d->messages().shown.size()), 1);
        QCOMPARE(d->messages().shown[0].text, message);
        QCOMPARE(int(d->messages().shown[0].icon), icon);
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit));
        QCOMPARE(edit->text(), text);
        QCOMPARE(edit->selectedText(), text);
        QCOMPARE(edit->cursorPosition(), 0); // so that a text longer than the field shows its start
        // The action on the other control was dropped: nothing changed, nothing was reset.
        QVERIFY(workshop->isChecked());
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(d->List(QStringLiteral("cboItemType"))->currentText(), QStringLiteral("Armour"));
        QCOMPARE(field("txtItemQuantity", 0)->text(), QStringLiteral("2"));
        QCOMPARE(label("lblItemProdCost", 0), rowCost);
    }

    void a_release_lost_to_the_message_box_does_not_eat_the_next_click()
    {
        QLineEdit *quantity = field("txtItemQuantity", 0);
        d->Click(quantity);
        d->Type(QStringLiteral("-3"));
        // The user presses Reset and lets go while the message is up: the release never arrives.
        QPushButton *reset = d->Button(QStringLiteral("cmdReset"));
        QTest::mousePress(d->window().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          reset->mapTo(&d->window(), reset->rect().center()));
        d->Settle();
        QCOMPARE(d->messages().Count(widgets::FromUtf8(rules::texts::kQuantityRefused)), 1);
        d->Type(QStringLiteral("2"));
        d->Click(d->Button(QStringLiteral("cmdHelpEventLength")));
        QCOMPARE(d->messages().Count(kDaysHelp), 1);
        QCOMPARE(label("lblItemProdCost", 0), QStringLiteral("16"));
    }

    void a_bare_box_takes_a_click_anywhere_in_its_area_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("where");
        QTest::addColumn<bool>("toggles");
        for (const char *box : {"chkUseWorkshop", "chkSilver_4"}) {
            QTest::addRow("%s, its indicator", box) << box << box << "indicator" << true;
            QTest::addRow("%s, top left corner", box) << box << box << "top left" << true;
            QTest::addRow("%s, bottom right corner", box) << box << box << "bottom right" << true;
            QTest::addRow("%s, Space", box) << box << box << "space" << true;
        }
        QTest::newRow("its caption label") << "chkUseWorkshop"
                                           << "Label2"
                                           << "centre" << false;
        QTest::newRow("its column heading") << "chkSilver_0"
                                            << "lblSilver"
                                            << "centre" << false;
    }
    void a_bare_box_takes_a_click_anywhere_in_its_area()
    {
        QFETCH(QString, box);
        QFETCH(QString, target);
        QFETCH(QString, where);
        QFETCH(bool, toggles);
        d->PickType(QStringLiteral("Weapons"));
        QCheckBox *checkBox = d->Box(box);
        auto *clicked = d->Get<QWidget>(target);
        const bool before = checkBox->isChecked();
        if (where == QLatin1String("top left"))
            d->ClickAt(clicked, QPoint(0, 0));
        else if (where == QLatin1String("bottom right"))
            d->ClickAt(clicked, clicked->rect().bottomRight());
        else if (where == QLatin1String("space")) {
            clicked->setFocus(Qt::TabFocusReason);
            d->Key(Qt::Key_Space);
        } else
            d->Click(clicked);
        QCOMPARE(checkBox->isChecked(), toggles ? !before : before);
        if (toggles)
            QCOMPARE(d->Focus(), static_cast<QWidget *>(checkBox));
        expectConsistent();
    }

    void accepted_text_runs_the_leave_and_then_the_action()
    {
        d->Click(field("txtItemQuantity", 0));
        d->Type(QStringLiteral("3 swords"));
        d->Click(d->Box(QStringLiteral("chkUseWorkshop")));
        QCOMPARE(label("lblItemProdCost", 0), QStringLiteral("24"));
        QVERIFY(!d->Box(QStringLiteral("chkUseWorkshop"))->isChecked());
        QCOMPARE(label("lblTotalCostPoints"), QStringLiteral("24 / 80"));
        QCOMPARE(d->Focus(), static_cast<QWidget *>(d->Box(QStringLiteral("chkUseWorkshop"))));
        d->Click(field("txtEventLength"));
        d->Type(QStringLiteral("0.5"));
        d->Key(Qt::Key_R, Qt::AltModifier);
        // Reset ran after the days were accepted, and kept them.
        QCOMPARE(d->List(QStringLiteral("cboItemType"))->currentText(), QStringLiteral("Armour"));
        QCOMPARE(field("txtEventLength")->text(), QStringLiteral("0.5"));
        QCOMPARE(label("lblTotalCostPoints"), QStringLiteral("0 / 40"));
        QVERIFY(d->messages().shown.empty());
    }

    void fields_select_their_text_on_entry_data()
    {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<bool>("selects");
        QTest::newRow("quantity") << WindowDriver::Row("txtItemQuantity", 4) << true;
        QTest::newRow("days") << "txtEventLength" << true;
        QTest::newRow("skill level") << "txtSkillLevel" << false;
    }
    void fields_select_their_text_on_entry()
    {
        QFETCH(QString, fieldName);
        QFETCH(bool, selects);
        QLineEdit *edit = d->Field(fieldName);
        edit->setText(QStringLiteral("12"));
        d->Click(edit);
        QCOMPARE(d->Focus(), static_cast<QWidget *>(edit));
        QCOMPARE(edit->selectedText(), selects ? QStringLiteral("12") : QString());
        // Entering by keyboard does the same.
        d->Click(d->List(QStringLiteral("cboItemType")));
        d->List(QStringLiteral("cboItemType"))->hidePopup();
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(edit->selectedText(), selects ? QStringLiteral("12") : QString());
    }

    void tab_walks_the_controls_in_order_once_round()
    {
        QStringList expected = {"cboItemType", "chkUseWorkshop", "chkEnforceSkillLevel",
                                "txtSkillLevel"};
        for (int i = 0; i < 10; ++i)
            expected << WindowDriver::Row("cboItemName", i)
                     << WindowDriver::Row("txtItemQuantity", i);
        expected << "txtPlayerName"
                 << "txtCharacterName"
                 << "cmdPrint"
                 << "cmdReset"
                 << "cmdAbout"
                 << "cmdSaveList"
                 << "cmdOpenList"
                 << "txtEventLength"
                 << "cmdHelpEventLength"
                 << "cboItemType";
        QTRY_VERIFY(QApplication::focusWidget());
        QStringList walked = {QApplication::focusWidget()->objectName()};
        for (int i = 1; i < expected.size(); ++i) {
            d->Key(Qt::Key_Tab);
            walked << d->Focus()->objectName();
        }
        QCOMPARE(walked, expected);
        QVERIFY(d->messages().shown.empty());
        // Backwards from the first control wraps to the "?" button.
        d->Key(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(d->Focus()->objectName(), QStringLiteral("cmdHelpEventLength"));
    }

    void tab_passes_over_hidden_and_disabled_controls()
    {
        d->PickType(QStringLiteral("Weapons"));
        d->Click(d->Box(QStringLiteral("chkEnforceSkillLevel")));
        QVERIFY(!field("txtSkillLevel")->isEnabled());
        QVERIFY(!d->Label(QStringLiteral("lblSkillLevel"))->isEnabled());
        d->Key(Qt::Key_Tab);
        QCOMPARE(d->Focus()->objectName(), QStringLiteral("cboItemName_0"));
        d->Key(Qt::Key_Tab);
        d->Key(Qt::Key_Tab);
        QCOMPARE(d->Focus()->objectName(), QStringLiteral("chkSilver_0"));
        d->Key(Qt::Key_Tab);
        QCOMPARE(d->Focus()->objectName(), QStringLiteral("txtShatterResist_0"));
    }

    void print_sends_the_shown_texts_to_the_printer()
    {
        std::vector<form::ReportDocument> printed;
        d->window().SetReportPrinter([&printed](const form::ReportDocument &doc) {
            printed.push_back(doc);
            return report::PrintOutcome::Printed;
        });
        d->PickType(QStringLiteral("Weapons"));
        d->PickItem(2, QStringLiteral("Long Sword"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 2), QStringLiteral("2"));
        d->Enter(QStringLiteral("txtPlayerName"), QStringLiteral("Ann"));
        d->Click(d->Button(QStringLiteral("cmdPrint")));
        QCOMPARE(int(printed.size()), 1);
        QStringList texts;
        for (const form::ReportLine &line : printed[0].lines)
            for (const form::ReportItem &item : line.items)
                if (item.kind == form::ReportItem::Kind::Text)
                    texts << QString::fromStdString(item.text);
        QVERIFY(texts.contains(QStringLiteral("Player Name: Ann")));
        QVERIFY(texts.contains(QStringLiteral("Long Sword")));
        QVERIFY(texts.contains(QStringLiteral("Total Production Points: 48 / 160")));
        QVERIFY(d->messages().shown.empty());
    }

    void print_is_dropped_while_a_field_is_refused()
    {
        int printed = 0;
        d->window().SetReportPrinter([&printed](const form::ReportDocument &) {
            ++printed;
            return report::PrintOutcome::Printed;
        });
        d->Click(field("txtItemQuantity", 0));
        d->Type(QStringLiteral("-3"));
        d->Click(d->Button(QStringLiteral("cmdPrint")));
        d->Key(Qt::Key_P, Qt::AltModifier);
        QCOMPARE(printed, 0);
        QCOMPARE(d->messages().Count(widgets::FromUtf8(rules::texts::kQuantityRefused)), 2);
    }

    void print_failure_is_reported_data()
    {
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("message");
        QTest::newRow("no printer")
            << int(report::PrintOutcome::NoPrinter)
            << QStringLiteral("The report was not printed: no printer is set up on this computer.");
        QTest::newRow("refused")
            << int(report::PrintOutcome::PrinterRefused)
            << QStringLiteral("The report was not printed: the printer refused the print job.");
    }
    void print_failure_is_reported()
    {
        QFETCH(int, outcome);
        QFETCH(QString, message);
        d->window().SetReportPrinter(
            [outcome](const form::ReportDocument &) { return report::PrintOutcome(outcome); });
        int dialogs = 0;
        d->window().SetPdfPathDialog([&dialogs](QWidget *, const QString &) {
            ++dialogs;
            return QString();
        });
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("4"));
        d->Click(d->Button(QStringLiteral("cmdPrint")));
        QCOMPARE(int(d->messages().shown.size()), 1);
        QCOMPARE(d->messages().shown[0].text, message);
        QCOMPARE(d->messages().shown[0].icon, MessageIcon::Exclamation);
        QCOMPARE(d->messages().shown[0].question,
                 QStringLiteral("Save the report as a PDF file instead?"));
        QCOMPARE(d->messages().shown[0].acceptButton, QStringLiteral("&Save as PDF..."));
        QCOMPARE(dialogs, 0); // the box was answered with Cancel
        QCOMPARE(field("txtItemQuantity", 0)->text(), QStringLiteral("4"));
    }

    void about_opens_one_window_and_the_calculator_stays_usable()
    {
        d->Key(Qt::Key_A, Qt::AltModifier);
        d->Click(d->Button(QStringLiteral("cmdAbout")));
        QTRY_VERIFY(about::OpenAboutWindow());
        int abouts = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            abouts += (qobject_cast<about::frmAbout *>(w) && w->isVisible()) ? 1 : 0;
        QCOMPARE(abouts, 1);
        d->window().activateWindow();
        QTRY_VERIFY(d->window().isActiveWindow());
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("2"));
        QCOMPARE(label("lblItemProdCost", 0), QStringLiteral("16"));
        about::OpenAboutWindow()->close();
        QTRY_VERIFY(!about::OpenAboutWindow());
    }

    // The form writes and reads back the separator it is given (tests/form); the window gives it
    // the locale's.
    void comma_locale_writes_the_labels_with_its_separator()
    {
        d.reset();
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        d = std::make_unique<WindowDriver>();
        d->PickType(QStringLiteral("Weapons"));
        d->PickItem(0, QStringLiteral("Long Sword"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("1"));
        QCOMPARE(label("lblItemSilverCost", 0), QStringLiteral("2,4"));
        QCOMPARE(label("lblTotalCostSilver"), QStringLiteral("2,4"));
        expectConsistent();
    }

    void real_message_box_has_the_title_icon_and_one_ok_button()
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer answer;
        connect(&answer, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = int(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        answer.start(10);
        widgets::DefaultMessageBoxes().Show(&d->window(), MessageIcon::Exclamation,
                                            QStringLiteral("Careful."));
        answer.stop();
        QCOMPARE(title, QStringLiteral("MIRVAK Production Calculator"));
        QCOMPARE(text, QStringLiteral("Careful."));
        QCOMPARE(icon, QMessageBox::Warning);
        QCOMPARE(buttons, 1);
    }

    void every_caption_fits_its_control()
    {
        for (QWidget *w : d->window().findChildren<QWidget *>()) {
            QString text;
            int room = w->width();
            if (auto *l = qobject_cast<QLabel *>(w))
                text = l->text();
            else if (auto *b = qobject_cast<QPushButton *>(w)) {
                text = b->text().remove(QLatin1Char('&'));
                room -= 4;
            } else if (auto *c = qobject_cast<QComboBox *>(w)) {
                for (int i = 0; i < c->count(); ++i)
                    if (QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)) >
                        QFontMetrics(c->font()).horizontalAdvance(text))
                        text = c->itemText(i);
                room -= 20;
            } else if (auto *g = qobject_cast<QGroupBox *>(w))
                text = g->title();
            else
                continue;
            const QFontMetrics metrics(w->font());
            QVERIFY2(metrics.horizontalAdvance(text) <= room,
                     qPrintable(w->objectName() + ": " + text));
            QVERIFY2(metrics.height() <= w->height() || qobject_cast<QGroupBox *>(w),
                     qPrintable(w->objectName()));
        }
    }

    void the_window_fits_its_screen()
    {
        const QRect room = d->window().screen()->availableGeometry();
        const QSize frame = d->window().frameGeometry().size();
        const double points = d->window().font().pointSizeF();
        // Only where even the smallest legible text needs more room may the window be larger.
        QVERIFY2((frame.width() <= room.width() && frame.height() <= room.height()) ||
                     points <= widgets::kSmallestLegiblePointSize,
                 qPrintable(QStringLiteral("%1 x %2 at %3 pt on %4 x %5")
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(points)
                                .arg(room.width())
                                .arg(room.height())));
        QVERIFY(points >=
                std::min(QApplication::font().pointSizeF(), widgets::kSmallestLegiblePointSize));
    }

    void the_largest_accepted_numbers_show_every_digit()
    {
        d->PickType(QStringLiteral("Weapons"));
        d->Click(d->Box(QStringLiteral("chkEnforceSkillLevel")));
        const std::pair<QString, QString> entries[] = {
            {WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("1000000")},
            {WindowDriver::Row("txtItemQuantity", 1), QStringLiteral("12345.5")},
            {WindowDriver::Row("txtShatterResist", 0), QStringLiteral("10000")},
            {QStringLiteral("txtEventLength"), QStringLiteral("10000")},
        };
        for (const auto &[name, text] : entries)
            d->Enter(name, text);
        field("txtSkillLevel")->setText(QStringLiteral("10000"));
        for (QLineEdit *edit :
             {field("txtItemQuantity", 0), field("txtItemQuantity", 1),
              field("txtShatterResist", 0), field("txtEventLength"), field("txtSkillLevel")}) {
            QApplication::processEvents();
            QVERIFY2(QFontMetrics(edit->font()).horizontalAdvance(edit->text()) <=
                         edit->width() - 6,
                     qPrintable(edit->objectName()));
        }
        for (QLabel *l : d->window().findChildren<QLabel *>())
            QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->objectName() + ": " + l->text()));
    }

    void every_control_has_a_name_a_screen_reader_can_speak()
    {
        for (QWidget *w : d->window().findChildren<QWidget *>()) {
            if (!(w->focusPolicy() & Qt::TabFocus) || w->objectName().isEmpty() ||
                w->parentWidget() == nullptr)
                continue;
            if (qobject_cast<QPushButton *>(w))
                continue; // buttons speak their captions
            if (w->objectName().startsWith(QLatin1String("qt_")))
                continue;
            QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
        }
        QAccessibleInterface *main = QAccessible::queryAccessibleInterface(&d->window());
        QVERIFY(main);
        QCOMPARE(main->role(), QAccessible::Window);
        QCOMPARE(main->text(QAccessible::Name), QStringLiteral("MIRVAK Production Calculator"));
        QCOMPARE(d->Field(QStringLiteral("txtItemQuantity_3"))->accessibleName(),
                 QStringLiteral("Quantity, row 4"));
        // A list is named by its column and row; its entry is its value and its text.
        QComboBox *list = d->List(QStringLiteral("cboItemName_2"));
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(list);
        QCOMPARE(spoken->text(QAccessible::Name), QStringLiteral("Item, row 3"));
        QCOMPARE(spoken->text(QAccessible::Value), list->currentText());
        QVERIFY(spoken->textInterface());
        QCOMPARE(spoken->textInterface()->text(0, 99), list->currentText());
    }
};

QTEST_MAIN(FrmMainTest)
#include "tst_frmmain.moc"
