// Site surveys (monitor kinds 3 and 4) and the client MAC list (kind 8) through the library,
// against a simulator, the way the basic wireless page reads them: a refresh with a callback,
// then the count, then the rows.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using namespace std::chrono_literals;
using trb::test::SimulatorSessionTest;

namespace {

struct RefreshDone {
    std::mutex mutex;
    std::condition_variable changed;
    int reports = 0;
    uint32_t code = 0;

    static int report(APHANDLE, uint32_t more, uint32_t code, void *context, uint32_t)
    {
        auto *self = static_cast<RefreshDone *>(context);
        if (more)
            return 0;
        std::lock_guard lock(self->mutex);
        ++self->reports;
        self->code = code;
        self->changed.notify_all();
        return 0;
    }
    bool wait()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 15s, [&] { return reports > 0; });
    }
};

// One kind's record: its size and where the page finds each field (0: not in the record).
struct KindLayout {
    int kind;
    std::size_t size;
    std::size_t channel, signal, bssid, security, ssid;
};
const KindLayout kClientSurvey{3, sizeof(apClientSurveyRecord), 1032, 1036, 1040, 1060, 2084};
const KindLayout kWdsSurvey{4, sizeof(apWdsSurveyRecord), 8, 12, 16, 36, 1060};

uint32_t wordAt(const uint8_t *row, std::size_t offset)
{
    uint32_t word;
    std::memcpy(&word, row + offset, sizeof word);
    return word;
}

bool terminatedAt(const uint8_t *row, std::size_t offset, std::size_t size)
{
    return std::memchr(row + offset, 0, size) != nullptr;
}

bool unicastHex(const std::string &text)
{
    if (text.size() != 12 || text.find_first_not_of("0123456789ABCDEF") != std::string::npos)
        return false;
    return (std::stoi(text.substr(0, 2), nullptr, 16) & 1) == 0 && text != "000000000000";
}

bool channelOfBand(int band, uint32_t channel)
{
    static const std::set<uint32_t> five = {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116,
                                            120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
    return band == 1 ? channel >= 1 && channel <= 13 : five.count(channel) == 1;
}

struct SurveyRow {
    uint32_t band, channel, signal;
    std::string bssid, security, ssid;
};

class SurveyAgainstSimulator : public SimulatorSessionTest {
protected:
    // Each test starts a simulator with the neighbours or faults it needs.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartLibrary()); }

    // Refresh in callback mode; the code the callback reported.
    uint32_t refresh(APHANDLE monitor, int band)
    {
        RefreshDone done;
        EXPECT_EQ(apSysMonitorRefresh(monitor, band, &RefreshDone::report, &done, AP_MODE_CALLBACK), AP_OK);
        EXPECT_TRUE(done.wait());
        return done.code;
    }

    // The two-call read, with a guard row after the count that must stay untouched.
    std::vector<uint8_t> rows(APHANDLE monitor, std::size_t size, uint32_t &count)
    {
        apMonitorQuery1 query{0, nullptr};
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        count = query.count;
        std::vector<uint8_t> buffer((count + 1) * size, 0);
        std::memset(buffer.data() + count * size, 0x5A, size);
        query.rows = buffer.data();
        EXPECT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        EXPECT_EQ(query.count, count) << "the fill call agrees with the count call";
        for (std::size_t i = count * size; i < buffer.size(); ++i)
            if (buffer[i] != 0x5A) {
                ADD_FAILURE() << "wrote past the count";
                break;
            }
        buffer.resize(count * size);
        return buffer;
    }

    std::vector<SurveyRow> survey(const KindLayout &layout, int band)
    {
        APHANDLE monitor = apSysMonitorOpen(session, layout.kind, 0);
        EXPECT_NE(monitor, 0u);
        EXPECT_EQ(refresh(monitor, band), uint32_t(AP_OK));
        uint32_t count = 0;
        std::vector<uint8_t> bytes = rows(monitor, layout.size, count);
        std::vector<SurveyRow> list;
        for (uint32_t i = 0; i < count; ++i) {
            const uint8_t *row = bytes.data() + i * layout.size;
            EXPECT_TRUE(terminatedAt(row, layout.bssid, 20));
            EXPECT_TRUE(terminatedAt(row, layout.security, layout.ssid - layout.security));
            EXPECT_TRUE(terminatedAt(row, layout.ssid, layout.size - layout.ssid));
            auto text = [row](std::size_t offset) { return std::string(reinterpret_cast<const char *>(row + offset)); };
            list.push_back({wordAt(row, 0), wordAt(row, layout.channel), wordAt(row, layout.signal),
                            text(layout.bssid), text(layout.security), text(layout.ssid)});
        }
        apHandleClose(monitor);
        return list;
    }
};

TEST_F(SurveyAgainstSimulator, EachKindListsTheScannedBand)
{
    StartSimulator();
    const struct {
        const KindLayout *layout;
        int band;
    } cases[] = {{&kClientSurvey, 1}, {&kClientSurvey, 2}, {&kWdsSurvey, 1}, {&kWdsSurvey, 2}};
    for (const auto &c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.layout->kind) + " band " + std::to_string(c.band));
        auto list = survey(*c.layout, c.band);
        EXPECT_GE(list.size(), 11u);
        EXPECT_LE(list.size(), 13u);
        std::set<std::string> bssids;
        for (const SurveyRow &row : list) {
            EXPECT_EQ(row.band, uint32_t(c.band));
            EXPECT_TRUE(channelOfBand(c.band, row.channel)) << row.channel;
            EXPECT_GE(row.signal, 5u);
            EXPECT_LE(row.signal, 95u);
            EXPECT_TRUE(unicastHex(row.bssid)) << row.bssid;
            EXPECT_TRUE(bssids.insert(row.bssid).second) << "distinct: " << row.bssid;
            EXPECT_FALSE(row.security.empty());
        }
    }
}

