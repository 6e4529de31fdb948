#pragma once
// What the wireless family's calls share: the start of a call and its index forms.
#include <memory>

#include "FamilyCalls.h"
#include "ValueConversion.h"
#include "WirelessStaging.h"
#include "WirelessValues.h"

namespace trb::devicelib {

// The state of a wireless handle, or null.
inline std::shared_ptr<HandleState> wirelessHandle(APHANDLE handle) { return familyHandle(handle, Family::Wireless); }

// The start of a per-band call: 0 when it may go on (state set), else the code.
inline int startBandCall(APHANDLE handle, int band, std::shared_ptr<HandleState> &state)
{
    state = wirelessHandle(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    return WirelessValues::validBand(band) ? AP_OK : AP_ERR_BAD_ARGUMENT;
}

// The same for a per-SSID call.
inline int startSsidCall(APHANDLE handle, int band, int ssid, std::shared_ptr<HandleState> &state)
{
    if (const int code = startBandCall(handle, band, state))
        return code;
    return WirelessValues::validSsid(ssid) ? AP_OK : AP_ERR_BAD_ARGUMENT;
}

inline Oid bandIndex(int band) { return {uint32_t(band)}; }
inline Oid ssidIndex(int band, int ssid) { return {uint32_t(band), uint32_t(ssid)}; }

// Writes a value through an output pointer the caller may leave null.
template <typename T, typename V> void put(T *out, V value)
{
    if (out)
        *out = T(value);
}

} // namespace trb::devicelib
