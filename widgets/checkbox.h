// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A bare check box, named by a separate label or a column heading. It takes a click anywhere in
// its control area, not only on the small indicator, and draws the indicator in the middle of
// that area so that the box a user sees is the centre of what a click reaches.

#include <QCheckBox>

namespace widgets {

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(QWidget *parent = nullptr);
    // Where the indicator is drawn, in the box's own coordinates.
    QRect IndicatorRect() const;

protected:
    bool hitButton(const QPoint &pos) const override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPoint IndicatorOffset() const;
};

} // namespace widgets
