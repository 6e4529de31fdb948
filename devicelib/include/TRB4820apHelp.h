#pragma once
// The TRB-4820 device library: SNMPv2c access to one access point, with group handles
// whose values are exchanged through fixed-layout records (TRB4820apRecords.h).
// Plain C++ interface; no Qt. Every function may be called from any thread once
// apInitSnmpLibrary has returned.
#include <cstdint>

#include "TRB4820apRecords.h"

extern "C" {

typedef uint32_t APHANDLE; // 0 = none

// Completion of a get or set request: zero or more times with more != 0 (progress text),
// then exactly once with more == 0. In mode 2 it is called on the library's callback thread
// (one thread, reports in the order requests ended; never the I/O thread, so a callback that
// waits for another thread delays only later callbacks). In modes 0 and 4 it is called on the
// caller's own thread just before the request call returns.
// value: 0 on success, else the error code; text: a human-readable report, valid only
// during the call. "Receive at HH:MM:SS." ends the text of every successful report
// ("Get OK. Receive at 12:00:01."); a time-out's text contains "timed out".
typedef int (*apRequestCallback)(uint32_t value, uint32_t more, const char *text, void *context,
                                 uint32_t reserved);

// Completion of a table refresh (apSysMonitorRefresh), with the same rules. reserved1 carries
// the result code (0 = the table was read). When more == 0, apSysMonitorQueryInfor may be called
// (on any thread) to take the rows; after a failed refresh the table is empty.
typedef int (*apMonitorCallback)(APHANDLE monitor, uint32_t more, uint32_t reserved1, void *context,
                                 uint32_t reserved2);

// Request modes.
enum {
    AP_MODE_WAIT = 0,      // return when done; the fifth argument, when nonzero, is the time-out in ms
    AP_MODE_CALLBACK = 2,  // return at once; the callback reports completion
    AP_MODE_BLOCKING = 4,  // return when done
};

// Result codes (0 = success).
enum {
    AP_OK = 0,
    AP_ERR_NOT_INITIALISED = 1,
    AP_ERR_BAD_HANDLE = 2,
    AP_ERR_BAD_ARGUMENT = 3,
    AP_ERR_TIMEOUT = 4,        // text contains "timed out"
    AP_ERR_SEND = 5,           // the request could not be sent (unknown host, socket error)
    AP_ERR_SHUTDOWN = 6,       // the library shut down, or the session was closed or reconfigured,
                               // with the request in flight
    AP_ERR_BAD_RESPONSE = 7,   // the agent answered with something unusable
    AP_ERR_NOT_WRITABLE = 8,   // nothing staged for a set, or the group is read-only
    AP_ERR_BAD_TYPE = 9,       // the agent answered a value whose type is not the object's; the
                               // report's text names the first such object, and the handle keeps
                               // its previous values of the objects concerned
    AP_ERR_SNMP_STATUS = 1000, // + SNMP error-status of the response (noSuchName 2, badValue 3 ...)
};

// Call apInitSnmpLibrary from main before any other thread starts: Net-SNMP is initialised
// there, once (it also sets MIBS to "" when unset: no MIB files are read). It starts the I/O
// thread and the callback thread; calling it again while running does nothing.
// apUninitSnmpLibrary completes every request in flight with AP_ERR_SHUTDOWN (delivering those
// reports before it returns), stops both threads and frees every handle. Not from a callback.
int apInitSnmpLibrary(void);
int apUninitSnmpLibrary(void);

// Session: opened once, then configured. `address` is "host" or "host:port"; a port in the
// address overrides `port`. timeout is in units of 10 ms (150 = 1.5 s) per try; retries after the
// first try. The host name is resolved here: an unknown host gives AP_ERR_SEND at once.
APHANDLE apSnmpOpenSession(int version, const char *name);
int apSnmpSetSession(APHANDLE session, int port, const char *readCommunity,
                     const char *writeCommunity, int timeout, const char *address, int retries);

// A request in flight on a closed group handle still reports once, but writes none of the
// handle's caller buffers any more: they may be freed once this returns. Closing a session ends
// its requests in flight with AP_ERR_SHUTDOWN.
int apHandleClose(APHANDLE handle);

// Selects which groups of the handle's family the next request carries (bits per family,
// TRB4820apRecords.h). forWrite: 0 before a read, 1 before a write; one mask serves both.
// Unknown bits or an empty mask: AP_ERR_BAD_ARGUMENT, mask unchanged.
int apStyleModify(APHANDLE handle, uint32_t groupMask, int forWrite);

// timeoutMs: when nonzero, the whole request's time-out (spread over the tries); else the
// session's (for a set after apSysCommand: the command's wait). Errors found before sending
// (bad handle, bad mode, nothing staged) are returned and not reported through the callback.
int apSnmpSendGetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs);
// Sends the values staged by the last Set call whose groups are selected, once: they are
// dropped when the request starts. Nothing staged: AP_ERR_NOT_WRITABLE.
int apSnmpSendSetRequest(APHANDLE handle, apRequestCallback callback, void *context, int mode,
                         uint32_t timeoutMs);

