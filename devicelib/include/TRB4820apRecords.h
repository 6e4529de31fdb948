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
    uint32_t upTime;           // 2064: hundredths of a second since the device started
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

// Wireless schedule (apAdvSchedule*): one group, the switch and the rules.
enum { AP_SCHEDULE_GROUP_ALL = 0x1 };
enum {
    AP_SCHEDULE_TEXT_SIZE = 1024,
    AP_SCHEDULE_SSIDS = 16,      // 0 primary, 1-7 additional of 2.4 GHz; 8-15 the same of 5 GHz
    AP_SCHEDULE_MAX_RULES = 16,  // one rule per SSID
    AP_SCHEDULE_NAME_MAX = 32,
};

// One schedule rule (an element of the list's rule array; Add and Edit take it by value).
struct apScheduleRule {
    int32_t index;                        // rule index, from 1 (read only)
    char name[AP_SCHEDULE_TEXT_SIZE];
    char daysText[AP_SCHEDULE_TEXT_SIZE]; // "All Week" or day names (read only)
    int32_t days;                         // 0 all week, else bits Sunday 1 ... Saturday 64
    char timeFrame[AP_SCHEDULE_TEXT_SIZE];// HH:MM-HH:MM; "allday" sent, "All Day(s)" read
    int32_t wirelessOff;                  // 0: the SSID is served now (read only)
    int32_t ssid;                         // SSID index 0-15
    char ssidName[AP_SCHEDULE_TEXT_SIZE]; // read only
    int32_t enabled;                      // 1 or 0
    int32_t overnight;                    // 1: the time frame runs past midnight
    int32_t reserved;
    char start[AP_SCHEDULE_TEXT_SIZE];    // HH:MM
    char end[AP_SCHEDULE_TEXT_SIZE];      // HH:MM
    int32_t allDay;                       // 1 or 0
};

// The schedule parameters of apAdvScheduleList: the switch (nonzero enabled).
struct apScheduleParameters {
    int32_t enabled;
};

// The in/out list record of apAdvScheduleList and apAdvScheduleSetState.
struct apScheduleList {
    char modeText[2][AP_SCHEDULE_TEXT_SIZE]; // radio operating mode per band; "INVALID NODE": no such radio
    int32_t count;
    int32_t reserved;
    char ssidNames[AP_SCHEDULE_SSIDS][AP_SCHEDULE_TEXT_SIZE];
    apScheduleRule *rules;
};

// Administration settings (apSys* on an apSysAdministratorOpen handle).
enum {
    AP_ADMIN_GROUP_LOGIN = 0x1,      // login name and password (a secret: read with the write community)
    AP_ADMIN_GROUP_LIMIT = 0x2,      // limit-administrator VLAN and IP limits, address ranges
    AP_ADMIN_GROUP_NAME = 0x4,       // system name and location
    AP_ADMIN_GROUP_TRAP = 0x8,       // SNMP trap status and server
    AP_ADMIN_GROUP_CONSOLE = 0x10,   // console status, protocol, time-out; ping control
    AP_ADMIN_GROUP_FUNCTIONS = 0x20, // function states the VLAN limit disables; the AP mode
    AP_ADMIN_GROUP_ALL = 0x3F,
};
enum {
    AP_ADMIN_TEXT_SIZE = 256,        // login, system name and location buffers
    AP_ADMIN_RANGE_TEXT_SIZE = 512,  // range list of apSysLimitAdministratorGet
    AP_ADMIN_TRAP_TEXT_SIZE = 30,    // trap server of apSysTrapSetting*
    AP_ADMIN_MAX_RANGES = 4,
};

// The library's own layouts behind the administration calls.
struct apAdminLimitRecord {
    int32_t vlanLimit;         // 0/1
    int32_t vlanId;
    int32_t ipLimit;           // 0/1
};
struct apAdminRangeEntry {     // one row of the range table
    int32_t index;             // item number 1-4
    char from[20];             // dotted IPv4
    char to[20];
};
struct apAdminNameRecord {
    char systemName[AP_ADMIN_TEXT_SIZE];
    char location[AP_ADMIN_TEXT_SIZE];
};
struct apAdminTrapRecord {
    int32_t status;
    char server[32];           // dotted IPv4
};
struct apAdminConsoleRecord {
    int32_t status;
    int32_t protocol;
    int32_t timeout;
    int32_t ping;
};
struct apAdminFunctionRecord {
    int32_t vlan;
    int32_t webRedirection;
    int32_t accessProtection;
    int32_t apMode;            // as the device counts it, 1-5
};

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

