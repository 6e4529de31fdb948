#include "DeviceTransfers.h"

namespace trb::sim {
namespace {

// A device told no PC address has nowhere to send or fetch from.
bool NoAddress(const std::string &host) { return host.empty() || host == "0.0.0.0"; }

} // namespace

DeviceTransfers::DeviceTransfers(uint16_t serverPort) : port_(serverPort), worker_([this] { work(); }) {}

DeviceTransfers::~DeviceTransfers()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

void DeviceTransfers::setMover(std::unique_ptr<FileMover> mover)
{
    std::lock_guard lock(mutex_);
    mover_ = std::move(mover);
}

void DeviceTransfers::fetch(const std::string &host, const std::string &name, FetchDone done)
{
    const uint16_t port = port_;
    enqueue([this, host, name, port, done = std::move(done)]() -> std::function<void()> {
        std::shared_ptr<FileMover> mover;
        {
            std::lock_guard lock(mutex_);
            mover = mover_;
        }
        Bytes data;
        FileMover::Result result{false, NoAddress(host) ? "no PC address" : "no TFTP client"};
        if (mover && !NoAddress(host))
            result = mover->fetch(host, port, name, data);
        return [done, result, data = std::move(data)]() mutable { done(result, std::move(data)); };
    });
}

void DeviceTransfers::store(const std::string &host, const std::string &name, Bytes data, StoreDone done)
{
    const uint16_t port = port_;
    enqueue([this, host, name, port, data = std::move(data), done = std::move(done)]() -> std::function<void()> {
        std::shared_ptr<FileMover> mover;
        {
            std::lock_guard lock(mutex_);
            mover = mover_;
        }
        FileMover::Result result{false, NoAddress(host) ? "no PC address" : "no TFTP client"};
        if (mover && !NoAddress(host))
            result = mover->store(host, port, name, data);
        return [done, result] { done(result); };
    });
}

void DeviceTransfers::enqueue(Job job)
{
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void DeviceTransfers::work()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        std::function<void()> completion = job();
        lock.lock();
        running_ = false;
        completions_.push_back(std::move(completion));
        idle_.notify_all();
    }
}

void DeviceTransfers::poll()
{
    std::deque<std::function<void()>> ready;
    {
        std::lock_guard lock(mutex_);
        ready.swap(completions_);
    }
    for (auto &completion : ready)
        completion();
}

bool DeviceTransfers::busy() const
{
    std::lock_guard lock(mutex_);
    return running_ || !jobs_.empty() || !completions_.empty();
}

void DeviceTransfers::waitIdle()
{
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || (!running_ && jobs_.empty()); });
}

} // namespace trb::sim