// Writes the code's text (at most 255 characters and a NUL) into buffer[256].
int apSnmpGetErrorMsg(int code, char *buffer);

// Device tables. kind selects the table set (0 clients, ...), selector the table within it.
// Kinds: 0 clients (selector 1, apClientRecord rows of both bands); 1 WDS peers (selector 1,
// apWdsPeerRecord rows of both bands, queried with an apWdsQuery); 3 client site survey
// (apClientSurveyRecord), 4 WDS site survey (apWdsSurveyRecord), both scanning when refreshed,
// selector = band; 8 the client MAC list for MAC clone (apClientMacRecord; selector 1 or 2, not
// used); 2 intrusion detection (apIntrusionRecord, detecting when refreshed, selector = band; the
// intrusion handle then reads the result); 6 AP array scan (apMonitorQuery2: apArrayEntry rows,
// then apArrayMember rows; selector 1); 7 the VLAN port view (apVlanPortEntry, selector 3). Other kinds give 0. A scan the device refuses (surveys blocked, a read-only write
// community) completes with AP_ERR_SNMP_STATUS + its status and leaves the table empty.
APHANDLE apSysMonitorOpen(APHANDLE session, int kind, int reserved);
int apSysMonitorRefresh(APHANDLE monitor, int selector, apMonitorCallback callback, void *context,
                        int mode);
// query points at an apMonitorQuery1, apMonitorQuery2 or apWdsQuery (by kind). With null row pointers it
// fills the counts; with buffers of count x row size it fills the rows (at most count each) and
// sets each count to the rows written.
int apSysMonitorQueryInfor(APHANDLE monitor, void *query);

// Device information (group 0) and LAN settings (group 2), selected by the record's first word.
// A new handle selects group 0x1. Get fills the bound fields of the layout the first word
// names (words 0 and 1 and unbound bytes are left as they are); Set stages the writable ones
// and refuses the whole record (AP_ERR_BAD_ARGUMENT, nothing staged) if one is not valid.
// The LAN gateway reads "N/A" for 0.0.0.0; "" or "N/A" writes 0.0.0.0.
APHANDLE apSysDeviceInforOpen(APHANDLE session, int reserved);
int apSysDeviceGetInfor(APHANDLE handle, void *record);
int apSysDeviceSetInfor(APHANDLE handle, const void *record);

// Device commands: 0 restart, 1 factory defaults, 2 save and activate, 3 discard changes,
// 4 clear language pack. Stages the command for the next set request; wait is its time-out in ms.
// Another command number: AP_ERR_BAD_ARGUMENT, nothing staged.
APHANDLE apSysCommandObjOpen(APHANDLE session, int reserved);
int apSysCommand(APHANDLE handle, int command, int wait);

// Front-panel status. clientCount is always 0: the agent has no count object, and walking the
// client table on every poll is not worth it.
APHANDLE apDeviceStatusOpen(APHANDLE session, int reserved);
int apAdvPaneStatusGet(APHANDLE handle, void *record);