// Traffic statistics (apStatistic*): group bits for apStyleModify. A new handle reads both
// record kinds; each tab's Refresh selects its own read bit, each Clear its own clear bit.
enum {
    AP_STAT_GROUP_ETHERNET = 0x1,       // Ethernet counters (read)
    AP_STAT_GROUP_ETHERNET_CLEAR = 0x2, // Ethernet clear (write)
    AP_STAT_GROUP_WLAN = 0x4,           // WLAN counters (read)
    AP_STAT_GROUP_WLAN_CLEAR = 0x8,     // WLAN clear (write)
};

// Ethernet counters (216 bytes). Counters are Counter32 values: unsigned, wrapping at 2^32.
struct apStatEthernetRecord {
    uint32_t showZeros;        // 0: in, the caller's clear flag; out, nonzero means show zeros
    uint32_t reserved0[2];
    uint32_t txPackets;        // 12
    uint32_t txBytes;          // 16
    uint32_t txDropped;        // 20
    uint32_t reserved1[4];
    uint32_t rxPackets;        // 40
    uint32_t rxBytes;          // 44
    uint32_t rxDropped;        // 48
    uint32_t reserved2;
    uint32_t rxMulticast;      // 56
    uint32_t rxBroadcast;      // 60
    uint32_t reserved3[4];
    uint32_t length64;         // 80
    uint32_t length65To127;    // 84
    uint32_t length128To255;   // 88
    uint32_t length256To511;   // 92
    uint32_t length512To1023;  // 96
    uint32_t length1024To1518; // 100
    uint32_t length1519ToMax;  // 104
    uint32_t reserved4[27];
};

// WLAN counters (1168 bytes): [0] 2.4 GHz, [1] 5 GHz.
struct apStatWlanRecord {
    uint32_t reserved0;
    uint32_t showZeros;        // 4: as in the Ethernet record
    uint32_t txPackets[2];     // 8
    uint32_t txBytes[2];       // 16
    uint32_t txDropped[2];     // 24
    uint32_t txRetries[2];     // 32
    uint32_t reserved1[2];
    uint32_t rxPackets[2];     // 48
    uint32_t rxBytes[2];       // 56
    uint32_t rxDropped[2];     // 64
    uint32_t rxPhyErrors[2];   // 72
    uint32_t rxMicErrors[2];   // 80
    uint32_t rxDecryptErrors[2]; // 88
    uint32_t rxCrcErrors[2];   // 96
    uint32_t reserved2[266];
};

// WDS peer row (monitor kind 1): every slot of both bands, unused ones with status "empty".
struct apWdsPeerRecord {
    uint32_t band;             // 0: 1 or 2
    uint32_t index;            // 4: peer slot 1-4
    char mac[24];              // 8: 12 upper-case hex digits, "000000000000" when unused
    char authentication[1024]; // 32: "0" without a link
    uint32_t signal;           // 1056: percent, 0 without a link
    char name[1032];           // 1060
    char status[1024];         // 2092: "empty", "connected", "disconnected"
};

// Query of a WDS monitor: the rows as in apMonitorQuery1, then each band's channel and
// frequency text in GHz ("2.437").
struct apWdsQuery {
    uint32_t count;
    void *rows;
    uint32_t channel1;
    char frequency1[1024];
    uint32_t channel2;
    char frequency2[1024];
};

// Intrusion detection (apAdvInstrusion*). Group 0x1 carries the detected access points and the
// current band; every other bit selects the classification column, so a page may pass one bit
// per kind of reclassification (Valid 0x4, Neighborhood 0x8, Rogue 0x10, New 0x20, the same
// times 16 plus the bit for large ones, 0x2 for marking all).
enum {
    AP_INTRUSION_GROUP_LIST = 0x1,
    AP_INTRUSION_GROUP_CLASSES = 0x3FE,
    AP_INTRUSION_GROUP_ALL = 0x3FF,
};
// Classification codes; indexes a request may carry.
enum { AP_INTRUSION_NEW = 1, AP_INTRUSION_VALID = 2, AP_INTRUSION_NEIGHBORHOOD = 3, AP_INTRUSION_ROGUE = 4 };
enum { AP_INTRUSION_MAX_INDEXES = 256 };

// A detected access point (apAdvInstrusionInfoGet).
struct apIntrusionRecord {
    int32_t band;              // 0: 1 = 2.4 GHz, 2 = 5 GHz
    int32_t index;             // 4: the row within its band, the key of a reclassification
    char channel[2304];        // 8: decimal
    char bssid[20];            // 2312: 12 upper-case hex digits
    char bandText[256];        // 2332: "2.4GHz" or "5GHz"
    char ssid[1024];           // 2588
    char lastSeen[1024];       // 3612: "YYYY-MM-DD HH:MM:SS" (the slot ends where type starts)
    char type[256];            // 4636: "New", "Valid", "Neighborhood", "Rogue"
    char status[256];          // 4892: "Online" or "Offline"
};
struct apIntrusionQuery {
    int32_t count;
    apIntrusionRecord *rows;
};
// Rows to reclassify: count indexes of the band's rows.
struct apIntrusionRequest {
    int32_t count;
    int32_t *indexes;
};

