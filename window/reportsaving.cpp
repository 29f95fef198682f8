// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/reportsaving.h"

#include "report/reportpdf.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QWidget>

namespace window {

namespace {

constexpr qsizetype kMaxNameCharacters = 64;

const QString kSavePdfTitle = QStringLiteral("Save Production Report");
const QString kPdfFilter = QStringLiteral("PDF files (*.pdf)");
// The suggested file name: the character name followed by this, or the default name.
const QString kPdfNameEnding = QStringLiteral(" - production.pdf");
const QString kPdfDefaultName = QStringLiteral("Production report.pdf");
const QString kPdfOffer = QStringLiteral("Save the report as a PDF file instead?");
const QString kSaveAsPdfButton = QStringLiteral("&Save as PDF...");
// %1 the file's path, %2 the system's reason.
const QString kPdfNotSaved = QStringLiteral("The report was not saved to %1: %2");
const QString kPdfDeviceName = QStringLiteral("Windows keeps this name for a device");
// Asked before a file is replaced that the file dialog did not ask about (%1 the file's path).
const QString kPdfExists = QStringLiteral("%1 already exists.");
const QString kPdfReplaceQuestion = QStringLiteral("Do you want to replace it?");
const QString kReplaceButton = QStringLiteral("&Replace");

bool RefusedInFileName(QChar c)
{
    return c.category() == QChar::Other_Control || QStringView(u"/\\:*?\"<>|").contains(c);
}

QString DropDotsAndBlanksAtEnd(QString name)
{
    while (!name.isEmpty() && (name.back() == QLatin1Char('.') || name.back().isSpace()))
        name.chop(1);
    return name;
}

// ".pdf" added to a file name without a suffix (no dot), as a save dialog would.
QString WithPdfSuffix(const QString &path)
{
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QStringLiteral(".pdf");
}

bool NameInUse(const QString &path)
{
    const QFileInfo file(path); // a dangling link is a name in use too
    return file.exists() || file.isSymLink();
}

bool AgreesToReplace(QWidget *parent, widgets::MessageBoxes &boxes, const QString &path)
{
    return boxes.Ask(parent, widgets::MessageIcon::Exclamation,
                     kPdfExists.arg(QDir::toNativeSeparators(path)), kPdfReplaceQuestion,
                     kReplaceButton);
}

} // namespace

QString AskPdfPathInFileDialog(QWidget *parent, const QString &suggestedPath)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, kSavePdfTitle);
    dialog.setObjectName(QStringLiteral("savePdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(kPdfFilter);
    // No default suffix: a native dialog (GTK's, a portal's) asks about the name as typed and Qt
    // adds the suffix only after it has closed. OfferPdfInstead adds it and asks itself.
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
    const QStringList files = dialog.selectedFiles();
    return accepted && !files.isEmpty() ? files.constFirst() : QString();
}

QString SuggestedPdfName(const QString &characterName)
{
    QString name = characterName.simplified();
    for (QChar &c : name)
        if (RefusedInFileName(c))
            c = QLatin1Char('_');
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.size() > kMaxNameCharacters) {
        // Never keep half of a character outside the basic plane.
        const qsizetype cut = name.at(kMaxNameCharacters - 1).isHighSurrogate()
                                  ? kMaxNameCharacters - 1
                                  : kMaxNameCharacters;
        name.truncate(cut);
    }
    name = DropDotsAndBlanksAtEnd(name);
    if (name.isEmpty())
        return kPdfDefaultName;
    name += kPdfNameEnding;
    // A disk shared with Windows, or Windows itself, would take "Con.Artist - ..." for a device.
    return IsWindowsDeviceName(name) ? QLatin1Char('_') + name : name;
}

bool IsWindowsDeviceName(const QString &fileName)
{
    static const QRegularExpression device(
        QStringLiteral(R"(^(CON|PRN|AUX|NUL|(COM|LPT)[0-9\x{B9}\x{B2}\x{B3}]) *(\..*)?$)"),
        QRegularExpression::CaseInsensitiveOption);
    return device.match(fileName).hasMatch();
}

QString PdfFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void OfferPdfInstead(QWidget *parent, report::PrintOutcome outcome,
                     const form::ReportDocument &document, const QString &characterName,
                     widgets::MessageBoxes &boxes, const AskPdfPath &askPath)
{
    if (!boxes.Ask(parent, widgets::MessageIcon::Exclamation, report::OutcomeMessage(outcome),
                   kPdfOffer, kSaveAsPdfButton))
        return;
    QString path = QDir(PdfFolder()).filePath(SuggestedPdfName(characterName));
    for (;;) {
        const QString chosen = askPath(parent, path);
        if (chosen.isEmpty())
            return;
        path = WithPdfSuffix(chosen);
        // The dialog asked about the name it returned; a file that only the suffix reaches is
        // replaced only once the person has agreed to replace that very file. Declining goes back
        // to the dialog, as the dialog's own "No" does.
        if (path == chosen || !NameInUse(path) || AgreesToReplace(parent, boxes, path))
            break;
    }
    const auto notSaved = [&](const QString &reason) {
        boxes.Show(parent, widgets::MessageIcon::Stop,
                   kPdfNotSaved.arg(QDir::toNativeSeparators(path), reason));
    };
#ifdef Q_OS_WIN
    // Windows' own dialog refuses these; another one (Wine's) may not.
    if (IsWindowsDeviceName(QFileInfo(path).fileName()))
        return notSaved(kPdfDeviceName);
#endif
    const QLocale locale = parent ? parent->locale() : QLocale();
    const QString reason = report::SavePdf(document, path, report::LocalePageSize(locale));
    if (!reason.isEmpty())
        notSaved(reason);
}

} // namespace window