TEST_F(SurveyAgainstSimulator, ASecondScanDriftsSignalsAndKeepsTheAccessPoints)
{
    StartSimulator({"--neighbours", "30"});
    std::map<std::string, SurveyRow> first;
    for (const SurveyRow &row : survey(kWdsSurvey, 2))
        first[row.bssid] = row;
    ASSERT_EQ(first.size(), 30u);
    auto second = survey(kClientSurvey, 2);
    std::size_t kept = 0, drifted = 0;
    for (const SurveyRow &row : second) {
        auto it = first.find(row.bssid);
        if (it == first.end())
            continue;
        ++kept;
        EXPECT_EQ(row.channel, it->second.channel);
        EXPECT_EQ(row.ssid, it->second.ssid);
        EXPECT_LE(std::abs(int(row.signal) - int(it->second.signal)), 3);
        drifted += row.signal != it->second.signal;
    }
    EXPECT_GE(kept, 29u) << "at most one access point comes or goes";
    EXPECT_LE(second.size(), 30u);
    EXPECT_GT(drifted, 0u);
}

TEST_F(SurveyAgainstSimulator, SixtyFourNeighboursAndAShortBuffer)
{
    StartSimulator({"--neighbours", "64"});
    APHANDLE monitor = apSysMonitorOpen(session, 3, 0);
    ASSERT_EQ(refresh(monitor, 1), uint32_t(AP_OK));
    uint32_t count = 0;
    rows(monitor, sizeof(apClientSurveyRecord), count);
    EXPECT_EQ(count, 64u);

    // A caller with room for fewer rows gets that many, and nothing past them.
    const uint32_t room = 10;
    std::vector<apClientSurveyRecord> buffer(room + 1);
    std::memset(buffer.data(), 0x5A, buffer.size() * sizeof buffer[0]);
    apMonitorQuery1 query{room, buffer.data()};
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    EXPECT_EQ(query.count, room);
    EXPECT_EQ(buffer[room - 1].band, 1u);
    EXPECT_EQ(reinterpret_cast<const uint8_t *>(&buffer[room])[0], 0x5A);
}

