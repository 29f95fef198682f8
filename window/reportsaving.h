// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A report that did not reach a printer can be kept as a PDF file instead. The box that says it
// was not printed asks whether to save it; Save as PDF opens the file dialog, suggesting a name
// from the character name in the documents folder; the file is written whole or not at all, and a
// file that could not be written is reported with the system's reason. Cancel in the box or the
// dialog ends it; Cancel when asked about replacing a file goes back to the dialog.

#include "form/reportdocument.h"
#include "report/reportprinter.h"
#include "widgets/messageboxes.h"
#include "window/filesaving.h"

#include <QString>

class QWidget;

namespace window {

// Asks where to save the PDF, starting from a suggested path; the chosen path, or empty for
// Cancel. Tests put their own answer in place of the dialog.
using AskPdfPath = AskPath;

// Qt's file dialog for saving (the desktop's own where there is one), titled "Save Production
// Report", showing PDF files. It asks before replacing the file it returns; it adds no suffix.
QString AskPdfPathInFileDialog(QWidget *parent, const QString &suggestedPath);

// "<character name> - production.pdf", or "Production report.pdf" for an empty name, made safe
// for file systems as SuggestedFileName says.
QString SuggestedPdfName(const QString &characterName);

// The user's documents folder, or the home folder where there is none.
inline QString PdfFolder()
{
    return DocumentsFolder();
}

// After a print that failed with `outcome`: the failure message with the offer, then, on Save as
// PDF, the dialog and the file, on the page size of the parent window's locale. When ".pdf" added
// to the chosen name reaches an existing file, the program asks before replacing it; Cancel opens
// the dialog again. On Windows, a device name chosen in the dialog is refused with the failure
// message, and nothing is written.
void OfferPdfInstead(QWidget *parent, report::PrintOutcome outcome,
                     const form::ReportDocument &document, const QString &characterName,
                     widgets::MessageBoxes &boxes, const AskPdfPath &askPath);

} // namespace window
