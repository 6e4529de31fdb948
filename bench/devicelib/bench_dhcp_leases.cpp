// The lease list of 250 stations the way the DHCP server page reads it: a refresh with a
// callback (the library walks both lease tables), then the counts and the rows. Through a
// counting UDP relay, for the datagrams each way.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CallbackWait.h"
#include "RelayedSession.h"
#include "RoundTimes.h"

using namespace std::chrono;

namespace {

constexpr int kStations = 250;

struct LeaseRead {
    CallbackWait completion;
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
        self->rows = view.dynamicCount + view.staticCount;
        self->completion.finish(code);
        return 0;
    }
    double run(APHANDLE monitor)
    {
        completion.reset();
        const auto start = steady_clock::now();
        if (apSysMonitorRefresh(monitor, 3, &LeaseRead::onRefresh, this, AP_MODE_CALLBACK) != AP_OK)
            return -1;
        if (completion.wait(30s) != AP_OK || rows != kStations)
            return -1;
        return duration<double, std::milli>(steady_clock::now() - start).count();
    }
};

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
    RelayedSession device({"--clients", std::to_string(kStations)});
    if (!device.ok())
        return 1;
    if (!serve(device.session())) {
        std::fprintf(stderr, "could not start the DHCP server\n");
        return 1;
    }
    APHANDLE monitor = apSysMonitorOpen(device.session(), 5, 0);
    LeaseRead read;
    if (read.run(monitor) < 0) {
        std::fprintf(stderr, "warm-up read failed\n");
        return 1;
    }
    RoundTimes times;
    device.relay().resetCounts();
    for (int i = 0; i < rounds; ++i)
        times.add(read.run(monitor));
    if (times.empty()) {
        std::fprintf(stderr, "every read failed\n");
        return 1;
    }
    std::printf("DHCP lease list of %d leases, %d rounds, %d failures\n", kStations, rounds, times.failures());
    std::printf("refresh to rows filled, %s\n", times.summary().c_str());
    std::printf("datagrams to the agent per read: %.2f\n", double(device.relay().toAgent()) / rounds);
    std::printf("datagrams to the client per read: %.2f\n", double(device.relay().toClient()) / rounds);
    return times.failures() ? 1 : 0;
}
