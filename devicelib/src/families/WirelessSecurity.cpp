// Security of one SSID: the authentication type and three sections (WEP, WPA-Personal,
// enterprise), each kept in objects of its own so that writing one section leaves the others
// as they are. A read fills the whole block; a write takes the section of its type.
//
// Encryption code reported by apWirelessGetSecurity, from the stored security:
//   type 1 -> 1, 2 -> 2, 3 -> 3;
//   type 4 (WPA-Personal):   WPA mode auto -> 8, WPA2 only -> 6, WPA only -> 4;
//   type 5 (WPA-Enterprise): WPA mode auto -> 9, WPA2 only -> 7, WPA only -> 5;
//   type 6 (802.1x) -> 10; anything else (not read) -> 0.
#include "TRB4820apHelp.h"

#include <cctype>
#include <cstring>

#include "WirelessCalls.h"

using namespace trb::devicelib;

namespace {

enum SecurityType { OpenSystem = 1, SharedKey = 2, OpenOrShared = 3, WpaPersonal = 4, WpaEnterprise = 5, Dot1x = 6 };
enum WpaMode { WpaAuto = 0, Wpa2Only = 1, WpaOnly = 2 };

int encryptionCode(int64_t type, int64_t wpaMode)
{
    auto byMode = [&](int autoCode, int wpa2Code, int wpaCode) {
        return wpaMode == WpaAuto ? autoCode : wpaMode == Wpa2Only ? wpa2Code : wpaCode;
    };
    switch (type) {
    case OpenSystem:
    case SharedKey:
    case OpenOrShared: return int(type);
    case WpaPersonal: return byMode(8, 6, 4);
    case WpaEnterprise: return byMode(9, 7, 5);
    case Dot1x: return 10;
    default: return 0;
    }
}

int codeOf(const WirelessValues &values, const Oid &index)
{
    const int64_t type = values.number("trbServiceAuthentication", index);
    const char *mode = type == WpaEnterprise ? "trbServiceEapWpaMode" : "trbServiceWpaMode";
    return encryptionCode(type, values.number(mode, index));
}

void fillWep(const WirelessValues &v, const Oid &index, apWepSection &wep)
{
    wep.encryption = uint32_t(v.number("trbServiceWepEncryption", index));
    wep.keyType = uint32_t(v.number("trbServiceWepKeyType", index));
    wep.keySize = uint32_t(v.number("trbServiceWepKeySize", index));
    wep.keyIndex = uint32_t(v.number("trbServiceWepKeyIndex", index));
    v.copyText("trbServiceWepKey", index, wep.key, sizeof wep.key);
}

void fillPersonal(const WirelessValues &v, const Oid &index, apWpaPersonalSection &wpa)
{
    wpa.wpaMode = uint32_t(v.number("trbServiceWpaMode", index));
    wpa.cipher = uint32_t(v.number("trbServiceWpaCipher", index));
    wpa.groupKeyInterval = uint32_t(v.number("trbServiceWpaGroupKeyInterval", index));
    v.copyText("trbServicePassphrase", index, wpa.passphrase, sizeof wpa.passphrase);
    wpa.periodicalKeyChange = uint32_t(v.number("trbServiceKeyChange", index));
    wpa.day = uint32_t(v.number("trbServiceKeyChangeDay", index));
    v.copyText("trbServiceKeyChangeTime", index, wpa.time, sizeof wpa.time);
    wpa.intervalHours = uint32_t(v.number("trbServiceKeyChangeHours", index));
    v.copyText("trbServiceCurrentKey", index, wpa.currentKey, sizeof wpa.currentKey);
}

void fillEnterprise(const WirelessValues &v, const Oid &index, apEnterpriseSection &eap)
{
    eap.wpaMode = uint32_t(v.number("trbServiceEapWpaMode", index));
    eap.cipher = uint32_t(v.number("trbServiceEapCipher", index));
    eap.keyInterval = uint32_t(v.number("trbServiceEapGroupKeyInterval", index));
    eap.dot1xKeyInterval = uint32_t(v.number("trbServiceDot1xKeyInterval", index));
    eap.accessProtection = uint32_t(v.number("trbServiceAccessProtection", index));
    v.copyText("trbServiceRadiusServer", index, eap.radiusServer, sizeof eap.radiusServer);
    eap.radiusPort = uint32_t(v.number("trbServiceRadiusPort", index));
    v.copyText("trbServiceRadiusSecret", index, eap.radiusSecret, sizeof eap.radiusSecret);
}

// A WEP key fits its size: 5 or 13 characters, or 10 or 26 hex digits.
bool validWepKey(uint32_t keyType, uint32_t keySize, std::string_view key)
{
    const bool hex = keyType == 2;
    const std::size_t length = keySize == 64 ? (hex ? 10 : 5) : (hex ? 26 : 13);
    if (key.size() != length)
        return false;
    for (unsigned char c : key)
        if (hex && !std::isxdigit(c))
            return false;
    return true;
}

// "HH:MM", 00:00 to 23:59.
bool validClockTime(std::string_view text)
{
    auto digits = [&](std::size_t at, int limit) {
        return std::isdigit(static_cast<unsigned char>(text[at])) && std::isdigit(static_cast<unsigned char>(text[at + 1])) &&
               (text[at] - '0') * 10 + (text[at + 1] - '0') < limit;
    };
    return text.size() == 5 && text[2] == ':' && digits(0, 24) && digits(3, 60);
}

void stageWep(WirelessStaging &s, const Oid &index, int type, const apWepSection &wep)
{
    s.number("trbServiceAuthentication", index, type);
    s.number("trbServiceWepEncryption", index, wep.encryption);
    if (type == SharedKey && wep.encryption != 1)
        s.refuse(); // a shared key needs one
    if (wep.encryption != 1)
        return; // the key settings stay as the device has them
    const std::string_view key = slotText(wep.key, sizeof wep.key);
    if (!validWepKey(wep.keyType, wep.keySize, key))
        s.refuse();
    s.number("trbServiceWepKeyType", index, wep.keyType);
    s.number("trbServiceWepKeySize", index, wep.keySize);
    s.number("trbServiceWepKeyIndex", index, wep.keyIndex);
    s.text("trbServiceWepKey", index, key);
}

// With a periodical key change (AP mode 0 only) the device makes the keys: the passphrase is
// then left as it is. The schedule is written only when it is switched on; the current key never.
void stagePersonal(WirelessStaging &s, const Oid &index, const apWpaPersonalSection &wpa)
{
    s.number("trbServiceAuthentication", index, WpaPersonal);
    s.number("trbServiceWpaMode", index, wpa.wpaMode);
    s.number("trbServiceWpaCipher", index, wpa.cipher);
    s.number("trbServiceWpaGroupKeyInterval", index, int64_t(wpa.groupKeyInterval));
    if (wpa.apMode > 4)
        s.refuse();
    const bool scheduleApplies = wpa.apMode == 0;
    const bool periodical = scheduleApplies && wpa.periodicalKeyChange == 1;
    if (!periodical)
        s.text("trbServicePassphrase", index, slotText(wpa.passphrase, sizeof wpa.passphrase));
    if (!scheduleApplies)
        return;
    s.number("trbServiceKeyChange", index, wpa.periodicalKeyChange);
    if (!periodical)
        return;
    s.number("trbServiceKeyChangeDay", index, wpa.day);
    const std::string_view time = slotText(wpa.time, sizeof wpa.time);
    if (!validClockTime(time))
        s.refuse();
    s.text("trbServiceKeyChangeTime", index, time);
    s.number("trbServiceKeyChangeHours", index, wpa.intervalHours);
}

void stageRadius(WirelessStaging &s, const Oid &index, const apEnterpriseSection &eap)
{
    const std::string_view secret = slotText(eap.radiusSecret, sizeof eap.radiusSecret);
    if (secret.empty())
        s.refuse();
    s.ip("trbServiceRadiusServer", index, slotText(eap.radiusServer, sizeof eap.radiusServer));
    s.number("trbServiceRadiusPort", index, eap.radiusPort);
    s.text("trbServiceRadiusSecret", index, secret);
}

// Offset 12 is the group key interval for WPA-Enterprise and the 802.1x key update interval
// for 802.1x; NAP, WPA mode and cipher belong to WPA-Enterprise only.
void stageEnterprise(WirelessStaging &s, const Oid &index, int type, const apEnterpriseSection &eap)
{
    s.number("trbServiceAuthentication", index, type);
    if (type == Dot1x) {
        s.number("trbServiceDot1xKeyInterval", index, int64_t(eap.keyInterval));
    } else {
        s.number("trbServiceEapWpaMode", index, eap.wpaMode);
        s.number("trbServiceEapCipher", index, eap.cipher);
        s.number("trbServiceEapGroupKeyInterval", index, int64_t(eap.keyInterval));
        s.number("trbServiceAccessProtection", index, eap.accessProtection);
    }
    stageRadius(s, index, eap);
}

} // namespace

