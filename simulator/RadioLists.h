#pragma once
// The channel and rate lists a band offers, by regulatory domain: blank-separated, as the
// device reports them.
#include <cstdint>
#include <string>
#include <string_view>

namespace trb::sim {

struct RadioLists {
    // Channels for Access Point and Wireless Client.
    static std::string channels(uint32_t band, std::string_view country);
    // Channels for the WDS modes; "" when they are the same as channels().
    static std::string wdsChannels(uint32_t band, std::string_view country);
    // "Auto", then the rate names.
    static std::string rates(uint32_t band);
    static std::string multicastRates(uint32_t band);
    // Whether `word` is one of the blank-separated words of `list`.
    static bool contains(std::string_view list, std::string_view word);
};

} // namespace trb::sim
