// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace about {

// Whether black text reads at least as well as white on the palette's window background (by
// relative luminance): the window's fixed black and white were drawn for such a light dialog.
bool LightWindow(const QPalette &palette);

// One member of the etched separator: a horizontal line of one colour that fills its widget. The
// upper member takes the palette's shadow and the lower member, one pixel below, its light, which
// draws the etched look on any theme; on a light window they keep their grey and white.
class SeparatorLine : public QWidget {
    Q_OBJECT

public:
    SeparatorLine(QPalette::ColorRole role, const QColor &onLightWindow, QWidget *parent);

    QColor colour() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPalette::ColorRole m_role;
    QColor m_onLightWindow;
};

} // namespace about
