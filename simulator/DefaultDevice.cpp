#include "DefaultDevice.h"

#include <array>

#include "RadioLists.h"
#include "VlanPorts.h"

namespace trb::sim {
namespace {

using Row = std::vector<uint32_t>;

std::vector<Row> rowsOf(std::string_view table, int clientCount)
{
    std::vector<Row> rows;
    if (table == "trbBandTable" || table == "trbRadioTable" || table == "trbWlanStatsTable" || table == "trbWdsBandTable" ||
        table == "trbFilterBandTable") {
        rows = {{1}, {2}};
    } else if (table == "trbSsidTable" || table == "trbServiceTable" || table == "trbFilterSsidTable") {
        for (uint32_t band = 1; band <= 2; ++band)
            for (uint32_t ssid = 0; ssid <= 7; ++ssid)
                rows.push_back({band, ssid});
    } else if (table == "trbWdsPeerTable") {
        for (uint32_t band = 1; band <= 2; ++band)
            for (uint32_t peer = 1; peer <= 4; ++peer)
                rows.push_back({band, peer});
    } else if (table == "trbVlanPortTable") {
        for (uint32_t port = 1; port <= VlanPorts::names().size(); ++port)
            rows.push_back({port});
    } else if (table == "trbApArraySyncTable") {
        for (uint32_t item = 1; item <= 33; ++item)
            rows.push_back({item});
    } else if (table == "trbClientTable") {
        for (int i = 1; i <= clientCount; ++i)
            rows.push_back({static_cast<uint32_t>(i)});
    }
    return rows;
}

// The primary SSID's name is trbBandSsid: its row of the SSID name column does not exist.
bool namedElsewhere(const schema::ObjectDef &object, const Row &row)
{
    return std::string_view(object.name) == "trbServiceSsid" && row.size() == 2 && row[1] == 0;
}

// A neutral value of the right type, for objects that have no particular default.
SnmpValue neutralValue(const schema::ObjectDef &object)
{
    using enum schema::SmiType;
    switch (object.type) {
    case Integer:
    case RowStatus: return SnmpValue::integer(object.low);
    case Gauge: return SnmpValue::gauge(object.low);
    case Counter: return {ASN_COUNTER, 0, {}};
    case TimeTicks: return SnmpValue::timeTicks(0);
    case IpAddress: return SnmpValue::ipAddress(0);
    case MacAddress: return SnmpValue::text(std::string(6, '\0'));
    case DisplayString: return SnmpValue::text("");
    }
    return SnmpValue::text("");
}

// Locally administered addresses (02:...), never a vendor prefix.
SnmpValue macValue(uint8_t a, uint8_t b, uint8_t c)
{
    const uint8_t address[6] = {0x02, 0x1a, 0x48, a, b, c};
    return SnmpValue::mac(address);
}

uint32_t ip(uint8_t a, uint8_t b, uint8_t c, uint8_t d)
{
    return uint32_t(a) << 24 | uint32_t(b) << 16 | uint32_t(c) << 8 | d;
}

void setIfPresent(DeviceStore &store, std::string_view name, std::initializer_list<uint32_t> row,
                  SnmpValue value)
{
    if (!schema::findObject(name))
        return;
    Oid oid = DeviceStore::instanceOf(name, row);
    if (store.contains(oid))
        store.set(oid, std::move(value));
}

// On its own clock, in London's zone, with the US daylight-saving dates ready.
void fillTime(DeviceStore &s)
{
    setIfPresent(s, "trbNtpEnable", {}, SnmpValue::integer(0));
    setIfPresent(s, "trbTimeZone", {}, SnmpValue::integer(27));
    setIfPresent(s, "trbDstEnable", {}, SnmpValue::integer(0));
    setIfPresent(s, "trbDstOffset", {}, SnmpValue::integer(5));
    setIfPresent(s, "trbDstDates", {}, SnmpValue::text("Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am"));
}

// Every log type on, no remote server, mail off on the usual SMTP port with a daily schedule.
void fillLog(DeviceStore &s)
{
    for (const char *type : {"trbLogSystemActivity", "trbLogWirelessActivity", "trbLogNotice"})
        setIfPresent(s, type, {}, SnmpValue::integer(1));
    setIfPresent(s, "trbEmailSmtpPort", {}, SnmpValue::integer(25));
    setIfPresent(s, "trbEmailServerType", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbEmailSchedule", {}, SnmpValue::text("24"));
}

// The server off, ready with a pool on the device's own subnet.
void fillDhcp(DeviceStore &s)
{
    setIfPresent(s, "trbDhcpPoolStart", {}, SnmpValue::ipAddress(ip(192, 168, 1, 100)));
    setIfPresent(s, "trbDhcpPoolSize", {}, SnmpValue::integer(100));
    setIfPresent(s, "trbDhcpPoolMask", {}, SnmpValue::ipAddress(ip(255, 255, 255, 0)));
    setIfPresent(s, "trbDhcpPoolGateway", {}, SnmpValue::ipAddress(ip(192, 168, 1, 1)));
    setIfPresent(s, "trbDhcpLeaseTime", {}, SnmpValue::integer(86400));
}

void fillSystem(DeviceStore &s)
{
    setIfPresent(s, "trbModelName", {}, SnmpValue::text("TRB-4820"));
    setIfPresent(s, "trbFirmwareVersion", {}, SnmpValue::text("1.2.07"));
    setIfPresent(s, "trbSystemName", {}, SnmpValue::text("TRB-4820"));
    setIfPresent(s, "trbLocation", {}, SnmpValue::text("Lab rack 2"));
    setIfPresent(s, "trbEthernetMac", {}, macValue(0x20, 0x00, 0x01));
    setIfPresent(s, "trbCurrentBand", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbLanLink", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbApMode", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbApArrayName", {}, SnmpValue::text("Array-North"));
    setIfPresent(s, "trbApArrayRole", {}, SnmpValue::text("Master"));
    setIfPresent(s, "trbApArrayLocation", {}, SnmpValue::text("Building A, floor 2"));
    for (uint32_t item = 1; item <= 6; ++item) // the basic wireless settings are kept in step
        setIfPresent(s, "trbApArraySync", {item}, SnmpValue::integer(1));
    setIfPresent(s, "trbLanAddressMode", {}, SnmpValue::integer(0));
    setIfPresent(s, "trbLanIpAddress", {}, SnmpValue::ipAddress(ip(192, 168, 1, 10)));
    setIfPresent(s, "trbLanSubnetMask", {}, SnmpValue::ipAddress(ip(255, 255, 255, 0)));
    setIfPresent(s, "trbLanGateway", {}, SnmpValue::ipAddress(ip(192, 168, 1, 1)));
    setIfPresent(s, "trbDeviceCommand", {}, SnmpValue::integer(0));
    setIfPresent(s, "trbLanguagePack", {}, SnmpValue::text(DefaultDevice::kLanguagePack));
    setIfPresent(s, "trbLoginName", {}, SnmpValue::text("admin"));
    setIfPresent(s, "trbLoginPassword", {}, SnmpValue::text(DefaultDevice::kLoginPassword));
    setIfPresent(s, "trbConsoleStatus", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbConsoleTimeout", {}, SnmpValue::integer(2));
    setIfPresent(s, "trbPingControl", {}, SnmpValue::integer(1));
    setIfPresent(s, "trbQosAutomatic", {}, SnmpValue::integer(1));
    for (uint32_t band = 1; band <= 2; ++band) { // no access control; Ethernet broadcasts reach the stations
        setIfPresent(s, "trbFilterAclMode", {band}, SnmpValue::integer(3));
        setIfPresent(s, "trbFilterEthernetToWlan", {band}, SnmpValue::integer(1));
    }
    fillTime(s);
    for (uint32_t port = 1; port <= VlanPorts::names().size(); ++port) {
        setIfPresent(s, "trbVlanPortName", {port}, SnmpValue::text(VlanPorts::names()[port - 1]));
        setIfPresent(s, "trbVlanPortPvid", {port}, SnmpValue::integer(1));
    }
}

void fillBands(DeviceStore &s)
{
    struct Band {
        uint32_t index;
        const char *ssid, *channel, *rate, *security;
        int radio, wireless;
    };
    const Band bands[] = {
        {1, "TRB4820-2G", "6", "Auto", "WPA-Personal", 1, 1},
        {2, "TRB4820-5G", "36", "Auto", "Open System", 2, 2},
    };
    for (const auto &b : bands) {
        const uint8_t bandByte = static_cast<uint8_t>(0x10 * b.index);
        setIfPresent(s, "trbBandPrimaryMac", {b.index}, macValue(0x20, bandByte, 0x00));
        setIfPresent(s, "trbBandSsid", {b.index}, SnmpValue::text(b.ssid));
        setIfPresent(s, "trbBandChannel", {b.index}, SnmpValue::text(b.channel));
        setIfPresent(s, "trbBandDataRate", {b.index}, SnmpValue::text(b.rate));
        setIfPresent(s, "trbBandOperationMode", {b.index}, SnmpValue::text("Access Point"));
        setIfPresent(s, "trbBandRadioState", {b.index}, SnmpValue::integer(b.radio));
        setIfPresent(s, "trbBandSecurity", {b.index}, SnmpValue::text(b.security));
        setIfPresent(s, "trbBandWirelessState", {b.index}, SnmpValue::integer(b.wireless));
        setIfPresent(s, "trbBandMultiSsidFirstMac", {b.index}, macValue(0x20, bandByte, 0x01));
        setIfPresent(s, "trbBandMultiSsidLastMac", {b.index}, macValue(0x20, bandByte, 0x07));
        // SSID 0 is the primary; SSID 1 and 2 are in use, 3..7 unused (all zeros).
        setIfPresent(s, "trbSsidMac", {b.index, 0}, macValue(0x20, bandByte, 0x00));
        for (uint32_t ssid = 1; ssid <= 2; ++ssid)
            setIfPresent(s, "trbSsidMac", {b.index, ssid},
                         macValue(0x20, bandByte, static_cast<uint8_t>(ssid)));
    }
}

void fillClients(DeviceStore &s, int clientCount, bool longNames)
{
    static const std::array<const char *, 4> phy24 = {"dot11b", "dot11g", "dot11n", "dot11g"};
    static const std::array<const char *, 2> phy5 = {"dot11a", "dot11n"};
    static const std::array<const char *, 3> auth = {"WPA-Personal", "Open System", "WPA2-Personal"};
    for (uint32_t i = 1; i <= static_cast<uint32_t>(clientCount); ++i) {
        const uint32_t band = (i % 3 == 0) ? 2 : 1;
        const uint8_t client[6] = {0x02, 0xc1, 0x00, static_cast<uint8_t>(i >> 16),
                                   static_cast<uint8_t>(i >> 8), static_cast<uint8_t>(i)};
        setIfPresent(s, "trbClientBand", {i}, SnmpValue::integer(band));
        setIfPresent(s, "trbClientMac", {i}, SnmpValue::mac(client));
        setIfPresent(s, "trbClientPhyMode", {i},
                     SnmpValue::text(band == 1 ? phy24[i % phy24.size()] : phy5[i % phy5.size()]));
        setIfPresent(s, "trbClientAuthentication", {i}, SnmpValue::text(auth[i % auth.size()]));
        setIfPresent(s, "trbClientSignal", {i}, SnmpValue::integer(20 + (i * 37) % 80));
        setIfPresent(s, "trbClientPowerSave", {i}, SnmpValue::text(i % 4 == 0 ? "on" : "off"));
        setIfPresent(s, "trbClientSsid", {i}, SnmpValue::text(longNames ? DefaultDevice::kLongSsid : band == 1 ? "TRB4820-2G" : "TRB4820-5G"));
    }
}

// Open System without encryption, with WPA2 AES ready in the other sections. The 2.4 GHz
// primary SSID comes up with WPA-Personal.
void fillService(DeviceStore &s, uint32_t band, uint32_t ssid)
{
    const bool personal = band == 1 && ssid == 0;
    if (ssid > 0)
        setIfPresent(s, "trbServiceSsid", {band, ssid},
                     SnmpValue::text((band == 1 ? "TRB4820-2G-" : "TRB4820-5G-") + std::to_string(ssid)));
    setIfPresent(s, "trbServiceVisibility", {band, ssid}, SnmpValue::integer(1));
    setIfPresent(s, "trbServiceState", {band, ssid}, SnmpValue::integer(ssid == 0 ? 1 : 0));
    setIfPresent(s, "trbServiceAuthentication", {band, ssid}, SnmpValue::integer(personal ? 4 : 1));
    setIfPresent(s, "trbServiceWepKeyType", {band, ssid}, SnmpValue::integer(1));
    setIfPresent(s, "trbServiceWepKeySize", {band, ssid}, SnmpValue::integer(64));
    setIfPresent(s, "trbServiceWepKeyIndex", {band, ssid}, SnmpValue::integer(1));
    for (const char *mode : {"trbServiceWpaMode", "trbServiceEapWpaMode"})
        setIfPresent(s, mode, {band, ssid}, SnmpValue::integer(1));
    for (const char *cipher : {"trbServiceWpaCipher", "trbServiceEapCipher"})
        setIfPresent(s, cipher, {band, ssid}, SnmpValue::integer(2));
    for (const char *interval : {"trbServiceWpaGroupKeyInterval", "trbServiceEapGroupKeyInterval"})
        setIfPresent(s, interval, {band, ssid}, SnmpValue::integer(1800));
    setIfPresent(s, "trbServiceDot1xKeyInterval", {band, ssid}, SnmpValue::integer(300));
    setIfPresent(s, "trbServicePassphrase", {band, ssid}, SnmpValue::text(DefaultDevice::kPassphrase));
    setIfPresent(s, "trbServiceKeyChangeTime", {band, ssid}, SnmpValue::text("00:00"));
    setIfPresent(s, "trbServiceKeyChangeHours", {band, ssid}, SnmpValue::integer(24));
    setIfPresent(s, "trbServiceRadiusPort", {band, ssid}, SnmpValue::integer(1812));
}

// Device-wide wireless values; the band's radio settings; each SSID's settings and security.
void fillWireless(DeviceStore &s, const std::string &country)
{
    setIfPresent(s, "trbCountryCode", {}, SnmpValue::text(country));
    setIfPresent(s, "trbApplicationClass", {}, SnmpValue::integer(1));
    for (uint32_t band = 1; band <= 2; ++band) {
        setIfPresent(s, "trbRadioChannel", {band}, SnmpValue::integer(band == 1 ? 6 : 36));
        setIfPresent(s, "trbRadioAutoChannel", {band}, SnmpValue::integer(1));
        setIfPresent(s, "trbRadioChannelWidth", {band}, SnmpValue::integer(2));
        setIfPresent(s, "trbRadioWirelessMode", {band}, SnmpValue::integer(band == 1 ? 6 : 9));
        setIfPresent(s, "trbRadioBeaconInterval", {band}, SnmpValue::integer(100));
        setIfPresent(s, "trbRadioDtimInterval", {band}, SnmpValue::integer(1));
        setIfPresent(s, "trbRadioTransmitPower", {band}, SnmpValue::integer(1));
        setIfPresent(s, "trbRadioAckTimeout", {band}, SnmpValue::integer(64));
        setIfPresent(s, "trbRadioShortGi", {band}, SnmpValue::integer(1));
        setIfPresent(s, "trbRadioWmm", {band}, SnmpValue::integer(1));
        setIfPresent(s, "trbRadioUserLimit", {band}, SnmpValue::integer(64));
        setIfPresent(s, "trbRadioDataRate", {band}, SnmpValue::text("Auto"));
        setIfPresent(s, "trbRadioMulticastRate", {band}, SnmpValue::text("Disable"));
        setIfPresent(s, "trbRadioChannelList", {band}, SnmpValue::text(RadioLists::channels(band, country)));
        setIfPresent(s, "trbRadioWdsChannelList", {band}, SnmpValue::text(RadioLists::wdsChannels(band, country)));
        setIfPresent(s, "trbRadioRateList", {band}, SnmpValue::text(RadioLists::rates(band)));
        setIfPresent(s, "trbRadioMulticastList", {band}, SnmpValue::text(RadioLists::multicastRates(band)));
        setIfPresent(s, "trbRadioMacCloneSource", {band}, SnmpValue::integer(1));
        for (uint32_t ssid = 0; ssid <= 7; ++ssid)
            fillService(s, band, ssid);
    }
}

} // namespace

DeviceStore DefaultDevice::build(int clientCount, const std::string &country, bool longNames)
{
    DeviceStore store;
    for (const auto &object : schema::objects()) {
        if (object.access == schema::Access::NotAccessible)
            continue;
        if (object.shape == schema::IndexShape::Scalar) {
            store.add(object, {}, neutralValue(object));
            continue;
        }
        for (const auto &row : rowsOf(object.table ? object.table : "", clientCount))
            if (!namedElsewhere(object, row))
                store.add(object, row, neutralValue(object));
    }
    fillSystem(store);
    fillBands(store);
    fillClients(store, clientCount, longNames);
    fillWireless(store, country);
    fillDhcp(store);
    fillLog(store);
    return store;
}

} // namespace trb::sim