// AP array (apAdvAPArray*).
enum {
    AP_ARRAY_GROUP_MEMBERSHIP = 0x1, // enable, role, name, password, scan allowed
    AP_ARRAY_GROUP_SYNC = 0x2,       // synchronization flags
    AP_ARRAY_GROUP_MODE = 0x4,       // the AP mode, for apAdvAPArrayApModeGet
    AP_ARRAY_GROUP_ALL = 0x7,
};
enum { AP_ARRAY_SYNC_COUNT = 33, AP_ARRAY_TEXT_SIZE = 256 };

// Array scan rows (monitor kind 6, through apMonitorQuery2: arrays first, members second).
struct apArrayEntry {
    int32_t index;             // 0
    char name[1024];           // 4
    char masterIp[20];         // 1028
    char mac[20];              // 1048: 12 upper-case hex digits
    int32_t masters;           // 1068
    int32_t backupMasters;     // 1072
    int32_t slaves;            // 1076
    int32_t total;             // 1080
};
struct apArrayMember {
    int32_t index;             // 0
    int32_t role;              // 4: 1 Master, 2 Backup Master, 3 Slave
    char ipAddress[20];        // 8
    char mac[20];              // 28
    char location[1024];       // 48
};

// DHCP server (apAdvDHCP* on an apAdvDHCPOpen handle).
enum {
    AP_DHCP_GROUP_CONTROL = 0x1, // server state and pool type
    AP_DHCP_GROUP_DYNAMIC = 0x2, // the dynamic pool
    AP_DHCP_GROUP_STATIC = 0x4,  // the static (MAC-bound) entries
    AP_DHCP_GROUP_STATUS = 0x8,  // the leading status value
    AP_DHCP_GROUP_ALL = 0xF,
    AP_DHCP_NEW_ENTRY = 0xFFFF,  // index of a static entry that adds a row
};

// Dynamic pool of apAdvDHCPGetSetting and apAdvDHCPDynamicSet.
struct apDhcpDynamicRecord {
    char poolStart[20];        // 0: dotted IPv4
    int32_t poolSize;          // 20: 1-254
    char reserved0[20];        // 24
    char subnetMask[20];       // 44
    char gateway[20];          // 64: "0.0.0.0" for none
    char wins[20];             // 84: "0.0.0.0" for none
    char dns[20];              // 104: "0.0.0.0" for none
    char reserved1[20];        // 124
    char domainName[1024];     // 144
    int32_t leaseTime;         // 1168: seconds, 60-31536000
    char reserved2[4];         // 1172
};

// Static (MAC-bound) entry: an element of the static list, and the record of apAdvDHCPStaticPoolAdd.
struct apDhcpStaticEntry {
    int32_t index;             // 0: read: the row's trbDhcpStaticIndex; add: the list row edited, or AP_DHCP_NEW_ENTRY
    char hostName[1024];       // 4
    char mac[20];              // 1028: 12 hex digits
    char ipAddress[20];        // 1048
    char subnetMask[20];       // 1068
    char gateway[20];          // 1088: "0.0.0.0" for none
    char wins[20];             // 1108
    char dns[20];              // 1128
    char reserved0[20];        // 1148
    char domainName[1024];     // 1168
    char reserved1[4];         // 2192
};

// In/out static list header of apAdvDHCPGetSetting.
struct apDhcpStaticList {
    int32_t count;
    apDhcpStaticEntry *entries;
};

// Leases (monitor kind 5, through apSysMonitorQueryInfor).
struct apDhcpLeaseEntry {
    int32_t index;             // 0
    char hostName[1024];       // 4
    char mac[20];              // 1028: 12 upper-case hex digits
    char ipAddress[20];        // 1048
    char leaseTime[1024];      // 1068: time left, "0 days, 23:59:58"
};
struct apDhcpStaticLeaseEntry {
    int32_t index;             // 0
    char hostName[1024];       // 4
    char mac[20];              // 1028
    char ipAddress[20];        // 1048
};
// The lease view: both counts, then both arrays (the shape of apMonitorQuery2).
struct apDhcpLeaseView {
    uint32_t dynamicCount;
    uint32_t staticCount;
    apDhcpLeaseEntry *dynamicLeases;
    apDhcpStaticLeaseEntry *staticLeases;
};

