#pragma once

// The thread a movie device converts its pictures on, away from the main
// thread: each decoded picture is turned into an image of its destination's
// size (scaledFrameImage()), and only the finished image is taken on the
// main thread. When either side falls behind, a newer picture overtakes an
// older one: at most one picture waits to be converted, and one converted
// picture waits to be taken.

#include <QImage>
#include <QRect>
#include <QVideoFrame>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace platform {

class FrameConverter {
public:
    // A finished picture, with what it was handed over with.
    struct Converted {
        QImage image;
        QRect destination;
        unsigned long generation = 0;
    };
    struct Stats {
        long long overtaken = 0; // pictures dropped for a newer one
        long long busyNanos = 0; // time spent converting
    };

    // `announce` runs on the converter's thread when a converted picture is
    // ready where none was waiting to be taken: it only tells the owner to
    // call take().
    explicit FrameConverter(std::function<void()> announce);
    // Ends the thread once the picture under way, if any, is done.
    ~FrameConverter();
    FrameConverter(const FrameConverter&) = delete;
    FrameConverter& operator=(const FrameConverter&) = delete;

    // Hands over a picture in one of the canScaleFrame() formats, to be made
    // the size of `destination`; `generation` comes back with it, so that
    // the owner can tell a picture made for a destination since left.
    void submit(QVideoFrame frame, const QRect& destination, unsigned long generation);
    // The converted picture waiting to be taken, if any.
    std::optional<Converted> take();
    // Forgets the pictures waiting, converted or not.
    void drop();
    Stats stats() const;

private:
    struct Pending {
        QVideoFrame frame;
        QRect destination;
        unsigned long generation = 0;
    };

    void run();

    const std::function<void()> announce_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool quit_ = false;
    std::optional<Pending> pending_;
    std::optional<Converted> ready_;
    Stats stats_;
    // Last: it starts once everything it uses is in place.
    std::thread thread_;
};

} // namespace platform
