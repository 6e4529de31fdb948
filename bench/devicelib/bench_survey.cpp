// A site survey of 64 access points the way the basic wireless page runs it: a refresh with a
// callback (the device scans the band, then the library walks its rows), then the count and
// the rows. Through a counting UDP relay, for the datagrams each way.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "CallbackWait.h"
#include "RelayedSession.h"
#include "RoundTimes.h"

using namespace std::chrono;

namespace {

constexpr int kNeighbours = 64;

struct Survey {
    CallbackWait completion;
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
        self->rows = query.count;
        self->completion.finish(code);
        return 0;
    }
    // Time from the refresh call to the rows filled, in ms; negative on failure.
    double run(APHANDLE monitor, int band)
    {
        completion.reset();
        const auto start = steady_clock::now();
        if (apSysMonitorRefresh(monitor, band, &Survey::onRefresh, this, AP_MODE_CALLBACK) != AP_OK)
            return -1;
        // One access point comes and goes between scans.
        if (completion.wait(30s) != AP_OK || rows + 1 < kNeighbours)
            return -1;
        return duration<double, std::milli>(steady_clock::now() - start).count();
    }
};

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_survey [rounds]\n");
        return 2;
    }
    RelayedSession device({"--neighbours", std::to_string(kNeighbours)});
    if (!device.ok())
        return 1;
    APHANDLE monitor = apSysMonitorOpen(device.session(), 3, 0);
    Survey survey;
    if (survey.run(monitor, 1) < 0) { // warm-up: opens the write session
        std::fprintf(stderr, "warm-up survey failed\n");
        return 1;
    }

    RoundTimes times;
    device.relay().resetCounts();
    for (int i = 0; i < rounds; ++i)
        times.add(survey.run(monitor, 1 + i % 2));
    if (times.empty()) {
        std::fprintf(stderr, "every survey failed\n");
        return 1;
    }
    std::printf("site survey of %d access points, %d rounds (bands 1 and 2 in turn), %d failures\n", kNeighbours,
                rounds, times.failures());
    std::printf("refresh to rows filled, %s\n", times.summary().c_str());
    std::printf("datagrams to the agent per survey: %.2f\n", double(device.relay().toAgent()) / rounds);
    std::printf("datagrams to the client per survey: %.2f\n", double(device.relay().toClient()) / rounds);
    return times.failures() ? 1 : 0;
}
