#include "remote/bus_adaptor.h"

#include "remote/mpris_adaptor.h"
#include "remote/show_commands.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

BusObject::BusObject(ShowCommands& commands, QObject* parent)
    : QObject(parent), commands_(commands) {}

void BusObject::failIf(const QString& problem) {
    if (!problem.isEmpty() && calledFromDBus()) {
        sendErrorReply(QString::fromLatin1(kBusError), problem);
    }
}

void BusObject::announce(const char* interface, const QVariantMap& properties) {
    if (properties.isEmpty()) {
        return;
    }
    QDBusMessage signal = QDBusMessage::createSignal(
        QString::fromLatin1(qstrcmp(interface, kBusInterface) == 0 ? kBusPath : kMprisPath),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(interface) << properties << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

ShowBusAdaptor::ShowBusAdaptor(BusObject* object) : QDBusAbstractAdaptor(object), object_(object) {
    last_ = {{"State", state()}, {"Board", board()}, {"Screen", screen()}};
    connect(&object->commands(), &ShowCommands::changed, this, &ShowBusAdaptor::changed);
}

QString ShowBusAdaptor::state() const {
    return object_->commands().stateName();
}

QString ShowBusAdaptor::board() const {
    return object_->commands().board();
}

QString ShowBusAdaptor::screen() const {
    return object_->commands().screenName();
}

void ShowBusAdaptor::changed() {
    const QVariantMap now{{"State", state()}, {"Board", board()}, {"Screen", screen()}};
    QVariantMap differ;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (last_.value(it.key()) != it.value()) {
            differ.insert(it.key(), it.value());
        }
    }
    last_ = now;
    object_->announce(kBusInterface, differ);
}

void ShowBusAdaptor::Play(const QString& board) {
    object_->failIf(object_->commands().play(board));
}

void ShowBusAdaptor::Stop() {
    object_->failIf(object_->commands().stop());
}

void ShowBusAdaptor::Freeze() {
    object_->failIf(object_->commands().freeze());
}

void ShowBusAdaptor::Resume() {
    object_->failIf(object_->commands().resume());
}

void ShowBusAdaptor::Refresh() {
    object_->failIf(object_->commands().refresh());
}

void ShowBusAdaptor::SetCrawlLine(const QString& text) {
    object_->failIf(object_->commands().setCrawlLine(text));
}

void ShowBusAdaptor::SetTitle(int which, const QString& text) {
    object_->failIf(object_->commands().setTitle(which, text));
}

void ShowBusAdaptor::SetTextObject(int which, const QStringList& lines) {
    object_->failIf(object_->commands().setTextObject(which, lines));
}

void ShowBusAdaptor::Open(const QString& board) {
    object_->commands().open(board);
}

void ShowBusAdaptor::Raise() {
    object_->commands().raiseEditor();
}

ProgramBus::ProgramBus(ShowCommands& commands, QObject* parent) : QObject(parent) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    object_ = new BusObject(commands, this);
    new ShowBusAdaptor(object_);
    mpris_ = new BusObject(commands, this);
    new MprisRootAdaptor(mpris_);
    new MprisPlayerAdaptor(mpris_);
    bus.registerObject(QString::fromLatin1(kBusPath), object_);
    bus.registerObject(QString::fromLatin1(kMprisPath), mpris_);
    owns_ = bus.registerService(QString::fromLatin1(kBusService));
    if (owns_) {
        bus.registerService(QString::fromLatin1(kMprisService));
    }
}

ProgramBus::~ProgramBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    bus.unregisterObject(QString::fromLatin1(kBusPath));
    bus.unregisterObject(QString::fromLatin1(kMprisPath));
    if (owns_) {
        bus.unregisterService(QString::fromLatin1(kMprisService));
        bus.unregisterService(QString::fromLatin1(kBusService));
    }
}
