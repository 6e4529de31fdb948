// A statistics refresh the way the statistics page runs it: the tab's read group selected, one
// get request with a callback, then the counters copied out. Both tabs in turn, through a
// counting UDP relay, for the datagrams each way and the time from request to values.
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "CallbackWait.h"
#include "RelayedSession.h"
#include "RoundTimes.h"

using namespace std::chrono;

namespace {

struct Refresh {
    CallbackWait completion;
    apStatEthernetRecord ethernet{};
    apStatWlanRecord wlan{};
    APHANDLE handle = 0;

    static int onRead(uint32_t value, uint32_t more, const char *, void *context, uint32_t)
    {
        auto *self = static_cast<Refresh *>(context);
        if (more)
            return 0;
        apStatisticInfor(self->handle, &self->wlan, &self->ethernet);
        self->completion.finish(value);
        return 0;
    }
    // Time from the request to the values copied, in ms; negative on failure.
    double run(uint32_t group)
    {
        completion.reset();
        const auto start = steady_clock::now();
        if (apStyleModify(handle, group, 0) != AP_OK ||
            apSnmpSendGetRequest(handle, &Refresh::onRead, this, AP_MODE_CALLBACK, 0) != AP_OK)
            return -1;
        if (completion.wait(10s) != AP_OK)
            return -1;
        return duration<double, std::milli>(steady_clock::now() - start).count();
    }
};

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_statistics [rounds]\n");
        return 2;
    }
    RelayedSession device;
    if (!device.ok())
        return 1;
    Refresh refresh;
    refresh.handle = apStatisticOpen(device.session(), 0);
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
    UdpRelay &relay = device.relay();
    for (const auto &tab : tabs) {
        RoundTimes times;
        relay.resetCounts();
        for (int i = 0; i < rounds; ++i)
            times.add(refresh.run(tab.group));
        failures += times.failures();
        if (times.empty()) {
            std::fprintf(stderr, "every %s refresh failed\n", tab.name);
            return 1;
        }
        std::printf("%s, %d refreshes: %s, datagrams per refresh %.2f to the agent, %.2f back\n", tab.name, rounds,
                    times.summary().c_str(), double(relay.toAgent()) / rounds, double(relay.toClient()) / rounds);
    }
    std::printf("failures: %d\n", failures);
    return failures ? 1 : 0;
}
