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
// action has finished, the over-level warning is considered once, on the totals it ended with.

#include "report/reportdocument.h"
#include "report/reportprinter.h"
#include "rules/costing.h"
#include "rules/fields.h"
#include "widgets/messageboxes.h"
#include "widgets/twips.h"
#include "window/reportsaving.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace widgets {
class ResultLabel;
class SortedList;
class TextField;
} // namespace widgets

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

    bool LevelWarningShown() const { return m_levelWarning.Shown(); }

    // Where the report goes; the default printer unless a test puts something else in its place.
    using ReportPrinter = std::function<report::PrintOutcome(const report::ReportDocument &)>;
    void SetReportPrinter(ReportPrinter printer) { m_printReport = std::move(printer); }
    // Where a report that could not be printed is saved as a PDF; Qt's file dialog unless a test
    // answers in its place.
    void SetPdfPathDialog(AskPdfPath askPath) { m_askPdfPath = std::move(askPath); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildControls();
    void SetTabOrder();
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
    // The over-level warning is considered once per user action, after the action has finished.
    void ScheduleLevelCheck();
    void QueueLevelCheck();
    void CheckLevelAfterAction();

    // Every box of the window goes through here, so that the warning after an action waits until
    // a box that the action opened (a refusal, the days help, a print failure) has been dismissed.
    class TrackedMessages final : public widgets::MessageBoxes {
    public:
        TrackedMessages(widgets::MessageBoxes &boxes, frmMain &owner)
            : m_boxes(boxes), m_owner(owner)
        {
        }
        void Show(QWidget *parent, widgets::MessageIcon icon, const QString &text) override;
        bool Ask(QWidget *parent, widgets::MessageIcon icon, const QString &text,
                 const QString &question, const QString &acceptButton) override;
        bool AnyOpen() const { return m_open > 0; }
        // A flow of several boxes and dialogs counts as one open box from Opened to Closed.
        void Opened() { ++m_open; }
        void Closed();

    private:
        widgets::MessageBoxes &m_boxes;
        frmMain &m_owner;
        int m_open = 0;
    };

    widgets::MessageBoxes &m_messages;
    TrackedMessages m_boxes{m_messages, *this};
    ReportPrinter m_printReport = report::PrintReport;
    AskPdfPath m_askPdfPath = AskPdfPathInFileDialog;
    widgets::TwipScale m_scale;
    LeaveGuard *m_leaveGuard = nullptr;
    char m_decimalSeparator = '.';

    rules::LevelWarning m_levelWarning; // LevelWarningShown
    bool m_lastOverLevel = false;
    bool m_levelCheckPending = false; // an action's totals await the check
    bool m_levelCheckQueued = false;  // a CheckLevelAfterAction is in the event queue
    // The level the rows' lists were last filtered with (none while the filter is off).
    std::optional<std::int32_t> m_builtLevel;

    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QGroupBox *Frame3 = nullptr;
    QGroupBox *Frame4 = nullptr;
    widgets::SortedList *cboItemType = nullptr;
    QCheckBox *chkUseWorkshop = nullptr;
    QCheckBox *chkEnforceSkillLevel = nullptr;
    QLabel *lblSkillLevel = nullptr;
    widgets::TextField *txtSkillLevel = nullptr;
    widgets::TextField *txtEventLength = nullptr;
    QPushButton *cmdHelpEventLength = nullptr;
    widgets::ResultLabel *lblTotalCostSilver = nullptr;
    widgets::ResultLabel *lblTotalCostLevel = nullptr;
    widgets::ResultLabel *lblTotalCostPoints = nullptr;
    widgets::ResultLabel *lblTotalCostWorkshops = nullptr;
    widgets::TextField *txtPlayerName = nullptr;
    widgets::TextField *txtCharacterName = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdReset = nullptr;
    QPushButton *cmdAbout = nullptr;
    QLabel *lblSilver = nullptr;
    QLabel *lblShatterResist = nullptr;

    std::array<widgets::SortedList *, rules::kRowCount> cboItemName{};
    std::array<widgets::TextField *, rules::kRowCount> txtItemQuantity{};
    std::array<QCheckBox *, rules::kRowCount> chkSilver{};
    std::array<widgets::TextField *, rules::kRowCount> txtShatterResist{};
    std::array<widgets::ResultLabel *, rules::kRowCount> lblItemProdCost{};
    std::array<widgets::ResultLabel *, rules::kRowCount> lblItemSilverCost{};
};

} // namespace window