TEST_F(SurveyAgainstSimulator, TheClientMacListIsIndexedUnicastMacs)
{
    StartSimulator();
    APHANDLE monitor = apSysMonitorOpen(session, 8, 0);
    ASSERT_NE(monitor, 0u);
    ASSERT_EQ(refresh(monitor, 2), uint32_t(AP_OK));
    uint32_t count = 0;
    std::vector<uint8_t> bytes = rows(monitor, sizeof(apClientMacRecord), count);
    EXPECT_GE(count, 3u);
    EXPECT_LE(count, 5u);
    std::set<std::string> macs;
    for (uint32_t i = 0; i < count; ++i) {
        apClientMacRecord row;
        std::memcpy(&row, bytes.data() + i * sizeof row, sizeof row);
        EXPECT_EQ(row.index, i + 1);
        ASSERT_TRUE(terminatedAt(bytes.data() + i * sizeof row, 4, 20));
        EXPECT_TRUE(unicastHex(row.mac)) << row.mac;
        EXPECT_TRUE(macs.insert(row.mac).second);
    }
}

TEST_F(SurveyAgainstSimulator, BadSelectorsAndKindsAreRefusedBeforeSending)
{
    StartSimulator();
    const struct {
        int kind;
        int selector;
        int code;
    } cases[] = {
        {3, 0, AP_ERR_BAD_ARGUMENT}, {3, 3, AP_ERR_BAD_ARGUMENT}, {4, -1, AP_ERR_BAD_ARGUMENT},
        {8, 0, AP_ERR_BAD_ARGUMENT}, {0, 2, AP_ERR_BAD_ARGUMENT}, {4, 2, AP_OK},
        {5, 1, AP_ERR_BAD_ARGUMENT}, // the DHCP leases take selector 3 only
    };
    for (const auto &c : cases) {
        APHANDLE monitor = apSysMonitorOpen(session, c.kind, 0);
        ASSERT_NE(monitor, 0u);
        EXPECT_EQ(apSysMonitorRefresh(monitor, c.selector, nullptr, nullptr, AP_MODE_BLOCKING), c.code)
            << "kind " << c.kind << " selector " << c.selector;
        apHandleClose(monitor);
    }
    // 1 WDS peers, 2 intrusion detection, 5 the DHCP leases, 6 the AP array scan and 7 the VLAN port
    // view have their own tests
    for (int kind : {-1, 9})
        EXPECT_EQ(apSysMonitorOpen(session, kind, 0), 0u) << kind;
}

TEST_F(SurveyAgainstSimulator, AScanTheDeviceRefusesLeavesAnEmptyTable)
{
    StartSimulator();
    // The read community may not start a scan: the device refuses the set.
    APHANDLE readOnly = apSnmpOpenSession(35, "trb3710");
    ASSERT_EQ(apSnmpSetSession(readOnly, 161, "public", "public", 100, sim->address().c_str(), 1), AP_OK);
    APHANDLE monitor = apSysMonitorOpen(readOnly, 4, 0);
    ASSERT_EQ(refresh(apSysMonitorOpen(session, 4, 0), 1), uint32_t(AP_OK)); // the device has rows
    EXPECT_EQ(refresh(monitor, 1), uint32_t(AP_ERR_SNMP_STATUS + 6)) << "noAccess";
    apMonitorQuery1 query{0, nullptr};
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    EXPECT_EQ(query.count, 0u);
}

TEST_F(SurveyAgainstSimulator, ASilentDeviceTimesOutOnceAndLeavesAnEmptyTable)
{
    StartSimulator({"--drop-percent", "100"}, {.timeoutTenMs = 20});
    for (int kind : {3, 4, 8}) {
        APHANDLE monitor = apSysMonitorOpen(session, kind, 0);
        RefreshDone done;
        ASSERT_EQ(apSysMonitorRefresh(monitor, 1, &RefreshDone::report, &done, AP_MODE_CALLBACK), AP_OK);
        ASSERT_TRUE(done.wait());
        std::this_thread::sleep_for(300ms);
        std::lock_guard lock(done.mutex);
        EXPECT_EQ(done.reports, 1) << "kind " << kind;
        EXPECT_EQ(done.code, uint32_t(AP_ERR_TIMEOUT)) << "kind " << kind;
        apMonitorQuery1 query{7, nullptr};
        ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
        EXPECT_EQ(query.count, 0u);
    }
}

} // namespace
