// SPDX-License-Identifier: GPL-3.0-or-later
// The floor that the calculator's start-up is measured against: a plain Qt window with the same
// controls (the same kinds, counts, captions and places, the item lists holding the start-up
// items) and nothing else: no reactions, no checks, no icon, no scale worked out from the texts.
// bench/startup.sh times it alternately with the program.
//
// Usage: startup_floor [SCALE]   (SCALE: the factor from twips to pixels at 15 twips a pixel; the
//                                 program's own factor for the default font, 1.2 unless given)

#include "form/form.h"
#include "rules/catalogue.h"
#include "rules/costing.h"
#include "widgets/twips.h"
#include "window/layout.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

// What a control shows when the calculator is created: its caption, or its initial contents.
QString Shown(const window::ControlSpec &c, const form::State &s)
{
    const std::pair<std::string_view, const std::string *> texts[] = {
        {"txtSkillLevel", &s.skillLevelText},
        {"txtEventLength", &s.eventLengthText},
        {"txtItemQuantity", &s.rows[0].quantityText},
        {"txtShatterResist", &s.rows[0].shatterResistText},
        {"lblItemProdCost", &s.rows[0].pointsCaption},
        {"lblItemSilverCost", &s.rows[0].silverCaption},
        {"lblTotalCostSilver", &s.totalSilverCaption},
        {"lblTotalCostLevel", &s.totalLevelCaption},
        {"lblTotalCostPoints", &s.totalPointsCaption},
        {"lblTotalCostWorkshops", &s.totalWorkshopsCaption},
    };
    for (const auto &[name, text] : texts)
        if (name == c.name)
            return QString::fromStdString(*text);
    if (c.kind == window::ControlKind::CheckBox)
        return c.name == "chkSilver" ? QString() : QStringLiteral("1");
    return QString::fromUtf8(c.caption);
}

QWidget *Make(window::ControlKind kind, const QString &caption, QWidget *parent,
              const QStringList &items)
{
    using K = window::ControlKind;
    switch (kind) {
    case K::Group:
        return new QGroupBox(caption, parent);
    case K::Label:
        return new QLabel(caption, parent);
    case K::ResultLabel: {
        auto *label = new QLabel(caption, parent);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return label;
    }
    case K::DropDownList: {
        auto *list = new QComboBox(parent);
        list->addItems(items);
        return list;
    }
    case K::Field:
    case K::NumberField: {
        auto *field = new QLineEdit(caption, parent);
        if (kind == K::NumberField)
            field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return field;
    }
    case K::CheckBox: {
        auto *box = new QCheckBox(parent);
        box->setChecked(caption == QLatin1String("1"));
        return box;
    }
    case K::Button:
        return new QPushButton(caption, parent);
    }
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const double factor = argc > 1 ? std::atof(argv[1]) : 1.2;
    const widgets::TwipScale scale(factor > 0 ? factor : 1.2);

    QStringList types;
    for (std::int32_t code = rules::kFirstItemType; code <= rules::kLastItemType; ++code)
        types << QString::fromUtf8(rules::ItemTypeName(code));
    types.sort(Qt::CaseInsensitive);
    QStringList items;
    for (const rules::CatalogueItem &item : rules::CatalogueItems(rules::kFirstItemType))
        items << QString::fromUtf8(item.name);
    items.sort(Qt::CaseInsensitive);

    const form::State initial;
    QWidget main(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    main.setWindowTitle(QStringLiteral("Start-up floor"));
    main.setFixedSize(scale.size(window::kClientTwipWidth, window::kClientTwipHeight));
    QHash<QString, QWidget *> groups;
    for (const window::ControlSpec &c : window::FixedControls()) {
        QWidget *parent = c.group.empty() ? &main : groups.value(QString::fromUtf8(c.group));
        QWidget *w = Make(c.kind, Shown(c, initial), parent, types);
        w->setGeometry(scale.rect(c.rect));
        if (c.kind == window::ControlKind::Group)
            groups.insert(QString::fromUtf8(c.name), w);
    }
    QWidget *rows = groups.value(QStringLiteral("Frame2"));
    for (int i = 0; i < rules::kRowCount; ++i) {
        const int top = window::kFirstRowTop + window::kRowPitch * i;
        for (const window::ControlSpec &r : window::RowControls()) {
            QWidget *w = Make(r.kind, Shown(r, initial), rows, items);
            w->setGeometry(scale.rect({r.rect.left, top, r.rect.width, r.rect.height}));
        }
    }
    main.show();
    return app.exec();
}
