// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// When the over-level warning is considered: once per user action, after the action has finished,
// on the totals it ended with (an action may recompute the totals many times). The action is over
// once its handlers have run, no mouse button is held (a check box changes on release) and no box
// that the action opened (a refusal, the days help, a print failure) is still open. Whether the
// warning then shows is the rule's (rules::LevelWarning: every second time while over).

#include "rules/costing.h"
#include "widgets/messageboxes.h"

#include <QObject>

class QWidget;

namespace window {

// Every box of the window goes through here, so that the warning waits for the box to close.
class OverLevelWarning final : public QObject, public widgets::MessageBoxes {
public:
    OverLevelWarning(widgets::MessageBoxes &boxes, QWidget &window);

    void Show(QWidget *parent, widgets::MessageIcon icon, const QString &text) override;
    bool Ask(QWidget *parent, widgets::MessageIcon icon, const QString &text,
             const QString &question, const QString &acceptButton) override;
    // A flow of several boxes and dialogs counts as one open box from Opened to Closed.
    void Opened() { ++m_open; }
    void Closed();

    // The totals were recomputed: over the capacity (with the level enforced) or not.
    void TotalsComputed(bool overLevel);
    // A mouse button was released over any window of the program: an action by mouse ends.
    void MouseReleased();

    void Clear() { m_rule.Clear(); } // LevelWarningShown = false
    bool Shown() const { return m_rule.Shown(); }

private:
    void Queue();
    void CheckAfterAction();

    widgets::MessageBoxes &m_boxes;
    QWidget &m_window;
    rules::LevelWarning m_rule; // LevelWarningShown
    int m_open = 0;
    bool m_lastOverLevel = false;
    bool m_pending = false; // an action's totals await the check
    bool m_queued = false;  // a CheckAfterAction is in the event queue
};

} // namespace window
