#pragma once
// Fixed record layouts exchanged with the device library. Integers are little-endian
// 32-bit; texts are NUL-terminated 8-bit strings in fixed slots.
#include <cstddef>
#include <cstdint>

extern "C" {

// Group bits for apStyleModify, per family.
enum {
    AP_DEVINFO_GROUP_DEVICE = 0x1, // device information (record group 0)
    AP_DEVINFO_GROUP_LAN = 0x2,    // LAN settings (record group 2)
    AP_DEVINFO_RECORD_GROUP_DEVICE = 0,
    AP_DEVINFO_RECORD_GROUP_LAN = 2,
};

enum { AP_DEVICE_INFO_RECORD_SIZE = 32228 };

// Device information record, group 0.
struct apDeviceInfoRecord {
    uint32_t group;            // 0
    uint32_t bandCount;        // set by the caller before the read
    char reserved0[88];
    char ipAddress[20];        // 96
    char subnetMask[20];       // 116
    char gateway[20];          // 136
    char firmwareVersion[1024];// 156
    char reserved1[2084];
    char apArrayName[1024];    // 3264
    char apArrayRole[1024];    // 4288
    char apArrayLocation[1024];// 5312
    uint32_t cpuLoad;          // 6336
    uint32_t memoryLoad;       // 6340
    // 6344, 12 upper-case hex digits: k = 0 Ethernet; 1 / 2 primary 2.4 / 5 GHz; 3, 5 first and last multi-SSID 2.4 GHz;
    // 4, 6 the same for 5 GHz; 7, 9, 11 SSID 1, 2, 3 of the band in service; 8, 10, 12 of the other.
    char mac[13][20];
    char ssid[2][1024];        // 6604
    char channel[2][1024];     // 8652
    char dataRate[2][1024];    // 10700
    char operationMode[2][1024]; // 12748
    char radioState[2][1024];  // 14796: "on" / "off"
    char reserved2[2048];
    char currentBand[1024];    // 18892: "band2dot4gHz" or "band5gHz"
    char reserved3[1024];
    char security[2][1024];    // 20940
    char reserved4[2048];
    char modelName[1024];      // 25036
    char systemTime[1024];     // 26060
    char upTime[1024];         // 27084
    char systemName[1024];     // 28108
    char location[1024];       // 29132
    char wirelessState[2][1024]; // 30156: "enabled" / "disabled"
    char reserved5[24];
};

// LAN settings record, group 2 (same size as the device information record).
struct apLanSettingsRecord {
    uint32_t group;            // 2
    char reserved0[8];
    uint32_t addressMode;      // 12: 0 static, 1 DHCP
    char reserved1[20];
    char ipAddress[20];        // 36
    char subnetMask[20];       // 56
    char gateway[20];          // 76: "N/A" when there is none
    char reserved2[32132];
};

// Front-panel status record.
struct apPaneStatusRecord {
    char ipAddress[1024];      // 0
    char subnetMask[1024];     // 1024
    uint32_t radio24On;        // 2048: 1 when the 2.4 GHz radio is on; cleared on a time-out
    uint32_t radio5On;         // 2052: 1 when the 5 GHz radio is on; cleared on a time-out
    uint32_t activeBand;       // 2056: 0 = 2.4 GHz, 1 = 5 GHz
    uint32_t apMode;           // 2060: 1 to 5
    uint32_t reserved;         // 2064
    uint32_t lanLink;          // 2068: 1 = up
    uint32_t clientCount;      // 2072: associated stations; cleared on a time-out
};

// Wireless client row (monitor kind 0, selector 1).
struct apClientRecord {
    uint32_t band;             // 1 or 2
    uint32_t index;            // the row's trbClientIndex
    char mac[20];              // 12 upper-case hex digits
    char phyMode[1024];        // "dot11a" ...
    char authentication[1024];
    uint32_t signal;           // percent
    char powerSave[1024];
    char ssid[3072];
};

// ARP spoofing prevention (apAdvARP*): one group, the state and the gateway list.
enum { AP_ARP_GROUP_ALL = 0x1 };

// Gateway entry of apAdvARPGetList.
struct apArpEntry {
    int32_t index;             // the row's trbArpGatewayIndex
    char ipAddress[20];        // dotted IPv4
    char macAddress[20];       // 12 upper-case hex digits
};

// In/out list header of apAdvARPGetList.
struct apArpList {
    int32_t count;
    apArpEntry *entries;
};

// Administration settings (apSys* on an apSysAdministratorOpen handle).
enum { AP_ADMIN_GROUP_LOGIN = 0x1 }; // login name and password
enum { AP_ADMIN_TEXT_SIZE = 256 };   // the buffers of apSysLoginGet

struct apMonitorQuery1 {
    uint32_t count;
    void *rows;
};
struct apMonitorQuery2 {
    uint32_t count[2];
    void *rows[2];
};

} // extern "C"

