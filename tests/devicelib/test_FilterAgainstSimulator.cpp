// The filter family through the library, against a simulator: ACL entries reach the band they
// were added to, a band holds each address once and at most 256 of them, deletions remove
// exactly the address named, and the partition settings make the round trip.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

apFilterAclEntry Entry(const std::string &mac)
{
    apFilterAclEntry entry{};
    std::strncpy(entry.mac, mac.c_str(), sizeof entry.mac - 1);
    return entry;
}

std::string Mac(int i)
{
    char text[13];
    std::snprintf(text, sizeof text, "021A4800%04X", i);
    return text;
}

class LibraryFilter : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
        filter = Fresh();
    }
    // A handle that has read everything.
    APHANDLE Fresh()
    {
        APHANDLE handle = apAdvFilterOpen(session, 0);
        EXPECT_NE(handle, 0u);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);
        return handle;
    }
    static int Write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    // The band's MACs and mode as a fresh handle reads them.
    std::vector<std::string> DeviceMacs(int band, int *mode = nullptr)
    {
        APHANDLE fresh = Fresh();
        apFilterAclList list{0, nullptr};
        EXPECT_EQ(apAdvFilterACLGet(fresh, band, mode, &list), AP_OK);
        std::vector<apFilterAclEntry> entries(list.count);
        list.entries = entries.data();
        EXPECT_EQ(apAdvFilterACLGet(fresh, band, nullptr, &list), AP_OK);
        std::vector<std::string> macs;
        for (int i = 0; i < list.count; ++i) {
            EXPECT_EQ(entries[i].band, band);
            macs.emplace_back(entries[i].mac);
        }
        apHandleClose(fresh);
        return macs;
    }

    APHANDLE filter = 0;
};

TEST_F(LibraryFilter, ReadsTheDevicesBandAndDefaults)
{
    int band = -1, mode = -1;
    EXPECT_EQ(apFilterBandGet(filter, &band), AP_OK);
    EXPECT_EQ(band, 1);
    EXPECT_TRUE(DeviceMacs(1, &mode).empty());
    EXPECT_EQ(mode, AP_FILTER_ACL_DISABLE);
    int link = -1, ethernet = -1, partitionMode = -1, multi = -1;
    int32_t values[8];
    std::fill(std::begin(values), std::end(values), -1);
    apFilterIntList list{8, values};
    ASSERT_EQ(apAdvFilterWLANPartitionGet(filter, 2, &link, &ethernet, &partitionMode, &multi, &list), AP_OK);
    EXPECT_EQ(link, 0);
    EXPECT_EQ(ethernet, 1);
    EXPECT_EQ(partitionMode, AP_FILTER_PARTITION_AVAILABLE);
    EXPECT_EQ(list.count, 8);
    EXPECT_EQ(std::vector<int32_t>(values, values + 8), std::vector<int32_t>(8, 0));
}

TEST_F(LibraryFilter, EntriesReachTheirBandAndDeleteRemovesOnlyTheOneNamed)
{
    ASSERT_EQ(apAdvFilterACLSet(filter, 1, AP_FILTER_ACL_REJECT), AP_OK);
    for (const char *mac : {"021A48000001", "02:1a:48:00:00:02", "021a48000003"}) {
        const apFilterAclEntry entry = Entry(mac);
        ASSERT_EQ(apAdvFilterACLAdd(filter, 1, 0, &entry), AP_OK) << mac;
    }
    const apFilterAclEntry sameOnOtherBand = Entry("021A48000001");
    ASSERT_EQ(apAdvFilterACLAdd(filter, 2, 0, &sameOnOtherBand), AP_OK) << "each band has a list of its own";
    ASSERT_EQ(Write(filter), AP_OK);
    int mode = 0;
    EXPECT_EQ(DeviceMacs(1, &mode), (std::vector<std::string>{"021A48000001", "021A48000002", "021A48000003"}));
    EXPECT_EQ(mode, AP_FILTER_ACL_REJECT);
    EXPECT_EQ(DeviceMacs(2), (std::vector<std::string>{"021A48000001"}));

    APHANDLE reader = Fresh();
    const apFilterAclEntry second = Entry("021a48000002");
    ASSERT_EQ(apAdvFilterACLDetete(reader, 1, &second), AP_OK);
    ASSERT_EQ(Write(reader), AP_OK);
    EXPECT_EQ(DeviceMacs(1), (std::vector<std::string>{"021A48000001", "021A48000003"}));
    EXPECT_EQ(DeviceMacs(2).size(), 1u);
}

