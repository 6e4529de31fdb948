// The wireless calls against a running simulator: what one handle writes, a fresh handle reads
// back; bad arguments stage nothing; one security section leaves the others alone; the pages'
// group masks read what the pages use.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

class WirelessAgainstSimulator : public SimulatorSessionTest {
protected:
    // Each test starts a simulator, one of them from a state file it writes first.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartLibrary()); }

    // A new handle that has read `mask`.
    APHANDLE freshRead(uint32_t mask = AP_WL_GROUP_ALL)
    {
        APHANDLE h = apWirelessOpen(session, 0);
        EXPECT_EQ(apStyleModify(h, mask, 0), AP_OK);
        EXPECT_EQ(apSnmpSendGetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return h;
    }

    // Stages with `write` on a new handle and sends it.
    void writeWith(const std::function<int(APHANDLE)> &write)
    {
        APHANDLE h = apWirelessOpen(session, 0);
        ASSERT_EQ(write(h), AP_OK);
        ASSERT_EQ(apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    }

    apSecurityBlock readSecurity(int band, int ssid, int *code = nullptr)
    {
        APHANDLE h = freshRead(AP_WL_GROUP_SECURITY);
        apSecurityBlock block{};
        apSecurityRecord record{0, 0, &block};
        int type = 0;
        const int result = apWirelessGetSecurity(h, band, ssid, &type, &record);
        if (code)
            *code = result;
        return block;
    }
};

apWepSection wepSection(uint32_t encryption, uint32_t keyType, uint32_t keySize, uint32_t keyIndex, const char *key)
{
    apWepSection wep{};
    wep.encryption = encryption;
    wep.keyType = keyType;
    wep.keySize = keySize;
    wep.keyIndex = keyIndex;
    std::strncpy(wep.key, key, sizeof wep.key - 1);
    return wep;
}

apWpaPersonalSection personalSection(uint32_t apMode, uint32_t periodical, const char *time, uint32_t hours)
{
    apWpaPersonalSection wpa{};
    wpa.wpaMode = 2;
    wpa.cipher = 3;
    wpa.groupKeyInterval = 3600;
    std::strcpy(wpa.passphrase, "correct horse");
    wpa.periodicalKeyChange = periodical;
    wpa.day = 3;
    std::strcpy(wpa.time, time);
    wpa.intervalHours = hours;
    std::strcpy(wpa.currentKey, "never written");
    wpa.apMode = apMode;
    return wpa;
}

apEnterpriseSection enterpriseSection(uint32_t interval, const char *server, const char *secret)
{
    apEnterpriseSection eap{};
    eap.wpaMode = 0;
    eap.cipher = 2;
    eap.keyInterval = interval;
    eap.dot1xKeyInterval = 12345; // only ever read
    eap.accessProtection = 1;
    std::strcpy(eap.radiusServer, server);
    eap.radiusPort = 1645;
    std::strcpy(eap.radiusSecret, secret);
    return eap;
}

int setSecurity(APHANDLE h, int band, int ssid, int type, const void *section)
{
    apSecurityRecord record{0, uint32_t(type), const_cast<void *>(section)};
    return apWirelessSetSecurity(h, band, ssid, type, &record);
}

apPerformanceRecord performance()
{
    apPerformanceRecord r{};
    r.beaconInterval = 200;
    r.dtimInterval = 3;
    r.transmitPower = 3;
    r.ackTimeout = 100;
    r.radioOn = 1;
    r.wirelessMode = 3;
    r.shortGi = 0;
    r.wmm = 0;
    r.igmpSnooping = 1;
    r.connectionLimit = 1;
    r.userLimit = 10;
    r.utilization = 4;
    std::strcpy(r.dataRate, "54");
    std::strcpy(r.multicastRate, "11");
    return r;
}

// ---- Round trips: each Set written by one handle, read back by a fresh one ----

struct RoundTrip {
    const char *name;
    std::function<int(APHANDLE)> write;
    std::function<void(APHANDLE)> expectRead;
};

std::vector<RoundTrip> roundTrips()
{
    return {
        {"current band", [](APHANDLE h) { return apWirelessSetCurBand(h, 2); },
         [](APHANDLE h) { EXPECT_EQ(apWirelessGetCurBand(h), 2); }},
        {"AP mode", [](APHANDLE h) { return apWirelessSetApMode(h, 2, 0, 3); },
         [](APHANDLE h) {
             int mode = -1, blocked = -1;
             ASSERT_EQ(apWirelessGetApMode(h, 1, 0, &mode, &blocked), AP_OK);
             EXPECT_EQ(mode, 3) << "the radio's mode, whichever band is named";
             EXPECT_EQ(blocked, 0);
         }},
        {"primary SSID", [](APHANDLE h) { return apWirelessSetSSID(h, 1, 0, "Office net", 10, 0); },
         [](APHANDLE h) {
             char text[AP_WL_TEXT_SIZE];
             int length = 0, visible = -1;
             ASSERT_EQ(apWirelessGetSSID(h, 1, 0, text, &length, &visible), AP_OK);
             EXPECT_STREQ(text, "Office net");
             EXPECT_EQ(length, 10);
             EXPECT_EQ(visible, 0);
         }},
        {"additional SSID, length cuts the text", [](APHANDLE h) { return apWirelessSetSSID(h, 2, 7, "Guest-5xyz", 7, 1); },
         [](APHANDLE h) {
             char text[AP_WL_TEXT_SIZE];
             int length = 0, visible = -1;
             ASSERT_EQ(apWirelessGetSSID(h, 2, 7, text, &length, &visible), AP_OK);
             EXPECT_STREQ(text, "Guest-5");
             EXPECT_EQ(visible, 1);
         }},
        {"channel", [](APHANDLE h) { return apWirelessSetChannel(h, 1, 0, 11, 0, 1); },
         [](APHANDLE h) {
             int channel = 0, autoChannel = -1, width = 0;
             ASSERT_EQ(apWirelessGetChannel(h, 1, 0, &channel, &autoChannel, &width), AP_OK);
             EXPECT_EQ(channel, 11);
             EXPECT_EQ(autoChannel, 0);
             EXPECT_EQ(width, 1);
         }},
        {"WDS peers", [](APHANDLE h) { return apWirelessSetWDSList(h, 2, 0, 4, "021A48000001 000000000000 021a48000003 000000000000"); },
         [](APHANDLE h) {
             char text[AP_WL_TEXT_SIZE];
             int count = 0;
             ASSERT_EQ(apWirelessGetWDSList(h, 2, 0, &count, text), AP_OK);
             EXPECT_STREQ(text, "021A48000001 000000000000 021A48000003 000000000000");
             EXPECT_EQ(count, 4);
         }},
        {"MAC clone", [](APHANDLE h) { return apWirelessSetMacClone(h, 1, 1, 2, "021A48ABCDEF"); },
         [](APHANDLE h) {
             int enable = 0, source = 0;
             char mac[20];
             ASSERT_EQ(apWirelessGetMacClone(h, 1, &enable, &source, mac, 0), AP_OK);
             EXPECT_EQ(enable, 1);
             EXPECT_EQ(source, 2);
             EXPECT_STREQ(mac, "021A48ABCDEF");
         }},
        {"multi-SSID", [](APHANDLE h) { return apWirelessSetMultiSSID(h, 2, 1, 1, 0); },
         [](APHANDLE h) {
             int enabled = 0, priority = 0;
             ASSERT_EQ(apWirelessGetMultiSSID(h, 2, &enabled, &priority, 0), AP_OK);
             EXPECT_EQ(enabled, 1);
             EXPECT_EQ(priority, 1);
         }},
        {"SSID in service", [](APHANDLE h) { return apWirelessSetMssIndividualState(h, 1, 5, 1); },
         [](APHANDLE h) {
             int state = 0;
             ASSERT_EQ(apWirelessGetMssIndividualState(h, 1, 5, &state), AP_OK);
             EXPECT_EQ(state, 1);
         }},
        {"SSID WMM and priority", [](APHANDLE h) { return apWirelessSetMultiParamiter(h, 1, 2, 1, 5); },
         [](APHANDLE h) {
             int wmm = 0, priority = 0;
             ASSERT_EQ(apWirelessGetMultiParamiter(h, 1, 2, &wmm, &priority), AP_OK);
             EXPECT_EQ(wmm, 1);
             EXPECT_EQ(priority, 5);
         }},
        {"application class", [](APHANDLE h) { return apWirelessSetApplication(h, 2, 1, 0); },
         [](APHANDLE h) {
             char country[AP_WL_TEXT_SIZE];
             int application = 0;
             ASSERT_EQ(apWirelessGetApplication(h, country, &application), AP_OK);
             EXPECT_STREQ(country, "US");
             EXPECT_EQ(application, 2);
         }},
        {"performance", [](APHANDLE h) {
             const apPerformanceRecord r = performance();
             return apWirelessSetPerformance(h, 1, 0, &r);
         },
         [](APHANDLE h) {
             apPerformanceRecord r{};
             r.bandCount = 77;
             r.apMode = 88;
             ASSERT_EQ(apWirelessGetPerformance(h, 1, 0, &r), AP_OK);
             const apPerformanceRecord w = performance();
             EXPECT_EQ(r.bandCount, 77u) << "the caller's words stay";
             EXPECT_EQ(r.apMode, 88u);
             EXPECT_EQ(std::memcmp(&r.beaconInterval, &w.beaconInterval,
                                   offsetof(apPerformanceRecord, reserved2) - offsetof(apPerformanceRecord, beaconInterval)),
                       0);
             EXPECT_STREQ(r.dataRate, "54");
             EXPECT_STREQ(r.multicastRate, "11");
         }},
        {"radio off", [](APHANDLE h) {
             apPerformanceRecord r = performance();
             r.radioOn = 0;
             return apWirelessSetPerformance(h, 1, 0, &r);
         },
         [](APHANDLE h) {
             apPerformanceRecord r{};
             ASSERT_EQ(apWirelessGetPerformance(h, 1, 0, &r), AP_OK);
             EXPECT_EQ(r.radioOn, 0u);
         }},
        {"shared key WEP", [](APHANDLE h) {
             const apWepSection wep = wepSection(1, 2, 128, 3, "0123456789abcdef0123456789");
             return setSecurity(h, 1, 2, 2, &wep);
         },
         [](APHANDLE h) {
             apSecurityBlock block{};
             apSecurityRecord record{0, 0, &block};
             int type = 0;
             EXPECT_EQ(apWirelessGetSecurity(h, 1, 2, &type, &record), 2);
             EXPECT_EQ(type, 2);
             EXPECT_EQ(block.wep.encryption, 1u);
             EXPECT_EQ(block.wep.keyType, 2u);
             EXPECT_EQ(block.wep.keySize, 128u);
             EXPECT_EQ(block.wep.keyIndex, 3u);
             EXPECT_STREQ(block.wep.key, "0123456789abcdef0123456789");
         }},
        {"WPA-Personal with a periodical key change", [](APHANDLE h) {
             const apWpaPersonalSection wpa = personalSection(0, 1, "07:30", 12);
             return setSecurity(h, 2, 0, 4, &wpa);
         },
         [](APHANDLE h) {
             apSecurityBlock block{};
             apSecurityRecord record{0, 0, &block};
             int type = 0;
             EXPECT_EQ(apWirelessGetSecurity(h, 2, 0, &type, &record), 4) << "WPA only";
             EXPECT_EQ(type, 4);
             EXPECT_EQ(block.personal.wpaMode, 2u);
             EXPECT_EQ(block.personal.cipher, 3u);
             EXPECT_EQ(block.personal.groupKeyInterval, 3600u);
             EXPECT_EQ(block.personal.periodicalKeyChange, 1u);
             EXPECT_EQ(block.personal.day, 3u);
             EXPECT_STREQ(block.personal.time, "07:30");
             EXPECT_EQ(block.personal.intervalHours, 12u);
             EXPECT_STREQ(block.personal.currentKey, "") << "never written";
         }},
        {"WPA-Enterprise", [](APHANDLE h) {
             const apEnterpriseSection eap = enterpriseSection(4000, "10.0.0.5", "radius-secret");
             return setSecurity(h, 2, 1, 5, &eap);
         },
         [](APHANDLE h) {
             apSecurityBlock block{};
             apSecurityRecord record{0, 0, &block};
             int type = 0;
             EXPECT_EQ(apWirelessGetSecurity(h, 2, 1, &type, &record), 9) << "WPA or WPA2";
             EXPECT_EQ(block.enterprise.wpaMode, 0u);
             EXPECT_EQ(block.enterprise.cipher, 2u);
             EXPECT_EQ(block.enterprise.keyInterval, 4000u);
             EXPECT_EQ(block.enterprise.dot1xKeyInterval, 300u) << "the 802.1x interval stays";
             EXPECT_EQ(block.enterprise.accessProtection, 1u);
             EXPECT_STREQ(block.enterprise.radiusServer, "10.0.0.5");
             EXPECT_EQ(block.enterprise.radiusPort, 1645u);
             EXPECT_STREQ(block.enterprise.radiusSecret, "radius-secret");
         }},
        {"802.1x: the interval written at 12 reads at 16", [](APHANDLE h) {
             const apEnterpriseSection eap = enterpriseSection(600, "10.0.0.6", "s");
             return setSecurity(h, 2, 0, 6, &eap);
         },
         [](APHANDLE h) {
             apSecurityBlock block{};
             apSecurityRecord record{0, 0, &block};
             int type = 0;
             EXPECT_EQ(apWirelessGetSecurity(h, 2, 0, &type, &record), 10);
             EXPECT_EQ(block.enterprise.dot1xKeyInterval, 600u);
             EXPECT_EQ(block.enterprise.keyInterval, 1800u) << "the group key interval stays";
             EXPECT_EQ(block.enterprise.accessProtection, 0u) << "NAP is WPA-Enterprise's";
             EXPECT_STREQ(block.enterprise.radiusServer, "10.0.0.6");
         }},
        {"multi-SSID authentication reset", [](APHANDLE h) {
             const apEnterpriseSection eap = enterpriseSection(4000, "10.0.0.5", "x");
             for (int ssid : {1, 2, 3})
                 if (int code = setSecurity(h, 1, ssid, 5, &eap))
                     return code;
             const apMultiSsidAuthReset reset{0, {0, 1, 1}};
             return apWirelessSetMultiSsidAuthentication(h, &reset, 1);
         },
         [](APHANDLE h) {
             int codes[8] = {};
             ASSERT_EQ(apWirelessGetMultiSsidAuthentication(h, codes, 1), AP_OK);
             EXPECT_EQ(codes[0], 6) << "the primary SSID's WPA2-Personal";
             EXPECT_EQ(codes[1], 9) << "not flagged";
             EXPECT_EQ(codes[2], 1);
             EXPECT_EQ(codes[3], 1);
             EXPECT_EQ(codes[4], 1);
         }},
    };
}

class WirelessRoundTrip : public WirelessAgainstSimulator, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(WirelessRoundTrip, WhatOneHandleWritesAFreshHandleReads)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    writeWith(GetParam().write);
    GetParam().expectRead(freshRead());
}

INSTANTIATE_TEST_SUITE_P(Calls, WirelessRoundTrip, ::testing::ValuesIn(roundTrips()),
                         [](const auto &info) {
                             std::string name;
                             for (char c : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// ---- Bad arguments: AP_ERR_BAD_ARGUMENT and nothing staged ----

struct BadCall {
    const char *name;
    std::function<int(APHANDLE)> call;
};

std::vector<BadCall> badCalls()
{
    auto perf = [](auto change) {
        return [change](APHANDLE h) {
            apPerformanceRecord r = performance();
            change(r);
            return apWirelessSetPerformance(h, 1, 0, &r);
        };
    };
    auto wep = [](int type, apWepSection section) {
        return [type, section](APHANDLE h) { return setSecurity(h, 1, 1, type, &section); };
    };
    auto personal = [](apWpaPersonalSection section) {
        return [section](APHANDLE h) { return setSecurity(h, 1, 1, 4, &section); };
    };
    auto enterprise = [](int type, apEnterpriseSection section) {
        return [type, section](APHANDLE h) { return setSecurity(h, 1, 1, type, &section); };
    };
    apWpaPersonalSection shortPhrase = personalSection(1, 0, "", 0);
    std::strcpy(shortPhrase.passphrase, "7 chars");
    apWpaPersonalSection shortInterval = personalSection(1, 0, "", 0);
    shortInterval.groupKeyInterval = 299;
    return {
        {"band 0", [](APHANDLE h) { return apWirelessSetCurBand(h, 0); }},
        {"band 3", [](APHANDLE h) { return apWirelessSetChannel(h, 3, 0, 6, 0, 1); }},
        {"SSID 8", [](APHANDLE h) { return apWirelessSetSSID(h, 1, 8, "x", 1, 1); }},
        {"AP mode 5", [](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, 5); }},
        {"SSID of 33 characters", [](APHANDLE h) { return apWirelessSetSSID(h, 1, 1, std::string(33, 'a').c_str(), 33, 1); }},
        {"empty SSID", [](APHANDLE h) { return apWirelessSetSSID(h, 1, 0, "", 0, 1); }},
        {"SSID visibility 2", [](APHANDLE h) { return apWirelessSetSSID(h, 1, 0, "ok", 2, 2); }},
        {"good channel, bad width", [](APHANDLE h) { return apWirelessSetChannel(h, 1, 0, 6, 0, 3); }},
        {"WDS peer not hex", [](APHANDLE h) { return apWirelessSetWDSList(h, 1, 0, 1, "02XX48000001"); }},
        {"WDS count and list differ", [](APHANDLE h) { return apWirelessSetWDSList(h, 1, 0, 4, "021A48000001"); }},
        {"MAC clone, manual with no address", [](APHANDLE h) { return apWirelessSetMacClone(h, 1, 1, 2, "000000000000"); }},
        {"MAC clone source 3", [](APHANDLE h) { return apWirelessSetMacClone(h, 1, 1, 3, "021A48ABCDEF"); }},
        {"priority 8", [](APHANDLE h) { return apWirelessSetMultiParamiter(h, 1, 1, 1, 8); }},
        {"primary SSID out of service", [](APHANDLE h) { return apWirelessSetMssIndividualState(h, 1, 0, 0); }},
        {"application index 2", [](APHANDLE h) { return apWirelessSetApplication(h, 2, 2, 0); }},
        {"beacon 24", perf([](apPerformanceRecord &r) { r.beaconInterval = 24; })},
        {"DTIM 16", perf([](apPerformanceRecord &r) { r.dtimInterval = 16; })},
        {"5 GHz mode on 2.4 GHz", perf([](apPerformanceRecord &r) { r.wirelessMode = 9; })},
        {"user limit 65", perf([](apPerformanceRecord &r) { r.userLimit = 65; })},
        {"odd utilization", perf([](apPerformanceRecord &r) { r.utilization = 3; })},
        {"empty data rate", perf([](apPerformanceRecord &r) { r.dataRate[0] = 0; })},
        {"type 3 is read only", wep(3, wepSection(0, 1, 64, 1, ""))},
        {"shared key without encryption", wep(2, wepSection(0, 1, 64, 1, "abcde"))},
        {"ASCII 64-bit key of 6", wep(1, wepSection(1, 1, 64, 1, "abcdef"))},
        {"HEX key with G", wep(1, wepSection(1, 2, 128, 1, "0123456789ABCDEF012345678G"))},
        {"key index 5", wep(1, wepSection(1, 1, 64, 5, "abcde"))},
        {"passphrase of 7", personal(shortPhrase)},
        {"group key interval 299", personal(shortInterval)},
        {"key change every 169 hours", personal(personalSection(0, 1, "07:30", 169))},
        {"key change at 25:00", personal(personalSection(0, 1, "25:00", 12))},
        {"enterprise without secret", enterprise(5, enterpriseSection(1800, "10.0.0.1", ""))},
        {"enterprise server not an address", enterprise(5, enterpriseSection(1800, "10.0.0", "s"))},
        {"802.1x interval 9999999 + 1", enterprise(6, enterpriseSection(10000000, "10.0.0.1", "s"))},
        {"reset flag 2", [](APHANDLE h) {
             const apMultiSsidAuthReset reset{0, {0, 2, 0}};
             return apWirelessSetMultiSsidAuthentication(h, &reset, 1);
         }},
    };
}

class WirelessBadCall : public WirelessAgainstSimulator, public ::testing::WithParamInterface<BadCall> {};

TEST_P(WirelessBadCall, IsRefusedAndStagesNothing)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    APHANDLE h = apWirelessOpen(session, 0);
    EXPECT_EQ(GetParam().call(h), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_ERR_NOT_WRITABLE);
}

INSTANTIATE_TEST_SUITE_P(Calls, WirelessBadCall, ::testing::ValuesIn(badCalls()), [](const auto &info) {
    std::string name;
    for (char c : std::string(info.param.name))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// ---- One security section at a time ----

struct SectionWrite {
    int type;
    std::function<int(APHANDLE)> write;
    bool keepsWep, keepsPersonal, keepsEnterprise;
};

TEST_F(WirelessAgainstSimulator, ASectionWriteLeavesTheOtherSectionsAsTheyWere)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    const SectionWrite writes[] = {
        {1, [](APHANDLE h) { const auto s = wepSection(1, 1, 128, 2, "thirteen-char"); return setSecurity(h, 1, 3, 1, &s); },
         false, true, true},
        {4, [](APHANDLE h) { const auto s = personalSection(0, 1, "23:59", 168); return setSecurity(h, 1, 3, 4, &s); },
         true, false, true},
        {5, [](APHANDLE h) { const auto s = enterpriseSection(5000, "192.0.2.1", "abc"); return setSecurity(h, 1, 3, 5, &s); },
         true, true, false},
        {6, [](APHANDLE h) { const auto s = enterpriseSection(700, "192.0.2.2", "def"); return setSecurity(h, 1, 3, 6, &s); },
         true, true, false},
    };
    for (const SectionWrite &w : writes) {
        SCOPED_TRACE(w.type);
        const apSecurityBlock before = readSecurity(1, 3);
        writeWith(w.write);
        int code = 0;
        const apSecurityBlock after = readSecurity(1, 3, &code);
        EXPECT_NE(code, 0);
        EXPECT_EQ(std::memcmp(&before.wep, &after.wep, sizeof before.wep) == 0, w.keepsWep);
        EXPECT_EQ(std::memcmp(&before.personal, &after.personal, sizeof before.personal) == 0, w.keepsPersonal);
        EXPECT_EQ(std::memcmp(&before.enterprise, &after.enterprise, sizeof before.enterprise) == 0, w.keepsEnterprise);
        if (w.type == 5) {
            EXPECT_EQ(after.enterprise.dot1xKeyInterval, before.enterprise.dot1xKeyInterval);
        }
        if (w.type == 6) {
            EXPECT_EQ(after.enterprise.keyInterval, before.enterprise.keyInterval);
            EXPECT_EQ(after.enterprise.wpaMode, before.enterprise.wpaMode);
            EXPECT_EQ(after.enterprise.accessProtection, before.enterprise.accessProtection);
        }
    }
}

TEST_F(WirelessAgainstSimulator, WpaPersonalOutsideAccessPointModeKeepsTheKeySchedule)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    writeWith([](APHANDLE h) { const auto s = personalSection(0, 1, "06:15", 5); return setSecurity(h, 1, 1, 4, &s); });
    writeWith([](APHANDLE h) { const auto s = personalSection(2, 0, "", 0); return setSecurity(h, 1, 1, 4, &s); });
    const apSecurityBlock block = readSecurity(1, 1);
    EXPECT_EQ(block.personal.periodicalKeyChange, 1u);
    EXPECT_STREQ(block.personal.time, "06:15");
    EXPECT_EQ(block.personal.intervalHours, 5u);
    EXPECT_STREQ(block.personal.passphrase, "correct horse");
}

// ---- Secrets ----

TEST_F(WirelessAgainstSimulator, SecretsComeBackThroughTheLibrary)
{
    StartSimulator({}, {.timeoutTenMs = 150});
    writeWith([](APHANDLE h) {
        const auto s = wepSection(1, 1, 64, 1, "abcde");
        const auto e = enterpriseSection(1800, "10.1.1.1", "shh");
        if (int code = setSecurity(h, 2, 4, 1, &s))
            return code;
        return setSecurity(h, 2, 5, 5, &e);
    });
    const apSecurityBlock wep = readSecurity(2, 4);
    const apSecurityBlock eap = readSecurity(2, 5);
    EXPECT_STREQ(wep.wep.key, "abcde");
    EXPECT_STREQ(wep.personal.passphrase, "trb4820-key");
    EXPECT_STREQ(eap.enterprise.radiusSecret, "shh");
}

// ---- The pages' masks ----

struct PageMask {
    const char *page;
    uint32_t mask;
    std::vector<std::pair<const char *, std::function<bool(APHANDLE)>>> reads;
};

std::vector<PageMask> pageMasks()
{
    auto curBand = [](APHANDLE h) { return apWirelessGetCurBand(h) == 1; };
    auto apMode = [](APHANDLE h) {
        int mode = -1;
        return apWirelessGetApMode(h, 1, 0, &mode, nullptr) == AP_OK && mode == 1;
    };
    auto wirelessMode = [](APHANDLE h) {
        apPerformanceRecord r{};
        return apWirelessGetPerformance(h, 1, 0, &r) == AP_OK && r.wirelessMode == 6;
    };
    auto performance = [](APHANDLE h) {
        apPerformanceRecord r{};
        return apWirelessGetPerformance(h, 1, 0, &r) == AP_OK && r.beaconInterval == 100 && r.radioOn == 1 &&
               std::strcmp(r.dataRate, "Auto") == 0 && std::strcmp(r.multicastRate, "Disable") == 0;
    };
    auto security = [](APHANDLE h) {
        apSecurityBlock block{};
        apSecurityRecord record{0, 0, &block};
        int type = 0;
        return apWirelessGetSecurity(h, 1, 0, &type, &record) == 6 && type == 4 &&
               std::strcmp(block.personal.passphrase, "trb4820-key") == 0;
    };
    auto rateLists = [](APHANDLE h) {
        char rates[AP_WL_TEXT_SIZE] = {}, multicast[AP_WL_TEXT_SIZE] = {};
        return apWirelessGetList(h, 1, nullptr, nullptr, rates, multicast, nullptr, nullptr) == AP_OK &&
               std::strncmp(rates, "Auto 1 2 5.5 11", 15) == 0 && std::strncmp(multicast, "1 2 5.5 11", 10) == 0;
    };
    auto channelList = [](APHANDLE h) {
        char channels[AP_WL_TEXT_SIZE] = {};
        return apWirelessGetList(h, 1, channels, nullptr, nullptr, nullptr, nullptr, nullptr) == AP_OK &&
               std::strcmp(channels, "1 2 3 4 5 6 7 8 9 10 11") == 0;
    };
    auto functions = [](APHANDLE h) {
        int vlan = 0, apArray = 0, web = 0, fourth = -1;
        return apWirelessGetFunctionState(h, 1, &vlan, &apArray, &web, &fourth) == AP_OK && vlan == 1 &&
               apArray == 1 && web == 1 && fourth == 0;
    };
    auto application = [](APHANDLE h) {
        char country[AP_WL_TEXT_SIZE] = {};
        int value = 0;
        return apWirelessGetApplication(h, country, &value) == AP_OK && std::strcmp(country, "US") == 0 && value == 2;
    };
    auto ssid = [](APHANDLE h) {
        char text[AP_WL_TEXT_SIZE] = {};
        int length = 0, visible = 0;
        return apWirelessGetSSID(h, 1, 1, text, &length, &visible) == AP_OK && std::strcmp(text, "TRB4820-2G-1") == 0 &&
               visible == 1;
    };
    auto channel = [](APHANDLE h) {
        int number = 0, autoChannel = 0, width = 0;
        return apWirelessGetChannel(h, 1, 0, &number, &autoChannel, &width) == AP_OK && number == 6 &&
               autoChannel == 1 && width == 2;
    };
    auto wds = [](APHANDLE h) {
        char text[AP_WL_TEXT_SIZE] = {};
        int count = 0;
        return apWirelessGetWDSList(h, 1, 0, &count, text) == AP_OK &&
               std::strcmp(text, "000000000000 000000000000 000000000000 000000000000") == 0;
    };
    auto macClone = [](APHANDLE h) {
        int enable = 0, source = 0;
        char mac[20] = {};
        return apWirelessGetMacClone(h, 1, &enable, &source, mac, 0) == AP_OK && enable == 1 && source == 1;
    };
    auto multiSsid = [](APHANDLE h) {
        int enabled = 0, priority = 0;
        return apWirelessGetMultiSSID(h, 1, &enabled, &priority, 0) == AP_OK && enabled == 1 && priority == 1;
    };
    auto inService = [](APHANDLE h) {
        int state = 0;
        return apWirelessGetMssIndividualState(h, 1, 1, &state) == AP_OK && state == 1;
    };
    auto ssidParameters = [](APHANDLE h) {
        int wmm = 0, priority = 0;
        return apWirelessGetMultiParamiter(h, 1, 1, &wmm, &priority) == AP_OK && wmm == 1 && priority == 3;
    };
    auto authentication = [](APHANDLE h) {
        int codes[8] = {};
        return apWirelessGetMultiSsidAuthentication(h, codes, 1) == AP_OK && codes[0] == 6 && codes[1] == 1;
    };
    return {
        {"performance", 0xC21,
         {{"current band", curBand}, {"AP mode", apMode}, {"security", security}, {"performance", performance},
          {"wireless mode", wirelessMode}, {"rate lists", rateLists}}},
        {"basic wireless", 0xCBFF,
         {{"current band", curBand}, {"function states", functions}, {"wireless mode", wirelessMode},
          {"application", application}, {"channel list", channelList}, {"AP mode", apMode}, {"SSID", ssid},
          {"channel", channel}, {"security", security}, {"WDS", wds}, {"MAC clone", macClone},
          {"multi-SSID", multiSsid}, {"SSID in service", inService}, {"authentication codes", authentication}}},
        {"multi-SSID", 0x3987,
         {{"current band", curBand}, {"multi-SSID", multiSsid}, {"AP mode", apMode}, {"wireless mode", wirelessMode},
          {"SSID", ssid}, {"SSID parameters", ssidParameters}, {"security", security},
          {"SSID in service", inService}}},
    };
}

TEST_F(WirelessAgainstSimulator, EachPageMaskReadsEveryValueItsPageUses)
{
    // A saved configuration that differs from the factory's wherever a page reads.
    const std::string directory = ::testing::TempDir() + "/wireless-masks-" + std::to_string(::getpid());
    std::filesystem::create_directories(directory);
    const std::string stateFile = directory + "/state.ini";
    std::ofstream(stateFile) << "format=trb4820-sim-state/1\n"
                                "trbApMode.0=2\ntrbVlanFunction.0=1\ntrbApArrayFunction.0=1\ntrbWebRedirection.0=1\n"
                                "trbApplicationClass.0=2\ntrbRadioMacClone.1=1\ntrbRadioMultiSsid.1=1\n"
                                "trbRadioMultiSsidPriority.1=1\ntrbServiceState.1.1=1\ntrbServiceWmm.1.1=1\n"
                                "trbServicePriority.1.1=3\n";
    StartSimulator({}, {.timeoutTenMs = 150}, stateFile);
    for (const PageMask &page : pageMasks()) {
        SCOPED_TRACE(page.page);
        APHANDLE h = freshRead(page.mask);
        for (const auto &[what, reads] : page.reads)
            EXPECT_TRUE(reads(h)) << what;
    }
}

} // namespace
