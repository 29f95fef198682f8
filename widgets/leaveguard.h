// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Checks a field before the focus leaves it for another control of the same window, by every
// route a user takes: Tab and Shift+Tab, a mouse press on a control that takes the focus, a
// button's Alt access key. The field's Leave decides: true lets the move go ahead (the field's
// leave reaction has run by then); false keeps the focus in the field, tells the user through the
// field's Refuse, puts the focus back with all of the field's text selected, and drops what the
// user did to the other control. Nothing is checked when the window loses activation, a popup
// opens, or the guard is switched off (a closing window).
//
// Qt moves the focus on a mouse press before any widget sees the press, so presses are caught at
// the window's QWindow; Alt access keys arrive as QEvent::Shortcut and are turned into an
// immediate click, so that the check, the leave and the button's action make one action. A focus
// move by any other route is checked as it happens, and a refusal then brings the focus back.

#include <QObject>

#include <functional>
#include <vector>

class QWidget;

namespace widgets {

class TextField;

class LeaveGuard : public QObject {
    Q_OBJECT
public:
    using Leave = std::function<bool()>;
    using Refuse = std::function<void()>;

    explicit LeaveGuard(QWidget *window);
    ~LeaveGuard() override;

    void Guard(TextField *field, Leave leave, Refuse refuse);
    void SetActive(bool active) { m_active = active; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Field {
        TextField *edit;
        Leave leave;
        Refuse refuse;
    };

    Field *Find(const QObject *object);
    Field *FocusedField();
    bool MayLeave(Field &field);
    void Refused(Field &field);
    bool OnWindowMousePress(QEvent *event);
    bool OnShortcut(QObject *watched);
    void OnFocusOut(Field &field, Qt::FocusReason reason);

    QWidget *m_window;
    std::vector<Field> m_fields;
    bool m_active = true;
    // The field whose leave was already checked for the focus move under way.
    TextField *m_checkedLeave = nullptr;
    // A press refused at the window: its drag and release are held back too.
    bool m_swallowWindowMouse = false;
};

} // namespace widgets
