// The lease list of 250 stations the way the DHCP server page reads it: a refresh with a
// callback (the library walks both lease tables), then the counts and the rows. Through a
// counting UDP relay, for the datagrams each way.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "SimulatorProcess.h"
#include "TRB4820apHelp.h"
#include "UdpRelay.h"

using namespace std::chrono;

namespace {

constexpr int kStations = 250;

struct LeaseRead {
    std::mutex mutex;
    std::condition_variable filled;
    bool done = false;
    uint32_t code = 0;
    uint32_t rows = 0;
    std::vector<apDhcpLeaseEntry> leases;
    std::vector<apDhcpStaticLeaseEntry> bound;

    static int onRefresh(APHANDLE monitor, uint32_t more, uint32_t code, void *context, uint32_t)
    {
        auto *self = static_cast<LeaseRead *>(context);
        if (more)
            return 0;
        apDhcpLeaseView view{};
        if (code == AP_OK && apSysMonitorQueryInfor(monitor, &view) == AP_OK) {
            self->leases.assign(view.dynamicCount, apDhcpLeaseEntry{});
            self->bound.assign(view.staticCount, apDhcpStaticLeaseEntry{});
            view.dynamicLeases = self->leases.data();
            view.staticLeases = self->bound.data();
            apSysMonitorQueryInfor(monitor, &view);
        }
        std::lock_guard lock(self->mutex);
        self->code = code;
        self->rows = view.dynamicCount + view.staticCount;
        self->done = true;
        self->filled.notify_all();
        return 0;
    }
    double run(APHANDLE monitor)
    {
        done = false;
        const auto start = steady_clock::now();
        if (apSysMonitorRefresh(monitor, 3, &LeaseRead::onRefresh, this, AP_MODE_CALLBACK) != AP_OK)
            return -1;
        std::unique_lock lock(mutex);
        if (!filled.wait_for(lock, 30s, [&] { return done; }) || code != AP_OK || rows != kStations)
            return -1;
        return duration<double, std::milli>(steady_clock::now() - start).count();
    }
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The server on, its pool wide enough for every station.
bool serve(APHANDLE session)
{
    APHANDLE dhcp = apAdvDHCPOpen(session, 0);
    apStyleModify(dhcp, AP_DHCP_GROUP_ALL, 0);
    if (apSnmpSendGetRequest(dhcp, nullptr, nullptr, AP_MODE_BLOCKING, 0) != AP_OK)
        return false;
    apDhcpDynamicRecord pool{};
    apAdvDHCPGetSetting(dhcp, nullptr, nullptr, nullptr, &pool, nullptr);
    std::strcpy(pool.poolStart, "10.0.0.2");
    pool.poolSize = 253;
    std::strcpy(pool.subnetMask, "255.255.255.0");
    std::strcpy(pool.gateway, "0.0.0.0");
    apAdvDHCPServerControl(dhcp, 1, 1);
    apAdvDHCPDynamicSet(dhcp, &pool);
    const bool ok = apSnmpSendSetRequest(dhcp, nullptr, nullptr, AP_MODE_BLOCKING, 0) == AP_OK;
    apHandleClose(dhcp);
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_dhcp_leases [rounds]\n");
        return 2;
    }
    if (apInitSnmpLibrary() != AP_OK)
        return 1;
    trb::test::SimulatorProcess sim({"--clients", std::to_string(kStations)});
    if (!sim.ok()) {
        std::fprintf(stderr, "simulator: %s\n", sim.error().c_str());
        return 1;
    }
    UdpRelay relay(sim.port());
    const std::string address = "127.0.0.1:" + std::to_string(relay.port());
    APHANDLE session = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(session, 161, "public", "private", 150, address.c_str(), 1);
    if (!serve(session)) {
        std::fprintf(stderr, "could not start the DHCP server\n");
        return 1;
    }
    APHANDLE monitor = apSysMonitorOpen(session, 5, 0);
    LeaseRead read;
    if (read.run(monitor) < 0) {
        std::fprintf(stderr, "warm-up read failed\n");
        return 1;
    }
    std::vector<double> times;
    int failures = 0;
    relay.resetCounts();
    for (int i = 0; i < rounds; ++i) {
        const double ms = read.run(monitor);
        if (ms < 0)
            ++failures;
        else
            times.push_back(ms);
    }
    if (times.empty()) {
        std::fprintf(stderr, "every read failed\n");
        return 1;
    }
    std::printf("DHCP lease list of %d leases, %d rounds, %d failures\n", kStations, rounds, failures);
    std::printf("refresh to rows filled, median: %.3f ms (%.3f to %.3f ms)\n", median(times),
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()));
    std::printf("datagrams to the agent per read: %.2f\n", double(relay.toAgent()) / rounds);
    std::printf("datagrams to the client per read: %.2f\n", double(relay.toClient()) / rounds);
    apUninitSnmpLibrary();
    return failures ? 1 : 0;
}
