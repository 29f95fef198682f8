// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/leaveguard.h"

#include "widgets/textfield.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace window {

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

LeaveGuard::LeaveGuard(QWidget *window, widgets::MessageBoxes &messages)
    : QObject(window), m_window(window), m_messages(messages)
{
    qApp->installEventFilter(this);
}

LeaveGuard::~LeaveGuard()
{
    qApp->removeEventFilter(this);
}

void LeaveGuard::Guard(widgets::TextField *field, widgets::MessageIcon icon, Check check,
                       Leave leave)
{
    m_fields.push_back({field, icon, std::move(check), std::move(leave)});
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
    QWidget *focus = m_window->focusWidget();
    Field *field = Find(focus);
    return field && field->edit->hasFocus() ? field : nullptr;
}

bool LeaveGuard::MayLeave(Field &field)
{
    const rules::FieldCheck result = field.check();
    if (result.accepted)
        return true;
    Refuse(field, QString::fromStdString(result.message));
    return false;
}

void LeaveGuard::Refuse(Field &field, const QString &message)
{
    m_messages.Show(m_window, field.icon, message);
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
        if (watched == m_window->windowHandle()) {
            // A release that a modal box swallowed never arrives: a new press starts afresh.
            m_swallowWindowMouse = false;
            m_swallowFieldMouse.clear();
            return OnWindowMousePress(event);
        }
        if (Field *field = Find(watched); field && field->edit == m_enteredByMouse) {
            m_enteredByMouse.clear();
            field->edit->SelectWhole();
            m_swallowFieldMouse = field->edit;
            return true;
        }
        return false;
    case QEvent::MouseMove:
        // Only a drag that belongs to a swallowed press is held back.
        if (QGuiApplication::mouseButtons() == Qt::NoButton)
            return false;
        if (watched == m_window->windowHandle())
            return m_swallowWindowMouse;
        return m_swallowFieldMouse && watched == m_swallowFieldMouse;
    case QEvent::MouseButtonRelease:
        // The press may have opened a list's popup, or the release may land on another window of
        // the program: wherever it lands, the action by mouse ends there.
        if (watched->isWindowType())
            Q_EMIT MouseReleased();
        if (watched == m_window->windowHandle()) {
            const bool swallow = m_swallowWindowMouse;
            m_swallowWindowMouse = false;
            return swallow;
        }
        if (m_swallowFieldMouse && watched == m_swallowFieldMouse) {
            m_swallowFieldMouse.clear();
            return true;
        }
        return false;
    case QEvent::Shortcut:
        return OnShortcut(watched);
    case QEvent::FocusIn:
        // The field selects its own text; the press that brought the focus must not undo that.
        if (Field *field = Find(watched);
            field && field->edit->SelectsOnEntry() &&
            static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
            m_enteredByMouse = field->edit;
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
        field.leave();
        return;
    }
    // A move that came by another route than those checked above: check it now, and bring the
    // focus back if the text is refused.
    const rules::FieldCheck result = field.check();
    if (result.accepted) {
        field.leave();
        return;
    }
    QPointer<QLineEdit> edit = field.edit;
    const QString message = QString::fromStdString(result.message);
    QMetaObject::invokeMethod(
        this,
        [this, edit, message] {
            if (Field *f = edit ? Find(edit) : nullptr; f && m_active)
                Refuse(*f, message);
        },
        Qt::QueuedConnection);
}

} // namespace window