// ARP spoofing prevention: the state (0 disabled, 1 enabled) and up to eight gateway pairs.
// The list is read in two calls: entries null gives the count, then count entries are filled
// (count is set to the entries written). Add picks a free row index and creates the row with
// the next set request; Edit replaces the pair in a row of the last read (rows counted from 0,
// in index order); Del removes the row holding that pair. Each stages for the next set request
// and returns AP_ERR_BAD_ARGUMENT, with nothing staged, for a bad address, a MAC that is not
// 12 hex digits, a row or pair the last read does not have. A device whose list is full refuses
// the set: its completion reports AP_ERR_SNMP_STATUS + 13 (resourceUnavailable).
APHANDLE apAdvARPOpen(APHANDLE session, int reserved);
int apAdvARPGetParam(APHANDLE handle, int *state);
int apAdvARPSetParam(APHANDLE handle, int state);
int apAdvARPGetList(APHANDLE handle, apArpList *list);
int apAdvARPAdd(APHANDLE handle, const char *ipAddress, const char *macAddress);
int apAdvARPEdit(APHANDLE handle, int row, const char *ipAddress, const char *macAddress);
int apAdvARPDel(APHANDLE handle, const char *ipAddress, const char *macAddress);

// DHCP server. GetSetting fills whatever is not null: status is the leading status value (below
// 4 the server may be switched; 4 or more while the device takes its own address by DHCP, when
// it refuses a change of the state with AP_ERR_SNMP_STATUS + 12, inconsistentValue), the server
// state (0/1) and pool type (0 none, 1 dynamic, 2 static), the dynamic pool, and the static list
// in two calls (entries null gives the count, then count entries are filled and count set to
// the entries written). ServerControl, DynamicSet, StaticPoolAdd and StaticPoolDelete stage for
// the next set request; AP_ERR_BAD_ARGUMENT, with nothing staged, for a value the record cannot
// carry (a bad address, a MAC that is not 12 hex digits, a row the last read does not have).
// StaticPoolAdd adds a row when the entry's index is AP_DHCP_NEW_ENTRY, else replaces the entry
// at that list row (rows counted from 0, in index order); Delete removes the entry at a list row.
// The device refuses a static IP or MAC another entry holds (AP_ERR_SNMP_STATUS + 12) and a
// full list (+ 13, resourceUnavailable). The leases are read through apSysMonitorOpen(session, 5, 0)
// with selector 3, into an apDhcpLeaseView.
APHANDLE apAdvDHCPOpen(APHANDLE session, int reserved);
int apAdvDHCPGetSetting(APHANDLE handle, int *status, int *serverState, int *poolType, apDhcpDynamicRecord *dynamicPool,
                        apDhcpStaticList *staticList);
int apAdvDHCPServerControl(APHANDLE handle, int serverState, int poolType);
int apAdvDHCPDynamicSet(APHANDLE handle, const apDhcpDynamicRecord *dynamicPool);
int apAdvDHCPStaticPoolAdd(APHANDLE handle, const apDhcpStaticEntry *entry);
int apAdvDHCPStaticPoolDelete(APHANDLE handle, int row);
// QoS: the switches (QoS, HTTP and automatic classifiers, each 0/1) and the rule table.
// ParaGet's mode is the device's AP mode (1 Access Point .. 5 AP Repeater); in modes 4 and 5
// (wireless client, repeater) QoS does not apply. ListGet: rules null gives the number of slots
// (count, always the device's full table), then fills count slots: used rules first in index order,
// then the free slots with their index and an empty name. RuleEdit stages the rule at rule->index:
// a rule of the last read is replaced; with reedit 0 a free slot gets a new rule (created with the
// next set; the device refuses it, AP_ERR_SNMP_STATUS + 12 (inconsistentValue), when another
// manager has taken the slot meanwhile, so no rule is ever overwritten by an add). RuleDel removes
// the rule with that index. Bad values (a range not in one /24 or reversed, ports reversed), an
// index the last read does not have (RuleDel, RuleEdit with reedit 1) or one out of the table:
// AP_ERR_BAD_ARGUMENT, nothing staged.
APHANDLE apAdvQosOpen(APHANDLE session, int reserved);
int apAdvQosParaGet(APHANDLE handle, int *enable, int *http, int *automatic, int *mode);
int apAdvQosParaSet(APHANDLE handle, int enable, int http, int automatic);
int apAdvQosListGet(APHANDLE handle, apQosRuleList *list);
int apAdvQosRuleEdit(APHANDLE handle, const apQosRule *rule, int reedit);
int apAdvQosRuleDel(APHANDLE handle, int index);