TEST_F(LibraryFilter, ABandHoldsEachAddressOnce)
{
    const apFilterAclEntry mac = Entry("021A48000001");
    APHANDLE stale = Fresh(); // reads the empty list
    ASSERT_EQ(apAdvFilterACLAdd(filter, 1, 0, &mac), AP_OK);
    EXPECT_EQ(apAdvFilterACLAdd(filter, 1, 0, &mac), AP_ERR_BAD_ARGUMENT) << "staged twice";
    ASSERT_EQ(Write(filter), AP_OK);
    APHANDLE reader = Fresh();
    EXPECT_EQ(apAdvFilterACLAdd(reader, 1, 0, &mac), AP_ERR_BAD_ARGUMENT) << "already in the list read";

    // A handle that has not seen the entry picks another number; the device refuses the address.
    ASSERT_EQ(apAdvFilterACLAdd(stale, 1, 0, &mac), AP_OK);
    const apFilterAclEntry other = Entry("021A48000002");
    ASSERT_EQ(apAdvFilterACLAdd(stale, 1, 0, &other), AP_OK);
    EXPECT_EQ(Write(stale), AP_ERR_SNMP_STATUS + 12);
    EXPECT_EQ(DeviceMacs(1), (std::vector<std::string>{"021A48000001"})) << "the refused set changed nothing";
}

TEST_F(LibraryFilter, ABandTakes256AddressesAndRefusesMore)
{
    for (int i = 1; i <= AP_FILTER_MAX_ACL; ++i) {
        const apFilterAclEntry entry = Entry(Mac(i));
        ASSERT_EQ(apAdvFilterACLAdd(filter, 1, 0, &entry), AP_OK) << i;
    }
    const apFilterAclEntry extra = Entry(Mac(999));
    EXPECT_EQ(apAdvFilterACLAdd(filter, 1, 0, &extra), AP_ERR_BAD_ARGUMENT) << "no entry number left";
    ASSERT_EQ(Write(filter), AP_OK);
    EXPECT_EQ(DeviceMacs(1).size(), size_t(AP_FILTER_MAX_ACL));

    APHANDLE reader = Fresh();
    EXPECT_EQ(apAdvFilterACLAdd(reader, 1, 0, &extra), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apAdvFilterACLAdd(reader, 2, 0, &extra), AP_OK) << "the other band is not full";
}

TEST_F(LibraryFilter, BadArgumentsStageNothing)
{
    int32_t values[8] = {0, 1, 2, 0, 0, 0, 0, 3};
    apFilterIntList badPartition{8, values};
    apFilterIntList shortList{7, values};
    const apFilterAclEntry multicast = Entry("01005E000001"), zero = Entry("000000000000"),
                           shortMac = Entry("021A4800001"), good = Entry("021A48000001");
    struct Case {
        const char *name;
        int code;
    } cases[] = {
        {"band 0", apFilterBandSet(filter, 0)},
        {"band 3", apAdvFilterACLSet(filter, 3, 1)},
        {"mode 4", apAdvFilterACLSet(filter, 1, AP_FILTER_ACL_UNAVAILABLE)},
        {"multicast MAC", apAdvFilterACLAdd(filter, 1, 0, &multicast)},
        {"all-zero MAC", apAdvFilterACLAdd(filter, 1, 0, &zero)},
        {"11 digits", apAdvFilterACLAdd(filter, 1, 0, &shortMac)},
        {"no entry", apAdvFilterACLAdd(filter, 1, 0, nullptr)},
        {"delete of an address not listed", apAdvFilterACLDetete(filter, 1, &good)},
        {"partition value 3", apAdvFilterWLANPartitionSet(filter, 1, 0, 1, &badPartition)},
        {"seven values", apAdvFilterWLANPartitionSet(filter, 1, 0, 1, &shortList)},
        {"link integrity 2", apAdvFilterWLANPartitionSet(filter, 1, 2, 1, nullptr)},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.code, AP_ERR_BAD_ARGUMENT) << c.name;
    EXPECT_EQ(Write(filter), AP_ERR_NOT_WRITABLE) << "nothing was staged";
}

TEST_F(LibraryFilter, PartitionSettingsMakeTheRoundTrip)
{
    int32_t values[8] = {2, 1, 0, 1, 2, 2, 1, 0};
    apFilterIntList list{8, values};
    ASSERT_EQ(apFilterBandSet(filter, 2), AP_OK);
    ASSERT_EQ(apAdvFilterWLANPartitionSet(filter, 2, 1, 0, &list), AP_OK);
    ASSERT_EQ(Write(filter), AP_OK);

    APHANDLE fresh = Fresh();
    int link = -1, ethernet = -1;
    int32_t read[8] = {};
    apFilterIntList readList{8, read};
    ASSERT_EQ(apAdvFilterWLANPartitionGet(fresh, 2, &link, &ethernet, nullptr, nullptr, &readList), AP_OK);
    EXPECT_EQ(link, 1);
    EXPECT_EQ(ethernet, 0);
    EXPECT_EQ(std::vector<int32_t>(read, read + 8), std::vector<int32_t>(values, values + 8));
    ASSERT_EQ(apAdvFilterWLANPartitionGet(fresh, 1, &link, &ethernet, nullptr, nullptr, &readList), AP_OK);
    EXPECT_EQ(std::vector<int32_t>(read, read + 8), std::vector<int32_t>(8, 0)) << "band 1 is untouched";
    int32_t states[8] = {};
    apFilterIntList stateList{8, states};
    EXPECT_EQ(apAdvFilterWLANSssidStateGet(fresh, 2, &stateList), AP_OK);
    EXPECT_EQ(stateList.count, 8);
}

} // namespace
