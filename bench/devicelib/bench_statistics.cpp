// A statistics refresh the way the statistics page runs it: the tab's read group selected, one
// get request with a callback, then the counters copied out. Both tabs in turn, through a
// counting UDP relay, for the datagrams each way and the time from request to values.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"
#include "UdpRelay.h"

using namespace std::chrono;

namespace {

struct Refresh {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    uint32_t code = 0;
    apStatEthernetRecord ethernet{};
    apStatWlanRecord wlan{};
    APHANDLE handle = 0;

    static int onRead(uint32_t value, uint32_t more, const char *, void *context, uint32_t)
    {
        auto *self = static_cast<Refresh *>(context);
        if (more)
            return 0;
        apStatisticInfor(self->handle, &self->wlan, &self->ethernet);
        std::lock_guard lock(self->mutex);
        self->code = value;
        self->finished = true;
        self->done.notify_all();
        return 0;
    }
    // Time from the request to the values copied, in ms; negative on failure.
    double run(uint32_t group)
    {
        finished = false;
        const auto start = steady_clock::now();
        if (apStyleModify(handle, group, 0) != AP_OK ||
            apSnmpSendGetRequest(handle, &Refresh::onRead, this, AP_MODE_CALLBACK, 0) != AP_OK)
            return -1;
        std::unique_lock lock(mutex);
        if (!done.wait_for(lock, 10s, [&] { return finished; }) || code != AP_OK)
            return -1;
        return duration<double, std::milli>(steady_clock::now() - start).count();
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_statistics [rounds]\n");
        return 2;
    }
    if (apInitSnmpLibrary() != AP_OK)
        return 1;
    trb::test::SimulatorProcess sim;
    if (!sim.ok()) {
        std::fprintf(stderr, "simulator: %s\n", sim.error().c_str());
        return 1;
    }
    UdpRelay relay(sim.port());
    const std::string address = "127.0.0.1:" + std::to_string(relay.port());
    APHANDLE session = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(session, 161, "public", "private", 150, address.c_str(), 1);
    Refresh refresh;
    refresh.handle = apStatisticOpen(session, 0);
    if (refresh.run(AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN) < 0) { // warm-up
        std::fprintf(stderr, "warm-up read failed\n");
        return 1;
    }
    const struct {
        const char *name;
        uint32_t group;
    } tabs[] = {{"Ethernet tab", AP_STAT_GROUP_ETHERNET}, {"WLAN tab", AP_STAT_GROUP_WLAN},
                {"first read (both)", AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN}};
    int failures = 0;
    for (const auto &tab : tabs) {
        std::vector<double> times;
        relay.resetCounts();
        for (int i = 0; i < rounds; ++i) {
            const double ms = refresh.run(tab.group);
            if (ms < 0)
                ++failures;
            else
                times.push_back(ms);
        }
        if (times.empty()) {
            std::fprintf(stderr, "every %s refresh failed\n", tab.name);
            return 1;
        }
        std::printf("%s, %d refreshes: median %.3f ms (%.3f to %.3f ms), datagrams per refresh %.2f to the "
                    "agent, %.2f back\n",
                    tab.name, rounds, median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), double(relay.toAgent()) / rounds,
                    double(relay.toClient()) / rounds);
    }
    std::printf("failures: %d\n", failures);
    apUninitSnmpLibrary();
    return failures ? 1 : 0;
}