// QoS (apAdvQos*). Reads select AP_QOS_GROUP_ALL; an added or edited rule goes out with
// AP_QOS_GROUP_RULES, a deletion with AP_QOS_GROUP_REMOVE, the switches with AP_QOS_GROUP_SWITCHES.
enum {
    AP_QOS_GROUP_MODE = 0x1,     // the AP mode the switches depend on (read only)
    AP_QOS_GROUP_SWITCHES = 0x2, // QoS on/off, the HTTP and automatic classifiers
    AP_QOS_GROUP_REMOVE = 0x4,   // rule deletions
    AP_QOS_GROUP_RULES = 0x8,    // the rule table
    AP_QOS_GROUP_SLOTS = 0x10,   // the number of rule slots the device has (read only)
    AP_QOS_GROUP_ALL = 0x1F,
};
enum { AP_QOS_IP_TEXT_SIZE = 256, AP_QOS_NAME_SIZE = 128 };

// One slot of the rule table. An empty name marks an unused slot; the counts are derived from
// the ranges on read and ignored on write.
struct apQosRule {
    int32_t index;          // slot number, from 1
    int32_t enabled;        // 1 = the rule applies
    char name[AP_QOS_NAME_SIZE];
    int32_t priority;       // 0 Voice, 1 Video, 2 Best Effort, 3 Background
    int32_t protocolNumber; // IP protocol; 256 any, 257 TCP and UDP
    int32_t protocol;       // 0 Any, 1 TCP, 2 UDP, 3 Both, 4 ICMP, 5 Other
    char host1Start[AP_QOS_IP_TEXT_SIZE]; // dotted IPv4, "0.0.0.0" = any
    char host1End[AP_QOS_IP_TEXT_SIZE];
    int32_t host1Count;     // last octet of the end minus that of the start, plus 1
    int32_t host1PortStart; // 0 = any
    int32_t host1PortEnd;
    int32_t host1PortCount; // end minus start, plus 1
    char host2Start[AP_QOS_IP_TEXT_SIZE];
    char host2End[AP_QOS_IP_TEXT_SIZE];
    int32_t host2Count;
    int32_t host2PortStart;
    int32_t host2PortEnd;
    int32_t host2PortCount;
};

// In/out header of apAdvQosListGet.
struct apQosRuleList {
    int32_t count;
    apQosRule *rules;
};

// VLANs (apAdvVlan* on an apAdvVlanOpen handle): group bits for apStyleModify. The VLAN page reads
// with 0x3F, re-reads the list with 0x2 and the PVIDs with 0x10.
enum {
    AP_VLAN_GROUP_STATUS = 0x1,   // VLAN function on or off
    AP_VLAN_GROUP_LIST = 0x2,     // the VLANs and their member ports
    AP_VLAN_GROUP_LIMIT = 0x4,    // limit-administrator VLAN and IP limits (the relation's type)
    AP_VLAN_GROUP_APMODE = 0x8,   // the radio's AP mode (the relation's mode texts)
    AP_VLAN_GROUP_PVID = 0x10,    // port VIDs and their automatic assignment
    AP_VLAN_GROUP_MODE = 0x20,    // the VLAN mode
    AP_VLAN_GROUP_ALL = 0x3F,
};
enum {
    AP_VLAN_TEXT_SIZE = 1024,
    AP_VLAN_MAX_VLANS = 18,
    AP_VLAN_PORT_COUNT = 18,      // Mgmt, LAN, Primary, S-1 to S-7, W-1 to W-8
    AP_VLAN_NEW_ROW = 0xFFFF,     // apVlanRecord.index of a VLAN to add
};
// One VLAN: an element of apVlanList and the record apAdvVlanAddVlan takes.
struct apVlanRecord {
    int32_t index;                    // add: the list row (0-based) to replace, or AP_VLAN_NEW_ROW
    int32_t vid;                      // 1-4094
    char name[AP_VLAN_TEXT_SIZE];
    char untagged[AP_VLAN_TEXT_SIZE]; // port names separated by ", "
    char tagged[AP_VLAN_TEXT_SIZE];
    int32_t reserved;
};
struct apVlanList {
    int32_t count;
    apVlanRecord *entries;
};
// What the VLAN function changes elsewhere: the radio's mode texts and the limit-administrator
// type ("disable", "vlanID", "ipaddress", "both"). A set reads only the type.
struct apVlanRelationRecord {
    char apMode24[AP_VLAN_TEXT_SIZE];
    char apMode5[AP_VLAN_TEXT_SIZE];
    char limitType[AP_VLAN_TEXT_SIZE];
    int32_t reserved;
};
// Port VIDs of one band; the arrays are the caller's. Band 1: Primary, S-1 to S-3, W-1 to W-4;
// band 2: S-4 to S-7, W-5 to W-8; both: Mgmt and LAN as the ports.
struct apVlanPvidRecord {
    int32_t autoAssign;
    int32_t portCount;
    int32_t *ports;
    int32_t ssidCount;
    int32_t *ssids;
    int32_t wdsCount;
    int32_t *wds;
    int32_t reserved;
};
// A port-view row (monitor kind 7, through apMonitorQuery1).
struct apVlanPortEntry {
    int32_t index;                    // 0
    char portName[AP_VLAN_TEXT_SIZE]; // 4
    char tagVids[AP_VLAN_TEXT_SIZE];  // 1028
    char untagVids[AP_VLAN_TEXT_SIZE]; // 2052
    char pvid[1028];                  // 3076
};
// The library's own layout behind the PVID calls: the port VIDs in port order.
struct apVlanPvidValues {
    int32_t pvids[AP_VLAN_PORT_COUNT];
    int32_t autoAssign;
};

