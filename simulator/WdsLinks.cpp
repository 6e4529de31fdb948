#include "WdsLinks.h"

#include <cstdio>
#include <numeric>

namespace trb::sim {
namespace {

constexpr long kWdsWithAp = 2, kWds = 3; // trbApMode values

std::string hexTail(const std::string &mac)
{
    char text[7];
    std::snprintf(text, sizeof text, "%02X%02X%02X", uint8_t(mac[3]), uint8_t(mac[4]), uint8_t(mac[5]));
    return text;
}

} // namespace

std::string WdsLinks::frequencyText(uint32_t band, long channel)
{
    double mhz = band == 1 ? (channel == 14 ? 2484 : 2407 + 5 * channel) : 5000 + 5 * channel;
    char text[16];
    std::snprintf(text, sizeof text, "%.3f", mhz / 1000.0);
    return text;
}

std::optional<SnmpValue> WdsLinks::read(std::string_view object, const Oid &instance) const
{
    if (instance.empty() || !object.starts_with("trbWds"))
        return std::nullopt;
    const auto band = static_cast<uint32_t>(instance[0]);
    if (object == "trbWdsBandChannel" || object == "trbWdsBandFrequency") {
        const SnmpValue *channel = find("trbRadioChannel", {band});
        const long number = channel ? long(channel->number) : 0;
        return object == "trbWdsBandChannel" ? SnmpValue::integer(number)
                                             : SnmpValue::text(frequencyText(band, number));
    }
    if (instance.size() == 2)
        return peerValue(object, band, static_cast<uint32_t>(instance[1]));
    return std::nullopt;
}

std::optional<SnmpValue> WdsLinks::peerValue(std::string_view object, uint32_t band, uint32_t slot) const
{
    const SnmpValue *setting = find("trbRadioWdsPeer" + std::to_string(slot), {band});
    const std::string mac = setting ? setting->bytes : std::string(6, '\0');
    const bool used = mac.size() == 6 && mac != std::string(6, '\0');
    const bool up = used && linked(band);
    if (object == "trbWdsPeerMac")
        return SnmpValue::text(mac);
    if (object == "trbWdsPeerName")
        return SnmpValue::text(used ? "AP-" + hexTail(mac) : "");
    if (object == "trbWdsPeerAuthentication")
        return SnmpValue::text(up ? authentication(band) : "0");
    if (object == "trbWdsPeerSignal") // steady per peer, 35 to 94 percent
        return SnmpValue::integer(up ? 35 + std::accumulate(mac.begin(), mac.end(), 0u,
                                                            [](unsigned sum, char c) { return sum * 7 + uint8_t(c); }) % 60
                                     : 0);
    if (object == "trbWdsPeerStatus")
        return SnmpValue::text(!used ? "empty" : up ? "connected" : "disconnected");
    return std::nullopt;
}

// The one radio links its peers in the WDS modes, on the band it serves.
bool WdsLinks::linked(uint32_t band) const
{
    const SnmpValue *mode = find("trbApMode", {});
    const SnmpValue *current = find("trbCurrentBand", {});
    return mode && (mode->number == kWdsWithAp || mode->number == kWds) && current && current->number == band;
}

std::string WdsLinks::authentication(uint32_t band) const
{
    static const char *const kTypes[] = {"Open System", "Shared Key", "Open System/Shared Key",
                                         "WPA-Personal", "WPA-Enterprise", "802.1x"};
    const SnmpValue *type = find("trbServiceAuthentication", {band, 0});
    return type && type->number >= 1 && type->number <= 6 ? kTypes[type->number - 1] : "Open System";
}

const SnmpValue *WdsLinks::find(std::string_view object, std::initializer_list<uint32_t> instance) const
{
    return schema::findObject(object) ? store_.find(DeviceStore::instanceOf(object, instance)) : nullptr;
}

} // namespace trb::sim