// Traffic statistics. apStatisticInfor fills the counters of the last read into whichever
// record is given (at least one); each record's flag word is left as the caller set it.
// apStatisticInforClear stages a clear of tab 0 (Ethernet, group 2) or 1 (WLAN, group 8) for
// the next set request; another tab: AP_ERR_BAD_ARGUMENT, nothing staged.
APHANDLE apStatisticOpen(APHANDLE session, int reserved);
int apStatisticInfor(APHANDLE handle, apStatWlanRecord *wlan, apStatEthernetRecord *ethernet);
int apStatisticInforClear(APHANDLE handle, int tab);

// Administration settings. Login: name and password in buffers of AP_ADMIN_TEXT_SIZE bytes.
// The password is a secret: reading it goes out with the write community.
APHANDLE apSysAdministratorOpen(APHANDLE session, int reserved);
int apSysLoginGet(APHANDLE handle, char *loginName, char *password);
int apSysLoginSet(APHANDLE handle, const char *loginName, const char *password);
// The rest of the page reads AP_ADMIN_GROUP_ALL. Get calls read the handle's last values (zeros
// and "" for what it did not carry); Set calls check their arguments (AP_ERR_BAD_ARGUMENT,
// nothing staged) and stage for the next set request.
// Function states 0/1 (VLAN, web redirection, network access protection) and the AP mode
// (0 Access Point .. 4 AP Repeater).
int apSysLimitAdminFunctionStatusGet(APHANDLE handle, int *vlan, int *webRedirection, int *accessProtection,
                                     int *mode);
// ranges: AP_ADMIN_RANGE_TEXT_SIZE bytes, four "from to" pairs separated by single blanks, a pair
// at each item number 1-4 ("0.0.0.0 0.0.0.0" where there is no range); rangeCount (may be null):
// the ranges there are.
int apSysLimitAdministratorGet(APHANDLE handle, int *vlanLimit, int *vlanId, int *ipLimit, char *ranges,
                               int *rangeCount);
int apSysLimitAdministratorSet(APHANDLE handle, int vlanLimit, int vlanId, int ipLimit, int reserved);
// Add takes the lowest free item number (AP_ERR_BAD_ARGUMENT when all four are taken, or for a
// range whose addresses are bad, reversed or in different /24 networks); Delete removes the range
// with that item number as the last read has it.
int apSysLimitAdministratorAdd(APHANDLE handle, const char *from, const char *to);
int apSysLimitAdministratorDelete(APHANDLE handle, int item);
// name and location: AP_ADMIN_TEXT_SIZE bytes each.
int apSysNameSettingGet(APHANDLE handle, char *name, char *location);
int apSysNameSettingSet(APHANDLE handle, const char *name, const char *location);
// server: AP_ADMIN_TRAP_TEXT_SIZE bytes, dotted IPv4 ("0.0.0.0" for none).
int apSysTrapSettingGet(APHANDLE handle, int *status, char *server);
int apSysTrapSettingSet(APHANDLE handle, int status, const char *server);
// Console status 0/1, protocol (0 Telnet, 1 SSH), time-out index (0 1 min, 1 3, 2 5, 3 10,
// 4 15 min, 5 never) and whether the device answers ping (0/1).
int apSysConsolSettingGet(APHANDLE handle, int *status, int *protocol, int *timeout, int *ping);
int apSysConsolSettingSet(APHANDLE handle, int status, int protocol, int timeout, int ping);

