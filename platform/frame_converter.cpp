#include "platform/frame_converter.h"

#include "platform/video_frames.h"

#include <chrono>
#include <utility>

#include <pthread.h>
#include <sched.h>

namespace platform {

FrameConverter::FrameConverter(std::function<void()> announce)
    : announce_(std::move(announce)), thread_([this] { run(); }) {}

FrameConverter::~FrameConverter() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void FrameConverter::submit(QVideoFrame frame, const QRect& destination, unsigned long generation) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (pending_) {
            ++stats_.overtaken;
        }
        pending_ = Pending{std::move(frame), destination, generation};
    }
    wake_.notify_one();
}

std::optional<FrameConverter::Converted> FrameConverter::take() {
    std::optional<Converted> ready;
    std::lock_guard<std::mutex> lock(mutex_);
    ready.swap(ready_);
    return ready;
}

void FrameConverter::drop() {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.reset();
    ready_.reset();
}

FrameConverter::Stats FrameConverter::stats() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return stats_;
}

void FrameConverter::run() {
#ifdef SCHED_BATCH
    // Converting is bulk work: its wake-ups must not push the main thread
    // off the processor (a best effort; refused, it is simply skipped).
    sched_param param{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &param);
#endif
    for (;;) {
        Pending job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return quit_ || pending_.has_value(); });
            if (quit_) {
                return;
            }
            job = std::move(*pending_);
            pending_.reset();
        }
        const auto start = std::chrono::steady_clock::now();
        QImage image = scaledFrameImage(job.frame, job.destination.size());
        job.frame = QVideoFrame();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stats_.busyNanos += std::chrono::duration_cast<std::chrono::nanoseconds>(
                                    std::chrono::steady_clock::now() - start)
                                    .count();
        }
        if (image.isNull()) {
            continue;
        }
        // The picture goes to the owner under the lock; the announcement
        // only says that one is ready.
        bool announce = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (ready_) {
                ++stats_.overtaken;
            } else {
                announce = true;
            }
            ready_ = Converted{std::move(image), job.destination, job.generation};
        }
        if (announce && announce_) {
            announce_();
        }
    }
}

} // namespace platform
