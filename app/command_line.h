#pragma once

// The command line: `plakora [options] [BOARD]`. It is read into a plain
// value in two steps: before any GUI object exists (help, version and every
// mistake in the options are answered there, with or without a display),
// then with the connected screens (--list-screens, --screen). What it asks of
// the start-up goes to the editor as a StartRequest, and an option that ends
// the program at once carries what to print and the exit code.

#include "editor/startup.h"
#include "platform/screens.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The exit code of a command line the program cannot follow.
inline constexpr int kUsageExitCode = 2;

struct CommandLine {
    // The board, the show and the screen of this run.
    StartRequest start;
    bool listScreens = false;
    bool help = false;
    bool version = false;
    // --new-instance: this run starts a program of its own even when one
    // runs already.
    bool newInstance = false;
    // The --screen value as given, looked up once the screens are known.
    std::optional<QString> screenWanted;

    // Set when the program ends without opening a window: it prints
    // `output` on standard output and `errors` on standard error, then ends
    // with this code. Without it, `errors` may still hold a notice.
    std::optional<int> exitCode;
    QString output;
    QString errors;
};

// Reads `arguments` (the program's name first) with no GUI object needed.
// The options Qt reads itself (-platform, -style, ...) are left to Qt.
// `rawArguments`, the bytes the program was given, tell a BOARD whose name
// is not valid UTF-8: such a name cannot be opened, and the request says why.
CommandLine readCommandLine(const QStringList& arguments,
                            const QList<QByteArray>& rawArguments = {});
// Completes a command line that readCommandLine did not end: lists the
// `screens` for --list-screens, or looks the --screen up among them, by name
// or by number from 1, so that the request carries the screen's name.
void applyScreens(CommandLine& line, const QList<platform::ScreenEntry>& screens);
// Both steps at once.
CommandLine parseCommandLine(const QStringList& arguments,
                             const QList<platform::ScreenEntry>& screens,
                             const QList<QByteArray>& rawArguments = {});

// `arguments` without the options Qt's GUI application reads itself, each
// with its value.
QStringList withoutQtOptions(const QStringList& arguments);

// A file name's bytes as a person can read them: what is valid UTF-8 as it
// stands, every other byte as \xHH.
QString readableFileName(const QByteArray& bytes);

// Prints what a command line that ends the program asks to print.
void printCommandLineOutput(const CommandLine& commandLine);
