// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What saving a file and opening one take, whatever the file: the platform's own file dialog,
// starting in the documents folder; a name suggested from the character name; a suffix added to
// a name typed without one, and a question before that reaches a file already there. The file
// itself is written through a temporary file beside it (QSaveFile), whole or not at all.

#include "widgets/messageboxes.h"

#include <QByteArrayView>
#include <QString>

#include <functional>

class QWidget;

namespace window {

// Asks for a path, starting from a suggested path or folder; the chosen path, or empty for
// Cancel. Tests put their own answer in place of the dialog.
using AskPath = std::function<QString(QWidget *parent, const QString &start)>;

// What a file dialog shows: its title, its filter of file names, and its object name.
struct FileDialogTexts {
    QString title;
    QString filter;
    QString objectName;
};

// Qt's file dialog for saving (the desktop's own where there is one). It asks before replacing
// the file it returns; it adds no suffix (ChooseSavePath does).
QString AskSavePathInFileDialog(QWidget *parent, const QString &suggestedPath,
                                const FileDialogTexts &texts);
// The same for opening an existing file, starting in a folder.
QString AskOpenPathInFileDialog(QWidget *parent, const QString &folder,
                                const FileDialogTexts &texts);

// Asks where to save, from the suggested path, until a path is chosen or the person cancels.
// `suffix` (".pdf") is added to a chosen name without a dot, as a save dialog would; when that
// reaches a file already there, the program asks before replacing it, and Cancel goes back to the
// dialog. Empty for Cancel.
QString ChooseSavePath(QWidget *parent, widgets::MessageBoxes &boxes, const AskPath &askPath,
                       const QString &suggestedPath, const QString &suffix);

// Writes a file at a path: empty when it is written whole, otherwise the system's reason.
using WriteFile = std::function<QString(const QString &path)>;

// Asks where to save as ChooseSavePath does, then writes there. What stops it is told in one Stop
// box, `notSaved` with %1 the file's path and %2 the reason; on Windows a name the system keeps
// for a device is refused before anything is written.
void SaveAs(QWidget *parent, widgets::MessageBoxes &boxes, const AskPath &askPath,
            const QString &suggestedPath, const QString &suffix, const QString &notSaved,
            const WriteFile &write);

// Writes `bytes` whole through a temporary file beside the path (QSaveFile); empty, or the reason.
QString WriteWhole(const QString &path, QByteArrayView bytes);

// "<character name><ending>", or `defaultName` for an empty name. Characters that file systems
// refuse (slashes, control characters, and \ : * ? " < > | for disks shared with Windows) become
// "_"; leading dots (a hidden file) and trailing dots and blanks are dropped, and the character
// name is cut to 64 characters so that the name stays far below the usual limit of 255 bytes,
// even in UTF-8. A name that Windows would take for a device gets a leading "_".
QString SuggestedFileName(const QString &characterName, const QString &ending,
                          const QString &defaultName);

// Whether Windows takes this file name for a device (CON, PRN, AUX, NUL, COM0-9, LPT0-9), in any
// case, with or without a suffix, and with blanks before the suffix: writing to it would not
// make a file.
bool IsWindowsDeviceName(const QString &fileName);

// The user's documents folder, or the home folder where there is none.
QString DocumentsFolder();

} // namespace window
