// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmmain.h"

#include "about/aboutwindow.h"
#include "report/heading.h"
#include "rules/catalogue.h"
#include "rules/costing.h"
#include "rules/numbers.h"
#include "rules/texts.h"
#include "widgets/resultlabel.h"
#include "widgets/screenfit.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"
#include "window/leaveguard.h"
#include "window/textstofit.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include <array>
#include <string>
#include <vector>

namespace window {

namespace {

const QString kInvalidItemType =
    QStringLiteral("Error: invalid item type. Please contact the author.");
const QString kUnknownWeapon = QStringLiteral("Unknown Weapon Type, silver cost not added.");
const QString kDaysHelp = QStringLiteral(
    "Days is the number of production days, the number of days you want to do production over. "
    "For a normal weekend long event, this is two days. You can change this to any positive Long.");

std::string Utf8(const QString &text)
{
    return text.toStdString();
}

char DecimalSeparatorOf(const QLocale &locale)
{
    const QString point = locale.decimalPoint();
    const char c = point.size() == 1 ? point.at(0).toLatin1() : '\0';
    return c != '\0' ? c : '.';
}

// A plain top-level QWidget reaches screen readers as a "filler"; the calculator is a window.
QAccessibleInterface *AccessibleMainWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("window::frmMain") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

} // namespace

frmMain::frmMain(widgets::MessageBoxes &messages, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_messages(messages), m_decimalSeparator(DecimalSeparatorOf(QLocale()))
{
    static const bool accessibleWindow = (QAccessible::installFactory(AccessibleMainWindow), true);
    Q_UNUSED(accessibleWindow);
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromUtf8(rules::texts::kAppTitle));
    // Scaled from the desktop font, within the screen the window opens on.
    QScreen *screen = widgets::ScreenForNewWindow();
    if (screen)
        setScreen(screen);
    const std::vector<widgets::TextFit> fits = TextsToFit();
    const widgets::WindowFit fit =
        widgets::FitToRoom(QApplication::font(), fits, {kClientTwipWidth, kClientTwipHeight},
                           widgets::ClientRoomOn(screen));
    m_scale = fit.scale;
    if (fit.font != QApplication::font())
        setFont(fit.font);
    setFixedSize(m_scale.size(kClientTwipWidth, kClientTwipHeight));

    m_controls.Build(*this, m_scale);
    m_leaveGuard = new LeaveGuard(this, m_boxes);
    ConnectReactions();
    Form_Load();
    cboItemType->setFocus(Qt::OtherFocusReason);
}

frmMain::~frmMain()
{
    // Destroying the controls moves no focus that anyone should check.
    m_leaveGuard->SetActive(false);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    m_leaveGuard->SetActive(false);
    QWidget::closeEvent(event);
}

void frmMain::ConnectReactions()
{
    using widgets::MessageIcon;
    connect(cboItemType, &widgets::SortedList::Click, this, &frmMain::cboItemType_Click);
    connect(chkUseWorkshop, &QCheckBox::toggled, this, &frmMain::chkUseWorkshop_Click);
    connect(chkEnforceSkillLevel, &QCheckBox::toggled, this, &frmMain::chkEnforceSkillLevel_Click);
    connect(cmdHelpEventLength, &QPushButton::clicked, this, &frmMain::cmdHelpEventLength_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmMain::cmdReset_Click);
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(m_leaveGuard, &LeaveGuard::MouseReleased, &m_boxes, &OverLevelWarning::MouseReleased);

    for (int i = 0; i < rules::kRowCount; ++i) {
        const auto at = std::size_t(i);
        connect(cboItemName[at], &widgets::SortedList::Click, this,
                [this, i] { cboItemName_Click(i); });
        connect(chkSilver[at], &QCheckBox::toggled, this, [this, i] { chkSilver_Click(i); });
        m_leaveGuard->Guard(
            txtItemQuantity[at], MessageIcon::Exclamation,
            [this, i] { return txtItemQuantity_Validate(i); },
            [this, i] { txtItemQuantity_LostFocus(i); });
        m_leaveGuard->Guard(
            txtShatterResist[at], MessageIcon::None,
            [this, i] { return txtShatterResist_Validate(i); },
            [this, i] { txtShatterResist_LostFocus(i); });
    }
    m_leaveGuard->Guard(
        txtEventLength, MessageIcon::Exclamation, [this] { return txtEventLength_Validate(); },
        [this] { txtEventLength_LostFocus(); });
    m_leaveGuard->Guard(
        txtSkillLevel, MessageIcon::Exclamation, [this] { return txtSkillLevel_Validate(); },
        [this] { txtSkillLevel_LostFocus(); });
}

void frmMain::Form_Load()
{
    m_boxes.Clear();
    for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
        cboItemType->AddItem(QString::fromUtf8(rules::ItemTypeName(code)));
        cboItemType->SetItemData(cboItemType->NewIndex(), code);
    }
    cboItemType->SetListIndex(0);
    FillItemLists(SelectedItemType());
}

