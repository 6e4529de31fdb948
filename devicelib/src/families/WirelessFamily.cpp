// Wireless settings of the one radio: band, AP mode, SSIDs, channel, WDS peers, MAC clone,
// multi-SSID, function states, application class and the device's lists. The TRB-4820 has one
// radio, so the band count is 1 and the AP mode is the radio's whichever band is named.
// Performance and security calls live in WirelessPerformance.cpp and WirelessSecurity.cpp.
#include "TRB4820apHelp.h"

#include <cstring>
#include <sstream>

#include "FamilyBindings.h"
#include "WirelessCalls.h"

using namespace trb::devicelib;

namespace trb::devicelib {
namespace {

constexpr int kBandCount = 1;
constexpr int kAdditionalSsids = 7;
constexpr const char *kWdsPeers[] = {"trbRadioWdsPeer1", "trbRadioWdsPeer2", "trbRadioWdsPeer3", "trbRadioWdsPeer4"};
constexpr const char *kSecurityObjects[] = {
    "trbServiceAuthentication", "trbServiceWepEncryption", "trbServiceWepKeyType", "trbServiceWepKeySize",
    "trbServiceWepKeyIndex", "trbServiceWepKey", "trbServiceWpaMode", "trbServiceWpaCipher",
    "trbServiceWpaGroupKeyInterval", "trbServicePassphrase", "trbServiceKeyChange", "trbServiceKeyChangeDay",
    "trbServiceKeyChangeTime", "trbServiceKeyChangeHours", "trbServiceCurrentKey", "trbServiceEapWpaMode",
    "trbServiceEapCipher", "trbServiceEapGroupKeyInterval", "trbServiceDot1xKeyInterval",
    "trbServiceAccessProtection", "trbServiceRadiusServer", "trbServiceRadiusPort", "trbServiceRadiusSecret",
};
constexpr const char *kPerformanceObjects[] = {
    "trbRadioBeaconInterval", "trbRadioDtimInterval", "trbRadioTransmitPower", "trbRadioAckTimeout",
    "trbBandRadioState",      "trbRadioShortGi",      "trbRadioWmm",           "trbRadioIgmpSnooping",
    "trbRadioConnectionLimit", "trbRadioUserLimit",   "trbRadioUtilization",   "trbRadioDataRate",
    "trbRadioMulticastRate",
};

struct WirelessRows {
    BindingTable &table;

