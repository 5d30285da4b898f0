#pragma once

// The media service: one device that opens a movie file, plays it into a
// destination rectangle and tells when the play is over. The show reaches it
// only through this interface, so tests can put a fake in its place.
//
// Pictures of the movie are handed to a frame handler, on the main thread,
// already scaled to the destination rectangle; the owner draws them where it
// draws everything else.

#include <QImage>
#include <QRect>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class MediaDevice {
public:
    // Why a play with notification is over.
    enum class PlayEnd { Finished, Failed };
    using Notify = std::function<void(PlayEnd)>;
    // A picture of the movie, the size of `destination`, and where it goes.
    using FrameHandler = std::function<void(const QImage& frame, const QRect& destination)>;

    // What the device did with the pictures the decoder gave it.
    struct FrameStats {
        long long received = 0; // pictures the decoder delivered
        long long drawn = 0;    // pictures handed to the frame handler
        long long skipped = 0;  // pictures overtaken by a newer one before they were drawn
        long long mainThreadNanos = 0;
        long long mainThreadMaxNanos = 0;
        long long converterNanos = 0; // on the device's own thread
    };

    virtual ~MediaDevice() = default;

    // Opens `fileName` and waits until it is ready to play or has failed;
    // opening closes whatever the device had open. False on failure, with
    // lastError() telling why.
    virtual bool open(const QString& fileName) = 0;
    virtual bool isOpen() const = 0;
    virtual void setDestination(const QRect& rect) = 0;
    // Length and position in milliseconds.
    virtual std::int64_t length() const = 0;
    virtual std::int64_t position() const = 0;
    // Plays from the current position to the end; returns at once.
    // `notify` runs once, on the main thread, when the play is over.
    virtual void play(Notify notify) = 0;
    virtual void stop() = 0;
    virtual void seekToStart() = 0;
    virtual void close() = 0;
    virtual QString lastError() const = 0;
    virtual void setFrameHandler(FrameHandler handler) = 0;
    virtual FrameStats frameStats() const { return {}; }
};

// A new device: the Qt Multimedia one unless a test put a factory in place.
std::unique_ptr<MediaDevice> createMediaDevice();

using MediaDeviceFactory = std::function<std::unique_ptr<MediaDevice>()>;
// Puts `factory` in place; an empty one restores the Qt device.
void setMediaDeviceFactory(MediaDeviceFactory factory);

} // namespace platform