std::int32_t frmMain::SelectedItemType() const
{
    return cboItemType->ItemData(cboItemType->ListIndex());
}

void frmMain::FillItemLists(std::int32_t itemType)
{
    if (!rules::IsItemType(itemType)) {
        ShowMessage(widgets::MessageIcon::Stop, kInvalidItemType);
        return;
    }
    ShowSilverColumn(rules::ShowsSilverColumn(itemType));
    ShowShatterResistColumn(rules::ShowsShatterResistColumn(itemType));
    const bool enforce = chkEnforceSkillLevel->isChecked();
    m_builtLevel = enforce ? rules::FilterLevel(Utf8(txtSkillLevel->text())) : std::nullopt;
    // The level is read once per rebuild: every row offers the same entries. The skill-level check
    // lets through only levels that round to 1 or more and fit 32 bits.
    std::vector<widgets::SortedList::Entry> offered;
    for (const rules::CatalogueItem &item :
         rules::SortedOfferedItems(itemType, enforce, m_builtLevel.value_or(0)))
        offered.push_back({QString::fromUtf8(item.name), item.unitCost});
    for (std::size_t i = 0; i < std::size_t(rules::kRowCount); ++i) {
        cboItemName[i]->SetItems(offered);
        m_controls.Restore(txtItemQuantity[i]);
        if (cboItemName[i]->count() > 0)
            cboItemName[i]->SetListIndex(0); // its Click recomputes the row
        else
            RecalculateRow(int(i));
    }
}

void frmMain::ShowSilverColumn(bool visible)
{
    lblSilver->setVisible(visible);
    for (QCheckBox *box : chkSilver) {
        m_controls.Restore(box); // a checked box recomputes its row here, as a click would
        box->setVisible(visible);
    }
}

void frmMain::ShowShatterResistColumn(bool visible)
{
    lblShatterResist->setVisible(visible);
    for (widgets::TextField *field : txtShatterResist) {
        m_controls.Restore(field);
        field->setVisible(visible);
    }
}

void frmMain::RecalculateRow(int row)
{
    const auto at = std::size_t(row);
    widgets::SortedList *list = cboItemName[at];
    const int index = list->ListIndex();
    const std::string name = index >= 0 ? Utf8(list->itemText(index)) : std::string();
    const std::string quantity = Utf8(txtItemQuantity[at]->text());
    const std::string shatterResist = Utf8(txtShatterResist[at]->text());
    const rules::RowCost cost = rules::CostRow(
        {list->ItemData(index), name, quantity, chkSilver[at]->isChecked(), shatterResist});
    if (cost.unknownWeapon)
        ShowMessage(widgets::MessageIcon::Stop, kUnknownWeapon);
    lblItemProdCost[at]->SetCaption(QString::fromUtf8(rules::WholeNumberText(cost.points)));
    lblItemSilverCost[at]->SetCaption(
        QString::fromUtf8(rules::GeneralNumberText(cost.silver, m_decimalSeparator)));
    RecalculateTotals();
}

void frmMain::RecalculateAllRows()
{
    for (int i = 0; i < rules::kRowCount; ++i)
        RecalculateRow(i);
    RecalculateTotals();
}

void frmMain::RecalculateTotals()
{
    std::array<std::string, rules::kRowCount> points;
    std::array<std::string, rules::kRowCount> silver;
    rules::TotalsInputs in;
    const std::string skillLevel = Utf8(txtSkillLevel->text());
    const std::string days = Utf8(txtEventLength->text());
    in.skillLevelText = skillLevel;
    in.daysText = days;
    in.workshop = chkUseWorkshop->isChecked();
    in.enforceLevel = chkEnforceSkillLevel->isChecked();
    in.decimalSeparator = m_decimalSeparator;
    for (std::size_t i = 0; i < std::size_t(rules::kRowCount); ++i) {
        points[i] = Utf8(lblItemProdCost[i]->text());
        silver[i] = Utf8(lblItemSilverCost[i]->text());
        in.rowPointsTexts[i] = points[i];
        in.rowSilverTexts[i] = silver[i];
    }
    const rules::Totals totals = rules::ComputeTotals(in);
    lblTotalCostSilver->SetCaption(QString::fromUtf8(totals.silverText));
    lblTotalCostPoints->SetCaption(QString::fromUtf8(totals.pointsText));
    lblTotalCostWorkshops->SetCaption(QString::fromUtf8(totals.workshopsText));
    lblTotalCostLevel->SetCaption(QString::fromUtf8(totals.levelText));
    m_boxes.TotalsComputed(totals.overLevel);
}