extern "C" {

int apWirelessGetSecurity(APHANDLE handle, int band, int ssid, int *type, apSecurityRecord *record)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return -code;
    if (record && !record->block)
        return -AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    const Oid index = ssidIndex(band, ssid);
    const int64_t stored = values.number("trbServiceAuthentication", index);
    put(type, stored);
    if (record) {
        record->type = uint32_t(stored);
        auto *block = static_cast<apSecurityBlock *>(record->block);
        std::memset(block, 0, sizeof *block);
        fillWep(values, index, block->wep);
        fillPersonal(values, index, block->personal);
        fillEnterprise(values, index, block->enterprise);
    }
    return codeOf(values, index);
}

int apWirelessSetSecurity(APHANDLE handle, int band, int ssid, int type, const apSecurityRecord *record)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startSsidCall(handle, band, ssid, state))
        return code;
    if (!record || !record->block)
        return AP_ERR_BAD_ARGUMENT;
    const Oid index = ssidIndex(band, ssid);
    WirelessStaging staging;
    switch (type) {
    case OpenSystem:
    case SharedKey: stageWep(staging, index, type, *static_cast<const apWepSection *>(record->block)); break;
    case WpaPersonal: stagePersonal(staging, index, *static_cast<const apWpaPersonalSection *>(record->block)); break;
    case WpaEnterprise:
    case Dot1x: stageEnterprise(staging, index, type, *static_cast<const apEnterpriseSection *>(record->block)); break;
    default: return AP_ERR_BAD_ARGUMENT; // 3 is only ever read
    }
    return staging.stageInto(*state);
}

int apWirelessGetMultiSsidAuthentication(APHANDLE handle, int *codes, int band)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (!codes)
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const WirelessValues values(*state);
    for (int ssid = 0; ssid <= 7; ++ssid)
        codes[ssid] = codeOf(values, ssidIndex(band, ssid));
    return AP_OK;
}

int apWirelessSetMultiSsidAuthentication(APHANDLE handle, const apMultiSsidAuthReset *record, int band)
{
    std::shared_ptr<HandleState> state;
    if (const int code = startBandCall(handle, band, state))
        return code;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    WirelessStaging staging;
    for (int i = 0; i < 3; ++i) {
        if (record->reset[i] > 1)
            staging.refuse();
        if (record->reset[i] != 1)
            continue;
        staging.number("trbServiceAuthentication", ssidIndex(band, i + 1), OpenSystem);
        staging.number("trbServiceWepEncryption", ssidIndex(band, i + 1), 0);
    }
    return staging.stageInto(*state);
}

} // extern "C"
