#include "FleetRunner.h"

#include <algorithm>
#include <thread>

namespace trb::ctl {
namespace {

using Clock = std::chrono::steady_clock;
// How often a waiting worker looks whether a stop was asked for (a signal cannot wake it).
constexpr auto kStopCheck = std::chrono::milliseconds(200);

} // namespace

FleetRunner::FleetRunner(int jobs, std::chrono::milliseconds retryOffline, Reporter &reporter)
    : jobs_(std::max(1, jobs)), retryOffline_(retryOffline), reporter_(reporter)
{
}

std::chrono::milliseconds FleetRunner::Backoff(int attempt)
{
    const int exponent = std::clamp(attempt - 1, 0, 6);
    return std::chrono::milliseconds(1000 << exponent); // 1 s, 2 s, 4 s ... 64 s
}

void FleetRunner::Run(const std::vector<DeviceAddress> &devices, const Task &task)
{
    const auto now = Clock::now();
    retryUntil_ = now + retryOffline_;
    for (std::size_t i = 0; i < devices.size(); ++i)
        pending_.push_back({i, 0, now, {}});
    std::vector<std::thread> workers;
    const std::size_t count = std::min<std::size_t>(std::size_t(jobs_), devices.size());
    for (std::size_t i = 0; i < count; ++i)
        workers.emplace_back([&] { Work(devices, task); });
    for (std::thread &worker : workers)
        worker.join();
}

void FleetRunner::Work(const std::vector<DeviceAddress> &devices, const Task &task)
{
    std::unique_lock lock(mutex_);
    while (true) {
        if (StopRequested())
            FinishUnstarted(devices);
        if (pending_.empty())
            return;
        const auto next = std::min_element(pending_.begin(), pending_.end(),
                                           [](const Pending &a, const Pending &b) { return a.notBefore < b.notBefore; });
        const auto now = Clock::now();
        if (next->notBefore > now) {
            changed_.wait_until(lock, std::min(next->notBefore, now + kStopCheck));
            continue;
        }
        const Pending taken = *next;
        pending_.erase(next);
        const DeviceAddress &device = devices[taken.device];
        lock.unlock();
        reporter_.Started(device);
        const DeviceResult result = task(device);
        lock.lock();
        if (!Retry(taken, result, device))
            reporter_.Finished(device, result);
        changed_.notify_all();
    }
}

bool FleetRunner::Retry(const Pending &pending, const DeviceResult &result, const DeviceAddress &device)
{
    const auto now = Clock::now();
    if (result.ok || !result.noAnswer || StopRequested() || now >= retryUntil_)
        return false;
    const auto at = std::min(now + Backoff(pending.attempt + 1), retryUntil_);
    pending_.push_back({pending.device, pending.attempt + 1, at, result.error});
    const auto seconds = std::chrono::ceil<std::chrono::seconds>(at - now).count();
    reporter_.Step(device, "no answer (" + result.error + "); trying again in " + std::to_string(seconds) + " s");
    return true;
}

void FleetRunner::FinishUnstarted(const std::vector<DeviceAddress> &devices)
{
    for (const Pending &pending : pending_)
        reporter_.Finished(devices[pending.device],
                           DeviceResult::Failure(pending.attempt == 0 ? "not started: interrupted"
                                                                      : "interrupted; last try: " + pending.lastError));
    pending_.clear();
}

} // namespace trb::ctl
