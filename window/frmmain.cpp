// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/frmmain.h"

#include "about/aboutwindow.h"
#include "report/heading.h"
#include "rules/catalogue.h"
#include "rules/fields.h"
#include "rules/numbers.h"
#include "rules/texts.h"
#include "widgets/checkbox.h"
#include "widgets/resultlabel.h"
#include "widgets/screenfit.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"
#include "window/layout.h"
#include "window/leaveguard.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include <vector>

namespace window {

namespace {

const QString kInvalidItemType =
    QStringLiteral("Error: invalid item type. Please contact the author.");
const QString kUnknownWeapon = QStringLiteral("Unknown Weapon Type, silver cost not added.");
const QString kOverLevelWarning = QStringLiteral(
    "Warning: Your production list currently exceeds your skill level. You can fix this by "
    "increasing your level or the number of days to do the production."
    "\r\n\r\nYou can disable this check by turning off the Enforce Level Restrictions option.");
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

QString RowName(std::string_view name, int row)
{
    return QString::fromUtf8(name) + QLatin1Char('_') + QString::number(row);
}

// What a screen reader says for a control whose caption stands in a separate label.
QString RowAccessibleName(std::string_view column, int row)
{
    return QString::fromUtf8(column) + QStringLiteral(", row ") + QString::number(row + 1);
}

// A plain top-level QWidget reaches screen readers as a "filler"; the calculator is a window.
QAccessibleInterface *AccessibleMainWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("window::frmMain") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// The control the layout table made under this name, as the kind the window uses it as. The table
// is part of the program, so a miss is a fault in it: stop with the name rather than run on with a
// control of the wrong kind.
template <typename T>
void Find(const QHash<QString, QWidget *> &byName, const QString &name, T *&control)
{
    control = qobject_cast<T *>(byName.value(name));
    if (!control)
        qFatal("frmMain: the layout has no control %s of kind %s", qPrintable(name),
               T::staticMetaObject.className());
}

// Room beside a list's text for its arrow, in unscaled pixels.
constexpr int kListArrowWidth = 24;

// Everyday figures of the result labels, by label; longer ones shrink their font rather than
// being cut off.
constexpr std::pair<std::string_view, std::string_view> kEverydayFigures[] = {
    {"lblTotalCostPoints", "2280 / 160"},
    {"lblTotalCostLevel", "285 / 143 per day"},
    {"lblItemProdCost", "2280"},
    {"lblItemSilverCost", "242.4"},
};

// Every text that must fit a control, with the control's size from the layout table: every
// caption, every entry that a list can offer, and everyday figures in the result labels. The
// window's scale is worked out from these.
std::vector<widgets::TextFit> TextsToFit()
{
    std::vector<widgets::TextFit> fits;
    const auto add = [&fits](std::string_view text, int width, int height, int extraWidth) {
        fits.push_back({QString::fromUtf8(text), width, height, extraWidth});
    };
    const auto addControl = [&](std::string_view name, ControlKind kind, std::string_view caption,
                                int width, int height) {
        switch (kind) {
        case ControlKind::Label:
        case ControlKind::Button:
            add(caption, width, height, 0);
            break;
        case ControlKind::Group:
            add(caption, width, 0, 16);
            break;
        case ControlKind::ResultLabel:
            for (const auto &[label, figure] : kEverydayFigures)
                if (label == name)
                    add(figure, width, height, 0);
            break;
        case ControlKind::DropDownList:
            for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code) {
                if (name == "cboItemType")
                    add(rules::ItemTypeName(code), width, height, kListArrowWidth);
                else
                    for (const rules::CatalogueItem &item : rules::CatalogueItems(code))
                        add(item.name, width, height, kListArrowWidth);
            }
            break;
        default:
            break;
        }
    };
    for (const ControlSpec &c : FixedControls())
        addControl(c.name, c.kind, c.caption, c.rect.width, c.rect.height);
    for (const RowSpec &r : RowControls())
        addControl(r.name, r.kind, r.caption, r.width, r.height);
    return fits;
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

