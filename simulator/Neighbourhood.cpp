#include "Neighbourhood.h"

#include <algorithm>

namespace trb::sim {
namespace {

const char *const kSecurity[] = {"None", "WEP", "WPA-PSK(TKIP)", "WPA2-PSK(AES)", "WPA/WPA2-PSK(Auto)",
                                 "WPA2(AES)", "WPA2-PSK(AES)", "WPA/WPA2-PSK(Auto)"};
const char *const kSsids[] = {"office-3F", "Guest", "printer-4821", "HomeNet", "Lab-AP", "cafe-free",
                              "MeetingRoom-2", "warehouse", "DIRECT-7C-print", "staff", "iot-sensors",
                              "reception", ""};
const int kChannels5[] = {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 120, 124, 128,
                          132, 136, 140, 149, 153, 157, 161, 165};
constexpr int kMinSignal = 5;
constexpr int kMaxSignal = 95;

template <typename T, std::size_t N> const T &pick(std::mt19937 &random, const T (&list)[N])
{
    return list[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

int between(std::mt19937 &random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

} // namespace

Neighbourhood::Neighbourhood(int perBand, uint32_t seed, bool longNames) : random_(seed), longNames_(longNames)
{
    // Globally administered, unicast: the first octet's two low bits clear.
    for (auto &prefix : prefixes_)
        for (std::size_t i = 0; i < prefix.size(); ++i)
            prefix[i] = uint8_t(between(random_, 0, 255) & (i == 0 ? 0xfc : 0xff));
    perBand = std::clamp(perBand, 0, kMaxCount);
    for (int band = 1; band <= 2; ++band) {
        for (int i = 0; i < perBand; ++i)
            bands_[band - 1].push_back({makeNeighbour(band, i)});
        if (perBand > 0)
            bands_[band - 1].back().flaky = true;
    }
    const int wired = between(random_, 3, 5);
    for (int i = 0; i < wired; ++i)
        wiredMacs_.push_back(uniqueMac());
}

std::vector<Neighbour> Neighbourhood::scan(int band)
{
    if (band < 1 || band > 2)
        return {};
    std::vector<Heard> &heard = bands_[band - 1];
    if (scans_[band - 1]++ > 0)
        drift(heard);
    std::vector<Neighbour> found;
    for (const Heard &h : heard)
        if (h.present)
            found.push_back(h.ap);
    return found;
}

void Neighbourhood::drift(std::vector<Heard> &band)
{
    for (Heard &h : band) {
        h.ap.signal = std::clamp(h.ap.signal + between(random_, -3, 3), kMinSignal, kMaxSignal);
        if (h.flaky && between(random_, 0, 2) == 0)
            h.present = !h.present;
    }
}

Neighbour Neighbourhood::makeNeighbour(int band, int number)
{
    Neighbour ap;
    ap.bssid = uniqueMac();
    if (band == 1) // most networks sit on the three channels that do not overlap
        ap.channel = between(random_, 0, 9) < 6 ? 1 + 5 * between(random_, 0, 2) : between(random_, 1, 11);
    else
        ap.channel = pick(random_, kChannels5);
    ap.signal = between(random_, kMinSignal, kMaxSignal);
    ap.security = pick(random_, kSecurity);
    std::string name = pick(random_, kSsids);
    if (!name.empty() && number >= int(std::size(kSsids)))
        name += "-" + std::to_string(number);
    if (!name.empty() && band == 2 && between(random_, 0, 1) == 0)
        name += "-5G";
    if (!name.empty() && longNames_)
        name = (name + "-Corporate-Wireless-Network-North").substr(0, 32);
    ap.ssid = name;
    return ap;
}

// Unicast and distinct; about half locally administered, the rest under a few shared
// manufacturer-style prefixes, as in an office where several devices come from one maker.
MacBytes Neighbourhood::uniqueMac()
{
    for (;;) {
        MacBytes mac;
        for (auto &byte : mac)
            byte = uint8_t(between(random_, 0, 255));
        if (between(random_, 0, 1) == 0) {
            mac[0] = uint8_t((mac[0] & 0xfc) | 0x02);
        } else {
            const auto &prefix = prefixes_[std::size_t(between(random_, 0, int(prefixes_.size()) - 1))];
            std::copy(prefix.begin(), prefix.end(), mac.begin());
        }
        if (mac != MacBytes{} && std::find(used_.begin(), used_.end(), mac) == used_.end()) {
            used_.push_back(mac);
            return mac;
        }
    }
}

} // namespace trb::sim
