#pragma once

// Every message of the program is a modal box titled with the application title and a single OK
// button; the icon tells its kind. The windows show them through this interface so that tests can
// answer and record them.

#include <QString>

class QWidget;

namespace toolkit {

enum class MessageIcon { None, Stop, Question, Exclamation };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Returns once the user has dismissed the box.
    virtual void Show(QWidget *parent, MessageIcon icon, const QString &text) = 0;
};

// The real boxes (QMessageBox).
class ModalMessageBoxes final : public MessageBoxes {
public:
    void Show(QWidget *parent, MessageIcon icon, const QString &text) override;
};

ModalMessageBoxes &DefaultMessageBoxes();

} // namespace toolkit
