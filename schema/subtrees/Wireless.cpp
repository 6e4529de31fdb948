#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {

constexpr const char *kRadio = "trbRadioTable";
constexpr const char *kService = "trbServiceTable";
constexpr const char *kOnOff = "disabled(0),enabled(1)";
constexpr const char *kWpaModes = "wpaOrWpa2(0),wpa2Only(1),wpaOnly(2)";
constexpr const char *kCiphers = "auto(1),aes(2),tkip(3)";
// Key update intervals in seconds.
constexpr int64_t kMinKeyInterval = 300;
constexpr int64_t kMaxKeyInterval = 9999999;

ObjectDef radio(ObjectDef object) { return Column(kRadio, std::move(object)); }
ObjectDef service(ObjectDef object) { return Column(kService, std::move(object)); }

// A per-band setting: trbRadioEntry.column.
ObjectDef radioSetting(ObjectDef object) { return radio(std::move(object)).writable().setting(); }
ObjectDef serviceSetting(ObjectDef object) { return service(std::move(object)).writable().setting(); }

std::vector<ObjectDef> deviceWide()
{
    return {
        Text("trbCountryCode", {9, 1}, 2, 2).describe("Regulatory domain of the device, two letters."),
        Enum("trbApplicationClass", {9, 2}, "indoor(1),outdoor(2)").writable().setting()
            .describe("5 GHz application class where the domain has one (indoor, or the outdoor channels)."),
        Enum("trbVlanFunction", {9, 3}, kOnOff).writable().setting().describe("Whether VLANs are in use."),
        Enum("trbApArrayFunction", {9, 4}, kOnOff).writable().setting()
            .describe("Whether the device takes part in an AP array."),
        Enum("trbWebRedirection", {9, 5}, kOnOff).writable().setting()
            .describe("Whether web redirection is in use."),
    };
}

