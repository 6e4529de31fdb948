#pragma once
// The traffic counters of the simulated device: Counter32 values that grow with steady traffic
// on the wired port and on each band (busier with more stations), wrap at 2^32 and go back to
// zero when a manager clears them or the device restarts.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>

#include "SnmpValue.h"

namespace trb::sim {

class TrafficCounters {
public:
    using Clock = std::chrono::steady_clock;

    enum Interface { Ethernet = 1, Wlan = 2 }; // the values of trbStatisticsClear

    // Counters begin at `start` (near 2^32 to see them wrap); stations: associated per band.
    TrafficCounters(uint32_t start, int stations24, int stations5);

    // The counter `object` of `band` (0 for the wired port) now; nothing for another object.
    std::optional<SnmpValue> read(std::string_view object, uint32_t band) const;
    // Counters of that interface start again from zero; another value does nothing.
    void clear(long which);
    void clearAll();

private:
    struct Since {
        Clock::time_point time;
        uint32_t base;
    };
    uint32_t valueAt(const Since &since, double perSecond) const;

    Since ethernet_, wlan_;
    double load_[2]; // traffic scale of each band
};

} // namespace trb::sim
