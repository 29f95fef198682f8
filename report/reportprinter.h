// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Putting a report document on paper: Arial 12 pt, columns of the font's average
// character width (ColumnWidth) from the left margin, one line of the font per line, underline
// through the font (an underlined run of spaces draws a rule), the closing emphasis in bold,
// automatic page breaks with nothing repeated, the whole report one job. Paper, margins and
// orientation are the device's own.

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

// The report font: Arial, 12 points (fontconfig's Arial alias on Linux).
QFont ReportFont();

// The report font's average character width, the width of one column: the advances of the
// lowercase letters and the space weighted by their frequency in English text, as the TrueType
// OS/2 table defined xAvgCharWidth up to its version 2 (Arial's own value, 0.44 em). Not
// QFontMetricsF::averageCharWidth: that reads the font's stored xAvgCharWidth, which newer fonts
// average over all their glyphs; for Liberation Sans it comes to 0.59 em, which would put
// column 80 and its "Silver Cost" past the right edge of an A4 or Letter page.
double ColumnWidth(const QFontMetricsF &metrics);

// Paints the document on the device as one job: QPainter::begin and end once, a newPage per
// page break. False when the painter cannot begin, a new page cannot be started or the job
// cannot be ended.
bool RenderReport(const form::ReportDocument &document, QPagedPaintDevice &device);

} // namespace report
