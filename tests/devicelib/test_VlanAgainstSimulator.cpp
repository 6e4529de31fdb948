// The VLAN family through the library, against a simulator: VLANs added, replaced and deleted,
// the limit of eighteen, member names the device cannot take, the port VIDs with and without
// automatic assignment, the port view, and what enabling VLANs changes elsewhere.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

apVlanRecord Vlan(int index, int vid, const char *name, const char *untagged, const char *tagged = "")
{
    apVlanRecord record{};
    record.index = index;
    record.vid = vid;
    std::strncpy(record.name, name, sizeof record.name - 1);
    std::strncpy(record.untagged, untagged, sizeof record.untagged - 1);
    std::strncpy(record.tagged, tagged, sizeof record.tagged - 1);
    return record;
}

class LibraryVlan : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
    }
    // A handle that has read everything.
    APHANDLE Fresh()
    {
        APHANDLE handle = apAdvVlanOpen(session, 0);
        EXPECT_NE(handle, 0u);
        EXPECT_EQ(apStyleModify(handle, AP_VLAN_GROUP_ALL, 0), AP_OK);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return handle;
    }
    int write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }

    std::vector<apVlanRecord> DeviceVlans()
    {
        APHANDLE handle = Fresh();
        apVlanList list{0, nullptr};
        EXPECT_EQ(apAdvVlanGetVlanList(handle, &list), AP_OK);
        std::vector<apVlanRecord> rows(list.count);
        list.entries = rows.data();
        EXPECT_EQ(apAdvVlanGetVlanList(handle, &list), AP_OK);
        apHandleClose(handle);
        return rows;
    }
    int AddVlans(int count)
    {
        APHANDLE handle = Fresh();
        for (int i = 1; i <= count; ++i)
            if (int code = apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 100 + i, ("v" + std::to_string(i)).c_str(), "LAN")))
                return code;
        const int code = write(handle);
        apHandleClose(handle);
        return code;
    }
    apVlanRelationRecord Relation()
    {
        APHANDLE handle = Fresh();
        apVlanRelationRecord relation{};
        EXPECT_EQ(apAdvVlanGetRelationParam(handle, &relation), AP_OK);
        apHandleClose(handle);
        return relation;
    }

};

TEST_F(LibraryVlan, VlansAreAddedReplacedAndDeletedByListRow)
{
    APHANDLE handle = Fresh();
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 10, "office", "Mgmt, LAN, Primary", "W-2")), AP_OK);
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 20, "guest", "S-1")), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    auto rows = DeviceVlans();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].vid, 10);
    EXPECT_STREQ(rows[0].name, "office");
    EXPECT_STREQ(rows[0].untagged, "Mgmt, LAN, Primary");
    EXPECT_STREQ(rows[0].tagged, "W-2");
    EXPECT_EQ(rows[1].index, 1) << "the index of a read is the list row";

    handle = Fresh();
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(1, 20, "visitors", "S-1, S-2", "LAN")), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    rows = DeviceVlans();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_STREQ(rows[1].name, "visitors");
    EXPECT_STREQ(rows[1].untagged, "S-1, S-2");

    handle = Fresh();
    ASSERT_EQ(apAdvVlanDelVlan(handle, 0), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    rows = DeviceVlans();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].vid, 20);
}

TEST_F(LibraryVlan, EighteenVlansAtMostAndNoTwoWithOneVid)
{
    ASSERT_EQ(AddVlans(18), AP_OK);
    EXPECT_EQ(DeviceVlans().size(), 18u);
    APHANDLE handle = Fresh();
    EXPECT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 4000, "extra", "LAN")), AP_ERR_BAD_ARGUMENT);
    // A replacement that takes another VLAN's VID is refused by the device; nothing changes.
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(0, 102, "clash", "LAN")), AP_OK);
    EXPECT_NE(write(handle), AP_OK);
    const auto rows = DeviceVlans();
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows[0].vid, 101);
    EXPECT_STREQ(rows[0].name, "v1");
}

TEST_F(LibraryVlan, MembersTheDeviceCannotTakeStageNothing)
{
    struct Case {
        const char *untagged, *tagged;
    } cases[] = {
        {"LAN, Port9", ""},       // no such port
        {"LAN", "Primary"},       // an SSID is never tagged
        {"LAN", "S-3"},
        {"LAN, W-1", "W-1"},      // one port in both lists
        {"LAN, LAN", ""},         // twice in one list
    };
    APHANDLE handle = Fresh();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.untagged) + " / " + c.tagged);
        EXPECT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 30, "bad", c.untagged, c.tagged)), AP_ERR_BAD_ARGUMENT);
    }
    EXPECT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 0, "bad", "LAN")), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 30, "", "LAN")), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apAdvVlanDelVlan(handle, 0), AP_ERR_BAD_ARGUMENT) << "no VLAN to delete";
    EXPECT_EQ(write(handle), AP_ERR_NOT_WRITABLE) << "nothing was staged";
}