    void add(uint32_t group, const char *object, Oid index = {})
    {
        const auto [conversion, size] = slotFor(object);
        table.rows.push_back({Family::Wireless, group, LayoutWireless, object, std::move(index), 0, size, conversion});
    }
    // The form a value takes in the calls' arguments (WirelessValues converts it).
    static std::pair<Conversion, uint32_t> slotFor(const char *object)
    {
        const auto *def = schema::findObject(object);
        switch (def ? def->type : schema::SmiType::DisplayString) {
        case schema::SmiType::Integer: return {Conversion::Integer32, 4};
        case schema::SmiType::MacAddress: return {Conversion::MacHex, 20};
        case schema::SmiType::IpAddress: return {Conversion::IpText, 20};
        default: return {Conversion::Text, AP_WL_TEXT_SIZE};
        }
    }
    void perBand(uint32_t group, const char *object)
    {
        for (uint32_t band = 1; band <= 2; ++band)
            add(group, object, {band});
    }
    void perSsid(uint32_t group, const char *object, uint32_t firstSsid = 0)
    {
        for (uint32_t band = 1; band <= 2; ++band)
            for (uint32_t ssid = firstSsid; ssid <= 7; ++ssid)
                add(group, object, {band, ssid});
    }
};

} // namespace

void addWirelessBindings(BindingTable &table)
{
    WirelessRows rows{table};
    rows.add(AP_WL_GROUP_RADIO, "trbCurrentBand");
    rows.add(AP_WL_GROUP_RADIO, "trbApMode");
    rows.perBand(AP_WL_GROUP_RADIO, "trbRadioWirelessMode");
    rows.perBand(AP_WL_GROUP_SSID, "trbBandSsid"); // the primary SSID's name
    rows.perSsid(AP_WL_GROUP_SSID, "trbServiceSsid", 1);
    rows.perSsid(AP_WL_GROUP_SSID, "trbServiceVisibility");
    rows.perSsid(AP_WL_GROUP_SSID_STATE, "trbServiceState");
    for (const char *object : {"trbRadioChannel", "trbRadioAutoChannel", "trbRadioChannelWidth"})
        rows.perBand(AP_WL_GROUP_CHANNEL, object);
    for (const char *object : kWdsPeers)
        rows.perBand(AP_WL_GROUP_WDS, object);
    for (const char *object : {"trbRadioChannelList", "trbRadioWdsChannelList", "trbRadioRateList",
                               "trbRadioMulticastList"})
        rows.perBand(AP_WL_GROUP_LISTS, object);
    for (const char *object : {"trbRadioMacClone", "trbRadioMacCloneSource", "trbRadioMacCloneAddress"})
        rows.perBand(AP_WL_GROUP_MAC_CLONE, object);
    rows.perBand(AP_WL_GROUP_MULTI_SSID, "trbRadioMultiSsid");
    rows.perBand(AP_WL_GROUP_PRIORITY, "trbRadioMultiSsidPriority");
    for (const char *object : {"trbVlanFunction", "trbApArrayFunction", "trbWebRedirection"})
        rows.add(AP_WL_GROUP_FUNCTIONS, object);
    for (const char *object : kPerformanceObjects)
        rows.perBand(AP_WL_GROUP_PERFORMANCE, object);
    for (const char *object : kSecurityObjects)
        rows.perSsid(AP_WL_GROUP_SECURITY, object);
    rows.perSsid(AP_WL_GROUP_SSID_PRIORITY, "trbServicePriority");
    rows.perSsid(AP_WL_GROUP_SSID_WMM, "trbServiceWmm");
    rows.add(AP_WL_GROUP_APPLICATION, "trbCountryCode");
    rows.add(AP_WL_GROUP_APPLICATION, "trbApplicationClass");
    rows.perBand(AP_WL_GROUP_SURVEY, "trbRadioSurveyBlocked");
}

} // namespace trb::devicelib

namespace {

// The object that names an SSID: the primary SSID's is the band's.
const char *ssidNameObject(int ssid) { return ssid == 0 ? "trbBandSsid" : "trbServiceSsid"; }
Oid ssidNameIndex(int band, int ssid) { return ssid == 0 ? bandIndex(band) : ssidIndex(band, ssid); }

bool isFlag(int value) { return value == 0 || value == 1; }

// Stages what `fill` adds, all or nothing; the handle must be a wireless handle.
template <typename Fill> int stage(const std::shared_ptr<HandleState> &state, Fill fill)
{
    WirelessStaging staging;
    fill(staging);
    return staging.stageInto(*state);
}

std::vector<std::string> words(const char *text)
{
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;)
        list.push_back(word);
    return list;
}

} // namespace

extern "C" {

APHANDLE apWirelessOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Wireless, AP_WL_GROUP_ALL); }

int apWirelessGetCurBand(APHANDLE handle)
{
    auto state = wirelessHandle(handle);
    if (!state)
        return -AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    return int(WirelessValues(*state).number("trbCurrentBand"));
}

int apWirelessSetCurBand(APHANDLE handle, int band)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    return stage(state, [&](WirelessStaging &s) { s.number("trbCurrentBand", {}, band); });
}

int apWirelessGetBandCount(APHANDLE handle) { return wirelessHandle(handle) ? kBandCount : -AP_ERR_BAD_HANDLE; }

int apWirelessMultiSSIDCount(APHANDLE handle, int band)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return -code;
    return kAdditionalSsids;
}

int apWirelessGetApMode(APHANDLE handle, int band, int, int *mode, int *surveyBlocked)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    const int64_t deviceMode = values.number("trbApMode"); // 1..5, 0 when not read
    put(mode, deviceMode > 0 ? deviceMode - 1 : 0);
    put(surveyBlocked, values.number("trbRadioSurveyBlocked", bandIndex(band)));
    return AP_OK;
}

