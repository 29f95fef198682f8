// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/reportsaving.h"

#include "report/reportpdf.h"

#include <QDir>
#include <QWidget>

namespace window {

namespace {

const FileDialogTexts kSavePdfDialog = {QStringLiteral("Save Production Report"),
                                        QStringLiteral("PDF files (*.pdf)"),
                                        QStringLiteral("savePdfDialog")};
// The suggested file name: the character name followed by this, or the default name.
const QString kPdfNameEnding = QStringLiteral(" - production.pdf");
const QString kPdfDefaultName = QStringLiteral("Production report.pdf");
const QString kPdfOffer = QStringLiteral("Save the report as a PDF file instead?");
const QString kSaveAsPdfButton = QStringLiteral("&Save as PDF...");
// %1 the file's path, %2 the system's reason.
const QString kPdfNotSaved = QStringLiteral("The report was not saved to %1: %2");

} // namespace

QString AskPdfPathInFileDialog(QWidget *parent, const QString &suggestedPath)
{
    return AskSavePathInFileDialog(parent, suggestedPath, kSavePdfDialog);
}

QString SuggestedPdfName(const QString &characterName)
{
    return SuggestedFileName(characterName, kPdfNameEnding, kPdfDefaultName);
}

void OfferPdfInstead(QWidget *parent, report::PrintOutcome outcome,
                     const form::ReportDocument &document, const QString &characterName,
                     widgets::MessageBoxes &boxes, const AskPdfPath &askPath)
{
    if (!boxes.Ask(parent, widgets::MessageIcon::Exclamation, report::OutcomeMessage(outcome),
                   kPdfOffer, kSaveAsPdfButton))
        return;
    const QLocale locale = parent ? parent->locale() : QLocale();
    SaveAs(parent, boxes, askPath, QDir(PdfFolder()).filePath(SuggestedPdfName(characterName)),
           QStringLiteral(".pdf"), kPdfNotSaved, [&](const QString &path) {
               return report::SavePdf(document, path, report::LocalePageSize(locale));
           });
}

} // namespace window
