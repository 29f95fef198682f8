// SPDX-License-Identifier: GPL-3.0-or-later
// The printing module: the one place that needs QtPrintSupport (see printmodule.h).

#include "report/printmodule.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include <type_traits>

extern "C" Q_DECL_EXPORT int
forgetally_print_report_v1(const void *document, report::RenderCallback render, const char *docName)
{
    // Checked first: without a printer QPrinter silently falls back to PDF output with no file.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return report::kNoPrinterCode;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QString::fromUtf8(docName));
    if (!render(document, &printer))
        return report::kRefusedCode;
    const QPrinter::PrinterState state = printer.printerState();
    if (state == QPrinter::Error || state == QPrinter::Aborted)
        return report::kRefusedCode;
    return report::kPrintedCode;
}

// Keeps the declared type and the definition in step.
static_assert(std::is_same_v<decltype(&forgetally_print_report_v1), report::PrintEntryPoint>);
