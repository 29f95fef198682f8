#include "window/toolkit/textfield.h"

#include <QFocusEvent>

#include <limits>

namespace toolkit {

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
        selectAll();
    } else if (hasSelectedText() && (event->reason() == Qt::TabFocusReason ||
                                     event->reason() == Qt::BacktabFocusReason)) {
        deselect();
        end(false);
    }
}

} // namespace toolkit
