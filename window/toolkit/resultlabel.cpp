#include "window/toolkit/resultlabel.h"

#include <QFontMetrics>

namespace toolkit {

namespace {
constexpr double kSmallestPointSize = 5.0;
}

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
    QFont font = parentWidget() ? parentWidget()->font() : QFont();
    const int room = contentsRect().width();
    double size = font.pointSizeF();
    while (size > kSmallestPointSize && QFontMetrics(font).horizontalAdvance(text()) > room) {
        size -= 0.5;
        font.setPointSizeF(size);
    }
    if (font != this->font())
        setFont(font);
}

} // namespace toolkit