// Time and date. ntpServer holds AP_TIME_SERVER_SIZE bytes, the other texts AP_TIME_TEXT_SIZE.
// currentTime is the device's clock, "YYYY-MM-DD HH:MM:SS"; dstOffset 0-7 stands for -2:00, -1:30,
// -1:00, -0:30, +0:30, +1:00, +1:30, +2:00; dstDates is "Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am"
// (start month, week, day, hour, then the end's); timeZone 1-75. reserved (may be null) reads "".
// Set: an empty server writes 0.0.0.0. manualTime "MM-DD-YYYY HH:MM:SS" sets the clock, but only
// with NTP disabled (a device on a time server keeps its time) and not when empty. A bad value
// of any argument: AP_ERR_BAD_ARGUMENT, nothing staged.
APHANDLE apSysTimeConfigOpen(APHANDLE session, int reserved);
int apSysTimeConfigGet(APHANDLE handle, int *ntpEnable, char *ntpServer, char *currentTime, int *dstEnable,
                       int *dstOffset, char *dstDates, int *timeZone, char *reserved);
int apSysTimeConfigSet(APHANDLE handle, int ntpEnable, const char *ntpServer, const char *manualTime,
                       int dstEnable, int dstOffset, const char *dstDates, int timeZone);

// Wireless settings of the one radio. The TRB-4820 has one radio: the band count is 1, the radio
// serves the current band, and the AP mode is the radio's (the same for either band number).
// band: 1 = 2.4 GHz, 2 = 5 GHz; ssid: 0 primary, 1-7 additional. Text buffers hold
// AP_WL_TEXT_SIZE bytes. Get calls read the handle's last values (zeros and "" for what the last
// read did not carry); Set calls check their arguments (AP_ERR_BAD_ARGUMENT, nothing staged)
// and stage for the next set request. The *Count and GetCurBand calls return their value.
APHANDLE apWirelessOpen(APHANDLE session, int reserved);
int apWirelessGetCurBand(APHANDLE handle);
int apWirelessSetCurBand(APHANDLE handle, int band);
int apWirelessGetBandCount(APHANDLE handle);
int apWirelessMultiSSIDCount(APHANDLE handle, int band);     // additional SSIDs of the band (7)
// mode: 0 Access Point, 1 WDS with AP, 2 WDS, 3 Wireless Client, 4 AP Repeater;
// surveyBlocked (may be null): nonzero when the device refuses site surveys.
int apWirelessGetApMode(APHANDLE handle, int band, int reserved, int *mode, int *surveyBlocked);
int apWirelessSetApMode(APHANDLE handle, int band, int reserved, int mode);
// Returns the SSID's encryption code (0 None ... 10 802.1x), or a negative error code. With a
// record, fills the whole block its `block` points at (apSecurityBlock). Set takes the section
// of `type` at record->block: apWepSection (1-3), apWpaPersonalSection (4), apEnterpriseSection
// (5, 6; for 6, keyInterval is the 802.1x key update interval).
int apWirelessGetSecurity(APHANDLE handle, int band, int ssid, int *type, apSecurityRecord *record);
int apWirelessSetSecurity(APHANDLE handle, int band, int ssid, int type, const apSecurityRecord *record);
int apWirelessGetPerformance(APHANDLE handle, int band, int reserved, apPerformanceRecord *record);
int apWirelessSetPerformance(APHANDLE handle, int band, int reserved, const apPerformanceRecord *record);
// Blank-separated lists; a null buffer is skipped. channels: Access Point and Wireless Client;
// wdsChannels: WDS modes ("" when the same).
int apWirelessGetList(APHANDLE handle, int band, char *channels, char *wdsChannels, char *rates,
                      char *multicastRates, void *reserved1, void *reserved2);
