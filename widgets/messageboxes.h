// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every message of the program is a modal box titled with the application title
// (applicationtitle.h) and a single OK
// button; the icon tells its kind. A message that offers a way out (Ask) adds a question and has
// two buttons instead. The windows show them through this interface so that tests can answer and
// record them.

#include <QString>

class QWidget;

namespace widgets {

enum class MessageIcon { None, Stop, Question, Exclamation };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns once the user has dismissed the box.
    virtual void Show(QWidget *parent, MessageIcon icon, const QString &text) = 0;
    // The message, the question under it, and two buttons: `acceptButton` (the default) and
    // Cancel (also Esc and the close box). True when the user chose `acceptButton`. A box that
    // cannot ask declines.
    virtual bool Ask(QWidget * /*parent*/, MessageIcon /*icon*/, const QString & /*text*/,
                     const QString & /*question*/, const QString & /*acceptButton*/)
    {
        return false;
    }
};

// The real boxes (QMessageBox).
class ModalMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget *parent, MessageIcon icon, const QString &text) override;
    bool Ask(QWidget *parent, MessageIcon icon, const QString &text, const QString &question,
             const QString &acceptButton) override;
};

ModalMessageBoxes &DefaultMessageBoxes();

} // namespace widgets
