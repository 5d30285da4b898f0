#pragma once

// A FIFO in a test's folder, watched so that a reader blocked on it cannot
// hang the suite: after the grace time the watchdog keeps opening the FIFO's
// other end and closing it, which ends a blocked open with nothing to read,
// and it says that it had to.

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

class FifoWatchdog {
public:
    explicit FifoWatchdog(QString path)
        : path_(std::move(path)), name_(QFile::encodeName(path_)),
          made_(::mkfifo(name_.constData(), 0600) == 0), thread_([this] { watch(); }) {}
    ~FifoWatchdog() {
        stop_ = true;
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
        for (int tick = 0; !stop_; ++tick) {
            // Five seconds of grace; a write end opens only while a reader waits.
            const int fd = tick < 500 ? -1 : ::open(name_.constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                fired_ = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    QString path_;
    QByteArray name_;
    bool made_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> fired_{false};
    std::thread thread_;
};
