// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every box of the calculator window: the messages the form's actions raise, the refusals of the
// leave checks and the window's own boxes (a print failure). Each counts as open for the form
// while it is up, so that the over-level warning waits for it. When a user's action is over, the
// form considers the warning once, on the totals the action ended with: the action is over once
// its handlers have run, no mouse button is held (a check box changes on release) and no box is
// open.

#include "form/form.h"
#include "widgets/messageboxes.h"

#include <QObject>

class QWidget;

namespace window {

class OverLevelWarning final : public QObject, public widgets::MessageBoxes {
public:
    OverLevelWarning(widgets::MessageBoxes &boxes, QWidget &window, form::Form &form);
    ~OverLevelWarning() override;

    void Show(QWidget *parent, widgets::MessageIcon icon, const QString &text) override;
    bool Ask(QWidget *parent, widgets::MessageIcon icon, const QString &text,
             const QString &question, const QString &acceptButton) override;
    void Show(QWidget *parent, const form::Message &message);
    // A flow of several boxes and dialogs counts as one open box from Opened to Closed.
    void Opened();
    void Closed();

    // Shows, one after the other, the messages the form has waiting.
    void ShowWaiting();
    // An action was forwarded to the form: the warning is considered once the action is over.
    void ActionDone() { Queue(); }

protected:
    // A mouse button released over any window of the program: an action by mouse ends there.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Queue();
    void CheckAfterAction();

    widgets::MessageBoxes &m_boxes;
    QWidget &m_window;
    form::Form &m_form;
    bool m_queued = false; // a CheckAfterAction is in the event queue
    int m_open = 0;        // boxes up: the next waits until they are closed
};

} // namespace window
