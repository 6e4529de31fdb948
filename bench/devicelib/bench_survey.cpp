// A site survey of 64 access points the way the basic wireless page runs it: a refresh with a
// callback (the device scans the band, then the library walks its rows), then the count and
// the rows. Through a counting UDP relay, for the datagrams each way.
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

constexpr int kNeighbours = 64;

struct Survey {
    std::mutex mutex;
    std::condition_variable filled;
    bool done = false;
    uint32_t code = 0;
    uint32_t rows = 0;
    std::vector<apClientSurveyRecord> buffer;

    // The page's callback: count, then a zero-filled buffer of count rows.
    static int onRefresh(APHANDLE monitor, uint32_t more, uint32_t code, void *context, uint32_t)
    {
        auto *self = static_cast<Survey *>(context);
        if (more)
            return 0;
        apMonitorQuery1 query{0, nullptr};
        if (code == AP_OK && apSysMonitorQueryInfor(monitor, &query) == AP_OK && query.count > 0) {
            self->buffer.assign(query.count, apClientSurveyRecord{});
            query.rows = self->buffer.data();
            apSysMonitorQueryInfor(monitor, &query);
        }
        std::lock_guard lock(self->mutex);
        self->code = code;
        self->rows = query.count;
        self->done = true;
        self->filled.notify_all();
        return 0;
    }
    // Time from the refresh call to the rows filled, in ms; negative on failure.
    double run(APHANDLE monitor, int band)
    {
        done = false;
        const auto start = steady_clock::now();
        if (apSysMonitorRefresh(monitor, band, &Survey::onRefresh, this, AP_MODE_CALLBACK) != AP_OK)
            return -1;
        std::unique_lock lock(mutex);
        // One access point comes and goes between scans.
        if (!filled.wait_for(lock, 30s, [&] { return done; }) || code != AP_OK || rows + 1 < kNeighbours)
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
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_survey [rounds]\n");
        return 2;
    }
    if (apInitSnmpLibrary() != AP_OK)
        return 1;
    trb::test::SimulatorProcess sim({"--neighbours", std::to_string(kNeighbours)});
    if (!sim.ok()) {
        std::fprintf(stderr, "simulator: %s\n", sim.error().c_str());
        return 1;
    }
    UdpRelay relay(sim.port());
    const std::string address = "127.0.0.1:" + std::to_string(relay.port());
    APHANDLE session = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(session, 161, "public", "private", 150, address.c_str(), 1);
    APHANDLE monitor = apSysMonitorOpen(session, 3, 0);
    Survey survey;
    if (survey.run(monitor, 1) < 0) { // warm-up: opens the write session
        std::fprintf(stderr, "warm-up survey failed\n");
        return 1;
    }

    std::vector<double> times;
    int failures = 0;
    relay.resetCounts();
    for (int i = 0; i < rounds; ++i) {
        const double ms = survey.run(monitor, 1 + i % 2);
        if (ms < 0)
            ++failures;
        else
            times.push_back(ms);
    }
    const long toAgent = relay.toAgent();
    const long toClient = relay.toClient();
    if (times.empty()) {
        std::fprintf(stderr, "every survey failed\n");
        return 1;
    }
    std::printf("site survey of %d access points, %d rounds (bands 1 and 2 in turn), %d failures\n", kNeighbours,
                rounds, failures);
    std::printf("refresh to rows filled, median: %.3f ms (%.3f to %.3f ms)\n", median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
    std::printf("datagrams to the agent per survey: %.2f\n", double(toAgent) / rounds);
    std::printf("datagrams to the client per survey: %.2f\n", double(toClient) / rounds);
    apUninitSnmpLibrary();
    return failures ? 1 : 0;
}
