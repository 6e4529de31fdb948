#pragma once
// Runs the callers' callbacks, in arrival order, on a thread of its own, so that a
// callback that waits for another thread never holds up the I/O thread.
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace trb::devicelib {

class CompletionQueue {
public:
    ~CompletionQueue() { stop(); }
    void start();
    void push(std::function<void()> completion);
    // Runs what is queued, then ends the thread.
    void stop();
    bool onQueueThread() const;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace trb::devicelib