struct apMonitorQuery1 {
    uint32_t count;
    void *rows;
};
struct apMonitorQuery2 {
    uint32_t count[2];
    void *rows[2];
};

static_assert(sizeof(apScheduleRule) == 6176);
static_assert(offsetof(apScheduleRule, name) == 4);
static_assert(offsetof(apScheduleRule, daysText) == 1028);
static_assert(offsetof(apScheduleRule, days) == 2052);
static_assert(offsetof(apScheduleRule, timeFrame) == 2056);
static_assert(offsetof(apScheduleRule, wirelessOff) == 3080);
static_assert(offsetof(apScheduleRule, ssid) == 3084);
static_assert(offsetof(apScheduleRule, ssidName) == 3088);
static_assert(offsetof(apScheduleRule, enabled) == 4112);
static_assert(offsetof(apScheduleRule, overnight) == 4116);
static_assert(offsetof(apScheduleRule, start) == 4124);
static_assert(offsetof(apScheduleRule, end) == 5148);
static_assert(offsetof(apScheduleRule, allDay) == 6172);
static_assert(offsetof(apScheduleList, modeText[1]) == 1024);
static_assert(offsetof(apScheduleList, count) == 2048);
static_assert(offsetof(apScheduleList, ssidNames) == 2056);
// 18444 bytes where pointers are 4 bytes wide.
static_assert(offsetof(apScheduleList, rules) == 18440);

// TFTP commands (apAdvTFTP* on an apSysCommandTftpOpen handle, which selects every group).
enum {
    AP_TFTP_GROUP_SETTINGS = 0x1, // PC address, file name, direction
    AP_TFTP_GROUP_COMMAND = 0x2,  // the command that acts on the file
    AP_TFTP_GROUP_STATUS = 0x4,   // update status and running firmware version
    AP_TFTP_GROUP_ALL = 0x7,
};
enum { AP_TFTP_STATUS_SIZE = 24, AP_TFTP_VERSION_SIZE = 40, AP_TFTP_FILE_NAME_SIZE = 128 };
enum { AP_TFTP_FROM_PC = 2, AP_TFTP_CONFIG_TO_PC = 3, AP_TFTP_ACL_TO_PC = 5 };
// Device log and e-mail notification (apSysLogSettings* on an apSysLogSettingsOpen handle).
enum {
    AP_LOG_GROUP_SETTINGS = 0x1, // log server, log types, remote-log switch
    AP_LOG_GROUP_EMAIL = 0x2,    // e-mail notification (the password a secret: read with the write community)
    AP_LOG_GROUP_REQUEST = 0x4,  // the log request (PC address, file name) and the clear action
    AP_LOG_GROUP_ALL = 0x7,
};
enum { AP_LOG_ADDRESS_SIZE = 20, AP_LOG_TEXT_SIZE = 256, AP_LOG_SCHEDULE_SIZE = 12 };

struct apLogSettingsRecord {
    char serverAddress[AP_LOG_ADDRESS_SIZE]; // 0: dotted IPv4, "0.0.0.0" for none
    int32_t systemActivity;    // 20: 0/1
    int32_t wirelessActivity;  // 24: 0/1
    int32_t notice;            // 28: 0/1
    int32_t remoteLogEnable;   // 32: 0/1, written only
};

struct apEmailNtfRecord {
    char serverAddress[AP_LOG_ADDRESS_SIZE]; // 0: dotted IPv4
    int32_t authentication;                  // 20: 0/1
    char userName[AP_LOG_TEXT_SIZE];         // 24
    char password[AP_LOG_TEXT_SIZE];         // 280 (secret)
    char schedule[AP_LOG_SCHEDULE_SIZE];     // 536: hours, "0", "0.5" .. "24"
    int32_t smtpPort;                        // 548
    int32_t sslTls;                          // 552: 0/1
    int32_t serverType;                      // 556: 1 Internal, 2 Gmail, 3 Hotmail
    int32_t enable;                          // 560: 0/1
    char fromAddress[AP_LOG_TEXT_SIZE];      // 564
    char toAddress[AP_LOG_TEXT_SIZE];        // 820
};

