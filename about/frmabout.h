// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The About window: the program's title, version, a description of the rules it
// follows, a credit line, the beta warning and a button that asks the desktop to open the
// homepage. Modeless and single: ShowAboutWindow (aboutwindow.h) shows the one window, creating
// it when there is none; OK, Enter, Esc and the close box discard it.
//
// It is a top-level window of its own, with no parent widget, so that closing the calculator
// window leaves it open and the program ends only when it is closed too. While the calculator is
// open it is the calculator's transient window, kept above it. Its controls are placed from its
// twip table with one scale factor that makes every text fit the default font.

#include <QDialog>

class QLabel;
class QPushButton;

namespace about {

class SeparatorLine;

class frmAbout : public QDialog {
    Q_OBJECT

public:
    // Runs the load step. The window takes no parent: a parent would make it a secondary window
    // of the calculator window, which no longer keeps the program running on its own.
    frmAbout();

    // The scale factor of the twip table in use (at least 1).
    double twipScale() const { return m_scale; }

    // Before the first show: places the window at its offset from the top-left of the screen that
    // holds `owner` (the primary screen without one), and keeps it above `owner` while that is
    // shown.
    void OpenOver(QWidget *owner);

protected:
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    // lblTitle, Label2, lblDescription and lblDisclaimer: black on a light window.
    void InkBlackLabels();
    void LayoutControls();
    void Form_Load();
    void cmdOK_Click();
    void cmdHomepage_Click();

    QLabel *picIcon = nullptr;
    QLabel *lblTitle = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *Label1 = nullptr;
    SeparatorLine *Line1_0 = nullptr;
    SeparatorLine *Line1_1 = nullptr;
    QLabel *lblDisclaimer = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdHomepage = nullptr;
    double m_scale = 1.0;
};

} // namespace about
