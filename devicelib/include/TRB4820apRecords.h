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

// Time and date (apSysTimeConfig* on an apSysTimeConfigOpen handle).
enum { AP_TIME_GROUP_CONFIG = 0x1 }; // time server, time zone, daylight saving and the clock
enum { AP_TIME_SERVER_SIZE = 20, AP_TIME_TEXT_SIZE = 256 };

// Wireless family (apWireless*): group bits for apStyleModify. Each page's mask covers what it
// reads: Performance 0xC21, Basic Wireless 0xCBFF, Multi-SSID 0x3987.
enum {
    AP_WL_GROUP_RADIO = 0x0001,        // current band, AP mode, wireless mode code
    AP_WL_GROUP_SSID = 0x0002,         // SSID names and visibility (every band and SSID)
    AP_WL_GROUP_SSID_STATE = 0x0004,   // SSIDs in service
    AP_WL_GROUP_CHANNEL = 0x0008,      // channel, auto channel, channel width
    AP_WL_GROUP_WDS = 0x0010,          // WDS peers
    AP_WL_GROUP_LISTS = 0x0020,        // the device's channel, rate and multicast-rate lists
    AP_WL_GROUP_MAC_CLONE = 0x0040,    // wireless MAC clone
    AP_WL_GROUP_MULTI_SSID = 0x0080,   // multi-SSID function on/off
    AP_WL_GROUP_PRIORITY = 0x0100,     // multi-SSID priority on/off
    AP_WL_GROUP_FUNCTIONS = 0x0200,    // VLAN, AP array and Web Redirection function states
    AP_WL_GROUP_PERFORMANCE = 0x0400,  // the performance record (apart from the wireless mode)
    AP_WL_GROUP_SECURITY = 0x0800,     // security of every SSID (a secret: read with the write community)
    AP_WL_GROUP_SSID_PRIORITY = 0x1000,// per-SSID priority
    AP_WL_GROUP_SSID_WMM = 0x2000,     // per-SSID WMM
    AP_WL_GROUP_APPLICATION = 0x4000,  // country code and application class
    AP_WL_GROUP_SURVEY = 0x8000,       // whether site surveys are blocked
    AP_WL_GROUP_ALL = 0xFFFF,
};

enum { AP_WL_TEXT_SIZE = 256 }; // SSID, list, WDS and country buffers

// Performance record of apWirelessGetPerformance / apWirelessSetPerformance (204 bytes).
struct apPerformanceRecord {
    uint32_t bandCount;        // 0: not read or written by the library
    uint32_t apMode;           // 4: not read or written by the library
    uint32_t reserved0;
    uint32_t beaconInterval;   // 12: 25-500
    uint32_t dtimInterval;     // 16: 1-15
    uint32_t reserved1[2];
    uint32_t transmitPower;    // 28: 1 100%, 2 50%, 3 25%, 4 12.5%
    uint32_t ackTimeout;       // 32: microseconds
    uint32_t radioOn;          // 36: 1 on, 0 off
    uint32_t wirelessMode;     // 40: 6/3/2 on 2.4 GHz, 9/7/8 on 5 GHz
    uint32_t shortGi;          // 44
    uint32_t wmm;              // 48
    uint32_t igmpSnooping;     // 52
    uint32_t connectionLimit;  // 56
    uint32_t userLimit;        // 60: 0-64
    uint32_t utilization;      // 64: 0, 2, ... 10
    uint32_t reserved2[2];
    char dataRate[10];         // 76: "Auto" or a rate name
    char multicastRate[12];    // 86: "Disable" or a rate name
    char reserved3[106];
};

// Security data block (1088 bytes): three sections. A read fills all of them; a write takes
// the section of the type (apSecurityRecord.block points at it).
struct apWepSection {          // block offset 0
    uint32_t reserved0;
    uint32_t encryption;       // 4: 0 disabled, 1 enabled
    uint32_t keyType;          // 8: 1 ASCII, 2 HEX
    uint32_t keySize;          // 12: 64 or 128
    uint32_t keyIndex;         // 16: 1-4
    char key[52];              // 20 (secret)
    uint32_t reserved1;
};
struct apWpaPersonalSection {  // block offset 76
    uint32_t reserved0;
    uint32_t wpaMode;          // 4: 0 WPA or WPA2, 1 WPA2 only, 2 WPA only
    uint32_t cipher;           // 8: 1 Auto, 2 AES, 3 TKIP
    uint32_t groupKeyInterval; // 12: seconds
    char passphrase[128];      // 16 (secret)
    uint32_t periodicalKeyChange; // 144: 0 manual, 1 periodical
    uint32_t day;              // 148: 0 Sunday - 6 Saturday
    char time[12];             // 152: "HH:MM"
    uint32_t intervalHours;    // 164: 1-168
    char currentKey[128];      // 168: read only (secret)
    uint32_t apMode;           // 296: the host page's AP mode, written
};
struct apEnterpriseSection {   // block offset 380
    uint32_t reserved0;
    uint32_t wpaMode;          // 4
    uint32_t cipher;           // 8
    uint32_t keyInterval;      // 12: group key interval (type 5); the 802.1x key interval on a type-6 write
    uint32_t dot1xKeyInterval; // 16: the 802.1x key update interval as read
    uint32_t accessProtection; // 20: Network Access Protection 0/1
    uint32_t reserved1[3];
    char radiusServer[20];     // 36: dotted IPv4
    uint32_t radiusPort;       // 56
    char radiusSecret[128];    // 60 (secret)
};
struct apSecurityBlock {
    apWepSection wep;
    apWpaPersonalSection personal;
    uint8_t reserved0[4];
    apEnterpriseSection enterprise;
    uint8_t reserved1[520];
};

