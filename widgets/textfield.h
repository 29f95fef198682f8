// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A one-line field without filtering of what is typed. Fields that select their whole text on
// entry do so however the focus arrives, a mouse press included: the press that brought the focus
// (and its drag) does not undo the selection. The others never select on entry (QLineEdit on its
// own selects everything when tabbed into).

#include <QLineEdit>

namespace widgets {

class TextField : public QLineEdit {
    Q_OBJECT
public:
    explicit TextField(QWidget *parent = nullptr);
    void SetSelectOnEntry(bool select) { m_selectOnEntry = select; }
    bool SelectsOnEntry() const { return m_selectOnEntry; }
    // Selects the whole text with the cursor at its start, so that a text longer than the field
    // shows its first characters rather than its last.
    void SelectWhole();
    // A number longer than the field is drawn in a smaller font, so that no digit is hidden.
    void SetShrinkToFit(bool shrink);

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitFont();

    bool m_selectOnEntry = false;
    bool m_shrinkToFit = false;
    // The focus came with a mouse press that is still to arrive, or whose drag is under way.
    bool m_enteredByPress = false;
    bool m_holdingPress = false;
};

} // namespace widgets
