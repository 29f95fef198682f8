// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/textfield.h"

#include "widgets/fitfont.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>

namespace widgets {

TextField::TextField(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(std::numeric_limits<int>::max());
}

void TextField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (event->reason() == Qt::PopupFocusReason)
        return;
    if (m_selectOnEntry) {
        SelectWhole();
        // Qt gives the focus before it delivers the press that caused it.
        m_enteredByPress = event->reason() == Qt::MouseFocusReason;
    } else if (hasSelectedText() && (event->reason() == Qt::TabFocusReason ||
                                     event->reason() == Qt::BacktabFocusReason)) {
        deselect();
        end(false);
    }
}

void TextField::focusOutEvent(QFocusEvent *event)
{
    m_enteredByPress = false;
    QLineEdit::focusOutEvent(event);
}

void TextField::mousePressEvent(QMouseEvent *event)
{
    // A release lost to a modal box never arrives: every press starts afresh.
    m_holdingPress = m_enteredByPress;
    m_enteredByPress = false;
    if (m_holdingPress) {
        SelectWhole();
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TextField::mouseMoveEvent(QMouseEvent *event)
{
    if (m_holdingPress) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void TextField::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_holdingPress) {
        m_holdingPress = false;
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void TextField::SelectWhole()
{
    const int length = int(text().size());
    setSelection(length, -length);
}

void TextField::SetShrinkToFit(bool shrink)
{
    if (shrink == m_shrinkToFit)
        return;
    m_shrinkToFit = shrink;
    if (shrink)
        connect(this, &QLineEdit::textChanged, this, &TextField::FitFont);
    else
        disconnect(this, &QLineEdit::textChanged, this, &TextField::FitFont);
    FitFont();
}

void TextField::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    FitFont();
}

void TextField::FitFont()
{
    if (!m_shrinkToFit)
        return;
    QStyleOptionFrame option;
    initStyleOption(&option);
    // QLineEdit keeps two pixels free on each side of its text, and one for the cursor.
    const int room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this).width() -
                     textMargins().left() - textMargins().right() - 5;
    const QFont font = FontToFit(parentWidget() ? parentWidget()->font() : QFont(), text(), room);
    if (font != this->font())
        setFont(font);
}

} // namespace widgets
