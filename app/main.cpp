#include "app/command_line.h"
#include "editor/startup.h"
#include "platform/event_loop.h"
#include "platform/screens.h"

#include <QApplication>

int main(int argc, char** argv) {
    platform::chooseEventDispatcher();
    QApplication app(argc, argv);
    const CommandLine commandLine =
        parseCommandLine(QCoreApplication::arguments(), platform::connectedScreens());
    if (commandLine.exitCode) {
        printCommandLineOutput(commandLine);
        return *commandLine.exitCode;
    }
    setUpApplication();
    ProgramWindows windows = startProgram(commandLine.start);
    return app.exec();
}
