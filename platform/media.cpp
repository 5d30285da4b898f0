#include "platform/media.h"

#include "platform/frame_converter.h"
#include "platform/video_frames.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVideoSink>

#include <chrono>
#include <mutex>
#include <optional>

namespace platform {

namespace {

// How long opening a file may take before it counts as failed.
constexpr int kOpenTimeoutMs = 10000;

// The device over Qt Multimedia. Pictures come from a video sink; each one is
// converted and stretched to the destination on the device's own converter
// thread, and only the finished image is handed to the main thread.
class QtMediaDevice final : public QObject, public MediaDevice {
public:
    ~QtMediaDevice() override {
        notify_ = nullptr;
        dropPlayer();
    }

    bool open(const QString& fileName) override {
        close();
        lastError_.clear();
        QMediaPlayer& player = freshPlayer();
        const unsigned long mine = epoch_;
        const QAudioDevice speaker = QMediaDevices::defaultAudioOutput();
        if (speaker.isNull()) {
            // No sound card: the picture plays all the same.
            player.setAudioOutput(nullptr);
        } else {
            media_->audio.setDevice(speaker);
            player.setAudioOutput(&media_->audio);
        }
        player.setSource(QUrl::fromLocalFile(fileName));
        if (!settled()) {
            QEventLoop loop;
            QTimer timeout;
            timeout.setSingleShot(true);
            connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
            const auto check = [this, &loop] {
                if (settled()) {
                    loop.quit();
                }
            };
            connect(&player, &QMediaPlayer::mediaStatusChanged, &loop, check);
            connect(&player, &QMediaPlayer::errorOccurred, &loop, check);
            connect(&player, &QObject::destroyed, &loop, &QEventLoop::quit);
            timeout.start(kOpenTimeoutMs);
            // The operator's keys wait until the file is open; the show's
            // other steps and timers go on.
            loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
        // A step run by the wait may have closed the device meanwhile.
        if (!media_ || epoch_ != mine) {
            lastError_ = QStringLiteral("The device was closed while the file opened.");
            return false;
        }
        const QMediaPlayer::MediaStatus status = player.mediaStatus();
        const bool ready =
            player.error() == QMediaPlayer::NoError &&
            (status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia ||
             status == QMediaPlayer::BufferingMedia);
        if (!ready) {
            lastError_ = player.errorString();
            if (lastError_.isEmpty()) {
                lastError_ = status == QMediaPlayer::LoadingMedia
                                 ? QStringLiteral("The file did not open in time.")
                                 : QStringLiteral("The file cannot be played.");
            }
            // A player that has failed does not open another file: it goes,
            // and the next open makes a new one.
            close();
            return false;
        }
        open_ = true;
        return true;
    }

    bool isOpen() const override { return open_; }

    void setDestination(const QRect& rect) override {
        std::lock_guard<std::mutex> lock(mutex_);
        destination_ = rect;
        ++generation_;
    }

    std::int64_t length() const override { return media_ ? media_->player.duration() : 0; }

    std::int64_t position() const override {
        if (!media_) {
            return 0;
        }
        const QMediaPlayer& player = media_->player;
        // At the end of the media the player may report a position a little
        // short of the length; the play is over all the same.
        if (player.mediaStatus() == QMediaPlayer::EndOfMedia) {
            return std::max(player.position(), player.duration());
        }
        return player.position();
    }

    void play(Notify notify) override {
        if (!media_) {
            return;
        }
        notify_ = std::move(notify);
        media_->player.play();
    }

    void stop() override {
        if (media_) {
            media_->player.stop();
        }
    }

    void seekToStart() override {
        if (media_) {
            media_->player.setPosition(0);
        }
    }

    // Closing lets the player go with everything it had: its source, its
    // pictures on their way, its notices still to come. A failed player
    // would refuse every later file, so none is kept for the next open.
    void close() override {
        notify_ = nullptr;
        converter_.drop();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++generation_;
        }
        dropPlayer();
        open_ = false;
    }

    QString lastError() const override { return lastError_; }

    void setFrameHandler(FrameHandler handler) override { handler_ = std::move(handler); }

    FrameStats frameStats() const override {
        const FrameConverter::Stats converter = converter_.stats();
        std::lock_guard<std::mutex> lock(mutex_);
        FrameStats stats = stats_;
        stats.skipped += converter.overtaken;
        stats.converterNanos = converter.busyNanos;
        return stats;
    }

private:
    // A player of its own for each file, with its own sink and sound output;
    // what the player and the sink report is taken only while they are the
    // device's current ones.
    struct Pipeline {
        QVideoSink sink;
        QAudioOutput audio;
        // The player goes first: it refers to the sink and the audio output.
        QMediaPlayer player;
    };

