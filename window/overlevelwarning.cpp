// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/overlevelwarning.h"

#include "widgets/utf8.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace window {

namespace {

widgets::MessageIcon IconOf(form::Icon icon)
{
    switch (icon) {
    case form::Icon::Stop:
        return widgets::MessageIcon::Stop;
    case form::Icon::Question:
        return widgets::MessageIcon::Question;
    case form::Icon::Exclamation:
        return widgets::MessageIcon::Exclamation;
    case form::Icon::None:
        break;
    }
    return widgets::MessageIcon::None;
}

} // namespace

OverLevelWarning::OverLevelWarning(widgets::MessageBoxes &boxes, QWidget &window, form::Form &form)
    : m_boxes(boxes), m_window(window), m_form(form)
{
    qApp->installEventFilter(this);
}

OverLevelWarning::~OverLevelWarning()
{
    qApp->removeEventFilter(this);
}

void OverLevelWarning::Show(QWidget *parent, widgets::MessageIcon icon, const QString &text)
{
    Opened();
    m_boxes.Show(parent, icon, text);
    Closed();
}

bool OverLevelWarning::Ask(QWidget *parent, widgets::MessageIcon icon, const QString &text,
                           const QString &question, const QString &acceptButton)
{
    Opened();
    const bool accepted = m_boxes.Ask(parent, icon, text, question, acceptButton);
    Closed();
    return accepted;
}

void OverLevelWarning::Show(QWidget *parent, const form::Message &message)
{
    Show(parent, IconOf(message.icon), widgets::FromUtf8(message.text));
}

void OverLevelWarning::Opened()
{
    ++m_open;
    m_form.BoxOpened();
}

void OverLevelWarning::Closed()
{
    --m_open;
    m_form.BoxClosed();
    Queue();
}

void OverLevelWarning::ShowWaiting()
{
    // A modal box runs the event loop: what waits is shown once the open box is closed.
    while (m_open == 0) {
        const std::optional<form::Message> message = m_form.NextMessage();
        if (!message)
            return;
        Show(&m_window, *message);
    }
}

bool OverLevelWarning::eventFilter(QObject *watched, QEvent *event)
{
    // The press may have opened a list's popup, or the release may land on another window of the
    // program: wherever it lands, the action by mouse ends there.
    if (event->type() == QEvent::MouseButtonRelease && watched->isWindowType())
        Queue();
    return false;
}

void OverLevelWarning::Queue()
{
    // Every action queues its own look, so a look put off by a held button or an open box cannot
    // keep a later action from being considered.
    if (m_queued)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(this, &OverLevelWarning::CheckAfterAction, Qt::QueuedConnection);
}

void OverLevelWarning::CheckAfterAction()
{
    m_queued = false;
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        return;
    m_form.ActionEnded();
    ShowWaiting();
}

} // namespace window
