// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowdriver.h"

#include "rules/texts.h"
#include "widgets/applicationtitle.h"
#include "widgets/checkbox.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

void RecordingMessages::Show(QWidget *, widgets::MessageIcon icon, const QString &text)
{
    shown.push_back({icon, text});
    if (!spinLikeAModalBox)
        return;
    deepest = std::max(deepest, ++open);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    --open;
}

bool RecordingMessages::Ask(QWidget *, widgets::MessageIcon icon, const QString &text,
                            const QString &question, const QString &acceptButton)
{
    shown.push_back({icon, text, question, acceptButton});
    return accept;
}

int RecordingMessages::Count(const QString &text) const
{
    int n = 0;
    for (const ShownMessage &m : shown)
        n += m.text == text ? 1 : 0;
    return n;
}

namespace {

// FORGETALLY_TEST_FONT_POINT_SIZE stands in for a desktop set to a larger font: the window must
// work whatever font it is given. Only the tests read it; the program takes no configuration.
void ApplyTestFontSize()
{
    bool ok = false;
    const double points = qEnvironmentVariable("FORGETALLY_TEST_FONT_POINT_SIZE").toDouble(&ok);
    if (!ok || points <= 0)
        return;
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    QApplication::setFont(font);
}

} // namespace

WindowDriver::WindowDriver()
{
    ApplyTestFontSize();
    // What main sets for every box and the About window.
    widgets::SetApplicationTitle(QString::fromUtf8(rules::texts::kAppTitle));
    m_window = std::make_unique<window::frmMain>(m_messages);
    m_window->show();
    m_window->activateWindow();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("calculator window did not become active");
    Settle();
}

WindowDriver::~WindowDriver() = default;

QWidget *WindowDriver::Focus() const
{
    QApplication::processEvents();
    return m_window->focusWidget();
}

void WindowDriver::Click(QWidget *widget)
{
    // A person aims at the box they see, wherever the style draws it.
    const auto *box = qobject_cast<widgets::CheckBox *>(widget);
    ClickAt(widget, box ? box->IndicatorRect().center() : widget->rect().center());
}

void WindowDriver::ClickAt(QWidget *widget, QPoint at)
{
    at = widget->mapTo(m_window.get(), at);
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    Settle();
}

void WindowDriver::Key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget *target = m_window->focusWidget() ? m_window->focusWidget() : m_window.get();
    QTest::keyClick(target, key, modifiers);
    Settle();
}

void WindowDriver::Type(const QString &text)
{
    QWidget *target = m_window->focusWidget();
    if (auto *edit = qobject_cast<QLineEdit *>(target)) {
        edit->selectAll();
        QTest::keyClick(target, Qt::Key_Delete);
    }
    QTest::keyClicks(target, text);
}

void WindowDriver::Enter(const QString &fieldName, const QString &text)
{
    Click(Field(fieldName));
    Type(text);
    Key(Qt::Key_Tab);
}

void WindowDriver::PickType(const QString &typeName)
{
    PickItem(-1, typeName);
}

void WindowDriver::PickItem(int row, const QString &itemName)
{
    QComboBox *list = row < 0 ? List(QStringLiteral("cboItemType")) : List(Row("cboItemName", row));
    // Taking the focus first runs any leave check, as opening the list with the mouse would.
    if (m_window->focusWidget() != list)
        Click(list);
    if (QApplication::activePopupWidget())
        list->hidePopup();
    const int index = list->findText(itemName);
    if (index >= 0)
        list->setCurrentIndex(index); // as the user's pick in the opened list does
    Settle();
}

void WindowDriver::Settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

#include "rules/costing.h"
#include "rules/numbers.h"

#include <QLocale>

QStringList MismatchedLabels(const WindowDriver &d)
{
    QStringList wrong;
    const QString point = QLocale().decimalPoint();
    const char separator = point.size() == 1 ? point.at(0).toLatin1() : '.';
    auto expect = [&wrong](const QLabel *label, const std::string &text) {
        if (label->text() != QString::fromStdString(text))
            wrong << QStringLiteral("%1: %2 != %3")
                         .arg(label->objectName(), label->text(), QString::fromStdString(text));
    };
    std::array<std::string, rules::kRowCount> points;
    std::array<std::string, rules::kRowCount> silver;
    for (int i = 0; i < rules::kRowCount; ++i) {
        const auto *list =
            static_cast<const widgets::SortedList *>(d.List(WindowDriver::Row("cboItemName", i)));
        const std::string name = list->currentText().toStdString();
        const std::string quantity =
            d.Field(WindowDriver::Row("txtItemQuantity", i))->text().toStdString();
        const std::string resist =
            d.Field(WindowDriver::Row("txtShatterResist", i))->text().toStdString();
        const rules::RowCost cost =
            rules::CostRow({list->ItemData(list->ListIndex()), name, quantity,
                            d.Box(WindowDriver::Row("chkSilver", i))->isChecked(), resist});
        points[std::size_t(i)] = rules::WholeNumberText(cost.points);
        silver[std::size_t(i)] = rules::GeneralNumberText(cost.silver, separator);
        expect(d.Label(WindowDriver::Row("lblItemProdCost", i)), points[std::size_t(i)]);
        expect(d.Label(WindowDriver::Row("lblItemSilverCost", i)), silver[std::size_t(i)]);
    }
    rules::TotalsInputs in;
    const std::string level = d.Field(QStringLiteral("txtSkillLevel"))->text().toStdString();
    const std::string days = d.Field(QStringLiteral("txtEventLength"))->text().toStdString();
    in.skillLevelText = level;
    in.daysText = days;
    in.workshop = d.Box(QStringLiteral("chkUseWorkshop"))->isChecked();
    in.enforceLevel = d.Box(QStringLiteral("chkEnforceSkillLevel"))->isChecked();
    in.decimalSeparator = separator;
    for (std::size_t i = 0; i < std::size_t(rules::kRowCount); ++i) {
        in.rowPointsTexts[i] = points[i];
        in.rowSilverTexts[i] = silver[i];
    }
    const rules::Totals totals = rules::ComputeTotals(in);
    expect(d.Label(QStringLiteral("lblTotalCostSilver")), totals.silverText);
    expect(d.Label(QStringLiteral("lblTotalCostPoints")), totals.pointsText);
    expect(d.Label(QStringLiteral("lblTotalCostLevel")), totals.levelText);
    expect(d.Label(QStringLiteral("lblTotalCostWorkshops")), totals.workshopsText);
    return wrong;
}
