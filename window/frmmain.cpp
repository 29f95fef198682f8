// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmmain.h"

#include "about/aboutwindow.h"
#include "report/heading.h"
#include "rules/texts.h"
#include "widgets/leaveguard.h"
#include "widgets/resultlabel.h"
#include "widgets/screenfit.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"
#include "widgets/utf8.h"
#include "window/listsaving.h"
#include "window/textstofit.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include <utility>
#include <vector>

namespace window {

namespace {

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

// Sets what changed, or everything the first time.
template <typename T> bool Changed(bool all, const T &shown, const T &now)
{
    return all || shown != now;
}

// A field's text is the user's until the form changes it: compared with what the field holds.
void ShowText(QLineEdit *field, const std::string &text)
{
    const QString shown = widgets::FromUtf8(text);
    if (field->text() != shown)
        field->setText(shown);
}

} // namespace

frmMain::frmMain(widgets::MessageBoxes &messages, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_form(DecimalSeparatorOf(QLocale())), m_messages(messages)
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
    m_leaveGuard = new widgets::LeaveGuard(this);
    Show();
    ConnectActions();
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

void frmMain::ConnectActions()
{
    using form::Field;
    connect(cboItemType, &widgets::SortedList::Click, this,
            [this] { Act([this] { m_form.cboItemType_Click(cboItemType->ListIndex()); }); });
    connect(chkUseWorkshop, &QCheckBox::toggled, this,
            [this](bool on) { Act([this, on] { m_form.chkUseWorkshop_Click(on); }); });
    connect(chkEnforceSkillLevel, &QCheckBox::toggled, this,
            [this](bool on) { Act([this, on] { m_form.chkEnforceSkillLevel_Click(on); }); });
    connect(cmdHelpEventLength, &QPushButton::clicked, this,
            [this] { Act([this] { m_form.cmdHelpEventLength_Click(); }); });
    connect(cmdReset, &QPushButton::clicked, this,
            [this] { Act([this] { m_form.cmdReset_Click(); }); });
    connect(cmdPrint, &QPushButton::clicked, this, &frmMain::cmdPrint_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &frmMain::cmdAbout_Click);
    connect(cmdSaveList, &QPushButton::clicked, this, &frmMain::cmdSaveList_Click);
    connect(cmdOpenList, &QPushButton::clicked, this, &frmMain::cmdOpenList_Click);

    for (int i = 0; i < form::kRowCount; ++i) {
        const auto at = std::size_t(i);
        widgets::SortedList *list = cboItemName[at];
        connect(list, &widgets::SortedList::Click, this,
                [this, i, list] { Act([&] { m_form.cboItemName_Click(i, list->ListIndex()); }); });
        connect(chkSilver[at], &QCheckBox::toggled, this,
                [this, i](bool on) { Act([&] { m_form.chkSilver_Click(i, on); }); });
        GuardField(txtItemQuantity[at], Field::txtItemQuantity, i);
        GuardField(txtShatterResist[at], Field::txtShatterResist, i);
    }
    GuardField(txtEventLength, Field::txtEventLength, -1);
    GuardField(txtSkillLevel, Field::txtSkillLevel, -1);
    GuardField(txtPlayerName, Field::txtPlayerName, -1);
    GuardField(txtCharacterName, Field::txtCharacterName, -1);
}

void frmMain::GuardField(widgets::TextField *field, form::Field which, int row)
{
    // The form keeps the text as it is typed; the program's own texts come from the form.
    connect(field, &QLineEdit::textChanged, this, [this, which, row](const QString &text) {
        if (!m_showing)
            m_form.SetText(which, row, widgets::ToUtf8(text));
    });
    if (which == form::Field::txtPlayerName || which == form::Field::txtCharacterName)
        return; // nothing checks the names
    m_leaveGuard->Guard(
        field,
        [this, which, row] {
            form::LeaveOutcome outcome = m_form.Leave(which, row);
            Show();
            if (!outcome.accepted) {
                m_refusal = std::move(outcome.refusal);
                return false;
            }
            ShowMessages();
            m_boxes.ActionDone();
            return true;
        },
        [this] {
            if (const std::optional<form::Message> refusal = std::exchange(m_refusal, {}))
                m_boxes.Show(this, *refusal);
        });
}

void frmMain::Act(const std::function<void()> &action)
{
    // The window's own setting of a control is the form's state shown, not a user's action.
    if (m_showing)
        return;
    action();
    Show();
    ShowMessages();
    m_boxes.ActionDone();
}

void frmMain::ShowMessages()
{
    m_boxes.ShowWaiting();
}

void frmMain::Show()
{
    const form::State &now = m_form.state();
    const bool all = !m_shownOnce;
    const form::State &was = m_shown;
    m_showing = true;

    if (Changed(all, was.itemTypes, now.itemTypes)) {
        std::vector<widgets::SortedList::Entry> types;
        for (const form::ListEntry &entry : now.itemTypes)
            types.push_back({widgets::FromUtf8(entry.text), entry.data});
        cboItemType->SetItems(types);
    }
    if (cboItemType->ListIndex() != now.itemTypeIndex)
        cboItemType->SetListIndex(now.itemTypeIndex);
    if (Changed(all, was.useWorkshop, now.useWorkshop))
        chkUseWorkshop->setChecked(now.useWorkshop);
    if (Changed(all, was.enforceSkillLevel, now.enforceSkillLevel))
        chkEnforceSkillLevel->setChecked(now.enforceSkillLevel);
    if (Changed(all, was.skillLevelEnabled, now.skillLevelEnabled)) {
        txtSkillLevel->setEnabled(now.skillLevelEnabled);
        lblSkillLevel->setEnabled(now.skillLevelEnabled);
    }
    ShowText(txtSkillLevel, now.skillLevelText);
    ShowText(txtEventLength, now.eventLengthText);
    if (Changed(all, was.silverColumnVisible, now.silverColumnVisible)) {
        lblSilver->setVisible(now.silverColumnVisible);
        for (std::size_t i = 0; i < chkSilver.size(); ++i)
            chkSilver[i]->setVisible(now.silverColumnVisible);
    }
    if (Changed(all, was.shatterResistColumnVisible, now.shatterResistColumnVisible)) {
        lblShatterResist->setVisible(now.shatterResistColumnVisible);
        for (std::size_t i = 0; i < txtShatterResist.size(); ++i)
            txtShatterResist[i]->setVisible(now.shatterResistColumnVisible);
    }

    for (std::size_t i = 0; i < std::size_t(form::kRowCount); ++i) {
        const form::Row &row = now.rows[i];
        const form::Row &shown = was.rows[i];
        widgets::SortedList *list = cboItemName[i];
        if (all || row.entries != shown.entries) {
            std::vector<widgets::SortedList::Entry> entries;
            entries.reserve(row.entries->size());
            for (const form::ListEntry &entry : *row.entries)
                entries.push_back({widgets::FromUtf8(entry.text), entry.data});
            list->SetItems(entries);
        }
        if (list->ListIndex() != row.listIndex)
            list->SetListIndex(row.listIndex);
        ShowText(txtItemQuantity[i], row.quantityText);
        if (Changed(all, shown.silver, row.silver))
            chkSilver[i]->setChecked(row.silver);
        ShowText(txtShatterResist[i], row.shatterResistText);
        if (Changed(all, shown.pointsCaption, row.pointsCaption))
            lblItemProdCost[i]->SetCaption(widgets::FromUtf8(row.pointsCaption));
        if (Changed(all, shown.silverCaption, row.silverCaption))
            lblItemSilverCost[i]->SetCaption(widgets::FromUtf8(row.silverCaption));
    }

    if (Changed(all, was.totalSilverCaption, now.totalSilverCaption))
        lblTotalCostSilver->SetCaption(widgets::FromUtf8(now.totalSilverCaption));
    if (Changed(all, was.totalLevelCaption, now.totalLevelCaption))
        lblTotalCostLevel->SetCaption(widgets::FromUtf8(now.totalLevelCaption));
    if (Changed(all, was.totalPointsCaption, now.totalPointsCaption))
        lblTotalCostPoints->SetCaption(widgets::FromUtf8(now.totalPointsCaption));
    if (Changed(all, was.totalWorkshopsCaption, now.totalWorkshopsCaption))
        lblTotalCostWorkshops->SetCaption(widgets::FromUtf8(now.totalWorkshopsCaption));
    ShowText(txtPlayerName, now.playerName);
    ShowText(txtCharacterName, now.characterName);

    m_shown = now;
    m_shownOnce = true;
    m_showing = false;
}

void frmMain::cmdPrint_Click()
{
    if (!m_showing)
        PrintReport();
}

void frmMain::PrintReport()
{
    const form::ReportDocument document = m_form.Report(report::CurrentHeading());
    const report::PrintOutcome outcome = m_printReport(document);
    // A report that did not reach a printer must not pass for printed; the same document can be
    // kept as a file instead. The offer, the dialog and a failure count as one open box.
    if (outcome != report::PrintOutcome::Printed) {
        m_boxes.Opened();
        OfferPdfInstead(this, outcome, document, widgets::FromUtf8(m_form.state().characterName),
                        m_boxes, m_askPdfPath);
        m_boxes.Closed();
    }
}

void frmMain::cmdAbout_Click()
{
    about::ShowAboutWindow(this);
}

void frmMain::cmdSaveList_Click()
{
    if (m_showing)
        return;
    // The dialog, a question and a failure count as one open box.
    m_boxes.Opened();
    SaveList(this, m_form.state(), m_boxes);
    m_boxes.Closed();
}

void frmMain::cmdOpenList_Click()
{
    // An opened list is shown, and its totals considered for the over-level warning, as after any
    // other action.
    Act([this] {
        m_boxes.Opened();
        OpenList(this, m_form, m_boxes);
        m_boxes.Closed();
    });
}

} // namespace window
