// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Putting a report document on paper: the form's layout (form/reportlayout.h) measured with the
// report font on the device and painted there, one line of the font per line, underline through
// the font (an underlined run of spaces draws a rule), the closing emphasis in bold, a new page
// wherever the layout breaks, the whole report one job. Paper, margins and orientation are the
// device's own.

#include "form/reportdocument.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

namespace report {

enum class PrintOutcome {
    Printed,
    NoPrinter,      // no default printer is set up; nothing was started
    PrinterRefused, // the printer could not be opened or reported an error for the job
};

// The message for a failed outcome (no printer is set up, or the printer refused the job); empty
// for Printed.
QString OutcomeMessage(PrintOutcome outcome);

// The report font (form::kReportFontFamily at form::kReportFontPoints; fontconfig's Arial alias
// on Linux).
QFont ReportFont();

// The width of one column (form::ColumnWidth) in these metrics.
double ColumnWidth(const QFontMetricsF &metrics);

// Paints the document on the device as one job: QPainter::begin and end once, a newPage per
// page break. False when the painter cannot begin, a new page cannot be started or the job
// cannot be ended.
bool RenderReport(const form::ReportDocument &document, QPagedPaintDevice &device);

} // namespace report
