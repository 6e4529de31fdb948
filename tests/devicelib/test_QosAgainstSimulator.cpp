// The QoS family through the library, against a simulator: the switches and rules reach the
// device, the table comes back as all its slots, deletions hit exactly the rule named, a full
// table refuses a new rule, and bad rules stage nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

constexpr int kSlots = 64;

apQosRule MakeRule(int index, const std::string &name)
{
    apQosRule rule{};
    rule.index = index;
    rule.enabled = 1;
    std::strncpy(rule.name, name.c_str(), sizeof rule.name - 1);
    rule.priority = 1;
    rule.protocolNumber = 6;
    rule.protocol = 1;
    std::strcpy(rule.host1Start, "192.168.0.10");
    std::strcpy(rule.host1End, "192.168.0.20");
    rule.host1PortStart = 80;
    rule.host1PortEnd = 88;
    std::strcpy(rule.host2Start, "0.0.0.0");
    std::strcpy(rule.host2End, "0.0.0.0");
    return rule;
}

class LibraryQos : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
        qos = apAdvQosOpen(session, 0);
        ASSERT_NE(qos, 0u);
    }
    int read(APHANDLE handle)
    {
        apStyleModify(handle, AP_QOS_GROUP_ALL, 0);
        return apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    int write(APHANDLE handle, uint32_t groups)
    {
        apStyleModify(handle, groups, 1);
        return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    }
    // Every slot as a fresh handle reads it.
    std::vector<apQosRule> DeviceSlots()
    {
        APHANDLE fresh = apAdvQosOpen(session, 0);
        EXPECT_EQ(read(fresh), AP_OK);
        apQosRuleList list{0, nullptr};
        EXPECT_EQ(apAdvQosListGet(fresh, &list), AP_OK);
        std::vector<apQosRule> slots(list.count);
        list.rules = slots.data();
        EXPECT_EQ(apAdvQosListGet(fresh, &list), AP_OK);
        slots.resize(list.count);
        apHandleClose(fresh);
        return slots;
    }
    std::vector<std::string> DeviceNames()
    {
        std::vector<std::string> names;
        for (const apQosRule &slot : DeviceSlots())
            if (slot.name[0])
                names.push_back(std::to_string(slot.index) + ":" + slot.name);
        return names;
    }
    // Rules 1..count, eight to a set request.
    void AddRules(int count)
    {
        for (int first = 1; first <= count; first += 8) {
            ASSERT_EQ(read(qos), AP_OK);
            for (int i = first; i <= count && i < first + 8; ++i) {
                const apQosRule rule = MakeRule(i, "rule" + std::to_string(i));
                ASSERT_EQ(apAdvQosRuleEdit(qos, &rule, 0), AP_OK);
            }
            ASSERT_EQ(write(qos, AP_QOS_GROUP_RULES), AP_OK);
        }
    }

    APHANDLE qos = 0;
};

TEST_F(LibraryQos, ReadsTheDefaultsAndEveryFreeSlot)
{
    ASSERT_EQ(read(qos), AP_OK);
    int enable = -1, http = -1, automatic = -1, mode = -1;
    ASSERT_EQ(apAdvQosParaGet(qos, &enable, &http, &automatic, &mode), AP_OK);
    EXPECT_EQ(enable, 0);
    EXPECT_EQ(http, 0);
    EXPECT_EQ(automatic, 1);
    EXPECT_EQ(mode, 1) << "the device's AP mode, counted from 1";
    const auto slots = DeviceSlots();
    ASSERT_EQ(slots.size(), size_t(kSlots));
    for (int i = 0; i < kSlots; ++i) {
        EXPECT_EQ(slots[i].index, i + 1);
        EXPECT_STREQ(slots[i].name, "");
    }
}

TEST_F(LibraryQos, SwitchesAndARuleReachTheDeviceWithTheirCounts)
{
    ASSERT_EQ(read(qos), AP_OK);
    ASSERT_EQ(apAdvQosParaSet(qos, 1, 1, 0), AP_OK);
    apQosRule rule = MakeRule(1, "web");
    rule.host1Count = 999; // derived by the device: ignored on write
    ASSERT_EQ(apAdvQosRuleEdit(qos, &rule, 0), AP_OK);
    ASSERT_EQ(write(qos, AP_QOS_GROUP_RULES | AP_QOS_GROUP_SWITCHES), AP_OK);

    APHANDLE fresh = apAdvQosOpen(session, 0);
    ASSERT_EQ(read(fresh), AP_OK);
    int enable = -1, http = -1, automatic = -1;
    ASSERT_EQ(apAdvQosParaGet(fresh, &enable, &http, &automatic, nullptr), AP_OK);
    EXPECT_EQ(enable, 1);
    EXPECT_EQ(http, 1);
    EXPECT_EQ(automatic, 0);
    const auto slots = DeviceSlots();
    ASSERT_EQ(slots.size(), size_t(kSlots));
    const apQosRule &got = slots[0];
    EXPECT_STREQ(got.name, "web");
    EXPECT_EQ(got.enabled, 1);
    EXPECT_EQ(got.priority, 1);
    EXPECT_EQ(got.protocolNumber, 6);
    EXPECT_EQ(got.protocol, 1);
    EXPECT_STREQ(got.host1Start, "192.168.0.10");
    EXPECT_STREQ(got.host1End, "192.168.0.20");
    EXPECT_EQ(got.host1Count, 11);
    EXPECT_EQ(got.host1PortStart, 80);
    EXPECT_EQ(got.host1PortEnd, 88);
    EXPECT_EQ(got.host1PortCount, 9);
    EXPECT_STREQ(got.host2Start, "0.0.0.0");
    EXPECT_EQ(slots[1].index, 2);
    EXPECT_STREQ(slots[1].name, "");
}

