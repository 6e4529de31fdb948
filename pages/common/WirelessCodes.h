#pragma once
// The radio's codes as the wireless pages share them: bands, AP modes, wireless modes,
// security types and encryption codes.
#include <QString>
#include <QStringList>

#include <array>

#include "TRB4820apRecords.h"

namespace trb::wireless {

enum Band { Band24 = 1, Band5 = 2 };

enum ApMode { AccessPoint = 0, WdsWithAp = 1, Wds = 2, WirelessClient = 3, ApRepeater = 4 };

enum SecurityType {
    OpenSystem = 1,
    SharedKey = 2,
    OpenOrShared = 3, // only ever read
    WpaPersonal = 4,
    WpaEnterprise = 5,
    Dot1x = 6,
};

// Key update intervals (WPA group key, 802.1x), seconds.
inline constexpr int kMinKeyInterval = 300;
inline constexpr int kMaxKeyInterval = 9999999;

// The "Authentication" / "Security " entries.
inline const QString kMethodOpenSystem = QStringLiteral("Open System");
inline const QString kMethodSharedKey = QStringLiteral("Shared key");
inline const QString kMethodPersonal = QStringLiteral("WPA-Personal");
inline const QString kMethodEnterprise = QStringLiteral("WPA-Enterprise");
inline const QString kMethodDot1x = QStringLiteral("802.1x");

// The section of the block a write of `type` takes.
inline void *SecuritySection(int type, apSecurityBlock &block)
{
    if (type == WpaPersonal)
        return &block.personal;
    if (type == WpaEnterprise || type == Dot1x)
        return &block.enterprise;
    return &block.wep;
}

// Wireless mode codes by "Wireless Mode " entry (mixed with 11n, legacy mixed, 802.11n only).
inline constexpr std::array<int, 3> kModeCodes24 = {6, 3, 2};
inline constexpr std::array<int, 3> kModeCodes5 = {9, 7, 8};

inline const std::array<int, 3> &ModeCodes(int band) { return band == Band5 ? kModeCodes5 : kModeCodes24; }

// The entry of a code. The TRB-4820 reports one band, so its codes map through the table both
// ways; a device with two bands would count codes from 1.
inline int ModeIndexOfCode(int code, int bandCount)
{
    if (bandCount != 1)
        return code - 1;
    for (const auto *codes : {&kModeCodes24, &kModeCodes5})
        for (int i = 0; i < 3; ++i)
            if ((*codes)[i] == code)
                return i;
    return -1;
}

inline int ModeCodeOfIndex(int band, int index) { return index >= 0 && index < 3 ? ModeCodes(band)[index] : 0; }

// 802.11n Only.
inline bool IsNOnly(int code) { return code == 2 || code == 8; }
// The legacy mixed modes (no 802.11n at all).
inline bool IsNo11n(int code) { return code == 3 || code == 7; }

inline QStringList WirelessModeEntries(int band, bool without11nOnly)
{
    QStringList entries = band == Band5
        ? QStringList{QStringLiteral("Mixed 802.11n, 802.11a"), QStringLiteral("802.11a only")}
        : QStringList{QStringLiteral("Mixed 802.11n,802.11g and 802.11b"), QStringLiteral("Mixed 802.11g and 802.11b")};
    if (!without11nOnly)
        entries << QStringLiteral("802.11n Only");
    return entries;
}

// Enterprise kinds among the encryption codes (WPA/WPA2/auto enterprise, 802.1x).
inline bool IsEnterpriseCode(int code) { return code == 5 || code == 7 || code == 9 || code == 10; }

inline QString EncryptionText(int code)
{
    static const char *const kTexts[] = {"None",           "Open System",   "Shared Key",
                                         "Open System and Shared Key",  "WPA-Personal",
                                         "WPA-Enterprise", "WPA2-Personal", "WPA2-Enterprise",
                                         "WPA2-Auto-Personal",          "WPA2-Auto-Enterprise", "802.1x"};
    return QString::fromLatin1(code >= 0 && code <= 10 ? kTexts[code] : kTexts[1]);
}

} // namespace trb::wireless
