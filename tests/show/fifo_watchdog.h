#pragma once

// A FIFO in a test's folder, watched so that a reader blocked on it cannot
// hang the suite: after the grace time the watchdog keeps opening the FIFO's
// other end and closing it again, which ends a blocked open with nothing to
// read, and it says that it had to.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FifoWatchdog {
public:
    explicit FifoWatchdog(QString path, std::chrono::milliseconds grace = std::chrono::seconds(5))
        : path_(std::move(path)), grace_(grace) {
        made_ = ::mkfifo(QFile::encodeName(path_).constData(), 0600) == 0;
        thread_ = std::thread([this] { watch(); });
    }
    ~FifoWatchdog() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    FifoWatchdog(const FifoWatchdog&) = delete;
    FifoWatchdog& operator=(const FifoWatchdog&) = delete;

    const QString& path() const { return path_; }
    bool made() const { return made_; }
    // True once a reader was found blocked on the FIFO past the grace time.
    bool fired() const { return fired_.load(); }

private:
    void watch() {
        const QByteArray name = QFile::encodeName(path_);
        std::unique_lock<std::mutex> lock(mutex_);
        if (wake_.wait_for(lock, grace_, [this] { return stop_; })) {
            return;
        }
        while (!stop_) {
            // Succeeds only while someone has the FIFO open for reading.
            const int fd = ::open(name.constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                fired_.store(true);
                ::close(fd);
            }
            wake_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stop_; });
        }
    }

    QString path_;
    std::chrono::milliseconds grace_;
    bool made_ = false;
    std::atomic<bool> fired_{false};
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread thread_;
};