    QMediaPlayer& freshPlayer() {
        media_ = std::make_unique<Pipeline>();
        const unsigned long epoch = ++epoch_;
        QMediaPlayer& player = media_->player;
        player.setVideoSink(&media_->sink);
        connect(&media_->sink, &QVideoSink::videoFrameChanged, this,
                [this, epoch](const QVideoFrame& frame) {
                    if (epoch == epoch_) {
                        frameArrived(frame);
                    }
                });
        // The end and a failure are told from the event loop, never from
        // inside the player's own signal: the notice may close the device,
        // which lets this player go, and the player goes on using itself
        // after it has signalled.
        connect(
            &player, &QMediaPlayer::mediaStatusChanged, this,
            [this, epoch](QMediaPlayer::MediaStatus status) {
                if (epoch == epoch_) {
                    statusChanged(status);
                }
            },
            Qt::QueuedConnection);
        connect(
            &player, &QMediaPlayer::errorOccurred, this,
            [this, epoch] {
                if (epoch == epoch_) {
                    failed();
                }
            },
            Qt::QueuedConnection);
        return player;
    }

    void dropPlayer() {
        if (!media_) {
            return;
        }
        // Nothing the player or the sink report while they go may reach
        // this device.
        ++epoch_;
        std::unique_ptr<Pipeline> media = std::move(media_);
        disconnect(&media->player, nullptr, this, nullptr);
        disconnect(&media->sink, nullptr, this, nullptr);
        media->player.stop();
        media->player.setSource(QUrl());
    }

    bool settled() const {
        if (!media_) {
            return true;
        }
        const QMediaPlayer& player = media_->player;
        const QMediaPlayer::MediaStatus s = player.mediaStatus();
        return player.error() != QMediaPlayer::NoError || s == QMediaPlayer::LoadedMedia ||
               s == QMediaPlayer::BufferedMedia || s == QMediaPlayer::BufferingMedia ||
               s == QMediaPlayer::InvalidMedia || s == QMediaPlayer::NoMedia;
    }

    void statusChanged(QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            finish(PlayEnd::Finished);
        }
    }

    void failed() {
        // Kept for the message about the movie.
        lastError_ = media_ ? media_->player.errorString() : QString();
        finish(PlayEnd::Failed);
    }

    void finish(PlayEnd end) {
        if (!notify_) {
            return;
        }
        // Taken first: the notice may stop and seek, which can report again.
        Notify notify = std::move(notify_);
        notify_ = nullptr;
        notify(end);
    }

    void frameArrived(const QVideoFrame& frame) {
        const auto start = std::chrono::steady_clock::now();
        if (!frame.isValid()) {
            return;
        }
        QRect destination;
        unsigned long generation = 0;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++stats_.received;
            destination = destination_;
            generation = generation_;
            if (destination.isEmpty()) {
                return;
            }
        }
        if (canScaleFrame(frame.pixelFormat())) {
            converter_.submit(frame, destination, generation);
        } else {
            // A layout the converter does not read: Qt's own conversion, here.
            const QImage image =
                frame.toImage()
                    .convertToFormat(QImage::Format_RGB32)
                    .scaled(destination.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
            deliver(image, destination, generation);
        }
        account(start);
    }

    // A picture the converter finished is waiting.
    void customEvent(QEvent*) override {
        const auto start = std::chrono::steady_clock::now();
        if (const std::optional<FrameConverter::Converted> ready = converter_.take()) {
            deliver(ready->image, ready->destination, ready->generation);
        }
        account(start);
    }

    // Main thread: hands a finished picture to the owner, unless the device
    // was closed or moved since the picture was taken.
    void deliver(const QImage& image, const QRect& destination, unsigned long generation) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (generation != generation_ || image.isNull()) {
                return;
            }
            ++stats_.drawn;
        }
        if (handler_) {
            handler_(image, destination);
        }
    }

    void account(std::chrono::steady_clock::time_point start) {
        const long long ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count();
        std::lock_guard<std::mutex> lock(mutex_);
        stats_.mainThreadNanos += ns;
        stats_.mainThreadMaxNanos = std::max(stats_.mainThreadMaxNanos, ns);
    }

    std::unique_ptr<Pipeline> media_;
    // Counts the players made and let go; a report carries the count of its
    // player and is dropped once that player is no longer the current one.
    unsigned long epoch_ = 0;
    Notify notify_;
    FrameHandler handler_;
    QString lastError_;
    bool open_ = false;

    mutable std::mutex mutex_;
    QRect destination_;
    unsigned long generation_ = 0;
    FrameStats stats_;
    // Last, so that it goes first: its thread ends before anything else of
    // the device does. It only announces a picture from its thread; the
    // picture is taken on the main thread.
    FrameConverter converter_{
        [this] { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }};
};

MediaDeviceFactory& factorySlot() {
    static MediaDeviceFactory factory;
    return factory;
}

} // namespace

std::unique_ptr<MediaDevice> createMediaDevice() {
    Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
    if (factorySlot()) {
        return factorySlot()();
    }
    return std::make_unique<QtMediaDevice>();
}

void setMediaDeviceFactory(MediaDeviceFactory factory) {
    factorySlot() = std::move(factory);
}

} // namespace platform
