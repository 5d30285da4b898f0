#include "editor/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    setUpApplication();
    ProgramWindows windows = createWindows();
    return app.exec();
}
