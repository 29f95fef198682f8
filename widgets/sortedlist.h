// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A drop-down list that keeps its entries in the ascending order its owner gives, whatever the
// order in which they are added, with a 32-bit data value staying with each entry. A change of the
// selected entry, by the user or by SetListIndex, raises Click exactly once; adding and clearing
// entries never does (QComboBox would select the first entry added, and move its index when an
// entry lands before the selected one).

#include <QComboBox>

#include <cstdint>
#include <span>
#include <string_view>

namespace widgets {

class SortedList : public QComboBox {
    Q_OBJECT
public:
    // True when text a comes before text b, both in UTF-8.
    using Order = bool (*)(std::string_view a, std::string_view b);
    explicit SortedList(Order order, QWidget *parent = nullptr);

    // Adds an entry at its sorted place and returns that place (NewIndex); the selected entry
    // stays the same one, and none is selected while the list was without selection.
    int AddItem(const QString &text);

    struct Entry {
        QString text;
        std::int32_t data;
    };
    // Replaces every entry at once, with the result of Clear() and then, for each entry in turn,
    // AddItem(text) and SetItemData(NewIndex(), data): the same order (ties included), NewIndex()
    // the place of the last entry, no entry selected and no Click. A list that already holds
    // exactly these entries keeps them and only loses its selection.
    void SetItems(std::span<const Entry> entries);
    void Clear();
    std::int32_t ItemData(int index) const;
    void SetItemData(int index, std::int32_t value);
    int NewIndex() const { return m_newIndex; }
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index);

Q_SIGNALS:
    void Click();

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    void OnCurrentIndexChanged();

    Order m_order;
    int m_newIndex = -1;
    int m_lastIndex = -1;
};

} // namespace widgets
