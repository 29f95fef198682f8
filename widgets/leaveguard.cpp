// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/leaveguard.h"

#include "widgets/textfield.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace widgets {

namespace {

// The widget a mouse press on `widget` gives the focus to, as QApplication decides it.
QWidget *FocusTargetOfPress(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget()) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus))
            return w->focusProxy() ? w->focusProxy() : w;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool IsTabKey(const QKeyEvent *key)
{
    const auto mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && mods == Qt::NoModifier;
}

} // namespace

LeaveGuard::LeaveGuard(QWidget *window) : QObject(window), m_window(window)
{
    qApp->installEventFilter(this);
}

LeaveGuard::~LeaveGuard()
{
    qApp->removeEventFilter(this);
}

void LeaveGuard::Guard(TextField *field, Leave leave, Refuse refuse)
{
    m_fields.push_back({field, std::move(leave), std::move(refuse)});
}

LeaveGuard::Field *LeaveGuard::Find(const QObject *object)
{
    for (Field &f : m_fields)
        if (f.edit == object)
            return &f;
    return nullptr;
}

LeaveGuard::Field *LeaveGuard::FocusedField()
{
    Field *field = Find(m_window->focusWidget());
    return field && field->edit->hasFocus() ? field : nullptr;
}

bool LeaveGuard::MayLeave(Field &field)
{
    if (field.leave())
        return true;
    Refused(field);
    return false;
}

void LeaveGuard::Refused(Field &field)
{
    field.refuse();
    m_window->activateWindow();
    field.edit->setFocus(Qt::OtherFocusReason);
    field.edit->SelectWhole();
}

bool LeaveGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_active)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        Field *field = Find(watched);
        if (!field || !IsTabKey(static_cast<QKeyEvent *>(event)))
            return false;
        if (!MayLeave(*field))
            return true;
        m_checkedLeave = field->edit;
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (watched != m_window->windowHandle())
            return false;
        // A release that a modal box swallowed never arrives: a new press starts afresh.
        m_swallowWindowMouse = false;
        return OnWindowMousePress(event);
    case QEvent::MouseMove:
        // Only a drag that belongs to a refused press is held back.
        return watched == m_window->windowHandle() && m_swallowWindowMouse &&
               QGuiApplication::mouseButtons() != Qt::NoButton;
    case QEvent::MouseButtonRelease:
        if (watched == m_window->windowHandle() && m_swallowWindowMouse) {
            m_swallowWindowMouse = false;
            return true;
        }
        return false;
    case QEvent::Shortcut:
        return OnShortcut(watched);
    case QEvent::FocusIn:
        // A checked move that never happened must not pass for the next one.
        if (Find(watched))
            m_checkedLeave = nullptr;
        return false;
    case QEvent::FocusOut:
        if (Field *field = Find(watched))
            OnFocusOut(*field, static_cast<QFocusEvent *>(event)->reason());
        return false;
    default:
        return false;
    }
}

bool LeaveGuard::OnWindowMousePress(QEvent *event)
{
    Field *field = FocusedField();
    if (!field)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint local = m_window->mapFromGlobal(mouse->globalPosition().toPoint());
    QWidget *under = m_window->childAt(local);
    QWidget *target = FocusTargetOfPress(under ? under : m_window);
    if (!target || target == field->edit || field->edit->isAncestorOf(target))
        return false;
    if (!MayLeave(*field)) {
        m_swallowWindowMouse = true;
        return true;
    }
    m_checkedLeave = field->edit;
    return false;
}

bool LeaveGuard::OnShortcut(QObject *watched)
{
    auto *button = qobject_cast<QAbstractButton *>(watched);
    if (!button || !m_window->isAncestorOf(button) || !button->isEnabled())
        return false;
    if (Field *field = FocusedField()) {
        if (!MayLeave(*field))
            return true;
        m_checkedLeave = field->edit;
    }
    // The access key takes the focus to the button and presses it at once, so that the check,
    // the leave reaction and the button's own action make one action.
    button->setFocus(Qt::ShortcutFocusReason);
    m_checkedLeave = nullptr;
    button->click();
    return true;
}

void LeaveGuard::OnFocusOut(Field &field, Qt::FocusReason reason)
{
    // Losing the focus to another window or to a popup is not leaving the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return;
    if (m_checkedLeave == field.edit) {
        m_checkedLeave = nullptr;
        return;
    }
    // A move that came by another route than those checked above: check it now, and bring the
    // focus back once the move is over if the text is refused.
    if (field.leave())
        return;
    QPointer<TextField> edit = field.edit;
    QMetaObject::invokeMethod(
        this,
        [this, edit] {
            if (Field *f = edit ? Find(edit) : nullptr; f && m_active)
                Refused(*f);
        },
        Qt::QueuedConnection);
}

} // namespace widgets
