// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/reportsaving.h"

#include "report/reportpdf.h"
#include "rules/texts.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWidget>

namespace window {

namespace {

constexpr qsizetype kMaxNameCharacters = 64;

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

} // namespace

QString AskPdfPathInFileDialog(QWidget *parent, const QString &suggestedPath)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, QString::fromUtf8(rules::texts::kSavePdfTitle));
    dialog.setObjectName(QStringLiteral("savePdfDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QString::fromUtf8(rules::texts::kPdfFilter));
    // Added before the dialog's own question about replacing a file, so that it asks about the
    // file that will really be written.
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
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
        return QString::fromUtf8(rules::texts::kPdfDefaultName);
    return name + QString::fromUtf8(rules::texts::kPdfNameEnding);
}

QString PdfFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void OfferPdfInstead(QWidget *parent, report::PrintOutcome outcome,
                     const report::ReportDocument &document, const QString &characterName,
                     toolkit::MessageBoxes &boxes, const AskPdfPath &askPath)
{
    if (!boxes.Ask(parent, toolkit::MessageIcon::Exclamation, report::OutcomeMessage(outcome),
                   QString::fromUtf8(rules::texts::kPdfOffer),
                   QString::fromUtf8(rules::texts::kSaveAsPdfButton)))
        return;
    const QString path =
        askPath(parent, QDir(PdfFolder()).filePath(SuggestedPdfName(characterName)));
    if (path.isEmpty())
        return;
    const QLocale locale = parent ? parent->locale() : QLocale();
    const QString reason = report::SavePdf(document, path, report::LocalePageSize(locale));
    if (!reason.isEmpty())
        boxes.Show(parent, toolkit::MessageIcon::Stop,
                   QString::fromUtf8(rules::texts::kPdfNotSaved)
                       .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace window
