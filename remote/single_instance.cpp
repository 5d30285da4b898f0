#include "remote/single_instance.h"

#include "persistence/board_file.h"
#include "remote/bus_adaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

HandOver handOverToRunningProgram(const StartRequest& request) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface() ||
        !bus.interface()->isServiceRegistered(QString::fromLatin1(kBusService))) {
        return {};
    }
    QDBusInterface running(QString::fromLatin1(kBusService), QString::fromLatin1(kBusPath),
                           QString::fromLatin1(kBusInterface), bus);
    // The running program may work in another folder.
    const QString board = boardFilePath(request.board);
    QDBusMessage reply;
    if (request.play) {
        reply = running.call(QStringLiteral("Play"), board);
    } else if (!board.isEmpty()) {
        reply = running.call(QStringLiteral("Open"), board);
    } else {
        reply = running.call(QStringLiteral("Raise"));
    }
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // A program that does not answer is no program to hand over to.
        if (reply.errorName() != QString::fromLatin1(kBusError)) {
            return {};
        }
        return HandOver{true, reply.errorMessage()};
    }
    return HandOver{true, {}};
}
