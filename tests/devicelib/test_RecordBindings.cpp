#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <set>
#include <stdexcept>

#include "RecordBindings.h"
#include "TRB4820apRecords.h"

using namespace trb::devicelib;
using trb::schema::IndexShape;
using trb::schema::SmiType;

namespace {

struct Slot {
    uint32_t offset;
    uint32_t size;
    bool operator<(const Slot &o) const { return offset < o.offset; }
};

#define FIELD(type, f) Slot{uint32_t(offsetof(type, f)), uint32_t(sizeof(type::f))}
#define ELEMENT(type, f, i) \
    Slot{uint32_t(offsetof(type, f) + (i) * sizeof(type::f[0])), uint32_t(sizeof(type::f[0]))}

std::vector<Slot> deviceInfoFields()
{
    using R = apDeviceInfoRecord;
    std::vector<Slot> s = {FIELD(R, ipAddress), FIELD(R, subnetMask), FIELD(R, gateway),
                           FIELD(R, firmwareVersion), FIELD(R, apArrayName), FIELD(R, apArrayRole),
                           FIELD(R, apArrayLocation), FIELD(R, cpuLoad), FIELD(R, memoryLoad),
                           FIELD(R, currentBand), FIELD(R, modelName), FIELD(R, systemTime),
                           FIELD(R, upTime), FIELD(R, systemName), FIELD(R, location)};
    for (int k = 0; k < 13; ++k)
        s.push_back(ELEMENT(R, mac, k));
    for (int b = 0; b < 2; ++b) {
        s.push_back(ELEMENT(R, ssid, b));
        s.push_back(ELEMENT(R, channel, b));
        s.push_back(ELEMENT(R, dataRate, b));
        s.push_back(ELEMENT(R, operationMode, b));
        s.push_back(ELEMENT(R, radioState, b));
        s.push_back(ELEMENT(R, security, b));
        s.push_back(ELEMENT(R, wirelessState, b));
    }
    return s;
}

std::vector<Slot> lanFields()
{
    using R = apLanSettingsRecord;
    return {FIELD(R, addressMode), FIELD(R, ipAddress), FIELD(R, subnetMask), FIELD(R, gateway)};
}

std::vector<Slot> paneFields()
{
    using R = apPaneStatusRecord;
    // clientCount is left 0 on purpose (no cheap source).
    return {FIELD(R, ipAddress), FIELD(R, subnetMask), FIELD(R, radio24On), FIELD(R, radio5On),
            FIELD(R, activeBand), FIELD(R, apMode), FIELD(R, upTime), FIELD(R, lanLink)};
}

std::vector<Slot> clientFields()
{
    using R = apClientRecord;
    // index comes from the row's OID, not from a column.
    return {FIELD(R, band), FIELD(R, mac), FIELD(R, phyMode), FIELD(R, authentication),
            FIELD(R, signal), FIELD(R, powerSave), FIELD(R, ssid)};
}

// The band, index and the texts the intrusion family renders (channel, band, type, status) are not
// columns' slots.
std::vector<Slot> intrusionFields()
{
    using R = apIntrusionRecord;
    return {FIELD(R, bssid), FIELD(R, ssid), FIELD(R, lastSeen)};
}

std::vector<Slot> arrayFields()
{
    using R = apArrayEntry;
    return {FIELD(R, name),          FIELD(R, masterIp), FIELD(R, mac),  FIELD(R, masters),
            FIELD(R, backupMasters), FIELD(R, slaves),   FIELD(R, total)};
}

std::vector<Slot> memberFields()
{
    using R = apArrayMember;
    return {FIELD(R, role), FIELD(R, ipAddress), FIELD(R, mac), FIELD(R, location)};
}

std::vector<Slot> boundSlots(uint32_t layout)
{
    std::vector<Slot> slots;
    for (const Binding *b : bindingsOfLayout(layout))
        slots.push_back({b->offset, b->size});
    std::sort(slots.begin(), slots.end());
    return slots;
}

void expectSameSlots(std::vector<Slot> expected, uint32_t layout)
{
    std::sort(expected.begin(), expected.end());
    auto bound = boundSlots(layout);
    ASSERT_EQ(bound.size(), expected.size()) << "layout " << layout;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(bound[i].offset, expected[i].offset) << "layout " << layout << " field " << i;
        EXPECT_EQ(bound[i].size, expected[i].size) << "layout " << layout << " at " << expected[i].offset;
    }
}

} // namespace

