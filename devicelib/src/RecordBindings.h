#pragma once
// Which schema object fills which slot of which record, and how its value is converted.
#include <cstdint>
#include <span>
#include <vector>

#include "ObjectSchema.h"
#include "SnmpValue.h"

namespace trb::devicelib {

enum class Family : uint8_t { Session, DeviceInfo, Command, PaneStatus, Monitor, Arp, Admin, Wireless,
                              Statistics, Intrusion, ApArray, Time, Dhcp, Qos, Vlan, Schedule, TftpCommand,
                              Filter, Log };

enum class Conversion : uint8_t {
    Text,         // DisplayString, bounded and NUL-terminated
    EnumLabel,    // enumerated INTEGER as its label ("on", "band2dot4gHz")
    Integer32,    // INTEGER / Gauge / Counter32 as a little-endian 32-bit word
    IpText,       // IpAddress as dotted decimal
    GatewayText,  // IpAddress, 0.0.0.0 shown as "N/A"; "" or "N/A" written as 0.0.0.0
    MacHex,       // six octets as 12 upper-case hex digits
    UpTimeText,   // TimeTicks as "2 days, 03:04:05"
    BandFromZero, // band enumeration 1/2 as word 0/1
    OneMeansTrue, // enumeration whose value 1 means up/on: word 1, else 0
    DecimalText,  // INTEGER as its decimal text
};

// Record layouts that a family's Get and Set calls exchange.
enum RecordLayout : uint32_t {
    LayoutDeviceInfo = 0, // apDeviceInfoRecord (device-information family, record group 0)
    LayoutLanSettings = 2, // apLanSettingsRecord (record group 2)
    LayoutPaneStatus = 10, // apPaneStatusRecord
    LayoutClientRow = 20,  // apClientRecord, one table row
    LayoutArpEntry = 21,   // apArpEntry, one table row
    LayoutWireless = 30,   // wireless values, exchanged by object and instance (WirelessValues)
    LayoutClientSurveyRow = 22, // apClientSurveyRecord
    LayoutWdsSurveyRow = 23,    // apWdsSurveyRecord
    LayoutClientMacRow = 24,    // apClientMacRecord
    LayoutStatEthernet = 40,    // apStatEthernetRecord
    LayoutStatWlan = 41,        // apStatWlanRecord
    LayoutWdsPeerRow = 42,      // apWdsPeerRecord, one table row
    LayoutWdsQueryBands = 43,   // the band half of apWdsQuery (channel, frequency)
    LayoutIntrusionRow = 50,    // apIntrusionRecord, the columns the record codec fills
    LayoutIntrusionValues = 51, // the detected-AP columns the intrusion family renders as text
    LayoutApArray = 52,         // AP array values, exchanged by object
    LayoutArrayFoundRow = 53,   // apArrayEntry
    LayoutArrayMemberRow = 54,  // apArrayMember
    LayoutAdminLimit = 60,     // apAdminLimitRecord
    LayoutAdminRange = 61,     // apAdminRangeEntry, one table row
    LayoutAdminName = 62,      // apAdminNameRecord
    LayoutAdminTrap = 63,      // apAdminTrapRecord
    LayoutAdminConsole = 64,   // apAdminConsoleRecord
    LayoutAdminFunctions = 65, // apAdminFunctionRecord
    LayoutTimeConfig = 70,      // the values of apSysTimeConfigGet (TimeFamily.cpp)
    LayoutDhcpControl = 80,     // apDhcpControlRecord (DhcpFamily.cpp)
    LayoutDhcpDynamic = 81,     // apDhcpDynamicRecord
    LayoutDhcpStatic = 82,      // apDhcpStaticEntry, one table row
    LayoutDhcpLeaseRow = 83,    // apDhcpLeaseEntry
    LayoutDhcpStaticLeaseRow = 84, // apDhcpStaticLeaseEntry
    LayoutQosRule = 100,       // apQosRule, one table row
    LayoutQosRuleStatus = 101, // the rule rows' RowStatus, walked with them (no record of its own)
    LayoutVlanRow = 90,         // apVlanRecord, one table row
    LayoutVlanPvids = 91,       // apVlanPvidValues: the port VIDs, walked
    LayoutVlanPortRow = 92,     // apVlanPortEntry, one port-view row
    LayoutScheduleRule = 110,   // apScheduleRule, one table row
    LayoutScheduleRadio = 111,  // the radio values of apAdvScheduleList (ScheduleFamily.cpp)
    LayoutTftpSettings = 120,   // the values apAdvTFTPSettings stages (TftpCommandFamily.cpp)
    LayoutTftpStatus = 121,     // the update status and firmware version texts
    LayoutFilterAclEntry = 130, // apFilterAclEntry, one table row (FilterFamily.cpp)
    LayoutFilterValues = 131,   // per-band and per-SSID filter values, walked and read by instance
    LayoutLogSettings = 140,    // apLogSettingsRecord (LogFamily.cpp)
    LayoutEmailNtf = 141,       // apEmailNtfRecord
    LayoutLogRequest = 142,     // the values of apSysLogSettingsGetLog
    LayoutNone = 99,       // values exchanged without a record (device commands)
};

struct Binding {
    Family family;
    uint32_t groupBit; // apStyleModify bit that selects the object
    uint32_t layout;
    const char *object; // schema name
    std::vector<uint32_t> instance; // for table columns; empty for scalars and table walks
    uint32_t offset;
    uint32_t size;
    Conversion conversion;
    // Filled once when the table is built; every request needs them.
    const schema::ObjectDef *objectDef = nullptr;
    Oid oid = {}; // the full instance OID (for a table walk: the column OID)
};

std::span<const Binding> allBindings();

// Bindings of one record layout, in the order the family declared them (staging follows it).
const std::vector<const Binding *> &bindingsOfLayout(uint32_t layout);
// The same in OID order, to walk a handle's values in one pass.
const std::vector<const Binding *> &bindingsOfLayoutByOid(uint32_t layout);
// Bindings a read of `family` carries for the groups in `mask`.
std::vector<const Binding *> bindingsOfGroups(Family family, uint32_t mask);
// A family's binding of `object` (of instance `item` when the object has several); a missing one
// is a fault in the family's own table, so it throws.
const Binding &bindingNamed(Family family, const char *object, uint32_t item = 0);
// The group bits a family knows (0 for families without groups).
uint32_t knownGroups(Family family);
// Size of a layout's record in bytes.
uint32_t layoutSize(uint32_t layout);

const schema::ObjectDef &objectOf(const Binding &binding);
// The full instance OID (for a table walk: the column OID).
const Oid &instanceOidOf(const Binding &binding);

} // namespace trb::devicelib
