#include "platform/help.h"

#include <QMutex>
#include <QMutexLocker>

namespace platform {

namespace {

struct HelpFile {
    QMutex mutex;
    QString path;
};

HelpFile& helpFileState() {
    static HelpFile state;
    return state;
}

} // namespace

void setHelpFile(const QString& path) {
    HelpFile& state = helpFileState();
    const QMutexLocker lock(&state.mutex);
    state.path = path;
}

QString helpFile() {
    HelpFile& state = helpFileState();
    const QMutexLocker lock(&state.mutex);
    return state.path;
}

} // namespace platform
