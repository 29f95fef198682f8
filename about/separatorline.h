// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QWidget>

namespace about {

// One member of the etched separator: a horizontal line of one colour that fills its widget.
// The grey upper member and the white lower member one pixel below draw the etched look.
class SeparatorLine : public QWidget {
    Q_OBJECT

public:
    SeparatorLine(const QColor &colour, QWidget *parent);

    QColor colour() const { return m_colour; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};

} // namespace about
