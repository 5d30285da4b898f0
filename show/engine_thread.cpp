#include "show/engine_thread.h"

#include <QMetaObject>
#include <QThread>

#include <chrono>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

ThreadSlot Box1ThreadHandle;
ThreadSlot Box2ThreadHandle;
ThreadSlot CrawlThreadHandle;
ThreadSlot MovieThreadHandle;

EngineThread::EngineThread(QObject* mainThreadContext) : context_(mainThreadContext) {}

EngineThread::~EngineThread() {
    requestStop();
    join();
}

void EngineThread::start() {
    running_.store(true);
    thread_ = std::thread([this] { body(); });
}

void EngineThread::body() {
    handle_.store(static_cast<long long>(gettid()));
    Execute();
    running_.store(false);
}

void EngineThread::requestStop() {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    if (pending_) {
        pending_->cancelled.store(true);
    }
    wake_.notify_all();
}

bool EngineThread::stopRequested() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return stop_;
}

void EngineThread::join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

bool EngineThread::synchronize(const std::function<void()>& step) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (stop_) {
        return false;
    }
    auto call = std::make_shared<PendingCall>();
    pending_ = call;
    callDone_ = false;
    lock.unlock();

    // The queued step keeps its engine alive (when a slot owns it) until the
    // step has returned, even if the show ends or restarts meanwhile. The
    // last reference is always dropped on the main thread: the slot lets go
    // only after joining this thread.
    QMetaObject::invokeMethod(
        context_,
        [this, keep = weak_from_this().lock(), call, step] {
            // A cancelled call belongs to a thread that is ending or gone.
            if (call->cancelled.load()) {
                return;
            }
            step();
            std::lock_guard<std::mutex> done(mutex_);
            callDone_ = true;
            wake_.notify_all();
        },
        Qt::QueuedConnection);

    lock.lock();
    wake_.wait(lock, [this] { return callDone_ || stop_; });
    pending_.reset();
    if (callDone_) {
        completedSteps_.fetch_add(1);
    }
    return callDone_;
}

bool EngineThread::pause(int ms) {
    std::unique_lock<std::mutex> lock(mutex_);
    if (stop_) {
        return false;
    }
    if (ms <= 0) {
        lock.unlock();
        std::this_thread::yield();
        return !stopRequested();
    }
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_; });
}

void EngineThread::setPriority(Priority priority) {
    // Linux threads take their priority from their nice value; raising one
    // needs rights the program may not have, which is fine.
    const pid_t tid = gettid();
    sched_param param{};
    switch (priority) {
    case Priority::Idle:
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
        break;
    case Priority::Lowest:
        pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
        setpriority(PRIO_PROCESS, static_cast<id_t>(tid), 10);
        break;
    case Priority::Normal:
        pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
        break;
    case Priority::Highest:
        pthread_setschedparam(pthread_self(), SCHED_OTHER, &param);
        setpriority(PRIO_PROCESS, static_cast<id_t>(tid), -10);
        break;
    }
}

void EngineThread::endStep(bool showRunning, int stopSleepMs) {
    if (!showRunning) {
        markTerminated();
        QThread::msleep(static_cast<unsigned long>(stopSleepMs));
    }
}

void EngineThread::runSteps(const std::function<void()>& step,
                            const std::function<void()>& betweenSteps) {
    while (!terminated() && !stopRequested()) {
        if (!synchronize(step)) {
            break;
        }
        betweenSteps();
    }
    setPriority(Priority::Idle);
    pause(100);
}

void ThreadSlot::start(std::unique_ptr<EngineThread> thread) {
    close();
    thread_ = std::shared_ptr<EngineThread>(std::move(thread));
    thread_->start();
}

long long ThreadSlot::handleNumber() const {
    return thread_ ? thread_->handle() : 0;
}

long long ThreadSlot::lastHandleNumber() const {
    return thread_ ? thread_->handle() : lastHandle_;
}

void ThreadSlot::requestStop() {
    if (thread_) {
        thread_->requestStop();
    }
}

void ThreadSlot::close() {
    if (thread_) {
        thread_->requestStop();
        thread_->join();
        lastHandle_ = thread_->handle();
        thread_.reset();
    }
}

void KILLTHREADS() {
    ThreadSlot* all[] = {&Box1ThreadHandle, &Box2ThreadHandle, &CrawlThreadHandle,
                         &MovieThreadHandle};
    for (ThreadSlot* slot : all) {
        slot->requestStop();
    }
    for (ThreadSlot* slot : all) {
        slot->close();
    }
}
