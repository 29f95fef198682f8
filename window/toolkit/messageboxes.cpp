#include "window/toolkit/messageboxes.h"

#include "rules/texts.h"

#include <QMessageBox>
#include <QWidget>

namespace toolkit {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void ModalMessageBoxes::Show(QWidget *parent, MessageIcon icon, const QString &text)
{
    QMessageBox box(ToQt(icon), QString::fromUtf8(rules::texts::kAppTitle), text, QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
    // Without a window manager nothing re-activates the parent once the box has gone.
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
}

ModalMessageBoxes &DefaultMessageBoxes()
{
    static ModalMessageBoxes boxes;
    return boxes;
}

} // namespace toolkit