int apWirelessGetSSID(APHANDLE handle, int band, int ssid, char *text, int *length, int *visible);
int apWirelessSetSSID(APHANDLE handle, int band, int ssid, const char *text, int length, int visible);
// width: 1 20 MHz, 2 Auto 20/40 MHz.
int apWirelessGetChannel(APHANDLE handle, int band, int reserved, int *channel, int *autoChannel, int *width);
int apWirelessSetChannel(APHANDLE handle, int band, int reserved, int channel, int autoChannel, int width);
// Four peers, 12 hex digits each, blank-separated; "000000000000" is an empty slot.
int apWirelessGetWDSList(APHANDLE handle, int band, int reserved, int *count, char *text);
int apWirelessSetWDSList(APHANDLE handle, int band, int reserved, int count, const char *text);
// source: 1 Auto, 2 Manual; mac: 12 hex digits in 20 bytes.
int apWirelessGetMacClone(APHANDLE handle, int band, int *enable, int *source, char *mac, int reserved);
int apWirelessSetMacClone(APHANDLE handle, int band, int enable, int source, const char *mac);
int apWirelessGetMultiSSID(APHANDLE handle, int band, int *enabled, int *priorityEnabled, int reserved);
int apWirelessSetMultiSSID(APHANDLE handle, int band, int enabled, int priorityEnabled, int reserved);
int apWirelessGetMssIndividualState(APHANDLE handle, int band, int ssid, int *state);
int apWirelessSetMssIndividualState(APHANDLE handle, int band, int ssid, int state);
int apWirelessGetMultiParamiter(APHANDLE handle, int band, int ssid, int *wmm, int *priority);
int apWirelessSetMultiParamiter(APHANDLE handle, int band, int ssid, int wmm, int priority);
// Device-wide function states (band is not used); fourth is reserved and reads 0.
int apWirelessGetFunctionState(APHANDLE handle, int band, int *vlan, int *apArray, int *webRedirection,
                               int *fourth);
// country: two letters ("JP", "EG" ...); application: 1 indoor, 2 the 5 GHz outdoor class.
// Set takes the page's drop-down index (0 indoor, 1 outdoor); a negative index stages nothing.
int apWirelessGetApplication(APHANDLE handle, char *country, int *application);
int apWirelessSetApplication(APHANDLE handle, int band, int applicationIndex, int reserved);
// codes[8]: encryption code of the primary SSID and SSID 1-7.
int apWirelessGetMultiSsidAuthentication(APHANDLE handle, int *codes, int band);
int apWirelessSetMultiSsidAuthentication(APHANDLE handle, const apMultiSsidAuthReset *record, int band);

// Intrusion detection. InfoGet reads the detected access points of the last read in two calls
// (rows null: the count); with `band` non-null it also reports the device's current band
// there. InfoAdd stages `code` (AP_INTRUSION_*) for the rows of `band` whose indexes the request
// names; MarlAll stages `code` for the band's entries that are still New (scope 0) or for all of
// them (scope 1). Both refuse, with nothing staged, a bad band or code, more than
// AP_INTRUSION_MAX_INDEXES indexes, or an index the last read does not have.
APHANDLE apAdvInstrusionOpen(APHANDLE session, int reserved);
int apAdvInstrusionInfoGet(APHANDLE handle, int *band, apIntrusionQuery *query);
int apAdvInstrusionInfoAdd(APHANDLE handle, int band, const apIntrusionRequest *request, int code);
int apAdvInstrusionInfoMarlAll(APHANDLE handle, int band, int scope, int code);

// AP array. role: 1 Master, 2 Backup Master, 3 Slave; name and password at most 32 characters
// (buffers of AP_ARRAY_TEXT_SIZE). The password is a secret: reading it goes out with the write
// community. flags: AP_ARRAY_SYNC_COUNT words, 0 or 1. ApModeGet gives the radio's AP mode (0
// Access Point ... 4 AP Repeater) for either band. Set calls refuse bad values with nothing staged.
APHANDLE apAdvAPArrayOpen(APHANDLE session, int reserved);
int apAdvAPArrayGet(APHANDLE handle, int *enable, int *role, int *scanAllowed, char *name, char *password);
int apAdvAPArraySet(APHANDLE handle, int enable, int role, const char *name, const char *password);
int apAdvAPArrayParamatersGet(APHANDLE handle, int *flags);
int apAdvAPArrayParamatersSet(APHANDLE handle, const int *flags);
int apAdvAPArrayApModeGet(APHANDLE handle, int band, int *mode);

