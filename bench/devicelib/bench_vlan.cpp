// The VLAN list of 18 VLANs the way the VLAN page reads it: one read of the list group, then
// the count and the records; and the 18 VLANs added in one write. Through a counting UDP relay,
// for the datagrams each way.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "RelayedSession.h"
#include "RoundTimes.h"

using namespace std::chrono;

namespace {

constexpr int kVlans = 18;
// Every port in one list or the other: the longest member strings a VLAN has.
constexpr const char *kUntagged = "Mgmt, LAN, Primary, S-1, S-2, S-3, S-4, S-5, S-6, S-7";
constexpr const char *kTagged = "W-1, W-2, W-3, W-4, W-5, W-6, W-7, W-8";

double msSince(steady_clock::time_point start) { return duration<double, std::milli>(steady_clock::now() - start).count(); }

// Time to fill the list on a fresh handle, in ms; negative unless all 18 arrive.
double readList(APHANDLE session)
{
    const auto start = steady_clock::now();
    APHANDLE handle = apAdvVlanOpen(session, 0);
    apStyleModify(handle, AP_VLAN_GROUP_LIST, 0);
    int code = apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    apVlanList list{0, nullptr};
    std::vector<apVlanRecord> rows;
    if (code == AP_OK && apAdvVlanGetVlanList(handle, &list) == AP_OK) {
        rows.resize(list.count);
        list.entries = rows.data();
        apAdvVlanGetVlanList(handle, &list);
    }
    apHandleClose(handle);
    return code == AP_OK && list.count == kVlans ? msSince(start) : -1;
}

} // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    if (rounds <= 0)
        return 2;
    RelayedSession device;
    if (!device.ok())
        return 1;
    const APHANDLE session = device.session();
    UdpRelay &relay = device.relay();

    APHANDLE writer = apAdvVlanOpen(session, 0);
    apStyleModify(writer, AP_VLAN_GROUP_ALL, 0);
    apSnmpSendGetRequest(writer, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    for (int i = 1; i <= kVlans; ++i) {
        apVlanRecord record{};
        record.index = AP_VLAN_NEW_ROW;
        record.vid = 100 + i;
        std::snprintf(record.name, sizeof record.name, "vlan-%02d", i);
        std::strcpy(record.untagged, kUntagged);
        std::strcpy(record.tagged, kTagged);
        apAdvVlanAddVlan(writer, record);
    }
    relay.resetCounts();
    const auto start = steady_clock::now();
    if (apSnmpSendSetRequest(writer, nullptr, nullptr, AP_MODE_BLOCKING, 0) != AP_OK) {
        std::fprintf(stderr, "adding the VLANs failed\n");
        return 1;
    }
    std::printf("adding %d VLANs in one write: %.3f ms, %ld datagrams to the agent, %ld back\n", kVlans,
                msSince(start), relay.toAgent(), relay.toClient());

    RoundTimes times;
    relay.resetCounts();
    for (int i = 0; i < rounds; ++i)
        times.add(readList(session));
    if (times.failures()) {
        std::fprintf(stderr, "%d of %d reads failed\n", times.failures(), rounds);
        return 1;
    }
    std::printf("VLAN list of %d VLANs, %d rounds: read to filled, %s\n", kVlans, rounds, times.summary().c_str());
    std::printf("datagrams per list read: %.2f to the agent, %.2f back\n", double(relay.toAgent()) / rounds,
                double(relay.toClient()) / rounds);
    return 0;
}
