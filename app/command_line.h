#pragma once

// The command line: `plakora [options] [BOARD]`. It is read into a plain
// value before any window exists; what it asks of the start-up goes to the
// editor as a StartRequest, and an option that ends the program at once
// (help, version, the list of screens, a mistake) carries what to print and
// the exit code.

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

    // Set when the program ends without opening a window: it prints
    // `output` on standard output and `errors` on standard error, then ends
    // with this code.
    std::optional<int> exitCode;
    QString output;
    QString errors;
};

// Reads `arguments` (the program's name first, as QCoreApplication gives
// them). A --screen is looked up among `screens`, by name or by number from
// 1, and the request carries the screen's name. `rawArguments`, the bytes
// the program was given, tell a BOARD whose name is not valid UTF-8: such a
// name cannot be opened, and the request says why.
CommandLine parseCommandLine(const QStringList& arguments,
                             const QList<platform::ScreenEntry>& screens,
                             const QList<QByteArray>& rawArguments = {});

// A file name's bytes as a person can read them: what is valid UTF-8 as it
// stands, every other byte as \xHH.
QString readableFileName(const QByteArray& bytes);

// Prints what a command line that ends the program asks to print.
void printCommandLineOutput(const CommandLine& commandLine);