// VLANs. GetVlanList: with null entries the count, else at most count records. AddVlan: index
// AP_VLAN_NEW_ROW adds a VLAN, a list row replaces that VLAN; member names must be port names
// (Mgmt, LAN, Primary, S-1..S-7, W-1..W-8), each in one list at most, SSIDs never tagged.
// SetPVID band 0 with autoAssign 1 switches automatic assignment on; bands 1 and 2 set the
// band's ports (values 1-4094) with assignment off.
APHANDLE apAdvVlanOpen(APHANDLE session, int reserved);
int apAdvVlanVlanGetParameter(APHANDLE handle, int *status, int *mode);
int apAdvVlanVlanSetParameter(APHANDLE handle, int status, int reserved);
int apAdvVlanGetRelationParam(APHANDLE handle, apVlanRelationRecord *relation);
int apAdvVlanSetRelationParam(APHANDLE handle, const apVlanRelationRecord *relation);
int apAdvVlanGetVlanList(APHANDLE handle, apVlanList *list);
int apAdvVlanAddVlan(APHANDLE handle, apVlanRecord record);
int apAdvVlanDelVlan(APHANDLE handle, int row);
int apAdvVlanGetPVID(APHANDLE handle, int band, apVlanPvidRecord *record);
int apAdvVlanSetPVID(APHANDLE handle, int band, apVlanPvidRecord record);
// Wireless schedule: the switch and at most one rule per SSID (AP_SCHEDULE_MAX_RULES). List reads
// the last read in two calls: rules null gives the count, then count rules are filled (count is
// set to the rules written); it also gives the radio's mode text per band ("INVALID NODE" for the
// band the one radio does not serve) and the SSID names. Add creates a rule at a free index, Edit
// replaces the rule with that rule index, Delete removes the rule of that SSID; each refuses, with
// nothing staged (AP_ERR_BAD_ARGUMENT), a bad name, days, SSID or time frame (the end after the
// start, before it with overnight; "allday" for an all-day rule), a rule the last read does not
// have, or a second rule for one SSID. SetState stages the switch and, with a list, the enabled
// flag of the first count rules of the last read, in rule order.
APHANDLE apAdvScheduleListOpen(APHANDLE session, int reserved);
int apAdvScheduleList(APHANDLE handle, apScheduleParameters *parameters, apScheduleList *list);
int apAdvScheduleAdd(APHANDLE handle, apScheduleRule rule, int ssid);
int apAdvScheduleEdit(APHANDLE handle, apScheduleRule rule, int ruleIndex);
int apAdvScheduleDelete(APHANDLE handle, int ssid);
int apAdvScheduleSetState(APHANDLE handle, int enabled, const apScheduleList *list);