std::vector<ObjectDef> radioColumns()
{
    return {
        radioSetting(Int("trbRadioChannel", {9, 10, 1, 1}, 0, 165))
            .describe("Channel of the band; one of the band's channel lists (0: none chosen)."),
        radioSetting(Enum("trbRadioAutoChannel", {9, 10, 1, 2}, kOnOff))
            .describe("Whether the device picks the channel itself."),
        radioSetting(Enum("trbRadioChannelWidth", {9, 10, 1, 3}, "width20MHz(1),auto20or40MHz(2)"))
            .describe("Channel width."),
        radioSetting(Enum("trbRadioWirelessMode", {9, 10, 1, 4},
                          "n24Only(2),g24b24(3),n24g24b24(6),a5Only(7),n5Only(8),n5a5(9)"))
            .describe("802.11 modes served: 6, 3, 2 on 2.4 GHz; 9, 7, 8 on 5 GHz."),
        radioSetting(Int("trbRadioBeaconInterval", {9, 10, 1, 5}, 25, 500)).describe("Beacon interval."),
        radioSetting(Int("trbRadioDtimInterval", {9, 10, 1, 6}, 1, 15)).describe("DTIM interval."),
        radioSetting(Enum("trbRadioTransmitPower", {9, 10, 1, 7},
                          "percent100(1),percent50(2),percent25(3),percent12dot5(4)"))
            .describe("Transmit power as a share of the maximum."),
        radioSetting(Int("trbRadioAckTimeout", {9, 10, 1, 8}, 0, 200)).describe("ACK time-out in microseconds."),
        radioSetting(Enum("trbRadioShortGi", {9, 10, 1, 9}, kOnOff)).describe("Short guard interval."),
        radioSetting(Enum("trbRadioWmm", {9, 10, 1, 10}, kOnOff)).describe("Wi-Fi Multimedia of the band."),
        radioSetting(Enum("trbRadioIgmpSnooping", {9, 10, 1, 11}, kOnOff)).describe("IGMP snooping."),
        radioSetting(Enum("trbRadioConnectionLimit", {9, 10, 1, 12}, kOnOff))
            .describe("Whether the number of stations is limited."),
        radioSetting(Int("trbRadioUserLimit", {9, 10, 1, 13}, 0, 64)).describe("Most stations at once."),
        radioSetting(Enum("trbRadioUtilization", {9, 10, 1, 14},
                          "percent0(0),percent20(2),percent40(4),percent60(6),percent80(8),percent100(10)"))
            .describe("Network utilization limit."),
        radioSetting(Text("trbRadioDataRate", {9, 10, 1, 15}, 1, 9))
            .describe("Data rate: Auto or a name of trbRadioRateList."),
        radioSetting(Text("trbRadioMulticastRate", {9, 10, 1, 16}, 1, 11))
            .describe("Multicast rate: Disable or a name of trbRadioMulticastList."),
        radio(Text("trbRadioChannelList", {9, 10, 1, 17}, 0, 255))
            .describe("Channels for Access Point and Wireless Client, blank-separated."),
        radio(Text("trbRadioWdsChannelList", {9, 10, 1, 18}, 0, 255))
            .describe("Channels for the WDS modes, blank-separated; empty when the same."),
        radio(Text("trbRadioRateList", {9, 10, 1, 19}, 0, 255)).describe("Data rates, Auto first."),
        radio(Text("trbRadioMulticastList", {9, 10, 1, 20}, 0, 255)).describe("Multicast rates."),
        radioSetting(Mac("trbRadioWdsPeer1", {9, 10, 1, 21})).describe("WDS peer 1; all zeros when unused."),
        radioSetting(Mac("trbRadioWdsPeer2", {9, 10, 1, 22})).describe("WDS peer 2; all zeros when unused."),
        radioSetting(Mac("trbRadioWdsPeer3", {9, 10, 1, 23})).describe("WDS peer 3; all zeros when unused."),
        radioSetting(Mac("trbRadioWdsPeer4", {9, 10, 1, 24})).describe("WDS peer 4; all zeros when unused."),
        radioSetting(Enum("trbRadioMacClone", {9, 10, 1, 25}, kOnOff)).describe("Wireless MAC clone."),
        radioSetting(Enum("trbRadioMacCloneSource", {9, 10, 1, 26}, "auto(1),manual(2)"))
            .describe("Where the cloned MAC address comes from."),
        radioSetting(Mac("trbRadioMacCloneAddress", {9, 10, 1, 27})).describe("The cloned MAC address."),
        radioSetting(Enum("trbRadioMultiSsid", {9, 10, 1, 28}, kOnOff))
            .describe("Whether the band's additional SSIDs are served."),
        radioSetting(Enum("trbRadioMultiSsidPriority", {9, 10, 1, 29}, kOnOff))
            .describe("Whether per-SSID priorities apply."),
        radio(Enum("trbRadioSurveyBlocked", {9, 10, 1, 30}, "allowed(0),blocked(1)"))
            .describe("Whether the device refuses site surveys on the band."),
    };
}