static_assert(sizeof(apDeviceInfoRecord) == 32228);
static_assert(offsetof(apDeviceInfoRecord, ipAddress) == 96);
static_assert(offsetof(apDeviceInfoRecord, subnetMask) == 116);
static_assert(offsetof(apDeviceInfoRecord, gateway) == 136);
static_assert(offsetof(apDeviceInfoRecord, firmwareVersion) == 156);
static_assert(offsetof(apDeviceInfoRecord, apArrayName) == 3264);
static_assert(offsetof(apDeviceInfoRecord, apArrayRole) == 4288);
static_assert(offsetof(apDeviceInfoRecord, apArrayLocation) == 5312);
static_assert(offsetof(apDeviceInfoRecord, cpuLoad) == 6336);
static_assert(offsetof(apDeviceInfoRecord, memoryLoad) == 6340);
static_assert(offsetof(apDeviceInfoRecord, mac) == 6344);
static_assert(offsetof(apDeviceInfoRecord, ssid) == 6604);
static_assert(offsetof(apDeviceInfoRecord, ssid[1]) == 7628);
static_assert(offsetof(apDeviceInfoRecord, channel) == 8652);
static_assert(offsetof(apDeviceInfoRecord, channel[1]) == 9676);
static_assert(offsetof(apDeviceInfoRecord, dataRate) == 10700);
static_assert(offsetof(apDeviceInfoRecord, dataRate[1]) == 11724);
static_assert(offsetof(apDeviceInfoRecord, operationMode) == 12748);
static_assert(offsetof(apDeviceInfoRecord, operationMode[1]) == 13772);
static_assert(offsetof(apDeviceInfoRecord, radioState) == 14796);
static_assert(offsetof(apDeviceInfoRecord, radioState[1]) == 15820);
static_assert(offsetof(apDeviceInfoRecord, currentBand) == 18892);
static_assert(offsetof(apDeviceInfoRecord, security) == 20940);
static_assert(offsetof(apDeviceInfoRecord, security[1]) == 21964);
static_assert(offsetof(apDeviceInfoRecord, modelName) == 25036);
static_assert(offsetof(apDeviceInfoRecord, systemTime) == 26060);
static_assert(offsetof(apDeviceInfoRecord, upTime) == 27084);
static_assert(offsetof(apDeviceInfoRecord, systemName) == 28108);
static_assert(offsetof(apDeviceInfoRecord, location) == 29132);
static_assert(offsetof(apDeviceInfoRecord, wirelessState) == 30156);
static_assert(offsetof(apDeviceInfoRecord, wirelessState[1]) == 31180);

static_assert(sizeof(apLanSettingsRecord) == 32228);
static_assert(offsetof(apLanSettingsRecord, addressMode) == 12);
static_assert(offsetof(apLanSettingsRecord, ipAddress) == 36);
static_assert(offsetof(apLanSettingsRecord, subnetMask) == 56);
static_assert(offsetof(apLanSettingsRecord, gateway) == 76);

static_assert(sizeof(apPaneStatusRecord) == 2076);
static_assert(offsetof(apPaneStatusRecord, subnetMask) == 1024);
static_assert(offsetof(apPaneStatusRecord, radio24On) == 2048);
static_assert(offsetof(apPaneStatusRecord, activeBand) == 2056);
static_assert(offsetof(apPaneStatusRecord, apMode) == 2060);
static_assert(offsetof(apPaneStatusRecord, lanLink) == 2068);
static_assert(offsetof(apPaneStatusRecord, clientCount) == 2072);

static_assert(sizeof(apClientRecord) == 6176);
static_assert(offsetof(apClientRecord, mac) == 8);
static_assert(offsetof(apClientRecord, phyMode) == 28);
static_assert(offsetof(apClientRecord, authentication) == 1052);
static_assert(offsetof(apClientRecord, signal) == 2076);
static_assert(offsetof(apClientRecord, powerSave) == 2080);
static_assert(offsetof(apClientRecord, ssid) == 3104);

static_assert(sizeof(apArpEntry) == 44);
static_assert(offsetof(apArpEntry, index) == 0);
static_assert(offsetof(apArpEntry, ipAddress) == 4);
static_assert(offsetof(apArpEntry, macAddress) == 24);
