#include "platform/file_dialog_setup.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

QtFileDialogSetup fileDialogSetup(const FileDialogSettings& settings, FileDialogPurpose purpose) {
    QtFileDialogSetup setup;
    setup.title = settings.title;
    setup.nameFilter = qtFilter(settings.filter);

    setup.defaultSuffix = settings.defaultExt.trimmed();
    while (setup.defaultSuffix.startsWith(QLatin1Char('.'))) {
        setup.defaultSuffix.remove(0, 1);
    }

    setup.directory = settings.initialDir;
    setup.selectedFile = settings.fileName;
    if (!settings.fileName.isEmpty()) {
        QString path = settings.fileName;
        if (QDir::isRelativePath(path) && !settings.initialDir.isEmpty()) {
            path = QDir(settings.initialDir).filePath(path);
        }
        if (path.contains(QLatin1Char('/'))) {
            const QFileInfo info(path);
            setup.directory = QDir::cleanPath(info.path());
            setup.selectedFile = info.fileName();
        }
    }

    setup.options = QFileDialog::DontUseNativeDialog;
    if (purpose == FileDialogPurpose::Save) {
        setup.acceptMode = QFileDialog::AcceptSave;
        setup.fileMode = QFileDialog::AnyFile;
        if (!settings.options.testFlag(FileOption::OverwritePrompt)) {
            setup.options |= QFileDialog::DontConfirmOverwrite;
        }
    } else {
        setup.acceptMode = QFileDialog::AcceptOpen;
        if (settings.options.testFlag(FileOption::AllowMultiSelect)) {
            setup.fileMode = QFileDialog::ExistingFiles;
        } else if (settings.options.testFlag(FileOption::FileMustExist)) {
            setup.fileMode = QFileDialog::ExistingFile;
        } else {
            setup.fileMode = QFileDialog::AnyFile;
        }
    }
    return setup;
}

void applyFileDialogSetup(QFileDialog& dialog, const QtFileDialogSetup& setup) {
    // The options first: they decide whether Qt builds its own widgets.
    dialog.setOptions(setup.options);
    if (!setup.title.isEmpty()) {
        dialog.setWindowTitle(setup.title);
    }
    dialog.setAcceptMode(setup.acceptMode);
    dialog.setFileMode(setup.fileMode);
    if (!setup.nameFilter.isEmpty()) {
        dialog.setNameFilter(setup.nameFilter);
    }
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (!setup.directory.isEmpty()) {
        dialog.setDirectory(setup.directory);
    }
    if (!setup.selectedFile.isEmpty()) {
        dialog.selectFile(setup.selectedFile);
    }
}

} // namespace platform
