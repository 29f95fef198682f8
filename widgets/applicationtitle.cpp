// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/applicationtitle.h"

namespace widgets {

namespace {

QString &Title()
{
    static QString title;
    return title;
}

} // namespace

void SetApplicationTitle(const QString &title)
{
    Title() = title;
}

QString ApplicationTitle()
{
    return Title();
}

} // namespace widgets
