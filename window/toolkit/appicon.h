#pragma once

#include <QIcon>

namespace toolkit {

// The program's icon, drawn in code at every size a window or the desktop asks for.
QIcon AppIcon();

} // namespace toolkit
