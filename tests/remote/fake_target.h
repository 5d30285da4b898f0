#pragma once

// A remote target that records every call as a line of text ("freeze",
// "play /x/y.sfg", "title 1 Text", "text 2 a|b") and answers each command
// with `refusal` (empty: done).

#include "remote/remote_api.h"

class FakeTarget : public RemoteTarget {
public:
    QStringList calls;
    QString refusal;
    QString state = QStringLiteral("stopped");

    QString stateName() const override { return state; }
    QString board() const override { return QStringLiteral("/shows/main.sfg"); }
    QString screenName() const override { return QStringLiteral("HDMI-1"); }
    QString play(const QString& board) override { return record(QStringLiteral("play ") + board); }
    QString stop() override { return record(QStringLiteral("stop")); }
    QString freeze() override { return record(QStringLiteral("freeze")); }
    QString resume() override { return record(QStringLiteral("resume")); }
    QString refresh() override { return record(QStringLiteral("refresh")); }
    QString setCrawlLine(const QString& text) override {
        return record(QStringLiteral("crawl ") + text);
    }
    QString setTitle(int which, const QString& text) override {
        return record(QStringLiteral("title %1 %2").arg(which).arg(text));
    }
    QString setTextObject(int which, const QStringList& lines) override {
        return record(QStringLiteral("text %1 %2").arg(which).arg(lines.join(QLatin1Char('|'))));
    }
    QString nextSlide() override { return record(QStringLiteral("next")); }
    QString previousSlide() override { return record(QStringLiteral("previous")); }

private:
    QString record(const QString& call) {
        calls.append(call);
        return refusal;
    }
};