TEST(RecordBindings, EveryRecordFieldHasExactlyOneBinding)
{
    expectSameSlots(deviceInfoFields(), LayoutDeviceInfo);
    expectSameSlots(lanFields(), LayoutLanSettings);
    expectSameSlots(paneFields(), LayoutPaneStatus);
    expectSameSlots(clientFields(), LayoutClientRow);
    expectSameSlots(intrusionFields(), LayoutIntrusionRow);
    expectSameSlots(arrayFields(), LayoutArrayFoundRow);
    expectSameSlots(memberFields(), LayoutArrayMemberRow);
}

// The rule index, the texts the device shows and the SSID's name are the family's own, not columns.
TEST(RecordBindings, ScheduleRuleColumnsFillTheirFields)
{
    using R = apScheduleRule;
    expectSameSlots({FIELD(R, name), FIELD(R, ssid), FIELD(R, days), FIELD(R, allDay), FIELD(R, start), FIELD(R, end),
                     FIELD(R, overnight), FIELD(R, enabled)},
                    LayoutScheduleRule);
    for (uint32_t layout : {LayoutScheduleRule, LayoutScheduleRadio}) {
        auto slots = boundSlots(layout);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            EXPECT_LE(slots[i].offset + slots[i].size, layoutSize(layout));
            if (i > 0) {
                EXPECT_LE(slots[i - 1].offset + slots[i - 1].size, slots[i].offset) << "layout " << layout;
            }
        }
    }
}

TEST(RecordBindings, SlotsStayInsideTheirRecordAndNeverOverlap)
{
    for (uint32_t layout : {LayoutDeviceInfo, LayoutLanSettings, LayoutPaneStatus, LayoutClientRow, LayoutArpEntry,
                            LayoutStatEthernet, LayoutStatWlan, LayoutWdsPeerRow, LayoutWdsQueryBands,
                            LayoutIntrusionRow, LayoutArrayFoundRow, LayoutArrayMemberRow,
                            LayoutAdminLimit, LayoutAdminRange, LayoutAdminName, LayoutAdminTrap,
                            LayoutAdminConsole, LayoutAdminFunctions}) {
        auto slots = boundSlots(layout);
        for (std::size_t i = 0; i < slots.size(); ++i) {
            EXPECT_LE(slots[i].offset + slots[i].size, layoutSize(layout));
            if (i > 0) {
                EXPECT_LE(slots[i - 1].offset + slots[i - 1].size, slots[i].offset) << "layout " << layout;
            }
        }
    }
    // The record's first two words belong to the caller.
    for (const Binding *b : bindingsOfLayout(LayoutDeviceInfo))
        EXPECT_GE(b->offset, 8u) << b->object;
    // The statistics flag words travel back to the caller untouched; so do the query's count and rows.
    for (const auto &[layout, firstFree] : {std::pair{LayoutStatEthernet, 4u}, std::pair{LayoutStatWlan, 8u},
                                            std::pair{LayoutWdsQueryBands, uint32_t(offsetof(apWdsQuery, channel1))}})
        for (const Binding *b : bindingsOfLayout(layout))
            EXPECT_GE(b->offset, firstFree) << b->object;
}

bool walkedRow(uint32_t layout)
{
    for (uint32_t walked :
         {LayoutClientRow, LayoutArpEntry, LayoutClientSurveyRow, LayoutWdsSurveyRow, LayoutClientMacRow,
          LayoutWdsPeerRow,
          LayoutIntrusionRow, LayoutIntrusionValues, LayoutArrayFoundRow, LayoutArrayMemberRow, LayoutAdminRange,
          LayoutQosRule, LayoutQosRuleStatus, LayoutDhcpStatic, LayoutDhcpLeaseRow, LayoutDhcpStaticLeaseRow,
          LayoutVlanRow, LayoutVlanPvids, LayoutVlanPortRow, LayoutScheduleRule, LayoutFilterAclEntry,
          LayoutFilterValues})
        if (layout == walked)
            return true;
    return false;
}

