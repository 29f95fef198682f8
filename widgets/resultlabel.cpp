// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/resultlabel.h"

#include "widgets/fitfont.h"

namespace widgets {

ResultLabel::ResultLabel(QWidget *parent) : QLabel(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
}

void ResultLabel::SetCaption(const QString &text)
{
    if (text == this->text())
        return;
    setText(text);
    setToolTip(text);
    FitFont();
}

void ResultLabel::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    FitFont();
}

void ResultLabel::FitFont()
{
    const QFont font = FontToFit(parentWidget() ? parentWidget()->font() : QFont(), text(),
                                 contentsRect().width());
    if (font != this->font())
        setFont(font);
}

} // namespace widgets
