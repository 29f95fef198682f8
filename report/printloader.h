// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Printing on the system's default printer through the printing module (printmodule.h), loaded
// on the first call; the pages are painted by RenderReport (reportprinter.h).

#include "form/reportdocument.h"
#include "report/reportprinter.h"

#include <QStringList>

namespace report {

// Prints the document on the system's default printer with its own paper settings. NoPrinter,
// without starting anything, when there is no default printer; PrinterRefused when the printer
// fails the job, and also when the module cannot be found or loaded, since then nothing can
// reach a printer.
PrintOutcome PrintReport(const form::ReportDocument &document);

// The same, with the printing module looked for in these folders only.
PrintOutcome PrintReportThrough(const form::ReportDocument &document,
                                const QStringList &moduleFolders);

// Where the module is looked for, in order: beside the executable (the build tree), then where
// the package installs it, relative to the executable and as configured. On Windows, beside the
// executable only.
QStringList PrintModuleFolders();

} // namespace report
