// SPDX-License-Identifier: GPL-3.0-or-later
// The rows' lists are filled in one call; what they show must be what adding the entries one by
// one gives, and the selection and Click rules must not change.

#include "rules/catalogue.h"
#include "widgets/sortedlist.h"

#include <QSignalSpy>
#include <QTest>

#include <vector>

using Entries = std::vector<widgets::SortedList::Entry>;
Q_DECLARE_METATYPE(Entries)

namespace {

QStringList Shown(const widgets::SortedList &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.itemText(i) + QLatin1Char('=') + QString::number(list.ItemData(i));
    return out;
}

} // namespace

class SortedListTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void filling_at_once_equals_adding_one_by_one_data()
    {
        QTest::addColumn<Entries>("entries");
        QTest::newRow("catalogue order") << Entries{
            {"Shield", 8}, {"arrows", 4}, {"Bow", 12}, {"axe", 6}, {"Arrows - Quality (1)", 9}};
        QTest::newRow("already in list order") << Entries{{"Awaken", 4}, {"Sleep", 16}};
        QTest::newRow("texts equal but for case")
            << Entries{{"bow", 1}, {"Bow", 2}, {"axe", 3}, {"BOW", 4}, {"Axe", 5}};
        QTest::newRow("the same text twice") << Entries{{"Sleep", 16}, {"Sleep", 24}};
        QTest::newRow("nothing offered") << Entries{};
    }
    void filling_at_once_equals_adding_one_by_one()
    {
        QFETCH(Entries, entries);
        widgets::SortedList oneByOne(rules::ListOrderLess);
        for (const auto &e : entries) {
            oneByOne.AddItem(e.text);
            oneByOne.SetItemData(oneByOne.NewIndex(), e.data);
        }

        widgets::SortedList atOnce(rules::ListOrderLess);
        atOnce.SetItems(Entries{{"Zzz", 1}, {"Aaa", 2}, {"Mmm", 3}});
        atOnce.SetListIndex(2);
        QSignalSpy clicks(&atOnce, &widgets::SortedList::Click);
        // The second fill finds its entries already there and keeps them.
        for (int fill = 0; fill < 2; ++fill) {
            atOnce.SetListIndex(atOnce.count() - 1);
            clicks.clear();
            atOnce.SetItems(entries);
            QCOMPARE(Shown(atOnce), Shown(oneByOne));
            QCOMPARE(atOnce.NewIndex(), oneByOne.NewIndex());
            QCOMPARE(atOnce.ListIndex(), -1);
            QCOMPARE(clicks.count(), 0);
            atOnce.SetListIndex(0);
            QCOMPARE(clicks.count(), entries.empty() ? 0 : 1);
        }
    }
};

QTEST_MAIN(SortedListTest)
#include "tst_sortedlist.moc"
