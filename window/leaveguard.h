// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The leave check of the number fields. Before the focus leaves a checked field for another
// control of the same window (Tab, Shift+Tab, a mouse press on a control that takes the focus,
// a button's Alt access key), the field's rule runs. A refused text brings up the field's message,
// keeps the focus in the field with all of its text selected, and drops what the user did to the
// other control. An accepted text lets the move go ahead, and the field's leave reaction runs as
// the focus goes. Nothing runs when the window loses activation, a popup opens, or the window
// closes.
//
// Qt moves the focus on a mouse press before any widget sees the press, so presses are caught at
// the window's QWindow; Alt access keys arrive as QEvent::Shortcut and are turned into an immediate
// click so that the whole action finishes in one event.

#include "rules/fields.h"
#include "widgets/messageboxes.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QLineEdit;
class QWidget;

namespace widgets {
class TextField;
} // namespace widgets

namespace window {

class LeaveGuard : public QObject {
    Q_OBJECT
public:
    using Check = std::function<rules::FieldCheck()>;
    using Leave = std::function<void()>;

    LeaveGuard(QWidget *window, widgets::MessageBoxes &messages);
    ~LeaveGuard() override;

    // A field that selects its text on entry (TextField::SelectsOnEntry) keeps that selection
    // when a mouse press brought the focus.
    void Guard(widgets::TextField *field, widgets::MessageIcon icon, Check check, Leave leave);

    // Off once the window is closing: nothing more is checked.
    void SetActive(bool active) { m_active = active; }

Q_SIGNALS:
    // A mouse button was released over any window of the program (an action by mouse ends there).
    void MouseReleased();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field {
        widgets::TextField *edit;
        widgets::MessageIcon icon;
        Check check;
        Leave leave;
    };

    Field *Find(const QObject *object);
    Field *FocusedField();
    // Runs the field's rule; on refusal shows the message and puts the focus back, all selected.
    bool MayLeave(Field &field);
    void Refuse(Field &field, const QString &message);
    bool OnWindowMousePress(QEvent *event);
    bool OnShortcut(QObject *watched);
    void OnFocusOut(Field &field, Qt::FocusReason reason);

    QWidget *m_window;
    widgets::MessageBoxes &m_messages;
    std::vector<Field> m_fields;
    bool m_active = true;
    // The field whose leave was already checked for the focus move under way.
    QLineEdit *m_checkedLeave = nullptr;
    // A field entered by a mouse press: the press that gave it the focus must not undo the
    // selection of its whole text, so that press and its drag are not passed on.
    QPointer<QLineEdit> m_enteredByMouse;
    QPointer<QLineEdit> m_swallowFieldMouse;
    bool m_swallowWindowMouse = false;
};

} // namespace window
