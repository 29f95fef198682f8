// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded random walk of user actions over the window: odd texts typed into fields, Tab,
// clicks, picks, option clicks and Reset, every message answered. After every action each label
// must equal what the rules give for the window's inputs, and every row must have an item.
// A walk that is mostly refused, or that never moves the totals, compares little: below the
// floors it fails, however few mismatches it saw.

#include "windowdriver.h"

#include "rules/texts.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <random>
#include <set>

namespace {

const char *const kOddTexts[] = {
    "",      "0",   "00",       "0.0",  "-0",    "1",     "2",      "3",       "1.5",     "2.5",
    "-2",    "abc", "3 swords", "1 2",  "1,5",   "1e3",   "1e10",   "1e999",   "&H10",    "&O17",
    " 4 ",   "0.4", "0.5",      "0.51", "10000", "10001", "999999", "1000000", "1000001", "0.01",
    "0.009", ".5",  "5.",       "+7",   "1e",    "2e-3",  "\t6",    "12abc",
};

QString Valid()
{
    return QStringLiteral("2");
}

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void random_actions_keep_every_label_right();
};

void MonkeyTest::random_actions_keep_every_label_right()
{
    const unsigned seed = qEnvironmentVariableIsSet("FORGETALLY_MONKEY_SEED")
                              ? qEnvironmentVariable("FORGETALLY_MONKEY_SEED").toUInt()
                              : 20261208u;
    const int actions = qEnvironmentVariableIsSet("FORGETALLY_MONKEY_ACTIONS")
                            ? qEnvironmentVariableIntValue("FORGETALLY_MONKEY_ACTIONS")
                            : 3000;
    std::mt19937 random(seed);
    auto pick = [&random](int n) {
        return int(std::uniform_int_distribution<int>(0, n - 1)(random));
    };

    const std::set<QString> refusals = {
        QString::fromUtf8(rules::texts::kDaysRefused.data()),
        QString::fromUtf8(rules::texts::kDaysOutOfRange.data()),
        QString::fromUtf8(rules::texts::kSkillLevelRefused.data()),
        QString::fromUtf8(rules::texts::kSkillLevelTooLow.data()),
        QString::fromUtf8(rules::texts::kSkillLevelTooHigh.data()),
        QString::fromUtf8(rules::texts::kQuantityRefused.data()),
        QString::fromUtf8(rules::texts::kQuantityTooLarge.data()),
        QString::fromUtf8(rules::texts::kShatterResistRefused.data()),
        QString::fromUtf8(rules::texts::kShatterResistTooLarge.data()),
        QString::fromUtf8(rules::texts::kDaysComma.data()),
        QString::fromUtf8(rules::texts::kSkillLevelComma.data()),
        QString::fromUtf8(rules::texts::kQuantityComma.data()),
        QString::fromUtf8(rules::texts::kShatterResistComma.data()),
    };

    WindowDriver d;
    const QStringList types = {"Alchemy", "Armour", "Crystals", "Potions", "Scrolls", "Weapons"};
    const QStringList buttons = {"cmdReset", "cmdHelpEventLength"};
    const QStringList boxes = {"chkUseWorkshop", "chkEnforceSkillLevel"};
    bool refused = false;
    int checked = 0;
    int messages = 0;
    std::set<QString> totals; // the points totals seen after checked steps

    for (int step = 0; step < actions; ++step) {
        const std::size_t before = d.messages().shown.size();
        if (refused) {
            // A refused field keeps the focus until its text is corrected.
            d.Type(Valid());
            d.Key(Qt::Key_Tab);
        } else {
            switch (pick(9)) {
            case 0:
            case 1: {
                QStringList fields = {"txtSkillLevel", "txtEventLength"};
                for (int i = 0; i < 10; ++i)
                    fields << WindowDriver::Row("txtItemQuantity", i)
                           << WindowDriver::Row("txtShatterResist", i);
                QLineEdit *edit = d.Field(fields[pick(int(fields.size()))]);
                if (!edit->isVisible() || !edit->isEnabled())
                    break;
                d.Click(edit);
                if (d.messages().shown.size() > before)
                    break;
                d.Type(QString::fromUtf8(kOddTexts[pick(int(std::size(kOddTexts)))]));
                if (pick(2) == 0)
                    d.Key(pick(4) == 0 ? Qt::Key_Backtab : Qt::Key_Tab,
                          pick(4) == 0 ? Qt::ShiftModifier : Qt::NoModifier);
                else
                    d.Click(d.Box(boxes[pick(int(boxes.size()))]));
                break;
            }
            case 2:
                d.Key(Qt::Key_Tab);
                break;
            case 3:
                d.Click(d.Box(boxes[pick(int(boxes.size()))]));
                break;
            case 4: {
                QCheckBox *box = d.Box(WindowDriver::Row("chkSilver", pick(10)));
                if (box->isVisible())
                    d.Click(box);
                break;
            }
            case 5:
                d.PickType(types[pick(int(types.size()))]);
                break;
            case 6: {
                const int row = pick(10);
                QComboBox *list = d.List(WindowDriver::Row("cboItemName", row));
                d.PickItem(row, list->itemText(pick(std::max(1, list->count()))));
                break;
            }
            case 7:
                if (pick(10) == 0)
                    d.Key(Qt::Key_R, Qt::AltModifier);
                else
                    d.Click(d.Button(buttons[pick(int(buttons.size()))]));
                break;
            default:
                d.Key(Qt::Key_Backtab, Qt::ShiftModifier);
                break;
            }
        }
        d.Settle();
        refused = false;
        for (std::size_t m = before; m < d.messages().shown.size(); ++m)
            refused = refused || refusals.count(d.messages().shown[m].text) > 0;
        messages += int(d.messages().shown.size() - before);
        if (refused)
            continue;
        const QStringList wrong = MismatchedLabels(d);
        QVERIFY2(wrong.isEmpty(),
                 qPrintable(QStringLiteral("step %1: %2").arg(step).arg(wrong.join("; "))));
        for (int i = 0; i < 10; ++i)
            QVERIFY2(d.List(WindowDriver::Row("cboItemName", i))->currentIndex() >= 0,
                     qPrintable(QStringLiteral("step %1: row %2 has no item").arg(step).arg(i)));
        totals.insert(d.Label("lblTotalCostPoints")->text());
        ++checked;
    }
    std::printf("monkey: seed %u, %d actions taken, %d checked, %d distinct points totals, "
                "%d messages answered, crashes: 0\n",
                seed, actions, checked, int(totals.size()), messages);
    // Seeds 20261208 and others check over nine in ten steps and see some 200 totals in 3000.
    QVERIFY2(checked * 4 >= actions * 3,
             qPrintable(QStringLiteral("only %1 of %2 steps checked").arg(checked).arg(actions)));
    QVERIFY2(int(totals.size()) * 60 >= actions,
             qPrintable(QStringLiteral("only %1 distinct points totals in %2 steps")
                            .arg(totals.size())
                            .arg(actions)));
}

QTEST_MAIN(MonkeyTest)
#include "tst_monkey.moc"
