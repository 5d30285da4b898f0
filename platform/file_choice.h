#pragma once

// What to do with a file the operator chose in a file dialog, before the
// program gets it: plain rules over what the file system says, with no
// window, so that they are checked directly.

#include "platform/dialogs.h"

#include <QString>

namespace platform {

// What the file system says about a file the operator chose.
struct ChosenFile {
    QString path; // absolute
    bool exists = false;
    bool writable = false;
    bool folderExists = false;
};
ChosenFile inspectChosenFile(const QString& path);

// What to do with a chosen file before handing it to the program.
struct FileChoiceCheck {
    enum class Action {
        Accept,
        // Tell the operator `text` as a warning and let them choose again.
        Refuse,
        // Ask the operator `text` (Yes/No); No gives up the whole dialog.
        AskCreate,
    };
    Action action = Action::Accept;
    QString text;

    bool operator==(const FileChoiceCheck&) const = default;
};
FileChoiceCheck checkChosenFile(const ChosenFile& file, FileOptions options);

} // namespace platform
