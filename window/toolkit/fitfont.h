#pragma once

#include <QFont>
#include <QString>

namespace toolkit {

// The base font, made smaller in half-point steps (down to 5 points) until the text fits the
// room, in pixels. Figures are shrunk rather than cut off.
QFont FontToFit(const QFont &base, const QString &text, int room);

} // namespace toolkit
