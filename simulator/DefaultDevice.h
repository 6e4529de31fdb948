#pragma once
// The factory state of the simulated TRB-4820: every instance of the schema with a
// plausible value, and `clientCount` associated stations.
#include <string>

#include "DeviceStore.h"

namespace trb::sim {

struct DefaultDevice {
    // country: the regulatory domain, which decides the channel lists.
    static DeviceStore build(int clientCount, const std::string &country = "US", bool longNames = false);
    // The longest SSID a station can be associated with (32 characters).
    static constexpr const char *kLongSsid = "Headquarters-Guest-Network-2G-01";
    static constexpr const char *kLanguagePack = "French 1.2.07";
    static constexpr const char *kLoginPassword = "admin";
    static constexpr const char *kPassphrase = "trb4820-key";
};

} // namespace trb::sim
