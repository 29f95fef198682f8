// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A right-aligned label for a computed figure. A figure wider than the label (fifteen significant
// digits can be) is drawn in a smaller font rather than cut off; the full text is also its tool
// tip.

#include <QLabel>

namespace widgets {

class ResultLabel : public QLabel {
    Q_OBJECT
public:
    explicit ResultLabel(QWidget *parent = nullptr);
    void SetCaption(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FitFont();
};

} // namespace widgets
