// Intrusion detection (monitor kind 2 and the intrusion handle) and the AP array (its handle and
// the array scan, monitor kind 6) through the library, against a simulator.
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using namespace std::chrono_literals;
using trb::test::SimulatorSessionTest;

namespace {

struct Done {
    std::mutex mutex;
    std::condition_variable changed;
    bool finished = false;
    uint32_t code = 0;

    static int report(APHANDLE, uint32_t more, uint32_t code, void *context, uint32_t)
    {
        auto *self = static_cast<Done *>(context);
        if (more)
            return 0;
        std::lock_guard lock(self->mutex);
        self->finished = true;
        self->code = code;
        self->changed.notify_all();
        return 0;
    }
    bool wait()
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, 15s, [&] { return finished; });
    }
};

class DetectionAgainstSimulator : public SimulatorSessionTest {
protected:
    // Each test starts its own simulator.
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(StartLibrary()); }
    uint32_t refresh(APHANDLE monitor, int selector)
    {
        Done done;
        EXPECT_EQ(apSysMonitorRefresh(monitor, selector, &Done::report, &done, AP_MODE_CALLBACK), AP_OK);
        EXPECT_TRUE(done.wait());
        return done.code;
    }
    int read(APHANDLE handle, uint32_t groups)
    {
        apStyleModify(handle, groups, 0);
        return apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    int write(APHANDLE handle, uint32_t groups)
    {
        apStyleModify(handle, groups, 1);
        return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    // A detection of `band`, then the detected access points as a fresh read shows them.
    std::vector<apIntrusionRecord> detect(int band)
    {
        APHANDLE monitor = apSysMonitorOpen(session, 2, 0);
        EXPECT_NE(monitor, 0u);
        EXPECT_EQ(refresh(monitor, band), uint32_t(AP_OK));
        apHandleClose(monitor);
        return detected();
    }
    std::vector<apIntrusionRecord> detected(int *band = nullptr)
    {
        APHANDLE handle = apAdvInstrusionOpen(session, 0);
        EXPECT_EQ(read(handle, AP_INTRUSION_GROUP_ALL), AP_OK);
        apIntrusionQuery query{0, nullptr};
        EXPECT_EQ(apAdvInstrusionInfoGet(handle, band, &query), AP_OK);
        std::vector<apIntrusionRecord> records(std::size_t(query.count));
        query.rows = records.data();
        EXPECT_EQ(apAdvInstrusionInfoGet(handle, nullptr, &query), AP_OK);
        apHandleClose(handle);
        return records;
    }
    static std::map<std::string, std::string> typesByBssid(const std::vector<apIntrusionRecord> &records)
    {
        std::map<std::string, std::string> types;
        for (const apIntrusionRecord &r : records)
            types[r.bssid] = r.type;
        return types;
    }
    // Reclassifies rows of band 1 through a handle that has read the list.
    int reclassify(std::vector<int32_t> indexes, int code)
    {
        APHANDLE handle = apAdvInstrusionOpen(session, 0);
        EXPECT_EQ(read(handle, AP_INTRUSION_GROUP_ALL), AP_OK);
        apIntrusionRequest request{int32_t(indexes.size()), indexes.data()};
        int result = apAdvInstrusionInfoAdd(handle, 1, &request, code);
        if (result == AP_OK)
            result = write(handle, 4);
        apHandleClose(handle);
        return result;
    }
};

TEST_F(DetectionAgainstSimulator, ADetectionListsTheBandsAccessPointsAsNew)
{
    StartSimulator();
    int band = 0;
    EXPECT_TRUE(detected(&band).empty()) << "nothing detected before the first detection";
    EXPECT_EQ(band, 1);
    const auto records = detect(1);
    ASSERT_GE(records.size(), 11u);
    std::set<std::string> bssids;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const apIntrusionRecord &r = records[i];
        EXPECT_EQ(r.band, 1);
        EXPECT_EQ(r.index, int32_t(i + 1));
        EXPECT_STREQ(r.bandText, "2.4GHz");
        EXPECT_STREQ(r.type, "New");
        EXPECT_STREQ(r.status, "Online");
        const int channel = std::atoi(r.channel);
        EXPECT_TRUE(channel >= 1 && channel <= 13) << r.channel;
        EXPECT_EQ(std::strlen(r.bssid), 12u);
        EXPECT_TRUE(bssids.insert(r.bssid).second);
        EXPECT_EQ(std::strlen(r.lastSeen), 19u) << r.lastSeen;
    }
}

