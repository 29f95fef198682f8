// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Drives the calculator window as a user would, on the offscreen platform: keys go to the focused
// widget, mouse presses go through the window's QWindow (where Qt decides focus moves), message
// boxes are answered at once and recorded.

#include "widgets/messageboxes.h"
#include "widgets/sortedlist.h"
#include "window/frmmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>

#include <memory>
#include <vector>

struct ShownMessage {
    widgets::MessageIcon icon;
    QString text;
    QString question = {}; // a box that asks (Ask): its question and its accepting button
    QString acceptButton = {};
};

class RecordingMessages final : public widgets::MessageBoxes {
public:
    void Show(QWidget *, widgets::MessageIcon icon, const QString &text) override;
    bool Ask(QWidget *, widgets::MessageIcon icon, const QString &text, const QString &question,
             const QString &acceptButton) override;
    std::vector<ShownMessage> shown;
    bool accept = false; // the answer to every box that asks
    // Runs the event loop inside Show, as a real modal box does, and records how deep boxes nest.
    bool spinLikeAModalBox = false;
    int open = 0;
    int deepest = 0;
    int Count(const QString &text) const;
};

class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    window::frmMain &window() { return *m_window; }
    RecordingMessages &messages() { return m_messages; }

    template <typename T> T *Get(const QString &name) const
    {
        return m_window->findChild<T *>(name);
    }
    QComboBox *List(const QString &name) const { return Get<QComboBox>(name); }
    QLineEdit *Field(const QString &name) const { return Get<QLineEdit>(name); }
    QCheckBox *Box(const QString &name) const { return Get<QCheckBox>(name); }
    QLabel *Label(const QString &name) const { return Get<QLabel>(name); }
    QPushButton *Button(const QString &name) const { return Get<QPushButton>(name); }
    static QString Row(const char *name, int row)
    {
        return QString::fromLatin1(name) + '_' + QString::number(row);
    }

    QWidget *Focus() const;
    // Gives the focus to a control by a mouse press on it (checks run as for a user's click).
    void Click(QWidget *widget);
    // A press and release at a point of the widget, in its own coordinates.
    void ClickAt(QWidget *widget, QPoint at);
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Focuses the field (by mouse), replaces its text by typing, and leaves it with Tab.
    void Enter(const QString &fieldName, const QString &text);
    void Type(const QString &text);
    void PickType(const QString &typeName);
    void PickItem(int row, const QString &itemName);
    // Lets queued work (the warning after an action) run.
    void Settle();

private:
    RecordingMessages m_messages;
    std::unique_ptr<window::frmMain> m_window;
};

// Every label that differs from what the rules give for the window's current inputs, as
// "name: shown != expected"; empty when the window is consistent.
QStringList MismatchedLabels(const WindowDriver &driver);
