#pragma once
// The radio neighbourhood the simulated device hears: access points on both bands, created
// from a seed, and the stations learnt on the wired port. Each scan of a band lets the
// signals drift a little, and now and then the weakest access point drops out or comes back,
// as a real site survey does.
#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace trb::sim {

using MacBytes = std::array<uint8_t, 6>;

struct Neighbour {
    MacBytes bssid{};
    int channel = 0;
    int signal = 0; // percent, 5 to 95
    std::string security;
    std::string ssid;
};

class Neighbourhood {
public:
    static constexpr int kDefaultCount = 12;
    static constexpr int kMaxCount = 255; // rows per band the table can index

    // `perBand` access points on each band (0 to kMaxCount).
    // With `longNames`, every named network has a 32-character SSID.
    Neighbourhood(int perBand, uint32_t seed, bool longNames = false);

    // What a scan of `band` (1 or 2) hears now; the first scan hears every access point.
    std::vector<Neighbour> scan(int band);
    // Unicast, distinct addresses; three to five of them.
    const std::vector<MacBytes> &wiredMacs() const { return wiredMacs_; }

private:
    struct Heard {
        Neighbour ap;
        bool flaky = false;   // the one that comes and goes
        bool present = true;
    };
    Neighbour makeNeighbour(int band, int number);
    MacBytes uniqueMac();
    void drift(std::vector<Heard> &band);

    std::mt19937 random_;
    bool longNames_ = false;
    std::vector<Heard> bands_[2];
    int scans_[2] = {0, 0};
    std::array<std::array<uint8_t, 3>, 4> prefixes_{};
    std::vector<MacBytes> used_;
    std::vector<MacBytes> wiredMacs_;
};

} // namespace trb::sim
