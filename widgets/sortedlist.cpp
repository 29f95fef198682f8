// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/sortedlist.h"

#include "widgets/utf8.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QWheelEvent>

#include <algorithm>
#include <numeric>
#include <vector>

namespace widgets {

namespace {

// The places the entries take when added one by one to an empty list: order[k] is the entry that
// ends at position k. AddItem puts a new entry before the equal ones already there, so among
// equal texts the entry added last comes first.
std::vector<std::size_t> ListOrder(std::span<const SortedList::Entry> entries,
                                   SortedList::Order before)
{
    std::vector<std::string> keys;
    keys.reserve(entries.size());
    for (const SortedList::Entry &e : entries)
        keys.push_back(ToUtf8(e.text));
    const auto less = [&keys, before](std::size_t a, std::size_t b) {
        return before(keys[a], keys[b]);
    };
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    bool ascending = true;
    for (std::size_t i = 1; i < order.size() && ascending; ++i)
        ascending = less(i - 1, i);
    if (!ascending) {
        std::reverse(order.begin(), order.end());
        std::stable_sort(order.begin(), order.end(), less);
    }
    return order;
}

// Screen readers hear a list by its name ("Item, row 3") and then its entry. Qt's own interface
// for a combo box on Linux gives the entry as the name, so that the name the window gave the list
// is lost; this one keeps that name and gives the entry as the value and as the (read-only) text.
// Like Qt's own, it offers the popup's list of entries as its child and opens it as its action.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleList(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? List()->currentText() : QAccessibleWidget::text(t);
    }
    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == List()->view() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &action) override
    {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (List()->view()->isVisible())
            List()->hidePopup();
        else
            List()->showPopup();
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    // The text: the selected entry, with neither cursor nor selection.
    QString text(int startOffset, int endOffset) const override
    {
        return List()->currentText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(List()->currentText().size()); }
    void selection(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

private:
    QComboBox *List() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *AccessibleListFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(SortedList::staticMetaObject.className()) && object &&
        object->isWidgetType())
        return new AccessibleList(static_cast<QComboBox *>(object));
    return nullptr;
}

} // namespace

SortedList::SortedList(Order order, QWidget *parent) : QComboBox(parent), m_order(order)
{
    static const bool accessible = (QAccessible::installFactory(AccessibleListFactory), true);
    Q_UNUSED(accessible);
    // No wheel focus: scrolling over the window must not pull the focus out of a field.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::currentIndexChanged, this, &SortedList::OnCurrentIndexChanged);
}

int SortedList::AddItem(const QString &text)
{
    const std::string key = ToUtf8(text);
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (m_order(ToUtf8(itemText(mid)), key))
            lo = mid + 1;
        else
            hi = mid;
    }
    {
        const QSignalBlocker blocker(this);
        const bool wasUnselected = currentIndex() < 0;
        insertItem(lo, text, QVariant(std::int32_t{0}));
        if (wasUnselected)
            setCurrentIndex(-1);
        m_lastIndex = currentIndex();
    }
    m_newIndex = lo;
    return lo;
}

void SortedList::SetItems(std::span<const Entry> entries)
{
    const std::vector<std::size_t> order = ListOrder(entries, m_order);
    bool same = count() == int(order.size());
    for (std::size_t k = 0; k < order.size() && same; ++k)
        same = itemText(int(k)) == entries[order[k]].text &&
               ItemData(int(k)) == entries[order[k]].data;
    const QSignalBlocker blocker(this);
    if (!same) {
        clear();
        auto *items =
            rootModelIndex().isValid() ? nullptr : qobject_cast<QStandardItemModel *>(model());
        QList<QStandardItem *> rows;
        for (std::size_t at : order) {
            if (!items) {
                insertItem(count(), entries[at].text, QVariant(entries[at].data));
                continue;
            }
            auto *row = new QStandardItem(entries[at].text);
            row->setData(QVariant(entries[at].data), Qt::UserRole);
            rows.append(row);
        }
        // One insertion instead of one per entry: the list re-lays itself out once.
        if (items)
            items->invisibleRootItem()->insertRows(0, rows);
    }
    setCurrentIndex(-1);
    m_lastIndex = -1;
    m_newIndex =
        entries.empty()
            ? -1
            : int(std::find(order.begin(), order.end(), entries.size() - 1) - order.begin());
}

void SortedList::Clear()
{
    const QSignalBlocker blocker(this);
    clear();
    m_lastIndex = -1;
    m_newIndex = -1;
}

std::int32_t SortedList::ItemData(int index) const
{
    if (index < 0 || index >= count())
        return 0;
    return itemData(index).value<std::int32_t>();
}

void SortedList::SetItemData(int index, std::int32_t value)
{
    if (index >= 0 && index < count())
        setItemData(index, QVariant(value));
}

void SortedList::SetListIndex(int index)
{
    if (index < -1 || index >= count())
        return;
    setCurrentIndex(index);
}

void SortedList::OnCurrentIndexChanged()
{
    if (currentIndex() == m_lastIndex)
        return;
    m_lastIndex = currentIndex();
    Q_EMIT Click();
}

void SortedList::wheelEvent(QWheelEvent *event)
{
    // Only a list that has the focus reacts to the wheel, so that scrolling past never changes a
    // row.
    if (hasFocus())
        QComboBox::wheelEvent(event);
    else
        event->ignore();
}

} // namespace widgets
