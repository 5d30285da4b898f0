#pragma once

// The dialogs of the running program, built on Qt widgets. The decisions
// that do not need a window (how the settings map onto a Qt file dialog,
// what to do with a chosen file, how a picture preview is made) are plain
// functions here so that they can be checked without opening anything.

#include "platform/dialogs.h"

#include <QFileDialog>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class QFontMetrics;
class QPrinter;

namespace platform {

// The printer the program prints on; printer set-up changes it.
QPrinter& sharedPrinter();

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

// The preview of the picture at `path`, shrunk to fit `box` with its aspect
// ratio kept (never enlarged); null when the file is not a readable picture.
QPixmap picturePreview(const QString& path, QSize box);
inline constexpr QSize kPicturePreviewSize{200, 200};

// The text of a message box as shown: a run of characters without a blank
// (a long path, most often) that is wider than `maxWidth` is cut in its
// middle to fit, so the box and its buttons stay on the screen; the rest
// wraps as ever.
QString fittedMessageText(const QString& text, const QFontMetrics& metrics, int maxWidth);

// A box that only informs offers a single button (or asks for none, which
// gives OK alone): there is nothing to decide, whatever its kind. A box with
// two buttons or more asks a question.
bool boxOnlyInforms(Buttons buttons);

// How long a box that only informs stays up when nobody watches the screen.
inline constexpr std::chrono::milliseconds kUnattendedBoxTime{15000};

// The boxes of a show that runs unattended (started from the command line
// to play): a box that only informs closes itself after `closeAfter` with
// its default answer, so that a show left alone never stands frozen behind
// a box nobody sees, and its caption and text also go to `echo`, which
// writes to standard error unless it is replaced. Questions wait for an
// answer as ever.
struct UnattendedBoxes {
    std::chrono::milliseconds closeAfter = kUnattendedBoxTime;
    std::function<void(const QString&)> echo;
};

class QtDialogs final : public Dialogs {
public:
    // Unset (the default): every box waits for the operator.
    void setUnattended(std::optional<UnattendedBoxes> unattended);
    const std::optional<UnattendedBoxes>& unattended() const { return unattended_; }

    // A modal box over the active window: the icon of its kind, the text, and
    // the requested buttons in the order Yes, No, OK, Cancel (OK alone when
    // none is requested). The first button is the default, which Enter
    // presses. A button's underlined letter presses it, alone or with Alt.
    // Closing the box or pressing Esc answers None. See setUnattended() for
    // a box that closes itself.
    Answer message(MessageKind kind, const QString& text, Buttons buttons) override;
    std::optional<QStringList> openFile(const FileDialogSettings& settings) override;
    std::optional<QString> saveFile(const FileDialogSettings& settings) override;
    std::optional<QStringList> openPicture(const FileDialogSettings& settings) override;
    // Qt's colour dialog always offers custom colours and any colour, so
    // FullOpen, AnyColor, SolidColor and ShowHelp change nothing. The chosen
    // colour is always opaque.
    std::optional<std::uint32_t> chooseColor(const ColorDialogSettings& settings) override;
    // Qt's print dialog has no help button, so ShowHelp changes nothing. The
    // warning about a missing printer is a message box of its own, shown
    // through dialogs() before the print dialog opens.
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
