#pragma once
// What the simulated radio reports about its WDS links: each band's channel and frequency, and
// for each of the four peer slots of a band (trbRadioWdsPeer1..4) whether it is unused
// ("empty"), linked ("connected": WDS modes, on the band the radio serves) or not.
#include <optional>
#include <string>
#include <string_view>

#include "DeviceStore.h"

namespace trb::sim {

class WdsLinks {
public:
    explicit WdsLinks(const DeviceStore &store) : store_(store) {}

    // The value of a trbWdsBand* or trbWdsPeer* instance; nothing for another object.
    std::optional<SnmpValue> read(std::string_view object, const Oid &instance) const;

    // Centre frequency in GHz with three decimals ("2.437", "5.180").
    static std::string frequencyText(uint32_t band, long channel);

private:
    std::optional<SnmpValue> peerValue(std::string_view object, uint32_t band, uint32_t slot) const;
    bool linked(uint32_t band) const;
    std::string authentication(uint32_t band) const;
    const SnmpValue *find(std::string_view object, std::initializer_list<uint32_t> instance) const;

    const DeviceStore &store_;
};

} // namespace trb::sim
