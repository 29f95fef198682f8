// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The calculator window, and the only store of the program's state: the item type, the options,
// the ten production rows, the totals and the print names are the contents of its controls.
//
// The flow of an edit: the user changes a control. A pick in a list or a click on a check box runs
// its reaction at once (the program's own changes of a selection or a check box run the same
// reactions, inside the change). A number field is checked when the focus is about to leave it
// (LeaveGuard); once accepted, its leave reaction runs. Reactions recompute one row
// (RecalculateRow), all rows (RecalculateAllRows) or just the totals (RecalculateTotals), or
// rebuild every row's item list for the current type (FillItemLists). A row's recomputation reads
// the row's controls, costs it with the rules and writes its two labels, then recomputes the
// totals, which read the ten row labels back and write the four total labels. When the user's
// action has finished, the over-level warning is considered once, on the totals it ended with
// (OverLevelWarning). The controls are built, named and reset from the layout table (layout.h).

#include "report/reportdocument.h"
#include "report/reportprinter.h"
#include "rules/fields.h"
#include "widgets/messageboxes.h"
#include "widgets/resultlabel.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"
#include "widgets/twips.h"
#include "window/controls.h"
#include "window/overlevelwarning.h"
#include "window/reportsaving.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <optional>

namespace window {

class LeaveGuard;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(widgets::MessageBoxes &messages = widgets::DefaultMessageBoxes(),
                     QWidget *parent = nullptr);
    ~frmMain() override;

    // Rebuilds all ten rows for an item type (1 to 6): columns shown or hidden, every row's list
    // refilled through the level filter with its first entry selected, quantities "0".
    void FillItemLists(std::int32_t itemType);
    void RecalculateRow(int row);
    void RecalculateAllRows();
    void RecalculateTotals();

    bool LevelWarningShown() const { return m_boxes.Shown(); }

    // Where the report goes; the default printer unless a test puts something else in its place.
    using ReportPrinter = std::function<report::PrintOutcome(const report::ReportDocument &)>;
    void SetReportPrinter(ReportPrinter printer) { m_printReport = std::move(printer); }
    // Where a report that could not be printed is saved as a PDF; Qt's file dialog unless a test
    // answers in its place.
    void SetPdfPathDialog(AskPdfPath askPath) { m_askPdfPath = std::move(askPath); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void ConnectReactions();
    void Form_Load();

    void ShowSilverColumn(bool visible);
    void ShowShatterResistColumn(bool visible);
    std::int32_t SelectedItemType() const;

    void cboItemType_Click();
    void cboItemName_Click(int Index);
    void chkSilver_Click(int Index);
    void chkUseWorkshop_Click();
    void chkEnforceSkillLevel_Click();
    rules::FieldCheck txtItemQuantity_Validate(int Index) const;
    void txtItemQuantity_LostFocus(int Index);
    rules::FieldCheck txtShatterResist_Validate(int Index) const;
    void txtShatterResist_LostFocus(int Index);
    rules::FieldCheck txtEventLength_Validate() const;
    void txtEventLength_LostFocus();
    rules::FieldCheck txtSkillLevel_Validate() const;
    void txtSkillLevel_LostFocus();
    void cmdHelpEventLength_Click();
    void cmdReset_Click();
    void cmdPrint_Click();
    void cmdAbout_Click();
    void PrintReport();

    void ShowMessage(widgets::MessageIcon icon, const QString &text);

    widgets::MessageBoxes &m_messages;
    // Every box of the window goes through the over-level warning, which waits for them to close.
    OverLevelWarning m_boxes{m_messages, *this};
    ReportPrinter m_printReport = report::PrintReport;
    AskPdfPath m_askPdfPath = AskPdfPathInFileDialog;
    widgets::TwipScale m_scale;
    LeaveGuard *m_leaveGuard = nullptr;
    char m_decimalSeparator = '.';
    // The level the rows' lists were last filtered with (none while the filter is off).
    std::optional<std::int32_t> m_builtLevel;

    // The controls that the code uses, each found by its name among those the layout table built.
    Controls m_controls;
    Control<widgets::SortedList> cboItemType{m_controls, "cboItemType"};
    Control<QCheckBox> chkUseWorkshop{m_controls, "chkUseWorkshop"};
    Control<QCheckBox> chkEnforceSkillLevel{m_controls, "chkEnforceSkillLevel"};
    Control<QLabel> lblSkillLevel{m_controls, "lblSkillLevel"};
    Control<widgets::TextField> txtSkillLevel{m_controls, "txtSkillLevel"};
    Control<widgets::TextField> txtEventLength{m_controls, "txtEventLength"};
    Control<QPushButton> cmdHelpEventLength{m_controls, "cmdHelpEventLength"};
    Control<widgets::ResultLabel> lblTotalCostSilver{m_controls, "lblTotalCostSilver"};
    Control<widgets::ResultLabel> lblTotalCostLevel{m_controls, "lblTotalCostLevel"};
    Control<widgets::ResultLabel> lblTotalCostPoints{m_controls, "lblTotalCostPoints"};
    Control<widgets::ResultLabel> lblTotalCostWorkshops{m_controls, "lblTotalCostWorkshops"};
    Control<widgets::TextField> txtPlayerName{m_controls, "txtPlayerName"};
    Control<widgets::TextField> txtCharacterName{m_controls, "txtCharacterName"};
    Control<QPushButton> cmdPrint{m_controls, "cmdPrint"};
    Control<QPushButton> cmdReset{m_controls, "cmdReset"};
    Control<QPushButton> cmdAbout{m_controls, "cmdAbout"};
    Control<QLabel> lblSilver{m_controls, "lblSilver"};
    Control<QLabel> lblShatterResist{m_controls, "lblShatterResist"};

    ControlArray<widgets::SortedList> cboItemName{m_controls, "cboItemName"};
    ControlArray<widgets::TextField> txtItemQuantity{m_controls, "txtItemQuantity"};
    ControlArray<QCheckBox> chkSilver{m_controls, "chkSilver"};
    ControlArray<widgets::TextField> txtShatterResist{m_controls, "txtShatterResist"};
    ControlArray<widgets::ResultLabel> lblItemProdCost{m_controls, "lblItemProdCost"};
    ControlArray<widgets::ResultLabel> lblItemSilverCost{m_controls, "lblItemSilverCost"};
};

} // namespace window
