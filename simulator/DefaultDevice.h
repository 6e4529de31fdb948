#pragma once
// The factory state of the simulated TRB-4820: every instance of the schema with a
// plausible value, and `clientCount` associated stations.
#include <string>

#include "DeviceStore.h"

namespace trb::sim {

struct DefaultDevice {
    static DeviceStore build(int clientCount);
    static constexpr const char *kLanguagePack = "French 1.2.07";
    static constexpr const char *kLoginPassword = "admin";
};

} // namespace trb::sim
