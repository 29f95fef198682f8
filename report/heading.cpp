// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/heading.h"

#include "version.h"

namespace report {

QString DateText(const QLocale &locale, const QDateTime &when)
{
    const QString date = locale.toString(when.date(), QLocale::ShortFormat);
    const QTime time = when.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return date;
    return date + QLatin1Char(' ') + locale.toString(when, locale.timeFormat(QLocale::LongFormat));
}

form::ReportHeading CurrentHeading()
{
    form::ReportHeading heading;
    heading.versionText = forgetally::kVersionText;
    heading.dateText = DateText(QLocale(), QDateTime::currentDateTime()).toStdString();
    return heading;
}

} // namespace report
