#include "platform/qt_dialogs.h"

#include "platform/colors.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileInfo>

#include <utility>

namespace platform {

void QtDialogs::setUnattended(std::optional<UnattendedBoxes> unattended) {
    unattended_ = std::move(unattended);
}

QtDialogs& qtDialogs() {
    static QtDialogs dialogs;
    return dialogs;
}

Answer QtDialogs::message(MessageKind kind, const QString& text, Buttons buttons) {
    return runMessageBox(kind, text, buttons, unattended_ ? &*unattended_ : nullptr);
}

std::optional<QStringList> QtDialogs::runFileDialog(const FileDialogSettings& settings,
                                                    FileDialogPurpose purpose, bool preview) {
    QFileDialog dialog(QApplication::activeWindow());
    applyFileDialogSetup(dialog, fileDialogSetup(settings, purpose));
    if (preview) {
        // The picture the dialog starts on is previewed before anything is clicked.
        addPicturePreview(dialog, !settings.fileName.isEmpty());
    }

    // A refused choice is explained and the dialog opens again where it was.
    for (;;) {
        if (dialog.exec() != QDialog::Accepted) {
            return std::nullopt;
        }
        QStringList files;
        for (const QString& file : dialog.selectedFiles()) {
            files << QFileInfo(file).absoluteFilePath();
        }
        if (files.isEmpty()) {
            return std::nullopt;
        }
        bool chooseAgain = false;
        for (const QString& file : std::as_const(files)) {
            const FileChoiceCheck check =
                checkChosenFile(inspectChosenFile(file), settings.options);
            if (check.action == FileChoiceCheck::Action::Refuse) {
                message(MessageKind::Warning, check.text, Button::OK);
                chooseAgain = true;
                break;
            }
            if (check.action == FileChoiceCheck::Action::AskCreate &&
                message(MessageKind::Confirm, check.text, Button::Yes | Button::No) !=
                    Answer::Yes) {
                return std::nullopt;
            }
        }
        if (!chooseAgain) {
            return files;
        }
    }
}

std::optional<QStringList> QtDialogs::openFile(const FileDialogSettings& settings) {
    return runFileDialog(settings, FileDialogPurpose::Open, false);
}

std::optional<QString> QtDialogs::saveFile(const FileDialogSettings& settings) {
    const std::optional<QStringList> files =
        runFileDialog(settings, FileDialogPurpose::Save, false);
    if (!files) {
        return std::nullopt;
    }
    return files->first();
}

std::optional<QStringList> QtDialogs::openPicture(const FileDialogSettings& settings) {
    return runFileDialog(settings, FileDialogPurpose::Open, true);
}

std::optional<std::uint32_t> QtDialogs::chooseColor(const ColorDialogSettings& settings) {
    QColorDialog dialog(toQColor(settings.color), QApplication::activeWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    dialog.setOption(QColorDialog::ShowAlphaChannel, false);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return fromQColor(dialog.selectedColor());
}

bool QtDialogs::printSetup(const PrintSetupSettings& settings) {
    return runPrintSetup(settings);
}

} // namespace platform
