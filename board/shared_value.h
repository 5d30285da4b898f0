#pragma once

// A value that a pacing thread reads between steps while the main thread
// writes it. It stays copyable so that records holding it can be copied.

#include <atomic>

template <typename T> class SharedValue {
public:
    SharedValue() = default;
    SharedValue(T value) : value_(value) {}
    SharedValue(const SharedValue& other) : value_(other.load()) {}
    SharedValue& operator=(const SharedValue& other) {
        store(other.load());
        return *this;
    }
    SharedValue& operator=(T value) {
        store(value);
        return *this;
    }

    operator T() const { return load(); }
    T load() const { return value_.load(std::memory_order_acquire); }
    void store(T value) { value_.store(value, std::memory_order_release); }
    T fetchAdd(T delta) { return value_.fetch_add(delta, std::memory_order_acq_rel); }

private:
    std::atomic<T> value_{};
};