int apWirelessSetApMode(APHANDLE handle, int band, int, int mode)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    // The device counts its modes from 1.
    return stage(state, [&](WirelessStaging &s) { s.number("trbApMode", {}, int64_t(mode) + 1); });
}

int apWirelessGetList(APHANDLE handle, int band, char *channels, char *wdsChannels, char *rates,
                      char *multicastRates, void *, void *)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    const std::pair<const char *, char *> lists[] = {{"trbRadioChannelList", channels},
                                                     {"trbRadioWdsChannelList", wdsChannels},
                                                     {"trbRadioRateList", rates},
                                                     {"trbRadioMulticastList", multicastRates}};
    for (const auto &[object, buffer] : lists)
        if (buffer)
            values.copyText(object, bandIndex(band), buffer, AP_WL_TEXT_SIZE);
    return AP_OK;
}

int apWirelessGetSSID(APHANDLE handle, int band, int ssid, char *text, int *length, int *visible)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    // The length of the text as the caller gets it (cut at a NUL and to the buffer), not of the
    // agent's bytes: a longer one would lead a caller past its buffer.
    char name[AP_WL_TEXT_SIZE];
    values.copyText(ssidNameObject(ssid), ssidNameIndex(band, ssid), name, sizeof name);
    if (text)
        std::memcpy(text, name, sizeof name);
    put(length, std::strlen(name));
    put(visible, values.number("trbServiceVisibility", ssidIndex(band, ssid)));
    return AP_OK;
}

int apWirelessSetSSID(APHANDLE handle, int band, int ssid, const char *text, int length, int visible)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return code;
    if (!text || length < 0)
        return AP_ERR_BAD_ARGUMENT;
    const std::string_view name(text, strnlen(text, std::size_t(length)));
    return stage(state, [&](WirelessStaging &s) {
        if (!isFlag(visible))
            s.refuse();
        s.text(ssidNameObject(ssid), ssidNameIndex(band, ssid), name);
        s.number("trbServiceVisibility", ssidIndex(band, ssid), visible);
    });
}

int apWirelessGetChannel(APHANDLE handle, int band, int, int *channel, int *autoChannel, int *width)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    put(channel, values.number("trbRadioChannel", bandIndex(band)));
    put(autoChannel, values.number("trbRadioAutoChannel", bandIndex(band)));
    put(width, values.number("trbRadioChannelWidth", bandIndex(band)));
    return AP_OK;
}

int apWirelessSetChannel(APHANDLE handle, int band, int, int channel, int autoChannel, int width)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    return stage(state, [&](WirelessStaging &s) {
        s.number("trbRadioChannel", bandIndex(band), channel);
        s.number("trbRadioAutoChannel", bandIndex(band), autoChannel);
        s.number("trbRadioChannelWidth", bandIndex(band), width);
    });
}

int apWirelessGetWDSList(APHANDLE handle, int band, int, int *count, char *text)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    std::string list;
    for (const char *peer : kWdsPeers) {
        const std::string mac = values.text(peer, bandIndex(band));
        list += (list.empty() ? "" : " ") + (mac.empty() ? std::string("000000000000") : mac);
    }
    put(count, std::size(kWdsPeers));
    if (text)
        copyBoundedText(list, text, AP_WL_TEXT_SIZE);
    return AP_OK;
}

int apWirelessSetWDSList(APHANDLE handle, int band, int, int count, const char *text)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (!text)
        return AP_ERR_BAD_ARGUMENT;
    const std::vector<std::string> peers = words(text);
    return stage(state, [&](WirelessStaging &s) {
        if (count < 1 || count > int(std::size(kWdsPeers)) || int(peers.size()) != count)
            s.refuse();
        for (std::size_t i = 0; i < std::size(kWdsPeers); ++i)
            s.mac(kWdsPeers[i], bandIndex(band), i < peers.size() ? peers[i] : "000000000000");
    });
}

int apWirelessGetMacClone(APHANDLE handle, int band, int *enable, int *source, char *mac, int)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    put(enable, values.number("trbRadioMacClone", bandIndex(band)));
    put(source, values.number("trbRadioMacCloneSource", bandIndex(band)));
    if (mac)
        values.copyText("trbRadioMacCloneAddress", bandIndex(band), mac, 20);
    return AP_OK;
}