TEST(RecordBindings, ObjectsAndInstancesMatchTheSchema)
{
    for (const Binding &b : allBindings()) {
        const auto &object = objectOf(b);
        if (object.shape == IndexShape::Scalar) {
            EXPECT_TRUE(b.instance.empty()) << b.object;
        } else if (!walkedRow(b.layout)) { // walked rows: index from the OID
            const auto *table = trb::schema::findTable(object.table);
            ASSERT_NE(table, nullptr) << b.object;
            EXPECT_EQ(b.instance.size(), table->indexNames.size()) << b.object;
        }
        bool textSlot = b.conversion != Conversion::Integer32 && b.conversion != Conversion::BandFromZero &&
                        b.conversion != Conversion::OneMeansTrue;
        if (!textSlot) {
            EXPECT_TRUE(b.size == 4 || b.layout == LayoutNone) << b.object;
        }
        switch (b.conversion) {
        case Conversion::EnumLabel:
        case Conversion::BandFromZero:
        case Conversion::OneMeansTrue:
            EXPECT_NE(object.enumValues, nullptr) << b.object;
            break;
        case Conversion::IpText:
        case Conversion::GatewayText:
            EXPECT_EQ(object.type, SmiType::IpAddress) << b.object;
            break;
        case Conversion::MacHex:
            EXPECT_EQ(object.type, SmiType::MacAddress) << b.object;
            EXPECT_GE(b.size, 13u) << b.object;
            break;
        case Conversion::UpTimeText:
            EXPECT_EQ(object.type, SmiType::TimeTicks) << b.object;
            break;
        case Conversion::Text:
            EXPECT_EQ(object.type, SmiType::DisplayString) << b.object;
            break;
        case Conversion::Integer32:
            EXPECT_TRUE(object.type == SmiType::Integer || object.type == SmiType::Gauge ||
                        object.type == SmiType::Counter || object.type == SmiType::RowStatus ||
                        object.type == SmiType::TimeTicks)
                << b.object;
            break;
        case Conversion::DecimalText:
            EXPECT_EQ(object.type, SmiType::Integer) << b.object;
            break;
        }
    }
}

TEST(RecordBindings, MacTableFollowsTheBandOrder)
{
    auto find = [](const char *object, std::vector<uint32_t> instance) -> const Binding * {
        for (const Binding *b : bindingsOfLayout(LayoutDeviceInfo))
            if (std::string(b->object) == object && b->instance == instance)
                return b;
        return nullptr;
    };
    auto macSlot = [](int k) { return uint32_t(offsetof(apDeviceInfoRecord, mac) + 20 * k); };
    ASSERT_NE(find("trbEthernetMac", {}), nullptr);
    EXPECT_EQ(find("trbEthernetMac", {})->offset, macSlot(0));
    EXPECT_EQ(find("trbBandPrimaryMac", {1})->offset, macSlot(1));
    EXPECT_EQ(find("trbBandPrimaryMac", {2})->offset, macSlot(2));
    EXPECT_EQ(find("trbBandMultiSsidFirstMac", {1})->offset, macSlot(3));
    EXPECT_EQ(find("trbBandMultiSsidFirstMac", {2})->offset, macSlot(4));
    EXPECT_EQ(find("trbBandMultiSsidLastMac", {1})->offset, macSlot(5));
    EXPECT_EQ(find("trbBandMultiSsidLastMac", {2})->offset, macSlot(6));
    EXPECT_EQ(find("trbSsidMac", {1, 1})->offset, macSlot(7));
    EXPECT_EQ(find("trbSsidMac", {2, 1})->offset, macSlot(8));
    EXPECT_EQ(find("trbSsidMac", {1, 3})->offset, macSlot(11));
    EXPECT_EQ(find("trbSsidMac", {2, 3})->offset, macSlot(12));
}

TEST(RecordBindings, GroupMasksSelectTheirOwnObjects)
{
    EXPECT_EQ(knownGroups(Family::DeviceInfo), uint32_t(AP_DEVINFO_GROUP_DEVICE | AP_DEVINFO_GROUP_LAN));
    EXPECT_EQ(knownGroups(Family::Wireless), uint32_t(AP_WL_GROUP_ALL)) << "every wireless group has objects";
    auto lan = bindingsOfGroups(Family::DeviceInfo, AP_DEVINFO_GROUP_LAN);
    EXPECT_EQ(lan.size(), 4u);
    for (const Binding *b : lan)
        EXPECT_EQ(b->layout, uint32_t(LayoutLanSettings));
    // The device information page must read in few PDUs: one read, well under 2 x 30 objects.
    std::set<Oid> device;
    for (const Binding *b : bindingsOfGroups(Family::DeviceInfo, AP_DEVINFO_GROUP_DEVICE))
        device.insert(instanceOidOf(*b));
    EXPECT_LE(device.size(), 60u);
}

TEST(RecordBindings, AFamilysObjectIsFoundByNameAndInstance)
{
    EXPECT_EQ(std::string(bindingNamed(Family::Arp, "trbArpGatewayMac").object), "trbArpGatewayMac");
    const Binding &third = bindingNamed(Family::ApArray, "trbApArraySync", 3);
    EXPECT_EQ(third.instance, std::vector<uint32_t>{3});
    EXPECT_NE(&third, &bindingNamed(Family::ApArray, "trbApArraySync", 2));
    // Another family's object, or an instance the object lacks, is a fault in the caller's table.
    EXPECT_THROW(bindingNamed(Family::Arp, "trbLoginName"), std::logic_error);
    EXPECT_THROW(bindingNamed(Family::ApArray, "trbApArraySync", 999), std::logic_error);
}
