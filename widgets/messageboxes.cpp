// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/messageboxes.h"

#include "widgets/applicationtitle.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace widgets {

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

// Without a window manager nothing re-activates the parent once a box has gone.
void Reactivate(QWidget *parent)
{
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
}

} // namespace

void ModalMessageBoxes::Show(QWidget *parent, MessageIcon icon, const QString &text)
{
    QMessageBox box(ToQt(icon), ApplicationTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
    Reactivate(parent);
}

bool ModalMessageBoxes::Ask(QWidget *parent, MessageIcon icon, const QString &text,
                            const QString &question, const QString &acceptButton)
{
    QMessageBox box(ToQt(icon), ApplicationTitle(), text, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setInformativeText(question);
    QPushButton *accept = box.addButton(acceptButton, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(cancel);
    box.exec();
    Reactivate(parent);
    return box.clickedButton() == accept;
}

ModalMessageBoxes &DefaultMessageBoxes()
{
    static ModalMessageBoxes boxes;
    return boxes;
}

} // namespace widgets
