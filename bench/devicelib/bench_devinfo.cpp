// Reads the device information group (mask 0x1) with the device library and with a plain
// in-process Net-SNMP client that sends the same GET PDUs (the library's own split into PDUs of
// at most 30 objects) to the same simulator through the same counting UDP relay, in alternating
// rounds, and compares datagrams and time per read.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "PlainNetSnmpClient.h"
#include "RecordBindings.h"
#include "RelayedSession.h"
#include "SnmpEngine.h"

using namespace std::chrono;
using namespace trb::devicelib;

namespace {

// The objects of one read, split as the library splits them.
std::vector<std::vector<std::vector<oid>>> objectChunks()
{
    std::vector<std::vector<oid>> oids;
    std::set<Oid> seen;
    for (const Binding *b : bindingsOfGroups(Family::DeviceInfo, AP_DEVINFO_GROUP_DEVICE)) {
        Oid name = instanceOidOf(*b);
        if (seen.insert(name).second)
            oids.emplace_back(name.begin(), name.end());
    }
    std::vector<std::vector<std::vector<oid>>> chunks;
    for (std::size_t i = 0; i < oids.size(); i += SnmpEngine::kMaxVarbinds)
        chunks.emplace_back(oids.begin() + i, oids.begin() + std::min(oids.size(), i + SnmpEngine::kMaxVarbinds));
    return chunks;
}

// CPU time of the whole process (every thread), in ms.
double processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Side {
    const char *name;
    double ms = 0;
    double cpuMs = 0;
    long out = 0, in = 0;
    int failures = 0;
};

} // namespace

int main(int argc, char **argv)
{
    int reads = argc > 1 ? std::atoi(argv[1]) : 200;
    if (reads <= 0) {
        std::fprintf(stderr, "usage: bench_devinfo [reads]\n");
        return 2;
    }
    RelayedSession device;
    if (!device.ok())
        return 1;
    UdpRelay &relay = device.relay();
    const std::string &address = device.address();
    APHANDLE session = device.session();
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    static apDeviceInfoRecord record;
    auto chunks = objectChunks();
    std::size_t objects = 0;
    for (auto &c : chunks)
        objects += c.size();

    PlainNetSnmpClient plain(address, "public", 1500, 1);
    if (!plain.ok())
        return 1;
    // Warm up both paths once.
    if (apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0) != AP_OK || !plain.Read(chunks)) {
        std::fprintf(stderr, "warm-up read failed\n");
        return 1;
    }

    // Alternating rounds, so that a change in the machine's load falls on both sides alike.
    const int rounds = 20;
    const int perRound = std::max(1, reads / rounds);
    Side library{"library"}, peer{"net-snmp"};
    std::vector<double> ratios;
    const auto timeRound = [&](Side &side, const std::function<bool()> &readOnce) {
        relay.resetCounts();
        const double cpuStart = processCpuMs();
        const auto start = steady_clock::now();
        for (int i = 0; i < perRound; ++i)
            side.failures += !readOnce();
        const double ms = duration<double, std::milli>(steady_clock::now() - start).count();
        side.cpuMs += processCpuMs() - cpuStart;
        side.ms += ms;
        side.out += relay.toAgent();
        side.in += relay.toClient();
        return ms;
    };
    for (int round = 0; round < rounds; ++round) {
        const double libraryMs = timeRound(library, [&] {
            const bool read = apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0) == AP_OK;
            record.group = AP_DEVINFO_RECORD_GROUP_DEVICE;
            apSysDeviceGetInfor(info, &record);
            return read;
        });
        const double peerMs = timeRound(peer, [&] { return plain.Read(chunks); });
        ratios.push_back(libraryMs / peerMs);
    }
    std::sort(ratios.begin(), ratios.end());
    const int total = perRound * rounds;

    std::printf("device information group: %zu objects, %zu PDUs of at most %zu, %d reads a side\n", objects,
                chunks.size(), SnmpEngine::kMaxVarbinds, total);
    std::printf("%-10s %14s %14s %12s %16s %9s\n", "", "to agent/read", "to client/read", "ms/read",
                "CPU ms/read", "failures");
    for (const Side *side : {&library, &peer})
        std::printf("%-10s %14.2f %14.2f %12.3f %16.3f %9d\n", side->name, double(side->out) / total,
                    double(side->in) / total, side->ms / total, side->cpuMs / total, side->failures);
    std::printf("library / net-snmp: %.3fx (median of %d rounds; %.3fx to %.3fx)\n", ratios[ratios.size() / 2],
                rounds, ratios.front(), ratios.back());
    return library.failures || peer.failures ? 1 : 0;
}
