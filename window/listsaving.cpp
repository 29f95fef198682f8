// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/listsaving.h"

#include "form/filename.h"
#include "form/listdocument.h"
#include "widgets/utf8.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <string>

namespace window {

namespace {

const QString kSuffix = QString::fromUtf8(form::kListFileSuffix);
const QString kFilter = QStringLiteral("forgeTally lists (*%1)").arg(kSuffix);
const FileDialogTexts kSaveDialog = {QStringLiteral("Save List"), kFilter,
                                     QStringLiteral("saveListDialog")};
const FileDialogTexts kOpenDialog = {QStringLiteral("Open List"), kFilter,
                                     QStringLiteral("openListDialog")};
// %1 the file's path, %2 the system's reason or what could not be read.
const QString kNotSaved = QStringLiteral("The list was not saved to %1: %2");
const QString kNotOpened = QStringLiteral("%1 could not be opened: %2.");

} // namespace

QString AskSaveListPathInFileDialog(QWidget *parent, const QString &suggestedPath)
{
    return AskSavePathInFileDialog(parent, suggestedPath, kSaveDialog);
}

QString AskOpenListPathInFileDialog(QWidget *parent, const QString &folder)
{
    return AskOpenPathInFileDialog(parent, folder, kOpenDialog);
}

QString SuggestedListName(const QString &characterName)
{
    return widgets::FromUtf8(form::ListFileName(characterName.toStdString()));
}

void SaveList(QWidget *parent, const form::State &state, widgets::MessageBoxes &boxes,
              const AskPath &askPath)
{
    const QString suggested =
        QDir(DocumentsFolder()).filePath(SuggestedListName(widgets::FromUtf8(state.characterName)));
    SaveAs(parent, boxes, askPath, suggested, kSuffix, kNotSaved, [&](const QString &path) {
        const std::string text = form::ListFile(state);
        return WriteWhole(path, QByteArrayView(text.data(), qsizetype(text.size())));
    });
}

bool OpenList(QWidget *parent, form::Form &form, widgets::MessageBoxes &boxes,
              const AskPath &askPath)
{
    const QString path = askPath(parent, DocumentsFolder());
    if (path.isEmpty())
        return false;
    const auto notOpened = [&](const QString &reason) {
        boxes.Show(parent, widgets::MessageIcon::Exclamation,
                   kNotOpened.arg(QDir::toNativeSeparators(path), reason));
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return notOpened(file.errorString());
    // A byte more than a list may hold is enough to refuse a larger file without reading it all.
    const QByteArray bytes = file.read(qint64(form::kMaxListBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return notOpened(file.errorString());
    const form::ListOpening opening =
        form::OpenListFile(form, std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!opening.opened)
        return notOpened(widgets::FromUtf8(opening.reason));
    return true;
}

} // namespace window
