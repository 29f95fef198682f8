// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/separatorline.h"

#include <QPainter>

namespace about {

SeparatorLine::SeparatorLine(const QColor &colour, QWidget *parent)
    : QWidget(parent), m_colour(colour)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SeparatorLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_colour);
}

} // namespace about