TEST_F(DetectionAgainstSimulator, ClassificationsSurviveARescanAndARestartAfterSaving)
{
    StartSimulator();
    const auto first = detect(1);
    ASSERT_GE(first.size(), 3u);
    ASSERT_EQ(reclassify({1, 3}, AP_INTRUSION_ROGUE), AP_OK);
    ASSERT_EQ(reclassify({2}, AP_INTRUSION_NEIGHBORHOOD), AP_OK);
    const auto rescanned = typesByBssid(detect(1));
    EXPECT_EQ(rescanned.at(first[0].bssid), "Rogue");
    EXPECT_EQ(rescanned.at(first[1].bssid), "Neighborhood");
    EXPECT_EQ(rescanned.at(first[2].bssid), "Rogue");
    EXPECT_EQ(rescanned.at(first[3].bssid), "New");

    APHANDLE commands = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(commands, 2, 3000), AP_OK); // save and activate
    ASSERT_EQ(apSnmpSendSetRequest(commands, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_TRUE(sim->restart()) << sim->error();
    const auto restarted = typesByBssid(detected());
    EXPECT_EQ(restarted.at(first[0].bssid), "Rogue");
    EXPECT_EQ(restarted.at(first[1].bssid), "Neighborhood");
}

TEST_F(DetectionAgainstSimulator, MarkingAllTouchesOnlyTheNewEntriesOfTheBand)
{
    StartSimulator();
    const auto first = detect(1);
    ASSERT_GE(first.size(), 2u);
    ASSERT_EQ(reclassify({1}, AP_INTRUSION_ROGUE), AP_OK);
    APHANDLE handle = apAdvInstrusionOpen(session, 0);
    ASSERT_EQ(read(handle, AP_INTRUSION_GROUP_ALL), AP_OK);
    ASSERT_EQ(apAdvInstrusionInfoMarlAll(handle, 1, 0, AP_INTRUSION_VALID), AP_OK);
    ASSERT_EQ(write(handle, 2), AP_OK);
    apHandleClose(handle);
    for (const apIntrusionRecord &r : detected())
        EXPECT_STREQ(r.type, r.index == 1 ? "Rogue" : "Valid") << r.index;
}

TEST_F(DetectionAgainstSimulator, BadReclassificationsStageNothing)
{
    StartSimulator();
    ASSERT_GE(detect(1).size(), 2u);
    APHANDLE handle = apAdvInstrusionOpen(session, 0);
    ASSERT_EQ(read(handle, AP_INTRUSION_GROUP_ALL), AP_OK);
    std::vector<int32_t> many(257, 1);
    int32_t known[] = {1, 2};
    int32_t unknown[] = {1, 200};
    const struct {
        const char *what;
        int band;
        apIntrusionRequest request;
        int code;
    } cases[] = {
        {"band 0", 0, {2, known}, AP_INTRUSION_VALID},
        {"band 3", 3, {2, known}, AP_INTRUSION_VALID},
        {"code 0", 1, {2, known}, 0},
        {"code 5", 1, {2, known}, 5},
        {"257 indexes", 1, {257, many.data()}, AP_INTRUSION_VALID},
        {"negative count", 1, {-1, known}, AP_INTRUSION_VALID},
        {"no indexes", 1, {2, nullptr}, AP_INTRUSION_VALID},
        {"an index the list lacks", 1, {2, unknown}, AP_INTRUSION_VALID},
        {"a band the row is not on", 2, {2, known}, AP_INTRUSION_VALID},
    };
    for (const auto &c : cases)
        EXPECT_EQ(apAdvInstrusionInfoAdd(handle, c.band, &c.request, c.code), AP_ERR_BAD_ARGUMENT) << c.what;
    EXPECT_EQ(apAdvInstrusionInfoMarlAll(handle, 1, 2, AP_INTRUSION_VALID), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(write(handle, AP_INTRUSION_GROUP_ALL), AP_ERR_NOT_WRITABLE) << "nothing was staged";
    apHandleClose(handle);
}

TEST_F(DetectionAgainstSimulator, ArrayMembershipAndFlagsReachTheDevice)
{
    StartSimulator();
    APHANDLE array = apAdvAPArrayOpen(session, 0);
    ASSERT_EQ(read(array, AP_ARRAY_GROUP_ALL), AP_OK);
    int enable = -1, role = -1, scanAllowed = -1, flags[AP_ARRAY_SYNC_COUNT] = {};
    char name[AP_ARRAY_TEXT_SIZE] = {}, password[AP_ARRAY_TEXT_SIZE] = {};
    ASSERT_EQ(apAdvAPArrayGet(array, &enable, &role, &scanAllowed, name, password), AP_OK);
    EXPECT_EQ(enable, 0);
    EXPECT_EQ(role, 1);
    EXPECT_EQ(scanAllowed, 1);
    EXPECT_STREQ(name, "Array-North");

    ASSERT_EQ(apAdvAPArraySet(array, 1, 2, "Campus East", "s3cret!"), AP_OK);
    for (int i = 0; i < AP_ARRAY_SYNC_COUNT; ++i)
        flags[i] = i % 3 == 0;
    ASSERT_EQ(apAdvAPArrayParamatersSet(array, flags), AP_OK);
    ASSERT_EQ(write(array, AP_ARRAY_GROUP_MEMBERSHIP | AP_ARRAY_GROUP_SYNC), AP_OK);

    APHANDLE fresh = apAdvAPArrayOpen(session, 0);
    ASSERT_EQ(read(fresh, AP_ARRAY_GROUP_ALL), AP_OK);
    int readFlags[AP_ARRAY_SYNC_COUNT] = {};
    ASSERT_EQ(apAdvAPArrayGet(fresh, &enable, &role, &scanAllowed, name, password), AP_OK);
    ASSERT_EQ(apAdvAPArrayParamatersGet(fresh, readFlags), AP_OK);
    EXPECT_EQ(enable, 1);
    EXPECT_EQ(role, 2);
    EXPECT_STREQ(name, "Campus East");
    EXPECT_STREQ(password, "s3cret!");
    for (int i = 0; i < AP_ARRAY_SYNC_COUNT; ++i)
        EXPECT_EQ(readFlags[i], flags[i]) << i;
    int mode = -1;
    EXPECT_EQ(apAdvAPArrayApModeGet(fresh, 2, &mode), AP_OK);
    EXPECT_EQ(mode, 0);
    apHandleClose(fresh);

    // The device information shows the same facts.
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    ASSERT_EQ(apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    auto record = std::make_unique<apDeviceInfoRecord>();
    record->bandCount = 1;
    apSysDeviceGetInfor(info, record.get());
    EXPECT_STREQ(record->apArrayName, "Campus East");
    EXPECT_STREQ(record->apArrayRole, "Backup Master");
    apHandleClose(info);
    apHandleClose(array);
}

TEST_F(DetectionAgainstSimulator, BadArraySettingsStageNothing)
{
    StartSimulator();
    APHANDLE array = apAdvAPArrayOpen(session, 0);
    ASSERT_EQ(read(array, AP_ARRAY_GROUP_ALL), AP_OK);
    const std::string tooLong(33, 'a');
    const struct {
        const char *what;
        int enable, role;
        const char *name, *password;
    } cases[] = {
        {"enable 2", 2, 1, "a", "b"},   {"role 0", 1, 0, "a", "b"},           {"role 4", 1, 4, "a", "b"},
        {"name of 33", 1, 1, tooLong.c_str(), "b"}, {"password of 33", 1, 1, "a", tooLong.c_str()},
        {"no name", 1, 1, nullptr, "b"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(apAdvAPArraySet(array, c.enable, c.role, c.name, c.password), AP_ERR_BAD_ARGUMENT) << c.what;
    int flags[AP_ARRAY_SYNC_COUNT] = {};
    flags[5] = 2;
    EXPECT_EQ(apAdvAPArrayParamatersSet(array, flags), AP_ERR_BAD_ARGUMENT);
    int mode = 0;
    EXPECT_EQ(apAdvAPArrayApModeGet(array, 3, &mode), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(write(array, AP_ARRAY_GROUP_ALL), AP_ERR_NOT_WRITABLE) << "nothing was staged";
    apHandleClose(array);
}

TEST_F(DetectionAgainstSimulator, AnArrayScanFindsArraysAndTheMembersOfTheDevicesArray)
{
    StartSimulator();
    APHANDLE monitor = apSysMonitorOpen(session, 6, 0);
    ASSERT_NE(monitor, 0u);
    auto scan = [&](std::vector<apArrayEntry> &arrays, std::vector<apArrayMember> &members) {
        ASSERT_EQ(refresh(monitor, 1), uint32_t(AP_OK));
        apMonitorQuery2 counts{};
        ASSERT_EQ(apSysMonitorQueryInfor(monitor, &counts), AP_OK);
        arrays.assign(counts.count[0], apArrayEntry{});
        members.assign(counts.count[1], apArrayMember{});
        apMonitorQuery2 rows{{counts.count[0], counts.count[1]}, {arrays.data(), members.data()}};
        ASSERT_EQ(apSysMonitorQueryInfor(monitor, &rows), AP_OK);
    };
    std::vector<apArrayEntry> arrays;
    std::vector<apArrayMember> members;
    scan(arrays, members);
    EXPECT_EQ(arrays.size(), 2u) << "the arrays of other sites";
    EXPECT_TRUE(members.empty()) << "the device has joined no array";

    APHANDLE array = apAdvAPArrayOpen(session, 0);
    ASSERT_EQ(read(array, AP_ARRAY_GROUP_ALL), AP_OK);
    ASSERT_EQ(apAdvAPArraySet(array, 1, 1, "Campus East", ""), AP_OK);
    ASSERT_EQ(write(array, AP_ARRAY_GROUP_MEMBERSHIP), AP_OK);
    scan(arrays, members);
    ASSERT_EQ(arrays.size(), 3u);
    const apArrayEntry &own = arrays[2];
    EXPECT_STREQ(own.name, "Campus East");
    EXPECT_STREQ(own.masterIp, "192.168.1.10");
    EXPECT_EQ(own.masters, 1);
    EXPECT_EQ(own.backupMasters, 1);
    EXPECT_EQ(own.slaves, 1);
    EXPECT_EQ(own.total, 3);
    ASSERT_EQ(members.size(), 3u);
    EXPECT_EQ(members[0].index, 1);
    EXPECT_EQ(members[0].role, 1);
    EXPECT_STREQ(members[0].ipAddress, "192.168.1.10");
    EXPECT_STREQ(members[0].location, "Lab rack 2");
    EXPECT_EQ(members[1].role, 2);
    EXPECT_EQ(members[2].role, 3);
    apHandleClose(array);
    apHandleClose(monitor);
}

} // namespace
