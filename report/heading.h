// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The values of the report's heading that do not come from the window: the version text and the
// date text.

#include "form/reportdocument.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace report {

// The report's date line (form::DateText) in the locale's general date format: the short date,
// one space and the long time (for example "3/7/2026 2:05:09 PM" under US English). At exactly
// midnight, 00:00:00, the time part is left out and the date stands alone. The time is taken to the second, as the
// long time shows it, so 00:00:00.400 counts as midnight. The long time of some locales ends in
// the time-zone name, taken from `when`.
QString DateText(const QLocale &locale, const QDateTime &when);

// This release's version text (version.h) and the date text of the current local time in
// the default locale (QLocale(), the user's regional settings unless QLocale::setDefault changed
// it).
form::ReportHeading CurrentHeading();

} // namespace report
