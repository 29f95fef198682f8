// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/controls.h"

#include "rules/catalogue.h"
#include "widgets/checkbox.h"
#include "widgets/resultlabel.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"
#include "widgets/utf8.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>


namespace window {

namespace {

QWidget *Make(const ControlSpec &layout, QWidget *parent)
{
    const QString caption = widgets::FromUtf8(layout.caption);
    switch (layout.kind) {
    case ControlKind::Group:
        return new QGroupBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::ResultLabel:
        return new widgets::ResultLabel(parent);
    case ControlKind::DropDownList:
        return new widgets::SortedList(rules::ListOrderLess, parent);
    case ControlKind::Field:
    case ControlKind::NumberField: {
        auto *field = new widgets::TextField(parent);
        if (layout.kind == ControlKind::NumberField) {
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            field->SetShrinkToFit(true);
        }
        field->SetSelectOnEntry(layout.entry == OnEntry::SelectAll);
        return field;
    }
    case ControlKind::CheckBox:
        return new widgets::CheckBox(parent);
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    }
    return nullptr;
}

// Tells screen readers what the control is; a label beside a fixed control is its buddy.
void Name(QWidget *control, const ControlSpec &layout, int row, QLabel *label)
{
    if (label && row < 0)
        label->setBuddy(control);
    const form::SpokenTexts spoken = form::SpokenFor(layout, row);
    if (!spoken.name.empty())
        control->setAccessibleName(widgets::FromUtf8(spoken.name));
    if (!spoken.description.empty())
        control->setAccessibleDescription(widgets::FromUtf8(spoken.description));
}

QWidget *FixedNamed(const std::array<QWidget *, FixedControls().size()> &fixed,
                    std::string_view name)
{
    for (std::size_t i = 0; i < FixedControls().size(); ++i)
        if (FixedControls()[i].name == name)
            return fixed[i];
    return nullptr;
}

} // namespace

QString RowControlName(std::string_view name, int row)
{
    return widgets::FromUtf8(form::ControlName(name, row));
}

void Controls::Build(QWidget &window, const widgets::TwipScale &scale)
{
    // The table puts every group and label before the controls that stand in it or are named by
    // it (checked when compiling), so each control finds them built.
    for (std::size_t i = 0; i < FixedControls().size(); ++i) {
        const ControlSpec &layout = FixedControls()[i];
        QWidget *parent = layout.group.empty() ? &window : FixedNamed(m_fixed, layout.group);
        m_fixed[i] = Add(layout, -1, parent, scale);
    }
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        for (std::size_t i = 0; i < RowControls().size(); ++i) {
            const ControlSpec &layout = RowControls()[i];
            m_rows[row][i] = Add(layout, int(row), FixedNamed(m_fixed, layout.group), scale);
        }
    SetTabOrder();
}

QWidget *Controls::Add(const ControlSpec &layout, int row, QWidget *parent,
                       const widgets::TwipScale &scale)
{
    QWidget *control = Make(layout, parent);
    control->setObjectName(row < 0 ? widgets::FromUtf8(layout.name)
                                   : RowControlName(layout.name, row));
    widgets::TwipRect rect = layout.rect;
    if (row >= 0)
        rect.top = kFirstRowTop + kRowPitch * row;
    control->setGeometry(scale.rect(rect));
    Name(control, layout, row,
         static_cast<QLabel *>(
             layout.spoken.label.empty() ? nullptr : FixedNamed(m_fixed, layout.spoken.label)));
    return control;
}

void Controls::SetTabOrder()
{
    const auto widget = [this](const form::TabStop &stop) {
        return stop.row < 0 ? m_fixed[stop.index] : m_rows[std::size_t(stop.row)][stop.index];
    };
    const auto order = form::TabOrder();
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(widget(order[i - 1]), widget(order[i]));
}

} // namespace window