TEST_F(LibraryQos, DeleteRemovesExactlyTheRuleWithThatIndex)
{
    AddRules(5);
    ASSERT_EQ(read(qos), AP_OK);
    ASSERT_EQ(apAdvQosRuleDel(qos, 3), AP_OK);
    ASSERT_EQ(write(qos, AP_QOS_GROUP_REMOVE), AP_OK);
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"1:rule1", "2:rule2", "4:rule4", "5:rule5"}));
    const auto slots = DeviceSlots();
    EXPECT_EQ(slots[4].index, 3) << "used slots first, then the free ones";
    EXPECT_STREQ(slots[4].name, "");
}

TEST_F(LibraryQos, AFullTableRefusesANewRuleAndKeepsItsRules)
{
    // A read from before the table filled still offers a free slot: the device refuses it.
    AddRules(kSlots - 1);
    APHANDLE stale = apAdvQosOpen(session, 0);
    ASSERT_EQ(read(stale), AP_OK);
    ASSERT_EQ(read(qos), AP_OK);
    const apQosRule last = MakeRule(kSlots, "last");
    ASSERT_EQ(apAdvQosRuleEdit(qos, &last, 0), AP_OK);
    ASSERT_EQ(write(qos, AP_QOS_GROUP_RULES), AP_OK);
    const apQosRule late = MakeRule(kSlots, "late");
    ASSERT_EQ(apAdvQosRuleEdit(stale, &late, 0), AP_OK);
    EXPECT_EQ(write(stale, AP_QOS_GROUP_RULES), AP_ERR_SNMP_STATUS + 12) << "inconsistentValue: the slot is taken";
    const auto names = DeviceNames();
    ASSERT_EQ(names.size(), size_t(kSlots));
    EXPECT_EQ(names.back(), std::to_string(kSlots) + ":last");

    ASSERT_EQ(read(qos), AP_OK);
    const apQosRule extra = MakeRule(kSlots + 1, "extra");
    EXPECT_EQ(apAdvQosRuleEdit(qos, &extra, 0), AP_ERR_BAD_ARGUMENT) << "no slot beyond the table";
    apQosRuleList list{0, nullptr};
    ASSERT_EQ(apAdvQosListGet(qos, &list), AP_OK);
    EXPECT_EQ(list.count, kSlots) << "a full table has no free slot to offer";
}

TEST_F(LibraryQos, BadRulesStageNothing)
{
    AddRules(1);
    ASSERT_EQ(read(qos), AP_OK);
    struct Case {
        const char *what;
        void (*spoil)(apQosRule &);
        int reedit;
    } cases[] = {
        {"empty name", [](apQosRule &r) { r.name[0] = '\0'; }, 0},
        {"name of 33", [](apQosRule &r) { std::memset(r.name, 'n', 33); }, 0},
        {"protocol 1000", [](apQosRule &r) { r.protocolNumber = 1000; }, 0},
        {"priority 4", [](apQosRule &r) { r.priority = 4; }, 0},
        {"range across /24", [](apQosRule &r) { std::strcpy(r.host1End, "192.168.1.20"); }, 0},
        {"range reversed", [](apQosRule &r) { std::strcpy(r.host1End, "192.168.0.9"); }, 0},
        {"bad address", [](apQosRule &r) { std::strcpy(r.host2Start, "300.1.1.1"); }, 0},
        {"ports reversed", [](apQosRule &r) { r.host1PortEnd = 79; }, 0},
        {"port 65536", [](apQosRule &r) { r.host2PortStart = 65536, r.host2PortEnd = 65536; }, 0},
        {"slot 0", [](apQosRule &r) { r.index = 0; }, 0},
        {"re-edit of a free slot", [](apQosRule &r) { r.index = 2; }, 1},
    };
    for (const Case &c : cases) {
        apQosRule rule = MakeRule(1, "changed");
        c.spoil(rule);
        EXPECT_EQ(apAdvQosRuleEdit(qos, &rule, c.reedit), AP_ERR_BAD_ARGUMENT) << c.what;
    }
    EXPECT_EQ(apAdvQosRuleDel(qos, 2), AP_ERR_BAD_ARGUMENT) << "no rule there";
    EXPECT_EQ(apAdvQosParaSet(qos, 2, 0, 0), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(write(qos, AP_QOS_GROUP_ALL & ~(AP_QOS_GROUP_MODE | AP_QOS_GROUP_SLOTS)), AP_ERR_NOT_WRITABLE);
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"1:rule1"}));
}

TEST_F(LibraryQos, RulesAndSwitchesSurviveSaveAndRestart)
{
    AddRules(2);
    ASSERT_EQ(read(qos), AP_OK);
    ASSERT_EQ(apAdvQosParaSet(qos, 1, 1, 1), AP_OK);
    ASSERT_EQ(write(qos, AP_QOS_GROUP_SWITCHES), AP_OK);
    APHANDLE commands = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(commands, 2, 3000), AP_OK); // save and activate
    ASSERT_EQ(apSnmpSendSetRequest(commands, nullptr, nullptr, AP_MODE_BLOCKING, 0), AP_OK);

    ASSERT_TRUE(sim->restart()) << sim->error();
    EXPECT_EQ(DeviceNames(), (std::vector<std::string>{"1:rule1", "2:rule2"}));
    ASSERT_EQ(read(qos), AP_OK);
    int enable = -1, http = -1;
    ASSERT_EQ(apAdvQosParaGet(qos, &enable, &http, nullptr, nullptr), AP_OK);
    EXPECT_EQ(enable, 1);
    EXPECT_EQ(http, 1);
}

} // namespace
