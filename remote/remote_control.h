#pragma once

// Remote control of a running program, put together: what a remote can do
// (ShowCommands), the program on the session bus, and the HTTP remote when
// the settings file turns it on. The "Remote Control…" item of the editor
// opens its dialog; a change of the settings starts, moves or stops the
// HTTP remote at once.

#include "remote/remote_settings.h"

#include <QObject>

#include <memory>

struct ProgramWindows;
class HttpRemote;
class ProgramBus;
class ShowCommands;
class ShowCommandsTarget;

class RemoteControl : public QObject {
    Q_OBJECT
public:
    explicit RemoteControl(ProgramWindows& windows, QObject* parent = nullptr);
    ~RemoteControl() override;

    ShowCommands& commands() { return *commands_; }
    // Why the HTTP remote does not listen as set, or nothing.
    QString httpProblem() const { return httpProblem_; }
    void openDialog();
    // Listens as `settings` say (or stops listening); kept for the next
    // start only by the dialog.
    void applySettings(const RemoteSettings& settings);

private:
    QString settingsPath() const;

    ProgramWindows& windows_;
    std::unique_ptr<ShowCommands> commands_;
    std::unique_ptr<ProgramBus> bus_;
    std::unique_ptr<ShowCommandsTarget> target_;
    std::unique_ptr<HttpRemote> http_;
    QString httpProblem_;
};
