#pragma once
// Intrusion detection of the simulated device: each detection of a band keeps the access points
// found before (with the administrator's classification), updates those it hears again, adds the
// ones it has not seen before as new and marks the rest offline.
#include <string>
#include <vector>

#include "DeviceStore.h"
#include "Neighbourhood.h"

namespace trb::sim {

class IntrusionDetector {
public:
    static constexpr const char *kTable = "trbIntrusionApTable";

    // `heard`: what the radio hears on `band` now; `now`: the local time as the device shows it.
    static void detect(DeviceStore &store, int band, const std::vector<Neighbour> &heard, const std::string &now);

private:
    static void addRow(DeviceStore &store, const Oid &index, const Neighbour &ap, const std::string &now);
    static void update(DeviceStore &store, const Oid &index, const Neighbour &ap, const std::string &now);
};

} // namespace trb::sim
