#pragma once
// Runs one task on every device, a few devices at once. A device that never answers is tried
// again with a growing pause while the retry time lasts. Once a stop is asked for (Ctrl+C),
// no device starts any more; the ones in flight finish or fail on their own.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "DeviceAddress.h"
#include "DeviceResult.h"
#include "Reporter.h"

namespace trb::ctl {

class FleetRunner {
public:
    using Task = std::function<DeviceResult(const DeviceAddress &device)>;

    FleetRunner(int jobs, std::chrono::milliseconds retryOffline, Reporter &reporter);

    // Returns when every device has a result.
    void Run(const std::vector<DeviceAddress> &devices, const Task &task);

    // From a signal handler: only an atomic store.
    static void RequestStop() { stopRequested_.store(true); }
    static bool StopRequested() { return stopRequested_.load(); }

    // The pause before try number `attempt` (1 for the first retry).
    static std::chrono::milliseconds Backoff(int attempt);

private:
    struct Pending {
        std::size_t device;
        int attempt;
        std::chrono::steady_clock::time_point notBefore;
        std::string lastError; // of the try before, if any
    };
    void Work(const std::vector<DeviceAddress> &devices, const Task &task);
    void FinishUnstarted(const std::vector<DeviceAddress> &devices);
    bool Retry(const Pending &pending, const DeviceResult &result, const DeviceAddress &device);

    int jobs_;
    std::chrono::milliseconds retryOffline_;
    Reporter &reporter_;
    std::chrono::steady_clock::time_point retryUntil_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Pending> pending_;
    static inline std::atomic<bool> stopRequested_{false};
};

} // namespace trb::ctl
