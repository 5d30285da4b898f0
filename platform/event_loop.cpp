#include "platform/event_loop.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

void chooseEventDispatcher() {
    if (!qEnvironmentVariableIsSet("QT_NO_GLIB")) {
        qputenv("QT_NO_GLIB", "1");
    }
}

} // namespace platform
