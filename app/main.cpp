#include "app/command_line.h"
#include "app/logging.h"
#include "editor/startup.h"
#include "platform/display.h"
#include "platform/event_loop.h"
#include "platform/screens.h"
#include "remote/remote_control.h"
#include "remote/single_instance.h"

#include <QApplication>

#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    platform::chooseEventDispatcher();
    // The bytes as given: a file name that is not UTF-8 does not survive
    // the reading.
    QList<QByteArray> rawArguments;
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        rawArguments << QByteArray(argv[i]);
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    // Help, the version and mistakes need no display.
    CommandLine commandLine = readCommandLine(arguments, rawArguments);
    if (commandLine.exitCode) {
        printCommandLineOutput(commandLine);
        return *commandLine.exitCode;
    }
    if (const QString missing = platform::missingDisplay(); !missing.isEmpty()) {
        std::fprintf(stderr, "plakora: %s\n", qPrintable(missing));
        return platform::kNoDisplayExitCode;
    }
    std::optional<QApplication> app;
    {
        const platform::DisplayFailureExit exitWithoutDisplay;
        app.emplace(argc, argv);
    }
    applyScreens(commandLine, platform::connectedScreens());
    printCommandLineOutput(commandLine);
    if (commandLine.exitCode) {
        return *commandLine.exitCode;
    }
    qCDebug(lcApp) << "start: board" << commandLine.start.board << "play" << commandLine.start.play
                   << "screen" << commandLine.start.screen;
    // A program that runs already takes the request, unless this run is to
    // be one of its own.
    if (!commandLine.newInstance) {
        const HandOver handed = handOverToRunningProgram(commandLine.start);
        if (handed.handed) {
            if (!handed.error.isEmpty()) {
                std::fprintf(stderr, "plakora: %s\n", qPrintable(handed.error));
                return 1;
            }
            return 0;
        }
    }
    setUpApplication();
    ProgramWindows windows = startProgram(commandLine.start);
    if (windows.exitCode) {
        return *windows.exitCode;
    }
    const RemoteControl remote(windows);
    return app->exec();
}
