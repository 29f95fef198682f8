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
    return boxes.Ask(
        parent, widgets::MessageIcon::Exclamation,
        QString::fromUtf8(rules::texts::kPdfExists).arg(QDir::toNativeSeparators(path)),
        QString::fromUtf8(rules::texts::kPdfReplaceQuestion),
        QString::fromUtf8(rules::texts::kReplaceButton));
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
                     widgets::MessageBoxes &boxes, const AskPdfPath &askPath)
{
    if (!boxes.Ask(parent, widgets::MessageIcon::Exclamation, report::OutcomeMessage(outcome),
                   QString::fromUtf8(rules::texts::kPdfOffer),
                   QString::fromUtf8(rules::texts::kSaveAsPdfButton)))
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
    const QLocale locale = parent ? parent->locale() : QLocale();
    const QString reason = report::SavePdf(document, path, report::LocalePageSize(locale));
    if (!reason.isEmpty())
        boxes.Show(parent, widgets::MessageIcon::Stop,
                   QString::fromUtf8(rules::texts::kPdfNotSaved)
                       .arg(QDir::toNativeSeparators(path), reason));
}

} // namespace window
