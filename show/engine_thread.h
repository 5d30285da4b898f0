#pragma once

// The pacing thread every animated element of a show has. The thread never
// draws: it hands one step at a time to the main thread (the synchronised
// call), waits until the step has run, then sleeps its element's delay.
//
// Every wait of the thread can be interrupted: ending a show asks each
// thread to stop, which wakes it wherever it waits, and joins it. A step that
// is still queued when its thread is asked to stop never runs.

#include "show/show_state.h"

#include <QObject>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Whoever owns an engine asks it to stop and joins it before destroying it
// (ThreadSlot does), so that the thread never runs into a half-destroyed object.
// An engine held by a ThreadSlot also stays alive while one of its steps is
// on the main thread's stack: a step may open a message box, whose event loop
// can end or restart the show before the step returns.
class EngineThread : public std::enable_shared_from_this<EngineThread> {
public:
    enum class Priority { Idle, Lowest, Normal, Highest };

    // Steps run on the main thread, where `mainThreadContext` (the play
    // screen) lives and where the engine is made.
    explicit EngineThread(QObject* mainThreadContext);
    virtual ~EngineThread();
    EngineThread(const EngineThread&) = delete;
    EngineThread& operator=(const EngineThread&) = delete;

    void start();
    // Asks the thread to stop and wakes it; returns at once.
    void requestStop();
    // Waits until the thread has ended.
    void join();
    bool running() const { return running_.load(); }

    // Set by a step that finds the show stopped: the loop ends after it.
    void markTerminated() { terminated_.store(true); }
    // Ends a step on the main thread: when the show has stopped, the thread
    // is marked terminated and the main thread waits `stopSleepMs`.
    void endStep(bool showRunning, int stopSleepMs);
    bool terminated() const { return terminated_.load(); }
    bool stopRequested() const;

    // Runs the step the thread handed over, if it is still wanted. Main
    // thread only; called when the notice of the step arrives.
    void runQueuedStep();

    // The operating-system id of the thread, once it runs (0 before).
    long long handle() const { return handle_.load(); }
    // Steps that have run for this thread so far.
    long long completedSteps() const { return completedSteps_.load(); }

protected:
    // The thread body.
    virtual void Execute() = 0;

    // Runs `step` on the main thread and waits for it. Returns false, without
    // running the step, when the thread is asked to stop first.
    bool synchronize(const std::function<void()>& step);
    // Sleeps `ms` milliseconds (0 yields). Returns false when woken by a stop
    // request. Virtual so that tests can record the pauses instead of waiting.
    virtual bool pause(int ms);
    // A best effort: a priority the system refuses is not an error.
    void setPriority(Priority priority);
    // The loop every engine runs: `step` on the main thread, then
    // `betweenSteps` on this thread, until the thread is marked terminated or
    // asked to stop; a thread that ended on its own then drops to idle, sleeps
    // 100 ms and ends.
    void runSteps(const std::function<void()>& step, const std::function<void()>& betweenSteps);

private:
    struct PendingCall {};

    void body();

    std::thread thread_;
    std::atomic<bool> running_{false};
    std::atomic<bool> terminated_{false};
    std::atomic<long long> handle_{0};
    std::atomic<long long> completedSteps_{0};

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool callDone_ = false;
    std::shared_ptr<PendingCall> pending_;
    // The step handed over and not yet taken by the main thread.
    std::shared_ptr<PendingCall> queuedCall_;
    std::function<void()> queuedStep_;
};

// A process-wide place for the running thread of one kind of engine. It owns
// the thread object and shows its operating-system id.
class ThreadSlot {
public:
    // Starts `thread` in this slot, after ending a thread still held here.
    void start(std::unique_ptr<EngineThread> thread);
    EngineThread* thread() const { return thread_.get(); }
    // The id of the slot's thread in decimal terms; 0 when the slot is empty.
    long long handleNumber() const;
    // The id of the slot's thread, or of the last one it held once that has
    // been closed; 0 when it never held one.
    long long lastHandleNumber() const;
    void requestStop();
    // Joins the thread and empties the slot. The engine object itself goes
    // when no step of it is running any more.
    void close();

private:
    std::shared_ptr<EngineThread> thread_;
    long long lastHandle_ = 0;
};

extern ThreadSlot Box1ThreadHandle;
extern ThreadSlot Box2ThreadHandle;
extern ThreadSlot CrawlThreadHandle;
extern ThreadSlot MovieThreadHandle;

// Ends every thread of the current show: asks all of them to stop, then joins
// them one by one. When it returns no show thread runs and no step of theirs
// will run any more. Main thread only.
void KILLTHREADS();

// Stops the show that `show` records, the one way every window ends or
// freezes one: the record says it no longer runs, the threads are given the
// settling time to see it, then they are ended. Main thread only.
void stopShow(ShowState& show);
// The settling time, 200 ms unless changed; tests that end many shows set 0.
void setStopSettleMs(int ms);
int stopSettleMs();
