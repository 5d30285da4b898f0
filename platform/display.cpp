#include "platform/display.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

QtMessageHandler previousHandler = nullptr;

void exitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtFatalMsg) {
        previousHandler(type, context, message);
        return;
    }
    // Qt's own advice here (reinstalling) does not apply: nothing is broken
    // but the display. Its warnings before this line said which one.
    std::fputs("plakora: no display was found: Qt could not open one.\n", stderr);
    std::fflush(stderr);
    std::_Exit(kNoDisplayExitCode);
}

} // namespace

QString missingDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return QStringLiteral("no display was found (neither DISPLAY nor WAYLAND_DISPLAY is set).");
    }
    return QString();
}

DisplayFailureExit::DisplayFailureExit() {
    previousHandler = qInstallMessageHandler(exitOnFatal);
}

DisplayFailureExit::~DisplayFailureExit() {
    qInstallMessageHandler(previousHandler);
}

} // namespace platform
