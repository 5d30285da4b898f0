#include "editor/startup.h"
#include "platform/event_loop.h"

#include <QApplication>

int main(int argc, char** argv) {
    platform::chooseEventDispatcher();
    QApplication app(argc, argv);
    setUpApplication();
    ProgramWindows windows = createWindows();
    return app.exec();
}