void frmMain::ShowMessage(widgets::MessageIcon icon, const QString &text)
{
    m_boxes.Show(this, icon, text);
}

void frmMain::cboItemType_Click()
{
    FillItemLists(SelectedItemType());
}

void frmMain::cboItemName_Click(int Index)
{
    RecalculateRow(Index);
}

void frmMain::chkSilver_Click(int Index)
{
    RecalculateRow(Index);
}

void frmMain::chkUseWorkshop_Click()
{
    RecalculateAllRows();
}

void frmMain::chkEnforceSkillLevel_Click()
{
    const bool enforce = chkEnforceSkillLevel->isChecked();
    txtSkillLevel->setEnabled(enforce);
    lblSkillLevel->setEnabled(enforce);
    FillItemLists(SelectedItemType());
}

rules::FieldCheck frmMain::txtItemQuantity_Validate(int Index) const
{
    return rules::CheckQuantity(Utf8(txtItemQuantity[std::size_t(Index)]->text()));
}

void frmMain::txtItemQuantity_LostFocus(int Index)
{
    RecalculateRow(Index);
}

rules::FieldCheck frmMain::txtShatterResist_Validate(int Index) const
{
    return rules::CheckShatterResist(Utf8(txtShatterResist[std::size_t(Index)]->text()));
}

void frmMain::txtShatterResist_LostFocus(int Index)
{
    RecalculateRow(Index);
}

rules::FieldCheck frmMain::txtEventLength_Validate() const
{
    return rules::CheckDays(Utf8(txtEventLength->text()));
}

void frmMain::txtEventLength_LostFocus()
{
    RecalculateTotals();
}

rules::FieldCheck frmMain::txtSkillLevel_Validate() const
{
    return rules::CheckSkillLevel(Utf8(txtSkillLevel->text()));
}

void frmMain::txtSkillLevel_LostFocus()
{
    // Passing through the field must not throw the list away: the rows are rebuilt only when the
    // level that filters them has changed. The capacity may change either way.
    const std::optional<std::int32_t> level = rules::FilterLevel(Utf8(txtSkillLevel->text()));
    if (chkEnforceSkillLevel->isChecked() && level != m_builtLevel)
        FillItemLists(SelectedItemType());
    else
        RecalculateTotals();
}

void frmMain::cmdHelpEventLength_Click()
{
    ShowMessage(widgets::MessageIcon::Question, kDaysHelp);
}

void frmMain::cmdReset_Click()
{
    cboItemType->SetListIndex(1);
    m_controls.Restore(chkUseWorkshop);
    m_controls.Restore(chkEnforceSkillLevel);
    m_controls.Restore(txtSkillLevel);
    m_controls.Restore(txtCharacterName);
    m_controls.Restore(txtPlayerName);
    for (widgets::TextField *quantity : txtItemQuantity)
        m_controls.Restore(quantity);
    FillItemLists(SelectedItemType());
    RecalculateAllRows();
    RecalculateTotals();
}

void frmMain::cmdPrint_Click()
{
    PrintReport();
}

void frmMain::PrintReport()
{
    // The report prints the texts as the window shows them; it computes and changes nothing.
    report::ReportSnapshot snapshot;
    snapshot.playerName = txtPlayerName->text();
    snapshot.characterName = txtCharacterName->text();
    for (std::size_t i = 0; i < cboItemName.size(); ++i) {
        snapshot.rows.push_back(
            {cboItemName[i]->ListIndex() >= 0 ? cboItemName[i]->currentText() : QString(),
             txtItemQuantity[i]->text(), chkSilver[i]->isChecked(), txtShatterResist[i]->text(),
             lblItemProdCost[i]->text(), lblItemSilverCost[i]->text()});
    }
    snapshot.totalPointsCaption = lblTotalCostPoints->text();
    snapshot.totalLevelCaption = lblTotalCostLevel->text();
    snapshot.totalSilverCaption = lblTotalCostSilver->text();
    snapshot.totalWorkshopsCaption = lblTotalCostWorkshops->text();
    const report::ReportDocument document = report::BuildReport(snapshot, report::CurrentHeading());
    const report::PrintOutcome outcome = m_printReport(document);
    // A report that did not reach a printer must not pass for printed; the same document can be
    // kept as a file instead. The offer, the dialog and a failure count as one open box.
    if (outcome != report::PrintOutcome::Printed) {
        m_boxes.Opened();
        OfferPdfInstead(this, outcome, document, snapshot.characterName, m_boxes, m_askPdfPath);
        m_boxes.Closed();
    }
}

void frmMain::cmdAbout_Click()
{
    about::ShowAboutWindow(this);
}

} // namespace window
