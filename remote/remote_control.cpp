#include "remote/remote_control.h"

#include "editor/mainform.h"
#include "editor/startup.h"
#include "persistence/board_file.h"
#include "platform/dialogs.h"
#include "platform/system_info.h"
#include "remote/bus_adaptor.h"
#include "remote/http_remote.h"
#include "remote/remote_dialog.h"
#include "remote/show_commands.h"
#include "remote/show_commands_target.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QStatusBar>

#include <cstdio>

RemoteControl::RemoteControl(ProgramWindows& windows, QObject* parent)
    : QObject(parent), windows_(windows),
      commands_(std::make_unique<ShowCommands>(*windows.mainform, *windows.PlayScreen,
                                               *windows.AlignCntrlBox)),
      bus_(std::make_unique<ProgramBus>(*commands_)),
      target_(std::make_unique<ShowCommandsTarget>(*commands_)) {
    connect(windows.mainform->RemoteControl1, &QAction::triggered, this,
            &RemoteControl::openDialog);
    const RemoteSettings settings = readRemoteSettings(settingsPath());
    if (settings.http) {
        applySettings(readRemoteSettingsWithToken(settingsPath()));
    }
}

RemoteControl::~RemoteControl() = default;

QString RemoteControl::settingsPath() const {
    return settingsFilePath(platform::systemInfo().windowsDirectory());
}

void RemoteControl::applySettings(const RemoteSettings& settings) {
    http_.reset();
    httpProblem_.clear();
    if (!settings.http || settings.token.isEmpty()) {
        return;
    }
    http_ = std::make_unique<HttpRemote>(*target_);
    http_->setToken(settings.token.toLatin1());
    httpProblem_ = http_->start(QHostAddress(settings.address), settings.port);
    if (!httpProblem_.isEmpty()) {
        http_.reset();
        windows_.mainform->noteLive(httpProblem_);
        std::fprintf(stderr, "plakora: %s\n", qPrintable(httpProblem_));
    }
}

void RemoteControl::openDialog() {
    const QString path = settingsPath();
    RemoteSettings settings = readRemoteSettings(path);
    if (settings.token.isEmpty()) {
        settings.token = newRemoteToken();
    }
    RemoteDialog dialog(settings, windows_.mainform.get());
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const RemoteSettings chosen = dialog.settings();
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (const QString error = writeRemoteSettings(path, chosen); !error.isEmpty()) {
        platform::dialogs().message(platform::MessageKind::Error, error, platform::Button::OK);
    }
    applySettings(chosen);
    if (!httpProblem_.isEmpty()) {
        platform::dialogs().message(platform::MessageKind::Error, httpProblem_,
                                    platform::Button::OK);
    }
}
