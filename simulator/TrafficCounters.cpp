#include "TrafficCounters.h"

#include <cmath>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace trb::sim {
namespace {

struct Rate {
    const char *object;
    double perSecond;
};

// A lightly used office port: about 930 packets a second, a few of them dropped; the length
// buckets add up to the packets sent and received.
constexpr Rate kEthernet[] = {
    {"trbEthTxPackets", 420},       {"trbEthTxBytes", 420 * 610.0},  {"trbEthTxDropped", 0.05},
    {"trbEthRxPackets", 510},       {"trbEthRxBytes", 510 * 720.0},  {"trbEthRxDropped", 0.1},
    {"trbEthRxMulticast", 6},       {"trbEthRxBroadcast", 3},        {"trbEthLength64", 260},
    {"trbEthLength65To127", 190},   {"trbEthLength128To255", 70},    {"trbEthLength256To511", 50},
    {"trbEthLength512To1023", 60},  {"trbEthLength1024To1518", 300}, {"trbEthLength1519ToMax", 0},
};

// Per unit of band load (the band's beacons and management frames count as one unit).
constexpr Rate kWlan[] = {
    {"trbWlanTxPackets", 35},         {"trbWlanTxBytes", 35 * 900.0},  {"trbWlanTxDropped", 0.02},
    {"trbWlanTxRetries", 4},          {"trbWlanRxPackets", 28},        {"trbWlanRxBytes", 28 * 500.0},
    {"trbWlanRxDropped", 0.03},       {"trbWlanRxCrcErrors", 1.5},     {"trbWlanRxDecryptErrors", 0.01},
    {"trbWlanRxMicErrors", 0.005},    {"trbWlanRxPhyErrors", 0.8},
};

template <std::size_t N> const Rate *find(const Rate (&rates)[N], std::string_view object)
{
    for (const Rate &rate : rates)
        if (object == rate.object)
            return &rate;
    return nullptr;
}

} // namespace

TrafficCounters::TrafficCounters(uint32_t start, int stations24, int stations5)
    : ethernet_{Clock::now(), start}, wlan_{Clock::now(), start},
      load_{1.0 + stations24, 1.0 + stations5}
{
}

std::optional<SnmpValue> TrafficCounters::read(std::string_view object, uint32_t band) const
{
    uint32_t value = 0;
    if (const Rate *rate = find(kEthernet, object))
        value = valueAt(ethernet_, rate->perSecond);
    else if (const Rate *wlan = find(kWlan, object); wlan && (band == 1 || band == 2))
        value = valueAt(wlan_, wlan->perSecond * load_[band - 1]);
    else
        return std::nullopt;
    return SnmpValue{ASN_COUNTER, value, {}};
}

// Counter32 arithmetic: the count since `since`, modulo 2^32.
uint32_t TrafficCounters::valueAt(const Since &since, double perSecond) const
{
    const double seconds = std::chrono::duration<double>(Clock::now() - since.time).count();
    const auto counted = static_cast<uint64_t>(std::floor(perSecond * seconds));
    return static_cast<uint32_t>(since.base + counted);
}

void TrafficCounters::clear(long which)
{
    if (which == Ethernet)
        ethernet_ = {Clock::now(), 0};
    else if (which == Wlan)
        wlan_ = {Clock::now(), 0};
}

void TrafficCounters::clearAll()
{
    clear(Ethernet);
    clear(Wlan);
}

} // namespace trb::sim
