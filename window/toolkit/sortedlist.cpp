#include "window/toolkit/sortedlist.h"

#include "rules/catalogue.h"

#include <QSignalBlocker>
#include <QWheelEvent>

namespace toolkit {

SortedList::SortedList(QWidget *parent) : QComboBox(parent)
{
    // No wheel focus: scrolling over the window must not pull the focus out of a field.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::currentIndexChanged, this, &SortedList::OnCurrentIndexChanged);
}

int SortedList::AddItem(const QString &text)
{
    const QByteArray key = text.toUtf8();
    int lo = 0;
    int hi = count();
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const QByteArray other = itemText(mid).toUtf8();
        if (rules::ListOrderLess({other.constData(), std::size_t(other.size())},
                                 {key.constData(), std::size_t(key.size())}))
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

} // namespace toolkit
