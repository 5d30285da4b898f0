#pragma once

// How the program's file dialog settings map onto a Qt file dialog: worked
// out as a plain value first, so that the mapping is checked without opening
// a dialog, then applied to the dialog.

#include "platform/dialogs.h"

#include <QFileDialog>
#include <QString>

namespace platform {

enum class FileDialogPurpose { Open, Save };

// Everything a QFileDialog is given before it opens.
struct QtFileDialogSetup {
    QString title;
    QString nameFilter;    // Qt form, see qtFilter()
    QString defaultSuffix; // without the dot
    QString directory;     // empty: the current directory
    QString selectedFile;  // the name shown in the file name box
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::Options options;

    bool operator==(const QtFileDialogSetup&) const = default;
};

// Maps the program's settings onto a Qt file dialog:
//  - the dialog is always Qt's own, never the desktop's, so it behaves the
//    same everywhere;
//  - FileMustExist opens on existing files only; AllowMultiSelect opens on
//    several existing files (Qt picks several files only among existing ones);
//    a save dialog takes any name;
//  - a save dialog confirms overwriting only with OverwritePrompt;
//  - fileName may be a bare name, a name relative to initialDir, or a full
//    path; its folder becomes the starting folder;
//  - HideReadOnly needs nothing: Qt's dialog has no read-only check box.
// PathMustExist, NoReadOnlyReturn and CreatePrompt are checked once a file is
// chosen, see checkChosenFile(); NoNetworkButton has no meaning here.
QtFileDialogSetup fileDialogSetup(const FileDialogSettings& settings, FileDialogPurpose purpose);
void applyFileDialogSetup(QFileDialog& dialog, const QtFileDialogSetup& setup);

} // namespace platform