static_assert(sizeof(apLogSettingsRecord) == 36);
static_assert(offsetof(apLogSettingsRecord, systemActivity) == 20);
static_assert(offsetof(apLogSettingsRecord, wirelessActivity) == 24);
static_assert(offsetof(apLogSettingsRecord, notice) == 28);
static_assert(offsetof(apLogSettingsRecord, remoteLogEnable) == 32);
static_assert(sizeof(apEmailNtfRecord) == 1076);
static_assert(offsetof(apEmailNtfRecord, authentication) == 20);
static_assert(offsetof(apEmailNtfRecord, userName) == 24);
static_assert(offsetof(apEmailNtfRecord, password) == 280);
static_assert(offsetof(apEmailNtfRecord, schedule) == 536);
static_assert(offsetof(apEmailNtfRecord, smtpPort) == 548);
static_assert(offsetof(apEmailNtfRecord, sslTls) == 552);
static_assert(offsetof(apEmailNtfRecord, serverType) == 556);
static_assert(offsetof(apEmailNtfRecord, enable) == 560);
static_assert(offsetof(apEmailNtfRecord, fromAddress) == 564);
static_assert(offsetof(apEmailNtfRecord, toAddress) == 820);

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

static_assert(sizeof(apAdminLimitRecord) == 12);
static_assert(offsetof(apAdminLimitRecord, vlanId) == 4);
static_assert(offsetof(apAdminLimitRecord, ipLimit) == 8);
static_assert(sizeof(apAdminRangeEntry) == 44);
static_assert(offsetof(apAdminRangeEntry, from) == 4);
static_assert(offsetof(apAdminRangeEntry, to) == 24);
static_assert(sizeof(apAdminNameRecord) == 512);
static_assert(offsetof(apAdminNameRecord, location) == 256);
static_assert(sizeof(apAdminTrapRecord) == 36);
static_assert(offsetof(apAdminTrapRecord, server) == 4);
static_assert(sizeof(apAdminConsoleRecord) == 16);
static_assert(offsetof(apAdminConsoleRecord, protocol) == 4);
static_assert(offsetof(apAdminConsoleRecord, timeout) == 8);
static_assert(offsetof(apAdminConsoleRecord, ping) == 12);
static_assert(sizeof(apAdminFunctionRecord) == 16);
static_assert(offsetof(apAdminFunctionRecord, accessProtection) == 8);
static_assert(offsetof(apAdminFunctionRecord, apMode) == 12);

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