// The address is written only when it is used (enabled, manual): the page leaves it unchecked
// otherwise.
int apWirelessSetMacClone(APHANDLE handle, int band, int enable, int source, const char *mac)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    return stage(state, [&](WirelessStaging &s) {
        s.number("trbRadioMacClone", bandIndex(band), enable);
        s.number("trbRadioMacCloneSource", bandIndex(band), source);
        if (enable == 1 && source == 2) {
            const std::string_view address = mac ? slotText(mac, 20) : std::string_view();
            if (address == "000000000000")
                s.refuse();
            s.mac("trbRadioMacCloneAddress", bandIndex(band), address);
        }
    });
}

int apWirelessGetMultiSSID(APHANDLE handle, int band, int *enabled, int *priorityEnabled, int)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    put(enabled, values.number("trbRadioMultiSsid", bandIndex(band)));
    put(priorityEnabled, values.number("trbRadioMultiSsidPriority", bandIndex(band)));
    return AP_OK;
}

int apWirelessSetMultiSSID(APHANDLE handle, int band, int enabled, int priorityEnabled, int)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    return stage(state, [&](WirelessStaging &s) {
        s.number("trbRadioMultiSsid", bandIndex(band), enabled);
        s.number("trbRadioMultiSsidPriority", bandIndex(band), priorityEnabled);
    });
}

int apWirelessGetMssIndividualState(APHANDLE handle, int band, int ssid, int *state)
{
    std::shared_ptr<HandleState> handleState;
    if (const int code = startSsidCall(handle, band, ssid, handleState))
        return code;
    std::lock_guard lock(handleState->mutex);
    put(state, WirelessValues(*handleState).number("trbServiceState", ssidIndex(band, ssid)));
    return AP_OK;
}

// The primary SSID is always in service.
int apWirelessSetMssIndividualState(APHANDLE handle, int band, int ssid, int state)
{
    std::shared_ptr<HandleState> handleState;
    if (const int code = startSsidCall(handle, band, ssid, handleState))
        return code;
    return stage(handleState, [&](WirelessStaging &s) {
        if (ssid == 0 && state != 1)
            s.refuse();
        s.number("trbServiceState", ssidIndex(band, ssid), state);
    });
}

int apWirelessGetMultiParamiter(APHANDLE handle, int band, int ssid, int *wmm, int *priority)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return code;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    put(wmm, values.number("trbServiceWmm", ssidIndex(band, ssid)));
    put(priority, values.number("trbServicePriority", ssidIndex(band, ssid)));
    return AP_OK;
}

int apWirelessSetMultiParamiter(APHANDLE handle, int band, int ssid, int wmm, int priority)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return code;
    return stage(state, [&](WirelessStaging &s) {
        s.number("trbServiceWmm", ssidIndex(band, ssid), wmm);
        s.number("trbServicePriority", ssidIndex(band, ssid), priority);
    });
}

int apWirelessGetFunctionState(APHANDLE handle, int, int *vlan, int *apArray, int *webRedirection, int *fourth)
{
    auto state = wirelessHandle(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    put(vlan, values.number("trbVlanFunction"));
    put(apArray, values.number("trbApArrayFunction"));
    put(webRedirection, values.number("trbWebRedirection"));
    put(fourth, 0);
    return AP_OK;
}

int apWirelessGetApplication(APHANDLE handle, char *country, int *application)
{
    auto state = wirelessHandle(handle);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    if (country)
        values.copyText("trbCountryCode", {}, country, AP_WL_TEXT_SIZE);
    put(application, values.number("trbApplicationClass"));
    return AP_OK;
}

// The class is the 5 GHz band's: the 2.4 GHz drop-down's single entry must not reset it.
int apWirelessSetApplication(APHANDLE handle, int band, int applicationIndex, int)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (applicationIndex < 0 || band == 1)
        return applicationIndex > 1 ? AP_ERR_BAD_ARGUMENT : AP_OK;
    return stage(state, [&](WirelessStaging &s) {
        s.number("trbApplicationClass", {}, int64_t(applicationIndex) + 1);
    });
}

} // extern "C"