    BuildControls();
    SetTabOrder();
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

void frmMain::BuildControls()
{
    QHash<QString, QWidget *> byName;
    auto place = [this](QWidget *w, const QString &name, const widgets::TwipRect &rect) {
        w->setObjectName(name);
        w->setGeometry(m_scale.rect(rect));
    };
    auto make = [&](ControlKind kind, QWidget *parentWidget,
                    std::string_view caption) -> QWidget * {
        switch (kind) {
        case ControlKind::Group:
            return new QGroupBox(QString::fromUtf8(caption), parentWidget);
        case ControlKind::Label:
            return new QLabel(QString::fromUtf8(caption), parentWidget);
        case ControlKind::ResultLabel: {
            auto *label = new widgets::ResultLabel(parentWidget);
            label->SetCaption(QString::fromUtf8(caption));
            return label;
        }
        case ControlKind::DropDownList:
            return new widgets::SortedList(rules::ListOrderLess, parentWidget);
        case ControlKind::Field:
        case ControlKind::NumberField: {
            auto *field = new widgets::TextField(parentWidget);
            field->setText(QString::fromUtf8(caption));
            if (kind == ControlKind::NumberField) {
                field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                field->SetShrinkToFit(true);
            }
            return field;
        }
        case ControlKind::CheckBox: {
            auto *box = new widgets::CheckBox(parentWidget);
            box->setChecked(caption == "1");
            return box;
        }
        case ControlKind::Button: {
            auto *button = new QPushButton(QString::fromUtf8(caption), parentWidget);
            button->setAutoDefault(false);
            return button;
        }
        }
        return nullptr;
    };

    for (const ControlSpec &c : FixedControls()) {
        QWidget *parentWidget = c.group.empty() ? this : byName.value(QString::fromUtf8(c.group));
        QWidget *w = make(c.kind, parentWidget, c.caption);
        place(w, QString::fromUtf8(c.name), c.rect);
        byName.insert(QString::fromUtf8(c.name), w);
    }
    const auto find = [&byName](auto *&control, const char *name) {
        Find(byName, QLatin1String(name), control);
    };
    find(Frame1, "Frame1");
    find(Frame2, "Frame2");
    find(Frame3, "Frame3");
    find(Frame4, "Frame4");
    find(cboItemType, "cboItemType");
    find(chkUseWorkshop, "chkUseWorkshop");
    find(chkEnforceSkillLevel, "chkEnforceSkillLevel");
    find(lblSkillLevel, "lblSkillLevel");
    find(txtSkillLevel, "txtSkillLevel");
    find(txtEventLength, "txtEventLength");
    find(cmdHelpEventLength, "cmdHelpEventLength");
    find(lblTotalCostSilver, "lblTotalCostSilver");
    find(lblTotalCostLevel, "lblTotalCostLevel");
    find(lblTotalCostPoints, "lblTotalCostPoints");
    find(lblTotalCostWorkshops, "lblTotalCostWorkshops");
    find(txtPlayerName, "txtPlayerName");
    find(txtCharacterName, "txtCharacterName");
    find(cmdPrint, "cmdPrint");
    find(cmdReset, "cmdReset");
    find(cmdAbout, "cmdAbout");
    find(lblSilver, "lblSilver");
    find(lblShatterResist, "lblShatterResist");

    for (int i = 0; i < rules::kRowCount; ++i) {
        const int top = kFirstRowTop + kRowPitch * i;
        for (const RowSpec &r : RowControls()) {
            QWidget *w = make(r.kind, Frame2, r.caption);
            place(w, RowName(r.name, i), {r.left, top, r.width, r.height});
            byName.insert(RowName(r.name, i), w);
        }
        const auto at = std::size_t(i);
        const auto findRow = [&byName, i](auto *&control, const char *name) {
            Find(byName, RowName(name, i), control);
        };
        findRow(cboItemName[at], "cboItemName");
        findRow(txtItemQuantity[at], "txtItemQuantity");
        findRow(chkSilver[at], "chkSilver");
        findRow(txtShatterResist[at], "txtShatterResist");
        findRow(lblItemProdCost[at], "lblItemProdCost");
        findRow(lblItemSilverCost[at], "lblItemSilverCost");

        cboItemName[at]->setAccessibleName(RowAccessibleName("Item", i));
        txtItemQuantity[at]->setAccessibleName(RowAccessibleName("Quantity", i));
        chkSilver[at]->setAccessibleName(RowAccessibleName("Silver", i));
        txtShatterResist[at]->setAccessibleName(RowAccessibleName("Shatter Resist", i));
        lblItemProdCost[at]->setAccessibleDescription(RowAccessibleName("Cost (Points)", i));
        lblItemSilverCost[at]->setAccessibleDescription(RowAccessibleName("Cost (Silver)", i));
        txtItemQuantity[at]->SetSelectOnEntry(true);
        txtShatterResist[at]->SetSelectOnEntry(true);
    }
    txtEventLength->SetSelectOnEntry(true);

    // Captions standing beside their controls name them for screen readers.
    const std::pair<const char *, QWidget *> captions[] = {
        {"Label1", cboItemType},          {"Label2", chkUseWorkshop},
        {"Label8", chkEnforceSkillLevel}, {"lblSkillLevel", txtSkillLevel},
        {"Label13", txtEventLength},      {"Label9", txtPlayerName},
        {"Label11", txtCharacterName},
    };
    for (const auto &[labelName, control] : captions) {
        QLabel *label = nullptr;
        find(label, labelName);
        label->setBuddy(control);
        control->setAccessibleName(label->text());
        control->setAccessibleDescription(label->text());
    }
    cmdHelpEventLength->setAccessibleName(QStringLiteral("Help on Days"));
    const std::pair<widgets::ResultLabel *, const char *> totals[] = {
        {lblTotalCostSilver, "Total silver cost"},
        {lblTotalCostLevel, "Skill levels needed, in all and per day"},
        {lblTotalCostPoints, "Production points needed and the points you can produce"},
        {lblTotalCostWorkshops, "Workshops needed"},
    };
    for (const auto &[label, description] : totals)
        label->setAccessibleDescription(QLatin1String(description));
}

void frmMain::SetTabOrder()
{
    std::vector<QWidget *> order = {cboItemType, chkUseWorkshop, chkEnforceSkillLevel,
                                    txtSkillLevel};
    for (std::size_t i = 0; i < std::size_t(rules::kRowCount); ++i) {
        order.push_back(cboItemName[i]);
        order.push_back(txtItemQuantity[i]);
        order.push_back(chkSilver[i]);
        order.push_back(txtShatterResist[i]);
    }
    order.insert(order.end(), {txtPlayerName, txtCharacterName, cmdPrint, cmdReset, cmdAbout,
                               txtEventLength, cmdHelpEventLength});
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
    connect(m_leaveGuard, &LeaveGuard::MouseReleased, this, [this] {
        if (m_levelCheckPending)
            QueueLevelCheck();
    });

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
    m_levelWarning.Clear();
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
        txtItemQuantity[i]->setText(QStringLiteral("0"));
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
        box->setChecked(false); // a checked box recomputes its row here, as a click would
        box->setVisible(visible);
    }
}

void frmMain::ShowShatterResistColumn(bool visible)
{
    lblShatterResist->setVisible(visible);
    for (QLineEdit *field : txtShatterResist) {
        field->setText(QStringLiteral("0"));
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
    m_lastOverLevel = totals.overLevel;
    ScheduleLevelCheck();
}

void frmMain::ScheduleLevelCheck()
{
    m_levelCheckPending = true;
    QueueLevelCheck();
}

void frmMain::QueueLevelCheck()
{
    // Every action queues its own look, so a check put off by a held button or an open box cannot
    // keep a later action from being considered.
    if (m_levelCheckQueued)
        return;
    m_levelCheckQueued = true;
    QMetaObject::invokeMethod(this, &frmMain::CheckLevelAfterAction, Qt::QueuedConnection);
}

void frmMain::CheckLevelAfterAction()
{
    m_levelCheckQueued = false;
    // An action by mouse ends when the button is released (a check box changes on release).
    if (!m_levelCheckPending || QGuiApplication::mouseButtons() != Qt::NoButton ||
        m_boxes.AnyOpen())
        return;
    m_levelCheckPending = false;
    if (m_levelWarning.Check(m_lastOverLevel))
        ShowMessage(widgets::MessageIcon::Exclamation, kOverLevelWarning);
}

void frmMain::TrackedMessages::Show(QWidget *parent, widgets::MessageIcon icon, const QString &text)
{
    Opened();
    m_boxes.Show(parent, icon, text);
    Closed();
}

bool frmMain::TrackedMessages::Ask(QWidget *parent, widgets::MessageIcon icon, const QString &text,
                                   const QString &question, const QString &acceptButton)
{
    Opened();
    const bool accepted = m_boxes.Ask(parent, icon, text, question, acceptButton);
    Closed();
    return accepted;
}

void frmMain::TrackedMessages::Closed()
{
    --m_open;
    if (m_open == 0 && m_owner.m_levelCheckPending)
        m_owner.QueueLevelCheck();
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
    chkUseWorkshop->setChecked(true);
    chkEnforceSkillLevel->setChecked(true);
    txtSkillLevel->setText(QStringLiteral("10"));
    txtCharacterName->setText(QString());
    txtPlayerName->setText(QString());
    for (QLineEdit *quantity : txtItemQuantity)
        quantity->setText(QStringLiteral("0"));
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