static_assert(sizeof(apStatEthernetRecord) == 216);
static_assert(offsetof(apStatEthernetRecord, txPackets) == 12);
static_assert(offsetof(apStatEthernetRecord, txDropped) == 20);
static_assert(offsetof(apStatEthernetRecord, rxPackets) == 40);
static_assert(offsetof(apStatEthernetRecord, rxDropped) == 48);
static_assert(offsetof(apStatEthernetRecord, rxMulticast) == 56);
static_assert(offsetof(apStatEthernetRecord, rxBroadcast) == 60);
static_assert(offsetof(apStatEthernetRecord, length64) == 80);
static_assert(offsetof(apStatEthernetRecord, length1519ToMax) == 104);
static_assert(sizeof(apStatWlanRecord) == 1168);
static_assert(offsetof(apStatWlanRecord, showZeros) == 4);
static_assert(offsetof(apStatWlanRecord, txPackets) == 8);
static_assert(offsetof(apStatWlanRecord, txRetries) == 32);
static_assert(offsetof(apStatWlanRecord, rxPackets) == 48);
static_assert(offsetof(apStatWlanRecord, rxDropped) == 64);
static_assert(offsetof(apStatWlanRecord, rxPhyErrors) == 72);
static_assert(offsetof(apStatWlanRecord, rxMicErrors) == 80);
static_assert(offsetof(apStatWlanRecord, rxDecryptErrors) == 88);
static_assert(offsetof(apStatWlanRecord, rxCrcErrors) == 96);
static_assert(sizeof(apWdsPeerRecord) == 3116);
static_assert(offsetof(apWdsPeerRecord, mac) == 8);
static_assert(offsetof(apWdsPeerRecord, authentication) == 32);
static_assert(offsetof(apWdsPeerRecord, signal) == 1056);
static_assert(offsetof(apWdsPeerRecord, name) == 1060);
static_assert(offsetof(apWdsPeerRecord, status) == 2092);
// The query holds one pointer: 2064 bytes where pointers are 4 bytes wide.
static_assert(offsetof(apWdsQuery, rows) == offsetof(apMonitorQuery1, rows));
static_assert(offsetof(apWdsQuery, channel1) == offsetof(apWdsQuery, rows) + sizeof(void *));
static_assert(offsetof(apWdsQuery, channel2) == offsetof(apWdsQuery, frequency1) + 1024);
static_assert(sizeof(apWdsQuery) == 2056 + 2 * sizeof(void *));
static_assert(sizeof(apIntrusionRecord) == 5148);
static_assert(offsetof(apIntrusionRecord, index) == 4);
static_assert(offsetof(apIntrusionRecord, channel) == 8);
static_assert(offsetof(apIntrusionRecord, bssid) == 2312);
static_assert(offsetof(apIntrusionRecord, bandText) == 2332);
static_assert(offsetof(apIntrusionRecord, ssid) == 2588);
static_assert(offsetof(apIntrusionRecord, lastSeen) == 3612);
static_assert(offsetof(apIntrusionRecord, type) == 4636);
static_assert(offsetof(apIntrusionRecord, status) == 4892);
static_assert(sizeof(apArrayEntry) == 1084);
static_assert(offsetof(apArrayEntry, name) == 4);
static_assert(offsetof(apArrayEntry, masterIp) == 1028);
static_assert(offsetof(apArrayEntry, mac) == 1048);
static_assert(offsetof(apArrayEntry, masters) == 1068);
static_assert(offsetof(apArrayEntry, backupMasters) == 1072);
static_assert(offsetof(apArrayEntry, slaves) == 1076);
static_assert(offsetof(apArrayEntry, total) == 1080);
static_assert(sizeof(apArrayMember) == 1072);
static_assert(offsetof(apArrayMember, role) == 4);
static_assert(offsetof(apArrayMember, ipAddress) == 8);
static_assert(offsetof(apArrayMember, mac) == 28);
static_assert(offsetof(apArrayMember, location) == 48);
static_assert(sizeof(apDhcpDynamicRecord) == 1176);
static_assert(offsetof(apDhcpDynamicRecord, poolSize) == 20);
static_assert(offsetof(apDhcpDynamicRecord, subnetMask) == 44);
static_assert(offsetof(apDhcpDynamicRecord, gateway) == 64);
static_assert(offsetof(apDhcpDynamicRecord, wins) == 84);
static_assert(offsetof(apDhcpDynamicRecord, dns) == 104);
static_assert(offsetof(apDhcpDynamicRecord, domainName) == 144);
static_assert(offsetof(apDhcpDynamicRecord, leaseTime) == 1168);
static_assert(sizeof(apDhcpStaticEntry) == 2196);
static_assert(offsetof(apDhcpStaticEntry, hostName) == 4);
static_assert(offsetof(apDhcpStaticEntry, mac) == 1028);
static_assert(offsetof(apDhcpStaticEntry, ipAddress) == 1048);
static_assert(offsetof(apDhcpStaticEntry, subnetMask) == 1068);
static_assert(offsetof(apDhcpStaticEntry, gateway) == 1088);
static_assert(offsetof(apDhcpStaticEntry, wins) == 1108);
static_assert(offsetof(apDhcpStaticEntry, dns) == 1128);
static_assert(offsetof(apDhcpStaticEntry, domainName) == 1168);
static_assert(offsetof(apDhcpStaticList, entries) == offsetof(apArpList, entries));
static_assert(sizeof(apDhcpLeaseEntry) == 2092);
static_assert(offsetof(apDhcpLeaseEntry, hostName) == 4);
static_assert(offsetof(apDhcpLeaseEntry, mac) == 1028);
static_assert(offsetof(apDhcpLeaseEntry, ipAddress) == 1048);
static_assert(offsetof(apDhcpLeaseEntry, leaseTime) == 1068);
static_assert(sizeof(apDhcpStaticLeaseEntry) == 1068);
static_assert(offsetof(apDhcpStaticLeaseEntry, mac) == 1028);
static_assert(offsetof(apDhcpStaticLeaseEntry, ipAddress) == 1048);
static_assert(offsetof(apDhcpLeaseView, staticCount) == offsetof(apMonitorQuery2, count) + 4);
static_assert(offsetof(apDhcpLeaseView, dynamicLeases) == offsetof(apMonitorQuery2, rows));
static_assert(offsetof(apDhcpLeaseView, staticLeases) == offsetof(apMonitorQuery2, rows) + sizeof(void *));

