#include "remote/mpris_adaptor.h"

#include "remote/bus_adaptor.h"
#include "remote/show_commands.h"

#include <QFileInfo>

MprisRootAdaptor::MprisRootAdaptor(BusObject* object)
    : QDBusAbstractAdaptor(object), object_(object) {}

void MprisRootAdaptor::Raise() {
    object_->commands().raiseEditor();
}

void MprisRootAdaptor::Quit() {
    object_->failIf(QStringLiteral("Plakora is not quit from the media controls."));
}

MprisPlayerAdaptor::MprisPlayerAdaptor(BusObject* object)
    : QDBusAbstractAdaptor(object), object_(object) {
    last_ = {{"PlaybackStatus", playbackStatus()}, {"Metadata", metadata()}};
    connect(&object->commands(), &ShowCommands::changed, this, &MprisPlayerAdaptor::changed);
}

QString MprisPlayerAdaptor::playbackStatus() const {
    switch (object_->commands().state()) {
    case ShowCommands::State::Playing:
        return QStringLiteral("Playing");
    case ShowCommands::State::Frozen:
        return QStringLiteral("Paused");
    case ShowCommands::State::Stopped:
        break;
    }
    return QStringLiteral("Stopped");
}

QVariantMap MprisPlayerAdaptor::metadata() const {
    const QString board = object_->commands().board();
    return {{"mpris:trackid", QVariant::fromValue(QDBusObjectPath("/org/plakora/Plakora/board"))},
            {"xesam:title",
             board.isEmpty() ? QStringLiteral("Plakora") : QFileInfo(board).completeBaseName()}};
}

bool MprisPlayerAdaptor::canGoNext() const {
    return object_->commands().state() == ShowCommands::State::Playing;
}

bool MprisPlayerAdaptor::canPause() const {
    return object_->commands().state() != ShowCommands::State::Stopped;
}

void MprisPlayerAdaptor::changed() {
    const QVariantMap now{{"PlaybackStatus", playbackStatus()}, {"Metadata", metadata()}};
    QVariantMap differ;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (last_.value(it.key()) != it.value()) {
            differ.insert(it.key(), it.value());
        }
    }
    last_ = now;
    object_->announce("org.mpris.MediaPlayer2.Player", differ);
}

void MprisPlayerAdaptor::Next() {
    object_->failIf(object_->commands().nextSlide());
}

void MprisPlayerAdaptor::Previous() {
    object_->failIf(object_->commands().previousSlide());
}

void MprisPlayerAdaptor::Pause() {
    object_->failIf(object_->commands().freeze());
}

void MprisPlayerAdaptor::PlayPause() {
    ShowCommands& c = object_->commands();
    switch (c.state()) {
    case ShowCommands::State::Playing:
        object_->failIf(c.freeze());
        return;
    case ShowCommands::State::Frozen:
        object_->failIf(c.resume());
        return;
    case ShowCommands::State::Stopped:
        object_->failIf(c.play(QString()));
        return;
    }
}

void MprisPlayerAdaptor::Stop() {
    // Stopping what is not playing is no error for a media player.
    if (object_->commands().state() != ShowCommands::State::Stopped) {
        object_->failIf(object_->commands().stop());
    }
}

void MprisPlayerAdaptor::Play() {
    ShowCommands& c = object_->commands();
    object_->failIf(c.state() == ShowCommands::State::Frozen ? c.resume() : c.play(QString()));
}
