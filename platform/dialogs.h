#pragma once

// Every message box and common dialog of the program goes through this
// interface, so that tests can answer them from a script and check exactly
// what was asked.

#include <QFlags>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace platform {

enum class MessageKind { Warning, Error, Information, Confirm };

// The caption of a message box is the name of its kind.
QString messageCaption(MessageKind kind);

enum class Button : unsigned { Yes = 1, No = 2, OK = 4, Cancel = 8 };
Q_DECLARE_FLAGS(Buttons, Button)

// None means the box was closed without pressing a button.
enum class Answer { None, Yes, No, OK, Cancel };

// The text each button carries, access-key ampersands included.
QString buttonText(Button button);

// A box that only informs offers a single button (or asks for none, which
// gives OK alone): there is nothing to decide, whatever its kind. A box with
// two buttons or more asks a question.
bool boxOnlyInforms(Buttons buttons);

enum class FileOption : unsigned {
    FileMustExist = 1 << 0,
    PathMustExist = 1 << 1,
    HideReadOnly = 1 << 2,
    NoReadOnlyReturn = 1 << 3,
    OverwritePrompt = 1 << 4,
    CreatePrompt = 1 << 5,
    AllowMultiSelect = 1 << 6,
    NoNetworkButton = 1 << 7,
};
Q_DECLARE_FLAGS(FileOptions, FileOption)

// What a command sets on a file dialog before it opens it. The filter has
// the form "Description|pattern|Description|pattern...".
struct FileDialogSettings {
    QString title;
    QString filter;
    QString defaultExt;
    FileOptions options;
    QString fileName;
    QString initialDir;

    bool operator==(const FileDialogSettings&) const = default;
};

enum class ColorOption : unsigned {
    FullOpen = 1 << 0,
    AnyColor = 1 << 1,
    SolidColor = 1 << 2,
    ShowHelp = 1 << 3,
};
Q_DECLARE_FLAGS(ColorOptions, ColorOption)

struct ColorDialogSettings {
    // $00BBGGRR, the colour the dialog starts on.
    std::uint32_t color = 0;
    ColorOptions options;

    bool operator==(const ColorDialogSettings&) const = default;
};

enum class PrintOption : unsigned {
    PageNums = 1 << 0,    // the operator may choose a page range
    PrintToFile = 1 << 1, // the operator may print to a file
    ShowHelp = 1 << 2,
    WarnNoPrinter = 1 << 3, // warn first when no printer is installed
};
Q_DECLARE_FLAGS(PrintOptions, PrintOption)

struct PrintSetupSettings {
    QString title;
    PrintOptions options = {};

    bool operator==(const PrintSetupSettings&) const = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    virtual Answer message(MessageKind kind, const QString& text, Buttons buttons) = 0;

    // The chosen files (several only with AllowMultiSelect), or nothing on cancel.
    virtual std::optional<QStringList> openFile(const FileDialogSettings& settings) = 0;
    virtual std::optional<QString> saveFile(const FileDialogSettings& settings) = 0;
    // An open dialog that previews the selected picture beside the file list.
    virtual std::optional<QStringList> openPicture(const FileDialogSettings& settings) = 0;
    // The chosen colour as $00BBGGRR, or nothing on cancel.
    virtual std::optional<std::uint32_t> chooseColor(const ColorDialogSettings& settings) = 0;
    // True when the operator confirmed the printer set-up.
    virtual bool printSetup(const PrintSetupSettings& settings) = 0;
};

// The dialogs the program uses: the one a test put in place, else the
// standard ones set at start-up (the Qt dialogs), else none at all, where a
// message only goes to the log and every question is left unanswered.
Dialogs& dialogs();
// Puts `replacement` in place (nullptr restores the standard dialogs).
// The caller keeps ownership.
void setDialogs(Dialogs* replacement);
void setDefaultDialogs(Dialogs* standard);

// Translates a "Description|pattern" filter into Qt's "Description (pattern);;..." form.
QString qtFilter(const QString& filter);

} // namespace platform

Q_DECLARE_OPERATORS_FOR_FLAGS(platform::Buttons)
Q_DECLARE_OPERATORS_FOR_FLAGS(platform::FileOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(platform::ColorOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(platform::PrintOptions)
