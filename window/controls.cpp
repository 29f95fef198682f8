// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/controls.h"

#include "rules/catalogue.h"
#include "widgets/checkbox.h"
#include "widgets/resultlabel.h"
#include "widgets/sortedlist.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <iterator>

namespace window {

namespace {

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QWidget *Make(const ControlSpec &layout, QWidget *parent)
{
    const QString caption = Text(layout.caption);
    switch (layout.kind) {
    case ControlKind::Group:
        return new QGroupBox(caption, parent);
    case ControlKind::Label:
        return new QLabel(caption, parent);
    case ControlKind::ResultLabel: {
        auto *label = new widgets::ResultLabel(parent);
        label->SetCaption(caption);
        return label;
    }
    case ControlKind::DropDownList:
        return new widgets::SortedList(rules::ListOrderLess, parent);
    case ControlKind::Field:
    case ControlKind::NumberField: {
        auto *field = new widgets::TextField(parent);
        field->setText(caption);
        if (layout.kind == ControlKind::NumberField) {
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            field->SetShrinkToFit(true);
        }
        field->SetSelectOnEntry(layout.entry == OnEntry::SelectAll);
        return field;
    }
    case ControlKind::CheckBox: {
        auto *box = new widgets::CheckBox(parent);
        box->setChecked(layout.caption == "1");
        return box;
    }
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        return button;
    }
    }
    return nullptr;
}

} // namespace

QString RowControlName(std::string_view name, int row)
{
    return Text(name) + QLatin1Char('_') + QString::number(row);
}

QObject *CheckedKind(QWidget *control, const QMetaObject &kind, const QString &name)
{
    QObject *cast = kind.cast(control);
    if (!cast)
        qFatal("frmMain: the layout has no control %s of kind %s", qPrintable(name),
               kind.className());
    return cast;
}

void Controls::Build(QWidget &window, const widgets::TwipScale &scale)
{
    for (const ControlSpec &layout : FixedControls())
        Add(layout, -1, layout.group.empty() ? &window : Find(Text(layout.group)), scale);
    for (int i = 0; i < rules::kRowCount; ++i)
        for (const ControlSpec &layout : RowControls())
            Add(layout, i, Find(Text(layout.group)), scale);
    // Named once every caption exists, ordered once every control exists.
    for (const Built &built : m_built)
        Name(built);
    SetTabOrder();
    for (Member *member : m_members)
        member->Bind(*this);
}

void Controls::Add(const ControlSpec &layout, int row, QWidget *parent,
                   const widgets::TwipScale &scale)
{
    QWidget *control = Make(layout, parent);
    const QString name = row < 0 ? Text(layout.name) : RowControlName(layout.name, row);
    control->setObjectName(name);
    widgets::TwipRect rect = layout.rect;
    if (row >= 0)
        rect.top = kFirstRowTop + kRowPitch * row;
    control->setGeometry(scale.rect(rect));
    m_byName.insert(name, control);
    m_layoutOf.insert(control, &layout);
    m_built.push_back({control, &layout, row});
}

void Controls::Name(const Built &built)
{
    QWidget *control = built.control;
    const Spoken &spoken = built.layout->spoken;
    if (!spoken.label.empty()) {
        auto *label = static_cast<QLabel *>(
            CheckedKind(Find(Text(spoken.label)), QLabel::staticMetaObject, Text(spoken.label)));
        QString text = label->text();
        if (built.row < 0)
            label->setBuddy(control);
        else
            text += QStringLiteral(", row ") + QString::number(built.row + 1);
        if (spoken.use & Spoken::Name)
            control->setAccessibleName(text);
        if (spoken.use & Spoken::Description)
            control->setAccessibleDescription(text);
    }
    if (!spoken.name.empty())
        control->setAccessibleName(Text(spoken.name));
    if (!spoken.description.empty())
        control->setAccessibleDescription(Text(spoken.description));
}

void Controls::SetTabOrder()
{
    // The rows share one place: within it, row by row, each row's controls in table order.
    std::vector<Built> order;
    std::copy_if(m_built.begin(), m_built.end(), std::back_inserter(order),
                 [](const Built &built) { return built.layout->tab > 0; });
    std::stable_sort(order.begin(), order.end(), [](const Built &a, const Built &b) {
        return a.layout->tab != b.layout->tab ? a.layout->tab < b.layout->tab : a.row < b.row;
    });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1].control, order[i].control);
}

QWidget *Controls::Find(const QString &name) const
{
    QWidget *control = m_byName.value(name);
    if (!control)
        qFatal("frmMain: the layout has no control %s", qPrintable(name));
    return control;
}

void Controls::Restore(QLineEdit *field) const
{
    field->setText(Text(m_layoutOf.value(field)->caption));
}

void Controls::Restore(QCheckBox *box) const
{
    box->setChecked(m_layoutOf.value(box)->caption == "1");
}

} // namespace window