// Security record: word 1 the type (1 Open System, 2 Shared key, 3 both (read only),
// 4 WPA-Personal, 5 WPA-Enterprise, 6 802.1x); block a read block or a write section.
struct apSecurityRecord {
    uint32_t reserved;
    uint32_t type;
    void *block;
};

// apWirelessSetMultiSsidAuthentication: flags for SSID 1-3; 1 = Open System, encryption off.
struct apMultiSsidAuthReset {
    uint32_t reserved;
    uint32_t reset[3];
};

// Site survey rows: WDS survey (monitor kind 4), client survey (kind 3); client MAC list (kind 8).
struct apWdsSurveyRecord {
    uint32_t band;             // 0
    uint32_t reserved0;
    uint32_t channel;          // 8
    uint32_t signal;           // 12: percent
    char bssid[20];            // 16: 12 upper-case hex digits
    char security[1024];       // 36
    char ssid[1024];           // 1060
};
struct apClientSurveyRecord {
    uint32_t band;             // 0
    char reserved0[1028];
    uint32_t channel;          // 1032
    uint32_t signal;           // 1036
    char bssid[20];            // 1040
    char security[1024];       // 1060
    char ssid[1032];           // 2084
};
struct apClientMacRecord {
    uint32_t index;            // 0
    char mac[20];              // 4: 12 upper-case hex digits
};

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

static_assert(sizeof(apPerformanceRecord) == 204);
static_assert(offsetof(apPerformanceRecord, beaconInterval) == 12);
static_assert(offsetof(apPerformanceRecord, dtimInterval) == 16);
static_assert(offsetof(apPerformanceRecord, transmitPower) == 28);
static_assert(offsetof(apPerformanceRecord, ackTimeout) == 32);
static_assert(offsetof(apPerformanceRecord, radioOn) == 36);
static_assert(offsetof(apPerformanceRecord, wirelessMode) == 40);
static_assert(offsetof(apPerformanceRecord, shortGi) == 44);
static_assert(offsetof(apPerformanceRecord, wmm) == 48);
static_assert(offsetof(apPerformanceRecord, igmpSnooping) == 52);
static_assert(offsetof(apPerformanceRecord, connectionLimit) == 56);
static_assert(offsetof(apPerformanceRecord, userLimit) == 60);
static_assert(offsetof(apPerformanceRecord, utilization) == 64);
static_assert(offsetof(apPerformanceRecord, dataRate) == 76);
static_assert(offsetof(apPerformanceRecord, multicastRate) == 86);

static_assert(sizeof(apWepSection) == 76);
static_assert(offsetof(apWepSection, encryption) == 4);
static_assert(offsetof(apWepSection, keyType) == 8);
static_assert(offsetof(apWepSection, keySize) == 12);
static_assert(offsetof(apWepSection, keyIndex) == 16);
static_assert(offsetof(apWepSection, key) == 20);
static_assert(offsetof(apWpaPersonalSection, wpaMode) == 4);
static_assert(offsetof(apWpaPersonalSection, cipher) == 8);
static_assert(offsetof(apWpaPersonalSection, groupKeyInterval) == 12);
static_assert(offsetof(apWpaPersonalSection, passphrase) == 16);
static_assert(offsetof(apWpaPersonalSection, periodicalKeyChange) == 144);
static_assert(offsetof(apWpaPersonalSection, day) == 148);
static_assert(offsetof(apWpaPersonalSection, time) == 152);
static_assert(offsetof(apWpaPersonalSection, intervalHours) == 164);
static_assert(offsetof(apWpaPersonalSection, currentKey) == 168);
static_assert(offsetof(apWpaPersonalSection, apMode) == 296);
static_assert(offsetof(apEnterpriseSection, wpaMode) == 4);
static_assert(offsetof(apEnterpriseSection, cipher) == 8);
static_assert(offsetof(apEnterpriseSection, keyInterval) == 12);
static_assert(offsetof(apEnterpriseSection, dot1xKeyInterval) == 16);
static_assert(offsetof(apEnterpriseSection, accessProtection) == 20);
static_assert(offsetof(apEnterpriseSection, radiusServer) == 36);
static_assert(offsetof(apEnterpriseSection, radiusPort) == 56);
static_assert(offsetof(apEnterpriseSection, radiusSecret) == 60);
static_assert(sizeof(apEnterpriseSection) == 188);
static_assert(sizeof(apSecurityBlock) == 1088);
static_assert(offsetof(apSecurityBlock, personal) == 76);
static_assert(offsetof(apSecurityBlock, enterprise) == 380);
static_assert(offsetof(apSecurityRecord, type) == 4);
static_assert(offsetof(apSecurityRecord, block) == 8);
static_assert(sizeof(apMultiSsidAuthReset) == 16);

static_assert(sizeof(apWdsSurveyRecord) == 2084);
static_assert(offsetof(apWdsSurveyRecord, channel) == 8);
static_assert(offsetof(apWdsSurveyRecord, signal) == 12);
static_assert(offsetof(apWdsSurveyRecord, bssid) == 16);
static_assert(offsetof(apWdsSurveyRecord, security) == 36);
static_assert(offsetof(apWdsSurveyRecord, ssid) == 1060);
static_assert(sizeof(apClientSurveyRecord) == 3116);
static_assert(offsetof(apClientSurveyRecord, channel) == 1032);
static_assert(offsetof(apClientSurveyRecord, signal) == 1036);
static_assert(offsetof(apClientSurveyRecord, bssid) == 1040);
static_assert(offsetof(apClientSurveyRecord, security) == 1060);
static_assert(offsetof(apClientSurveyRecord, ssid) == 2084);
static_assert(sizeof(apClientMacRecord) == 24);
static_assert(offsetof(apClientMacRecord, mac) == 4);
