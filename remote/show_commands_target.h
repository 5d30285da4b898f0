#pragma once

// The program's ShowCommands as the HTTP remote's target: every call is
// passed on as it is.

#include "remote/remote_api.h"
#include "remote/show_commands.h"

class ShowCommandsTarget final : public RemoteTarget {
public:
    explicit ShowCommandsTarget(ShowCommands& commands) : commands_(commands) {}

    QString stateName() const override { return commands_.stateName(); }
    QString board() const override { return commands_.board(); }
    QString screenName() const override { return commands_.screenName(); }
    QString play(const QString& board) override { return commands_.play(board); }
    QString stop() override { return commands_.stop(); }
    QString freeze() override { return commands_.freeze(); }
    QString resume() override { return commands_.resume(); }
    QString refresh() override { return commands_.refresh(); }
    QString setCrawlLine(const QString& text) override { return commands_.setCrawlLine(text); }
    QString setTitle(int which, const QString& text) override {
        return commands_.setTitle(which, text);
    }
    QString setTextObject(int which, const QStringList& lines) override {
        return commands_.setTextObject(which, lines);
    }
    QString nextSlide() override { return commands_.nextSlide(); }
    QString previousSlide() override { return commands_.previousSlide(); }

private:
    ShowCommands& commands_;
};