// TFTP commands: tell the device which file to fetch from or store to the PC, then what to do
// with it. Settings and a command staged on one handle travel in one set request, settings
// first; a command may also go alone in a later one. pcAddress is dotted IPv4 ("" writes
// 0.0.0.0), fileName at most AP_TFTP_FILE_NAME_SIZE - 1 bytes, direction AP_TFTP_FROM_PC,
// AP_TFTP_CONFIG_TO_PC or AP_TFTP_ACL_TO_PC; command 1 apply image or language pack, 2 send the
// configuration file, 3 apply the configuration file, 4 finish, 7 apply certificate, 8 apply key,
// 9 apply ACL file. A bad argument: AP_ERR_BAD_ARGUMENT, nothing staged. GetUpdStatus and
// GetFWversion copy what the last read holds into the buffer (AP_TFTP_STATUS_SIZE and
// AP_TFTP_VERSION_SIZE bytes, always NUL-terminated) and have the next get request on the handle
// fill it again when it completes: the buffer must stay valid until then, or until the handle is
// closed (the same call naming another buffer replaces it for the requests sent after).
APHANDLE apSysCommandTftpOpen(APHANDLE session, int reserved);
int apAdvTFTPSettings(APHANDLE handle, const char *pcAddress, const char *fileName, int direction);
int apAdvTFTPUpgradeCmd(APHANDLE handle, int reserved, int command);
int apAdvTftpGetUpdStatus(APHANDLE handle, char *status);
int apAdvTftpGetFWversion(APHANDLE handle, char *version);
// MAC filter and WLAN partition, per band (1 = 2.4 GHz, 2 = 5 GHz). A new handle selects
// AP_FILTER_GROUP_ALL. BandGet gives the band the radio serves (0 when not read); BandSet stages
// the band the device's ACL file transfers act on. ACLGet gives the band's mode (1 Accept,
// 2 Reject, 3 Disable, 4 unavailable in the present AP mode) and its MAC list in two calls
// (entries null gives the count, then count entries are filled, count set to the entries
// written); only entries of that band are listed, in entry order, MAC as 12 upper-case hex
// digits. ACLSet stages a mode 1-3; ACLAdd stages a new row for the entry's MAC (12 hex digits,
// ':' or '-' separators allowed; a station's address, not multicast nor all zeros) at the
// lowest free entry number of the band; ACLDetete (the name as the
// module calls it) stages the removal of the band's row holding that MAC. A band holds at most
// AP_FILTER_MAX_ACL MACs: a full band (in the last read) or a MAC it already holds gives
// AP_ERR_BAD_ARGUMENT, as does a bad argument, with nothing staged; the device itself refuses
// (AP_ERR_SNMP_STATUS + 12, inconsistentValue) an address or entry number that another manager
// added meanwhile. PartitionGet fills whatever is not null: link integrity and Ethernet-to-WLAN
// access (0/1), the partition mode value (AP_FILTER_PARTITION_*), the band's multi-SSID state
// (0/1) and the eight partition values (0 enable, 1 disable, 2 guest mode). SsidStateGet fills
// the eight SSID states (0/1). PartitionSet stages the band's partition settings.
APHANDLE apAdvFilterOpen(APHANDLE session, int reserved);
int apFilterBandGet(APHANDLE handle, int *band);
int apFilterBandSet(APHANDLE handle, int band);
int apAdvFilterACLGet(APHANDLE handle, int band, int *mode, apFilterAclList *list);
int apAdvFilterACLSet(APHANDLE handle, int band, int mode);
int apAdvFilterACLAdd(APHANDLE handle, int band, int reserved, const apFilterAclEntry *entry);
int apAdvFilterACLDetete(APHANDLE handle, int band, const apFilterAclEntry *entry);
int apAdvFilterWLANPartitionGet(APHANDLE handle, int band, int *linkIntegrity, int *ethernetToWlan, int *mode,
                                int *multiSsidState, apFilterIntList *partition);
int apAdvFilterWLANSssidStateGet(APHANDLE handle, int band, apFilterIntList *states);
int apAdvFilterWLANPartitionSet(APHANDLE handle, int band, int linkIntegrity, int ethernetToWlan,
                                const apFilterIntList *partition);
// Device log. The handle reads AP_LOG_GROUP_ALL. GetLog stages the request that the device send
// its log by TFTP to the PC address (an empty one is sent as 0.0.0.0, which the device refuses
// to use) under fileName; ClearLog stages the emptying of the log. ParaGet: the log server
// (AP_LOG_ADDRESS_SIZE bytes, "0.0.0.0" for none) and the three log types (0/1); ParaSet also
// writes the remote-log switch. EmailNtfGet fills the record from the last read (reserved, may
// be null, reads ""); EmailNtfSet stages the record with serverType (1-3) in place of the
// record's own. Set calls check their arguments: a bad address, a text too long for the device
// or a value out of range gives AP_ERR_BAD_ARGUMENT with nothing staged.
APHANDLE apSysLogSettingsOpen(APHANDLE session, int reserved);
int apSysLogSettingsGetLog(APHANDLE handle, const char *pcAddress, const char *fileName);
int apSysLogSettingsClearLog(APHANDLE handle);
int apSysLogSettingsParaGet(APHANDLE handle, char *serverAddress, int *systemActivity, int *wirelessActivity,
                            int *notice);
int apSysLogSettingsParaSet(APHANDLE handle, const char *serverAddress, int systemActivity, int wirelessActivity,
                            int notice, int remoteLogEnable);
int apSysLogSettingsEmailNtfGet(APHANDLE handle, char *reserved, apEmailNtfRecord *record);
int apSysLogSettingsEmailNtfSet(APHANDLE handle, int serverType, const apEmailNtfRecord *record);

} // extern "C"
