// SPDX-License-Identifier: GPL-3.0-or-later
#include "about/separatorline.h"

#include <QPainter>

#include <cmath>

namespace about {

namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(const QColor &colour)
{
    const auto linear = [](double c) {
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

} // namespace

bool LightWindow(const QPalette &palette)
{
    const double background = Luminance(palette.color(QPalette::Window));
    // Contrast of black on it against contrast of white on it.
    return (background + 0.05) / 0.05 >= 1.05 / (background + 0.05);
}

SeparatorLine::SeparatorLine(QPalette::ColorRole role, const QColor &onLightWindow, QWidget *parent)
    : QWidget(parent), m_role(role), m_onLightWindow(onLightWindow)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QColor SeparatorLine::colour() const
{
    return LightWindow(palette()) ? m_onLightWindow : palette().color(m_role);
}

void SeparatorLine::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), colour());
}

} // namespace about
