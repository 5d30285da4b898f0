#pragma once

// The dialogs of the running program, built on Qt widgets. The decisions
// that do not need a window (how the settings map onto a Qt file dialog,
// what to do with a chosen file, how a picture preview is made) are plain
// functions in the headers below, so that they can be checked without
// opening anything.

#include "platform/dialogs.h"
#include "platform/file_choice.h"
#include "platform/file_dialog_setup.h"
#include "platform/message_box.h"
#include "platform/picture_preview.h"
#include "platform/print_setup.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace platform {

class QtDialogs final : public Dialogs {
public:
    // Unset (the default): every box waits for the operator.
    void setUnattended(std::optional<UnattendedBoxes> unattended);
    const std::optional<UnattendedBoxes>& unattended() const { return unattended_; }

    // The message box of runMessageBox(); see setUnattended() for a box that
    // closes itself.
    Answer message(MessageKind kind, const QString& text, Buttons buttons) override;
    std::optional<QStringList> openFile(const FileDialogSettings& settings) override;
    std::optional<QString> saveFile(const FileDialogSettings& settings) override;
    std::optional<QStringList> openPicture(const FileDialogSettings& settings) override;
    // Qt's colour dialog always offers custom colours and any colour, so
    // FullOpen, AnyColor, SolidColor and ShowHelp change nothing. The chosen
    // colour is always opaque.
    std::optional<std::uint32_t> chooseColor(const ColorDialogSettings& settings) override;
    // Printer set-up as runPrintSetup() does it.
    bool printSetup(const PrintSetupSettings& settings) override;

private:
    std::optional<QStringList> runFileDialog(const FileDialogSettings& settings,
                                             FileDialogPurpose purpose, bool preview);

    std::optional<UnattendedBoxes> unattended_;
};

// The program's own Qt dialogs: what dialogs() gives unless a test put
// another implementation in place.
QtDialogs& qtDialogs();

} // namespace platform
