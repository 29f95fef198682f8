// SPDX-License-Identifier: GPL-3.0-or-later
// The over-level warning comes once per action, after the action and the boxes it opened.

#include "windowdriver.h"

#include <QApplication>
#include <QTest>

#include <memory>

using widgets::MessageIcon;

namespace {

const QString kOverLevelWarning = QStringLiteral(
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.");
const QString kDaysHelp = QStringLiteral(
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.");

} // namespace

class OverLevelWarningTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<WindowDriver> d;
    QLineEdit *field(const char *name, int row) const
    {
        return d->Field(WindowDriver::Row(name, row));
    }
    QString label(const char *name, int row = -1) const
    {
        return (row < 0 ? d->Label(QLatin1String(name)) : d->Label(WindowDriver::Row(name, row)))
            ->text();
    }

private Q_SLOTS:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d = std::make_unique<WindowDriver>();
    }
    void cleanup() { d.reset(); }

    void workshop_click_warns_once_when_over_the_level()
    {
        d->PickType(QStringLiteral("Armour"));
        d->Enter(QStringLiteral("txtEventLength"), QStringLiteral("1"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("100"));
        // 100 points against 80: over the level after the one action of leaving the field.
        QCOMPARE(d->messages().Count(kOverLevelWarning), 1);
        d->messages().shown.clear();
        d->Click(d->Box(QStringLiteral("chkUseWorkshop")));
        // 100 against 40 still over; the flag alternates, so this action shows nothing.
        QCOMPARE(label("lblTotalCostPoints"), QStringLiteral("100 / 40"));
        QCOMPARE(d->messages().Count(kOverLevelWarning), 0);
        d->Click(d->Box(QStringLiteral("chkUseWorkshop")));
        QCOMPARE(d->messages().Count(kOverLevelWarning), 1);
        QCOMPARE(d->messages().shown[0].icon, MessageIcon::Exclamation);
        QVERIFY(d->window().LevelWarningShown());
    }

    void warning_waits_for_the_box_that_the_action_opened()
    {
        d->messages().spinLikeAModalBox = true;
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("100"));
        d->Click(d->Box(QStringLiteral("chkUseWorkshop"))); // still over: the alternation skips
        d->Click(field("txtItemQuantity", 1));
        d->Type(QStringLiteral("1"));
        d->Click(d->Button(QStringLiteral("cmdHelpEventLength")));
        d->Settle();
        QStringList texts;
        for (const ShownMessage &m : d->messages().shown)
            texts << m.text;
        QCOMPARE(texts, (QStringList{kOverLevelWarning, kDaysHelp, kOverLevelWarning}));
        QCOMPARE(d->messages().deepest, 1);
    }

    void warning_comes_when_the_press_ends_over_another_window()
    {
        d->Click(field("txtItemQuantity", 0));
        d->Type(QStringLiteral("100"));
        // The press that leaves the field opens a row's list, whose popup then gets the release.
        QComboBox *list = d->List(WindowDriver::Row("cboItemName", 3));
        const QPoint centre = list->rect().center();
        QTest::mousePress(d->window().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          list->mapTo(&d->window(), centre));
        d->Settle();
        QCOMPARE(label("lblItemProdCost", 0), QStringLiteral("800"));
        QCOMPARE(d->messages().Count(kOverLevelWarning), 0);
        QWidget *popup = QApplication::activePopupWidget();
        QVERIFY(popup);
        QTest::mouseRelease(popup->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                            popup->mapFromGlobal(list->mapToGlobal(centre)));
        d->Settle();
        QCOMPARE(d->messages().Count(kOverLevelWarning), 1);
        list->hidePopup();
    }

    void rebuild_that_ends_empty_does_not_warn()
    {
        d->PickType(QStringLiteral("Armour"));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("200"));
        QCOMPARE(d->messages().Count(kOverLevelWarning), 1);
        d->messages().shown.clear();
        d->PickType(QStringLiteral("Weapons"));
        d->PickType(QStringLiteral("Potions"));
        QCOMPARE(label("lblTotalCostPoints"), QStringLiteral("0 / 160"));
        QVERIFY(d->messages().shown.empty());
    }

    void no_warning_while_the_enforce_box_is_off()
    {
        d->Click(d->Box(QStringLiteral("chkEnforceSkillLevel")));
        d->Enter(WindowDriver::Row("txtItemQuantity", 0), QStringLiteral("500"));
        QCOMPARE(label("lblTotalCostPoints"), QStringLiteral("4000 / 160"));
        QVERIFY(d->messages().shown.empty());
    }
};

QTEST_MAIN(OverLevelWarningTest)
#include "tst_overlevelwarning.moc"
