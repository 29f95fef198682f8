// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Save List and Open List: the production list kept as a list file (form/listdocument.h), the
// same file the web page saves and opens. Both use the platform's own file dialog, starting in
// the documents folder. Saving suggests a name from the character name, asks before replacing a
// file, and writes the file whole through a temporary file beside it, or says why it could not.
// Opening reads the file and replays it into the form; a file that cannot be read, or whose list
// does not read whole, is named in one box with what could not be read, and the list stays as it
// was.

#include "form/form.h"
#include "widgets/messageboxes.h"
#include "window/filesaving.h"

#include <QString>

class QWidget;

namespace window {

// The file dialogs: "Save List" and "Open List", showing list files.
QString AskSaveListPathInFileDialog(QWidget *parent, const QString &suggestedPath);
QString AskOpenListPathInFileDialog(QWidget *parent, const QString &folder);

// "<character name> - production list.forgetally", or "Production list.forgetally" for an empty
// name, made safe for file systems as SuggestedFileName says.
QString SuggestedListName(const QString &characterName);

void SaveList(QWidget *parent, const form::State &state, widgets::MessageBoxes &boxes,
              const AskPath &askPath = AskSaveListPathInFileDialog);

// Whether the form now holds the opened list.
bool OpenList(QWidget *parent, form::Form &form, widgets::MessageBoxes &boxes,
              const AskPath &askPath = AskOpenListPathInFileDialog);

} // namespace window
