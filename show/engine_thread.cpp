#include "show/engine_thread.h"

#include "show/logging.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <deque>

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

ThreadSlot Box1ThreadHandle;
ThreadSlot Box2ThreadHandle;
ThreadSlot CrawlThreadHandle;
ThreadSlot MovieThreadHandle;

namespace {

// Hands the steps of every engine to the main thread, in the order the
// engines announced them. The engines' own locks carry the steps; the queue
// here only says whose step waits, so nothing an engine thread built is read
// on the main thread without a lock. It lives as long as the application.
class StepRelay final : public QObject {
public:
    using QObject::QObject;

    static StepRelay& instance() {
        static QPointer<StepRelay> relay;
        if (!relay) {
            Q_ASSERT(QThread::currentThread() == QCoreApplication::instance()->thread());
            relay = new StepRelay(QCoreApplication::instance());
        }
        return *relay;
    }

    // Any thread.
    void announce(EngineThread* engine) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            waiting_.push_back(engine);
        }
        QCoreApplication::postEvent(this, new QEvent(QEvent::User));
    }

    // Main thread: an engine that goes away takes its announcements along.
    void forget(EngineThread* engine) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::erase(waiting_, engine);
    }

protected:
    void customEvent(QEvent*) override {
        EngineThread* engine = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (waiting_.empty()) {
                return;
            }
            engine = waiting_.front();
            waiting_.pop_front();
        }
        engine->runQueuedStep();
    }

private:
    std::mutex mutex_;
    std::deque<EngineThread*> waiting_;
};

} // namespace

EngineThread::EngineThread(QObject* mainThreadContext) {
    Q_ASSERT(!mainThreadContext || mainThreadContext->thread() == QThread::currentThread());
    (void)mainThreadContext;
    // Made here, on the main thread, before any engine thread announces.
    StepRelay::instance();
}

EngineThread::~EngineThread() {
    requestStop();
    join();
    StepRelay::instance().forget(this);
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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
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
    queuedCall_ = call;
    queuedStep_ = step;
    callDone_ = false;
    lock.unlock();

    // The step travels under our own lock; the event only says that one is
    // waiting, so the main thread never reads what this thread built except
    // through the lock.
    StepRelay::instance().announce(this);

    lock.lock();
    wake_.wait(lock, [this] { return callDone_ || stop_; });
    pending_.reset();
    queuedCall_.reset();
    queuedStep_ = nullptr;
    if (callDone_) {
        completedSteps_.fetch_add(1);
    }
    return callDone_;
}

void EngineThread::runQueuedStep() {
    // The step keeps its engine alive (when a slot owns it) until it has
    // returned, even if the show ends or restarts meanwhile from a message
    // box the step opened.
    const std::shared_ptr<EngineThread> keep = weak_from_this().lock();
    std::shared_ptr<PendingCall> call;
    std::function<void()> step;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        // A call of a thread that is asked to stop never runs.
        if (stop_ || !queuedCall_) {
            return;
        }
        call = std::move(queuedCall_);
        step = std::move(queuedStep_);
    }
    step();
    {
        std::lock_guard<std::mutex> done(mutex_);
        if (pending_ == call) {
            callDone_ = true;
        }
    }
    // Woken after the lock is free, the thread does not wake only to wait for
    // it again.
    wake_.notify_all();
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
    // A thread that ends on its own winds down at idle priority. One that is
    // asked to stop ends at once: the main thread is waiting to join it, and
    // an idle thread on a busy machine would keep it waiting.
    if (!stopRequested()) {
        setPriority(Priority::Idle);
        pause(100);
    }
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

namespace {
std::atomic<int> settleMs{200};
} // namespace

void setStopSettleMs(int ms) {
    settleMs.store(std::max(0, ms));
}

int stopSettleMs() {
    return settleMs.load();
}

void stopShow(ShowState& show) {
    show.ShowRunning = false;
    // Steps only run on this thread, so none runs during the wait; the
    // threads are waiting for their next step or sleeping, and a step that
    // was handed over finds the show stopped.
    if (const int ms = settleMs.load(); ms > 0) {
        QThread::msleep(static_cast<unsigned long>(ms));
    }
    KILLTHREADS();
    qCDebug(lcShow) << "show stopped";
}
