#pragma once

// An engine that records every pause it is asked for and goes on at once, so
// a test sees an engine's rhythm without waiting it out.

#include "show/engine_thread.h"

#include <QList>

#include <mutex>

template <typename Engine> class Recording : public Engine {
public:
    using Engine::Engine;
    QList<int> pauses() const {
        std::lock_guard<std::mutex> lock(m_);
        return pauses_;
    }

protected:
    bool pause(int ms) override {
        {
            std::lock_guard<std::mutex> lock(m_);
            pauses_ << ms;
        }
        return EngineThread::pause(0);
    }

private:
    mutable std::mutex m_;
    QList<int> pauses_;
};
