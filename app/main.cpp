#include "app/command_line.h"
#include "app/logging.h"
#include "editor/startup.h"
#include "platform/event_loop.h"
#include "platform/screens.h"

#include <QApplication>

int main(int argc, char** argv) {
    platform::chooseEventDispatcher();
    // The bytes as given, before Qt reads them: a file name that is not
    // UTF-8 does not survive the reading.
    QList<QByteArray> rawArguments;
    for (int i = 0; i < argc; ++i) {
        rawArguments << QByteArray(argv[i]);
    }
    QApplication app(argc, argv);
    const CommandLine commandLine =
        parseCommandLine(QCoreApplication::arguments(), platform::connectedScreens(), rawArguments);
    if (commandLine.exitCode) {
        printCommandLineOutput(commandLine);
        return *commandLine.exitCode;
    }
    qCDebug(lcApp) << "start: board" << commandLine.start.board << "play" << commandLine.start.play
                   << "screen" << commandLine.start.screen;
    setUpApplication();
    ProgramWindows windows = startProgram(commandLine.start);
    return app.exec();
}
