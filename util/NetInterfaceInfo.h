#pragma once
// The exported list of the PC's IPv4 interfaces, in fixed records.
#include <cstdint>

struct VtNetInterface {
    char address[16];
    // Always "0.0.0.0": kept for the layout callers know.
    char reserved1[16];
    char reserved2[16];
    char netmask[16];
    std::uint8_t up;
    std::uint8_t broadcast;
    std::uint8_t loopback;
    std::uint8_t pointToPoint;
    std::uint8_t multicast;
};

inline constexpr int kVtNetInterfaceCount = 10;

// Fills up to 10 records (the array must hold 10) and returns how many were filled.
extern "C" int VtGetNetInterfaceInfo(VtNetInterface *interfaces);
