// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/filesaving.h"

#include "form/filename.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

namespace window {

namespace {

// Asked before a file is replaced that the file dialog did not ask about (%1 the file's path).
const QString kFileExists = QStringLiteral("%1 already exists.");
const QString kReplaceQuestion = QStringLiteral("Do you want to replace it?");
const QString kReplaceButton = QStringLiteral("&Replace");
[[maybe_unused]] const QString kDeviceName = QStringLiteral("Windows keeps this name for a device");

// The suffix added to a file name without one (no dot), as a save dialog would.
QString WithSuffix(const QString &path, const QString &suffix)
{
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + suffix;
}

bool NameInUse(const QString &path)
{
    const QFileInfo file(path); // a dangling link is a name in use too
    return file.exists() || file.isSymLink();
}

bool AgreesToReplace(QWidget *parent, widgets::MessageBoxes &boxes, const QString &path)
{
    return boxes.Ask(parent, widgets::MessageIcon::Exclamation,
                     kFileExists.arg(QDir::toNativeSeparators(path)), kReplaceQuestion,
                     kReplaceButton);
}

QString Ask(QFileDialog &dialog, QWidget *parent)
{
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
    const QStringList files = dialog.selectedFiles();
    return accepted && !files.isEmpty() ? files.constFirst() : QString();
}

} // namespace

QString AskSavePathInFileDialog(QWidget *parent, const QString &suggestedPath,
                                const FileDialogTexts &texts)
{
    const QFileInfo suggested(suggestedPath);
    QFileDialog dialog(parent, texts.title);
    dialog.setObjectName(texts.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(texts.filter);
    // No default suffix: a native dialog (GTK's, a portal's) asks about the name as typed and Qt
    // adds the suffix only after it has closed. ChooseSavePath adds it and asks itself.
    dialog.setDirectory(suggested.absolutePath());
    dialog.selectFile(suggested.fileName());
    return Ask(dialog, parent);
}

QString AskOpenPathInFileDialog(QWidget *parent, const QString &folder,
                                const FileDialogTexts &texts)
{
    QFileDialog dialog(parent, texts.title);
    dialog.setObjectName(texts.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({texts.filter, QStringLiteral("All files (*)")});
    dialog.setDirectory(folder);
    return Ask(dialog, parent);
}

QString ChooseSavePath(QWidget *parent, widgets::MessageBoxes &boxes, const AskPath &askPath,
                       const QString &suggestedPath, const QString &suffix)
{
    QString path = suggestedPath;
    for (;;) {
        const QString chosen = askPath(parent, path);
        if (chosen.isEmpty())
            return {};
        path = WithSuffix(chosen, suffix);
        // The dialog asked about the name it returned; a file that only the suffix reaches is
        // replaced only once the person has agreed to replace that very file. Declining goes back
        // to the dialog, as the dialog's own "No" does.
        if (path == chosen || !NameInUse(path) || AgreesToReplace(parent, boxes, path))
            return path;
    }
}

void SaveAs(QWidget *parent, widgets::MessageBoxes &boxes, const AskPath &askPath,
            const QString &suggestedPath, const QString &suffix, const QString &notSaved,
            const WriteFile &write)
{
    const QString path = ChooseSavePath(parent, boxes, askPath, suggestedPath, suffix);
    if (path.isEmpty())
        return;
    QString reason;
#ifdef Q_OS_WIN
    // Windows' own dialog refuses these; another one (Wine's) may not.
    if (IsWindowsDeviceName(QFileInfo(path).fileName()))
        reason = kDeviceName;
#endif
    if (reason.isEmpty())
        reason = write(path);
    if (!reason.isEmpty())
        boxes.Show(parent, widgets::MessageIcon::Stop,
                   notSaved.arg(QDir::toNativeSeparators(path), reason));
}

QString WriteWhole(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    return file.commit() ? QString() : file.errorString();
}

QString SuggestedFileName(const QString &characterName, const QString &ending,
                          const QString &defaultName)
{
    // One rule for every view: the page offers its downloads under the same names.
    return QString::fromStdString(form::SuggestedFileName(
        characterName.toStdString(), ending.toStdString(), defaultName.toStdString()));
}

bool IsWindowsDeviceName(const QString &fileName)
{
    return form::IsWindowsDeviceName(fileName.toStdString());
}

QString DocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

} // namespace window
