#include "platform/file_choice.h"

#include <QDir>
#include <QFileInfo>

namespace platform {

ChosenFile inspectChosenFile(const QString& path) {
    const QFileInfo info(path);
    ChosenFile file;
    file.path = info.absoluteFilePath();
    file.exists = info.exists();
    file.writable = file.exists && info.isWritable();
    file.folderExists = info.absoluteDir().exists();
    return file;
}

FileChoiceCheck checkChosenFile(const ChosenFile& file, FileOptions options) {
    using Action = FileChoiceCheck::Action;
    // A file that must exist, or that may be created, needs an existing folder.
    const bool folderNeeded = options & (FileOption::PathMustExist | FileOption::FileMustExist |
                                         FileOption::CreatePrompt);
    if (folderNeeded && !file.folderExists) {
        return {Action::Refuse, file.path + QStringLiteral("\nPath does not exist.\n"
                                                           "Check the path and try again.")};
    }
    if (options.testFlag(FileOption::FileMustExist) && !file.exists) {
        return {Action::Refuse, file.path + QStringLiteral("\nFile not found.\n"
                                                           "Check the file name and try again.")};
    }
    if (options.testFlag(FileOption::NoReadOnlyReturn) && file.exists && !file.writable) {
        return {Action::Refuse, file.path + QStringLiteral("\nThis file is read-only.")};
    }
    if (options.testFlag(FileOption::CreatePrompt) && !file.exists) {
        return {Action::AskCreate,
                file.path + QStringLiteral("\nThis file does not exist.\nCreate the file?")};
    }
    return {};
}

} // namespace platform