TEST_F(LibraryVlan, EnablingVlansLiftsTheVlanLimit)
{
    APHANDLE admin = apSysAdministratorOpen(session, 0);
    ASSERT_EQ(apStyleModify(admin, AP_ADMIN_GROUP_ALL, 0), AP_OK);
    ASSERT_EQ(apSnmpSendGetRequest(admin, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
    ASSERT_EQ(apSysLimitAdministratorSet(admin, 1, 5, 1, 0), AP_OK);
    ASSERT_EQ(apSnmpSendSetRequest(admin, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);

    apVlanRelationRecord relation = Relation();
    EXPECT_STREQ(relation.apMode24, "Access Point");
    EXPECT_STREQ(relation.apMode5, "Access Point") << "one radio: both texts are its mode";
    EXPECT_STREQ(relation.limitType, "both");

    APHANDLE handle = Fresh();
    ASSERT_EQ(apAdvVlanVlanSetParameter(handle, 1, 0), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    EXPECT_STREQ(Relation().limitType, "ipaddress") << "the device keeps the IP limit";
    int status = -1, mode = -1;
    handle = Fresh();
    ASSERT_EQ(apAdvVlanVlanGetParameter(handle, &status, &mode), AP_OK);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(mode, 0);
}

TEST_F(LibraryVlan, TheLimitTypeIsWrittenAsTheTwoLimits)
{
    const char *const types[] = {"disable", "vlanID", "ipaddress", "both"};
    for (const char *type : types) {
        SCOPED_TRACE(type);
        APHANDLE handle = Fresh();
        apVlanRelationRecord relation{};
        std::strcpy(relation.limitType, type);
        ASSERT_EQ(apAdvVlanSetRelationParam(handle, &relation), AP_OK);
        ASSERT_EQ(write(handle), AP_OK);
        EXPECT_STREQ(Relation().limitType, type);
    }
    APHANDLE handle = Fresh();
    apVlanRelationRecord relation{};
    std::strcpy(relation.limitType, "vlanid");
    EXPECT_EQ(apAdvVlanSetRelationParam(handle, &relation), AP_ERR_BAD_ARGUMENT);
}

TEST_F(LibraryVlan, PortVidsAreSetPerBandOrAssignedByTheDevice)
{
    std::array<int32_t, 2> ports{7, 8};
    std::array<int32_t, 4> ssids{11, 12, 13, 14}, wds{21, 22, 23, 24};
    APHANDLE handle = Fresh();
    apVlanPvidRecord bad{0, 2, ports.data(), 4, ssids.data(), 4, wds.data(), 0};
    wds[3] = 4095;
    EXPECT_EQ(apAdvVlanSetPVID(handle, 1, bad), AP_ERR_BAD_ARGUMENT);
    wds[3] = 24;
    ASSERT_EQ(apAdvVlanSetPVID(handle, 1, bad), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);

    handle = Fresh();
    std::array<int32_t, 2> readPorts{};
    std::array<int32_t, 4> readSsids{}, readWds{};
    apVlanPvidRecord read{-1, 2, readPorts.data(), 4, readSsids.data(), 4, readWds.data(), 0};
    ASSERT_EQ(apAdvVlanGetPVID(handle, 1, &read), AP_OK);
    EXPECT_EQ(read.autoAssign, 0);
    EXPECT_EQ(readPorts, ports);
    EXPECT_EQ(readSsids, ssids);
    EXPECT_EQ(readWds, wds);
    ASSERT_EQ(apAdvVlanGetPVID(handle, 2, &read), AP_OK);
    EXPECT_EQ(readSsids, (std::array<int32_t, 4>{1, 1, 1, 1})) << "S-4 to S-7 keep their factory PVID";

    // Automatic: each port takes the lowest VID it is an untagged member of.
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 300, "a", "LAN, W-1")), AP_OK);
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 200, "b", "LAN, Primary")), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    handle = Fresh();
    ASSERT_EQ(apAdvVlanSetPVID(handle, 0, apVlanPvidRecord{1, 0, nullptr, 0, nullptr, 0, nullptr, 0}), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    handle = Fresh();
    ASSERT_EQ(apAdvVlanGetPVID(handle, 1, &read), AP_OK);
    EXPECT_EQ(read.autoAssign, 1);
    EXPECT_EQ(readPorts, (std::array<int32_t, 2>{1, 200}));
    EXPECT_EQ(readSsids, (std::array<int32_t, 4>{200, 1, 1, 1}));
    EXPECT_EQ(readWds, (std::array<int32_t, 4>{300, 1, 1, 1}));
}

TEST_F(LibraryVlan, ThePortViewShowsEachPortsVlansAndPvid)
{
    APHANDLE handle = Fresh();
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 10, "a", "LAN", "Mgmt")), AP_OK);
    ASSERT_EQ(apAdvVlanAddVlan(handle, Vlan(AP_VLAN_NEW_ROW, 20, "b", "LAN", "Mgmt, W-3")), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    APHANDLE monitor = apSysMonitorOpen(session, 7, 0);
    ASSERT_NE(monitor, 0u);
    EXPECT_EQ(apSysMonitorRefresh(monitor, 1, nullptr, nullptr, AP_MODE_BLOCKING), AP_ERR_BAD_ARGUMENT);
    ASSERT_EQ(apSysMonitorRefresh(monitor, 3, nullptr, nullptr, AP_MODE_BLOCKING), AP_OK);
    apMonitorQuery1 query{0, nullptr};
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    ASSERT_EQ(query.count, 18u);
    std::vector<apVlanPortEntry> rows(query.count);
    query.rows = rows.data();
    ASSERT_EQ(apSysMonitorQueryInfor(monitor, &query), AP_OK);
    EXPECT_STREQ(rows[0].portName, "Mgmt");
    EXPECT_STREQ(rows[0].tagVids, "10,20");
    EXPECT_STREQ(rows[1].untagVids, "10,20");
    EXPECT_STREQ(rows[12].portName, "W-3");
    EXPECT_STREQ(rows[12].tagVids, "20");
    EXPECT_STREQ(rows[12].pvid, "1");
}

} // namespace
