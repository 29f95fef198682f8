// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The report as a PDF file, for a computer without a printer: the same document painted by the
// same RenderReport as on paper, fonts embedded, at the same resolution and margins as Qt's own
// PDF printer. Needs QtGui only.

#include "form/reportdocument.h"

#include <QPageSize>
#include <QString>

class QIODevice;
class QLocale;

namespace report {

// A4, or US Letter where the locale measures in US customary units (inches).
QPageSize LocalePageSize(const QLocale &locale);

// Paints the document as a PDF onto a device that is open for writing. False when the painting
// could not begin, start a page or end.
bool WritePdf(const form::ReportDocument &document, QIODevice &device, const QPageSize &pageSize);

// Writes the PDF to a temporary file beside `path` and puts it in place only once it is complete,
// so that a failure leaves no half-written file and an existing file of that name unchanged.
// Returns empty on success, otherwise the system's reason.
QString SavePdf(const form::ReportDocument &document, const QString &path,
                const QPageSize &pageSize);

} // namespace report
