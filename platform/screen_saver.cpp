#include "platform/screen_saver.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStringList>

#include <atomic>

namespace platform {

namespace {

const QString kService = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kInterface = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops publish the service under one of these objects.
const QStringList kPaths{QStringLiteral("/org/freedesktop/ScreenSaver"),
                         QStringLiteral("/ScreenSaver")};
// The service answers at once; a desktop that does not must not hold up a show.
constexpr int kCallTimeoutMs = 1000;

std::atomic<ScreenSaver*> installedScreenSaver{nullptr};

bool serviceRunning(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return false;
    }
    const QDBusConnectionInterface* names = bus.interface();
    return names != nullptr && names->isServiceRegistered(kService).value();
}

} // namespace

ScreenSaver& screenSaver() {
    if (ScreenSaver* replacement = installedScreenSaver.load()) {
        return *replacement;
    }
    static DBusScreenSaver desktop;
    return desktop;
}

void setScreenSaver(ScreenSaver* replacement) {
    installedScreenSaver.store(replacement);
}

DBusScreenSaver::DBusScreenSaver() : DBusScreenSaver(QDBusConnection::sessionBus()) {}

DBusScreenSaver::DBusScreenSaver(const QDBusConnection& bus) : bus_(bus) {}

DBusScreenSaver::~DBusScreenSaver() {
    release();
}

void DBusScreenSaver::inhibit(const QString& reason) {
    if (cookie_ || !serviceRunning(bus_)) {
        return;
    }
    QString application = QCoreApplication::applicationName();
    if (application.isEmpty()) {
        application = QStringLiteral("Plakora");
    }
    for (const QString& path : kPaths) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, path, kInterface, QStringLiteral("Inhibit"));
        call << application << reason;
        const QDBusMessage reply = bus_.call(call, QDBus::Block, kCallTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
            bool ok = false;
            const uint cookie = reply.arguments().first().toUInt(&ok);
            if (ok) {
                cookie_ = cookie;
                path_ = path;
                return;
            }
        }
    }
}

void DBusScreenSaver::release() {
    if (!cookie_) {
        return;
    }
    const uint cookie = *cookie_;
    cookie_.reset();
    if (!bus_.isConnected()) {
        return;
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, path_, kInterface, QStringLiteral("UnInhibit"));
    call << cookie;
    // Nothing waits for the answer: the hold ends whether or not one comes.
    bus_.send(call);
}

} // namespace platform
