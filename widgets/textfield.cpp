// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/textfield.h"

#include "widgets/fitfont.h"

#include <QFocusEvent>
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
    } else if (hasSelectedText() && (event->reason() == Qt::TabFocusReason ||
                                     event->reason() == Qt::BacktabFocusReason)) {
        deselect();
        end(false);
    }
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