static_assert(sizeof(apQosRule) == 1204);
static_assert(offsetof(apQosRule, enabled) == 4);
static_assert(offsetof(apQosRule, name) == 8);
static_assert(offsetof(apQosRule, priority) == 136);
static_assert(offsetof(apQosRule, protocolNumber) == 140);
static_assert(offsetof(apQosRule, protocol) == 144);
static_assert(offsetof(apQosRule, host1Start) == 148);
static_assert(offsetof(apQosRule, host1End) == 404);
static_assert(offsetof(apQosRule, host1Count) == 660);
static_assert(offsetof(apQosRule, host1PortStart) == 664);
static_assert(offsetof(apQosRule, host1PortEnd) == 668);
static_assert(offsetof(apQosRule, host1PortCount) == 672);
static_assert(offsetof(apQosRule, host2Start) == 676);
static_assert(offsetof(apQosRule, host2End) == 932);
static_assert(offsetof(apQosRule, host2Count) == 1188);
static_assert(offsetof(apQosRule, host2PortStart) == 1192);
static_assert(offsetof(apQosRule, host2PortEnd) == 1196);
static_assert(offsetof(apQosRule, host2PortCount) == 1200);
static_assert(sizeof(apVlanRecord) == 3084);
static_assert(offsetof(apVlanRecord, vid) == 4);
static_assert(offsetof(apVlanRecord, name) == 8);
static_assert(offsetof(apVlanRecord, untagged) == 1032);
static_assert(offsetof(apVlanRecord, tagged) == 2056);
static_assert(sizeof(apVlanRelationRecord) == 3076);
static_assert(offsetof(apVlanRelationRecord, limitType) == 2048);
static_assert(sizeof(apVlanPortEntry) == 4104);
static_assert(offsetof(apVlanPortEntry, untagVids) == 2052);
static_assert(offsetof(apVlanPortEntry, pvid) == 3076);
static_assert(offsetof(apVlanList, entries) == sizeof(void *));
static_assert(offsetof(apVlanPvidRecord, portCount) == 4);
static_assert(offsetof(apVlanPvidRecord, ssidCount) == offsetof(apVlanPvidRecord, ports) + sizeof(void *));

// MAC filter and WLAN partition (apAdvFilter*, apFilterBand*). Groups: the device's current
// band; the ACL (the selected band, each band's mode and its MAC list); the partition settings
// of each band; the SSID states (read, not used by the page); the per-SSID partition values and
// the band's multi-SSID state.
enum {
    AP_FILTER_GROUP_CURRENT_BAND = 0x1,
    AP_FILTER_GROUP_ACL = 0x2,
    AP_FILTER_GROUP_PARTITION = 0x4,
    AP_FILTER_GROUP_SSID_STATES = 0x8,
    AP_FILTER_GROUP_SSID_PARTITION = 0x10,
    AP_FILTER_GROUP_ALL = 0x1F,
};
enum {
    AP_FILTER_MAC_SIZE = 1024,
    AP_FILTER_MAX_ACL = 256, // MAC entries a band holds
    AP_FILTER_SSIDS = 8,     // primary SSID and seven more
};
// Access-control modes; the device reports AP_FILTER_ACL_UNAVAILABLE while its AP mode has no
// stations to filter (WDS bridge, wireless client).
enum { AP_FILTER_ACL_ACCEPT = 1, AP_FILTER_ACL_REJECT = 2, AP_FILTER_ACL_DISABLE = 3, AP_FILTER_ACL_UNAVAILABLE = 4 };
// Partition mode values: 1 partition applies; 4 not available in wireless-client mode, 5 not
// available in WDS bridge mode.
enum { AP_FILTER_PARTITION_AVAILABLE = 1, AP_FILTER_PARTITION_CLIENT_MODE = 4, AP_FILTER_PARTITION_BRIDGE_MODE = 5 };

// One MAC of an access-control list.
struct apFilterAclEntry {
    int32_t band;                  // 1 or 2
    int32_t index;                 // the row's entry number within its band
    char mac[AP_FILTER_MAC_SIZE];  // 12 hex digits
};

// In/out list header of apAdvFilterACLGet.
struct apFilterAclList {
    int32_t count;
    apFilterAclEntry *entries;
};

// Eight values, one per SSID (primary SSID first).
struct apFilterIntList {
    int32_t count; // AP_FILTER_SSIDS
    int32_t *values;
};

static_assert(sizeof(apFilterAclEntry) == 1032);
static_assert(offsetof(apFilterAclEntry, band) == 0);
static_assert(offsetof(apFilterAclEntry, index) == 4);
static_assert(offsetof(apFilterAclEntry, mac) == 8);
static_assert(offsetof(apFilterAclList, count) == 0);
static_assert(offsetof(apFilterAclList, entries) == sizeof(void *));
static_assert(offsetof(apFilterIntList, count) == 0);
static_assert(offsetof(apFilterIntList, values) == sizeof(void *));
