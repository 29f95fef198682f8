// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/overlevelwarning.h"

#include <QGuiApplication>
#include <QWidget>

namespace window {

namespace {

const QString kOverLevelWarning = QStringLiteral(
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.");

} // namespace

OverLevelWarning::OverLevelWarning(widgets::MessageBoxes &boxes, QWidget &window)
    : m_boxes(boxes), m_window(window)
{
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

void OverLevelWarning::Closed()
{
    --m_open;
    if (m_open == 0 && m_pending)
        Queue();
}

void OverLevelWarning::TotalsComputed(bool overLevel)
{
    m_lastOverLevel = overLevel;
    m_pending = true;
    Queue();
}

void OverLevelWarning::MouseReleased()
{
    if (m_pending)
        Queue();
}

void OverLevelWarning::Queue()
{
    // Every action queues its own look, so a check put off by a held button or an open box cannot
    // keep a later action from being considered.
    if (m_queued)
        return;
    m_queued = true;
    QMetaObject::invokeMethod(this, &OverLevelWarning::CheckAfterAction, Qt::QueuedConnection);
}

void OverLevelWarning::CheckAfterAction()
{
    m_queued = false;
    if (!m_pending || QGuiApplication::mouseButtons() != Qt::NoButton || m_open > 0)
        return;
    m_pending = false;
    if (m_rule.Check(m_lastOverLevel))
        Show(&m_window, widgets::MessageIcon::Exclamation, kOverLevelWarning);
}

} // namespace window
