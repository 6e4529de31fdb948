#include "CompletionQueue.h"

namespace trb::devicelib {

void CompletionQueue::start()
{
    std::lock_guard lock(mutex_);
    stopping_ = false;
    thread_ = std::thread([this] { run(); });
}

void CompletionQueue::push(std::function<void()> completion)
{
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(completion));
    }
    wake_.notify_one();
}

void CompletionQueue::stop()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

bool CompletionQueue::onQueueThread() const { return std::this_thread::get_id() == thread_.get_id(); }

void CompletionQueue::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty())
            return; // stopping, and everything delivered
        auto completion = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        completion();
        lock.lock();
    }
}

} // namespace trb::devicelib