std::vector<ObjectDef> serviceColumns()
{
    return {
        serviceSetting(Text("trbServiceSsid", {9, 11, 1, 1}, 1, 32))
            .describe("Network name of an additional SSID (the primary SSID's is trbBandSsid)."),
        serviceSetting(Enum("trbServiceVisibility", {9, 11, 1, 2}, "hidden(0),broadcast(1)"))
            .describe("Whether the SSID is broadcast."),
        serviceSetting(Enum("trbServiceState", {9, 11, 1, 3}, kOnOff)).describe("Whether the SSID is in service."),
        serviceSetting(Int("trbServicePriority", {9, 11, 1, 4}, 0, 7)).describe("Priority of the SSID."),
        serviceSetting(Enum("trbServiceWmm", {9, 11, 1, 5}, kOnOff)).describe("Wi-Fi Multimedia of the SSID."),
        serviceSetting(Enum("trbServiceAuthentication", {9, 11, 1, 10},
                            "openSystem(1),sharedKey(2),openOrSharedKey(3),wpaPersonal(4),wpaEnterprise(5),"
                            "dot1x(6)"))
            .describe("Authentication method; the section objects of the other methods are kept."),
        serviceSetting(Enum("trbServiceWepEncryption", {9, 11, 1, 11}, kOnOff)).describe("WEP encryption."),
        serviceSetting(Enum("trbServiceWepKeyType", {9, 11, 1, 12}, "ascii(1),hex(2)"))
            .describe("How the WEP key is written."),
        serviceSetting(Enum("trbServiceWepKeySize", {9, 11, 1, 13}, "bits64(64),bits128(128)"))
            .describe("WEP key size in bits."),
        serviceSetting(Int("trbServiceWepKeyIndex", {9, 11, 1, 14}, 1, 4)).describe("WEP key in use."),
        serviceSetting(Text("trbServiceWepKey", {9, 11, 1, 15}, 0, 32)).confidential()
            .describe("WEP key: 5 or 13 characters, or 10 or 26 hex digits."),
        serviceSetting(Enum("trbServiceWpaMode", {9, 11, 1, 16}, kWpaModes)).describe("WPA-Personal mode."),
        serviceSetting(Enum("trbServiceWpaCipher", {9, 11, 1, 17}, kCiphers)).describe("WPA-Personal cipher."),
        serviceSetting(Int("trbServiceWpaGroupKeyInterval", {9, 11, 1, 18}, kMinKeyInterval, kMaxKeyInterval))
            .describe("WPA-Personal group key update interval in seconds."),
        serviceSetting(Text("trbServicePassphrase", {9, 11, 1, 19}, 8, 63)).confidential()
            .describe("WPA-Personal pre-shared passphrase."),
        serviceSetting(Enum("trbServiceKeyChange", {9, 11, 1, 20}, "manual(0),periodical(1)"))
            .describe("Whether the device changes the WPA-Personal key by itself."),
        serviceSetting(Enum("trbServiceKeyChangeDay", {9, 11, 1, 21},
                            "sunday(0),monday(1),tuesday(2),wednesday(3),thursday(4),friday(5),saturday(6)"))
            .describe("Day the periodical key change starts."),
        serviceSetting(Text("trbServiceKeyChangeTime", {9, 11, 1, 22}, 5, 5))
            .describe("Time the periodical key change starts, HH:MM."),
        serviceSetting(Int("trbServiceKeyChangeHours", {9, 11, 1, 23}, 1, 168))
            .describe("Hours between periodical key changes."),
        service(Text("trbServiceCurrentKey", {9, 11, 1, 24}, 0, 127)).confidential()
            .describe("The key the periodical key change put in use."),
        serviceSetting(Enum("trbServiceEapWpaMode", {9, 11, 1, 30}, kWpaModes)).describe("WPA-Enterprise mode."),
        serviceSetting(Enum("trbServiceEapCipher", {9, 11, 1, 31}, kCiphers)).describe("WPA-Enterprise cipher."),
        serviceSetting(Int("trbServiceEapGroupKeyInterval", {9, 11, 1, 32}, kMinKeyInterval, kMaxKeyInterval))
            .describe("WPA-Enterprise group key update interval in seconds."),
        serviceSetting(Int("trbServiceDot1xKeyInterval", {9, 11, 1, 33}, kMinKeyInterval, kMaxKeyInterval))
            .describe("802.1x key update interval in seconds."),
        serviceSetting(Enum("trbServiceAccessProtection", {9, 11, 1, 34}, kOnOff))
            .describe("Network Access Protection."),
        serviceSetting(Ip("trbServiceRadiusServer", {9, 11, 1, 35})).describe("RADIUS server; 0.0.0.0 when none."),
        serviceSetting(Int("trbServiceRadiusPort", {9, 11, 1, 36}, 1, 65535)).describe("RADIUS server port."),
        serviceSetting(Text("trbServiceRadiusSecret", {9, 11, 1, 37}, 0, 64)).confidential()
            .describe("Secret shared with the RADIUS server."),
    };
}

} // namespace

Subtree wireless()
{
    Subtree part{
        {Group("trbWireless", {9}, "Radio, SSID and security settings.")},
        {
            Table(kRadio, "trbRadioEntry", {9, 10}, {"trbBandIndex"})
                .describe("Radio settings per band, indexed like trbBandTable."),
            Table(kService, "trbServiceEntry", {9, 11}, {"trbBandIndex", "trbSsidIndex"})
                .describe("SSID settings and security, indexed like trbSsidTable."),
        },
        deviceWide(),
    };
    for (auto *columns : {radioColumns, serviceColumns})
        for (ObjectDef &object : columns())
            part.objects.push_back(std::move(object));
    return part;
}

} // namespace trb::schema::subtrees
