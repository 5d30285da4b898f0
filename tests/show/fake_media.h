#pragma once

// A media device that plays nothing: it records what the show asks of it,
// fails to open the files a test names, and ends its movie when the test says
// so. Constructing a FakeMedia puts it in place of the Qt device for every
// media player made afterwards; destroying it restores the Qt device.

#include "platform/media.h"

#include <QFile>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>

// A file for the fake device to "play": the show hands only regular files to
// the media service, so a movie entry must name one.
inline QString writeMovieFile(const QTemporaryDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("RIFF") != 4) {
        qFatal("cannot write movie file");
    }
    return path;
}

struct FakeMediaLog {
    QStringList opened;
    // Files that fail to open, with the reason the device gives.
    std::map<QString, QString> failures;
    int closes = 0;
    int stops = 0;
    int seeks = 0;
    int plays = 0;
    bool open = false;
    QRect destination;
    std::int64_t length = 1000;
    std::int64_t position = 0;
    platform::MediaDevice::Notify notify;
    platform::MediaDevice::FrameHandler handler;
};

class FakeMediaDevice final : public platform::MediaDevice {
public:
    explicit FakeMediaDevice(std::shared_ptr<FakeMediaLog> log) : log_(std::move(log)) {}

    bool open(const QString& fileName) override {
        close();
        log_->opened << fileName;
        const auto failure = log_->failures.find(fileName);
        if (failure != log_->failures.end()) {
            error_ = failure->second;
            return false;
        }
        log_->open = true;
        log_->position = 0;
        return true;
    }
    bool isOpen() const override { return log_->open; }
    void setDestination(const QRect& rect) override { log_->destination = rect; }
    std::int64_t length() const override { return log_->length; }
    std::int64_t position() const override { return log_->position; }
    void play(Notify notify) override {
        ++log_->plays;
        log_->notify = std::move(notify);
    }
    void stop() override { ++log_->stops; }
    void seekToStart() override {
        ++log_->seeks;
        log_->position = 0;
    }
    void close() override {
        ++log_->closes;
        log_->open = false;
        log_->notify = nullptr;
    }
    QString lastError() const override { return error_; }
    void setFrameHandler(FrameHandler handler) override { log_->handler = std::move(handler); }

private:
    std::shared_ptr<FakeMediaLog> log_;
    QString error_;
};

struct FakeMedia {
    std::shared_ptr<FakeMediaLog> log = std::make_shared<FakeMediaLog>();

    FakeMedia() {
        platform::setMediaDeviceFactory(
            [log = log] { return std::make_unique<FakeMediaDevice>(log); });
    }
    ~FakeMedia() { platform::setMediaDeviceFactory(nullptr); }
    FakeMedia(const FakeMedia&) = delete;
    FakeMedia& operator=(const FakeMedia&) = delete;

    // The device gives its end-of-play notice with the movie at `at`.
    void notice(std::int64_t at,
                platform::MediaDevice::PlayEnd end = platform::MediaDevice::PlayEnd::Finished) {
        log->position = at;
        if (log->notify) {
            auto notify = std::move(log->notify);
            log->notify = nullptr;
            notify(end);
        }
    }
};
