// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/checkbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace widgets {

CheckBox::CheckBox(QWidget *parent) : QCheckBox(parent) {}

QPoint CheckBox::IndicatorOffset() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect styled = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QRect centred = styled;
    centred.moveCenter(rect().center());
    return centred.topLeft() - styled.topLeft();
}

QRect CheckBox::IndicatorRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()
        ->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this)
        .translated(IndicatorOffset());
}

bool CheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void CheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws the indicator (and its focus frame) at the left; move both to the middle.
    painter.translate(IndicatorOffset());
    painter.drawControl(QStyle::CE_CheckBox, option);
}

} // namespace widgets
