#pragma once
// A benchmark's wait for the completion callback of an asynchronous request: the callback
// calls finish(), the benchmark's thread waits().
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

class CallbackWait {
public:
    void reset()
    {
        std::lock_guard lock(mutex_);
        done_ = false;
    }
    void finish(uint32_t code)
    {
        std::lock_guard lock(mutex_);
        code_ = code;
        done_ = true;
        finished_.notify_all();
    }
    // The request's code, or -1 when it did not end within `limit`.
    long wait(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(mutex_);
        return finished_.wait_for(lock, limit, [&] { return done_; }) ? long(code_) : -1;
    }

private:
    std::mutex mutex_;
    std::condition_variable finished_;
    bool done_ = false;
    uint32_t code_ = 0;
};
