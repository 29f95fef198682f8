// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window: a view of the calculator's form (form/form.h), which holds the state and
// runs the reactions.
//
// The flow of an edit: the user changes a control, and the window forwards it to the form, one
// call per action: a pick in a list or a click on a check box at once, a typed text as it is
// typed. A number field is checked when the focus is about to leave it (widgets::LeaveGuard): the
// form's Leave runs the field's check and, when it accepts, the field's leave reaction; a refused
// text brings up its message and the field keeps the focus. After every action the window shows
// the form's state (Show) and the messages the action raised. When the user's action has
// finished, the over-level warning is considered once, on the totals it ended with
// (OverLevelWarning). Save List and Open List keep the list in a file (listsaving.h). The
// controls are built and named from the layout table (layout.h).

#include "form/form.h"
#include "report/printloader.h"
#include "widgets/messageboxes.h"
#include "widgets/twips.h"
#include "window/controls.h"
#include "window/overlevelwarning.h"
#include "window/reportsaving.h"

#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;

namespace widgets {
class LeaveGuard;
class ResultLabel;
class SortedList;
class TextField;
} // namespace widgets

namespace window {

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(widgets::MessageBoxes &messages = widgets::DefaultMessageBoxes(),
                     QWidget *parent = nullptr);
    ~frmMain() override;

    const form::Form &Form() const { return m_form; }
    bool LevelWarningShown() const { return m_form.state().levelWarningShown; }

    // Where the report goes; the default printer unless a test puts something else in its place.
    using ReportPrinter = std::function<report::PrintOutcome(const form::ReportDocument &)>;
    void SetReportPrinter(ReportPrinter printer) { m_printReport = std::move(printer); }
    // Where a report that could not be printed is saved as a PDF; Qt's file dialog unless a test
    // answers in its place.
    void SetPdfPathDialog(AskPdfPath askPath) { m_askPdfPath = std::move(askPath); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ConnectActions();
    // Runs a user's action on the form, then shows the state and the messages it raised.
    void Act(const std::function<void()> &action);
    void Show();
    void ShowMessages();
    void GuardField(widgets::TextField *field, form::Field which, int row);

    void cmdPrint_Click();
    void cmdAbout_Click();
    void cmdSaveList_Click();
    void cmdOpenList_Click();
    void PrintReport();

    form::Form m_form;
    form::State m_shown; // what the controls show, to change only what the form changed
    widgets::MessageBoxes &m_messages;
    // Every box of the window goes through the over-level warning, which waits for them to close.
    OverLevelWarning m_boxes{m_messages, *this, m_form};
    ReportPrinter m_printReport = report::PrintReport;
    AskPdfPath m_askPdfPath = AskPdfPathInFileDialog;
    widgets::TwipScale m_scale;
    widgets::LeaveGuard *m_leaveGuard = nullptr;
    std::optional<form::Message> m_refusal; // the last leave refused, to be told to the user
    bool m_showing = false;                 // the controls are being set from the form
    bool m_shownOnce = false;

    // The controls that the code uses, checked against the layout table when compiling.
    Controls m_controls;
    Control<widgets::SortedList, "cboItemType"> cboItemType{m_controls};
    Control<QCheckBox, "chkUseWorkshop"> chkUseWorkshop{m_controls};
    Control<QCheckBox, "chkEnforceSkillLevel"> chkEnforceSkillLevel{m_controls};
    Control<QLabel, "lblSkillLevel"> lblSkillLevel{m_controls};
    Control<widgets::TextField, "txtSkillLevel"> txtSkillLevel{m_controls};
    Control<widgets::TextField, "txtEventLength"> txtEventLength{m_controls};
    Control<QPushButton, "cmdHelpEventLength"> cmdHelpEventLength{m_controls};
    Control<widgets::ResultLabel, "lblTotalCostSilver"> lblTotalCostSilver{m_controls};
    Control<widgets::ResultLabel, "lblTotalCostLevel"> lblTotalCostLevel{m_controls};
    Control<widgets::ResultLabel, "lblTotalCostPoints"> lblTotalCostPoints{m_controls};
    Control<widgets::ResultLabel, "lblTotalCostWorkshops"> lblTotalCostWorkshops{m_controls};
    Control<widgets::TextField, "txtPlayerName"> txtPlayerName{m_controls};
    Control<widgets::TextField, "txtCharacterName"> txtCharacterName{m_controls};
    Control<QPushButton, "cmdPrint"> cmdPrint{m_controls};
    Control<QPushButton, "cmdReset"> cmdReset{m_controls};
    Control<QPushButton, "cmdAbout"> cmdAbout{m_controls};
    Control<QPushButton, "cmdSaveList"> cmdSaveList{m_controls};
    Control<QPushButton, "cmdOpenList"> cmdOpenList{m_controls};
    Control<QLabel, "lblSilver"> lblSilver{m_controls};
    Control<QLabel, "lblShatterResist"> lblShatterResist{m_controls};

    ControlArray<widgets::SortedList, "cboItemName"> cboItemName{m_controls};
    ControlArray<widgets::TextField, "txtItemQuantity"> txtItemQuantity{m_controls};
    ControlArray<QCheckBox, "chkSilver"> chkSilver{m_controls};
    ControlArray<widgets::TextField, "txtShatterResist"> txtShatterResist{m_controls};
    ControlArray<widgets::ResultLabel, "lblItemProdCost"> lblItemProdCost{m_controls};
    ControlArray<widgets::ResultLabel, "lblItemSilverCost"> lblItemSilverCost{m_controls};
};

} // namespace window
