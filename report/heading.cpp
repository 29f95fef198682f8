// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/heading.h"

#include "form/reportlayout.h"
#include "version.h"

namespace report {

QString DateText(const QLocale &locale, const QDateTime &when)
{
    const QTime time = when.time();
    return QString::fromStdString(
        form::DateText(locale.toString(when.date(), QLocale::ShortFormat).toStdString(),
                       locale.toString(when, locale.timeFormat(QLocale::LongFormat)).toStdString(),
                       time.hour(), time.minute(), time.second()));
}

form::ReportHeading CurrentHeading()
{
    form::ReportHeading heading;
    heading.versionText = forgetally::kVersionText;
    heading.dateText = DateText(QLocale(), QDateTime::currentDateTime()).toStdString();
    return heading;
}

} // namespace report
