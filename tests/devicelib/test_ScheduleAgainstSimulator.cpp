// The schedule family through the library, against a simulator: rules reach the device with the
// texts it shows for them, one rule per SSID, time frames that fit their flags, nothing staged
// for a refused rule, and what was saved survives a restart.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "SimulatorSessionTest.h"
#include "TRB4820apHelp.h"

using trb::test::SimulatorSessionTest;

namespace {

apScheduleRule Rule(const char *name, int ssid, int days, const char *start, const char *end, int overnight = 0,
                    int allDay = 0)
{
    apScheduleRule rule{};
    std::strncpy(rule.name, name, sizeof rule.name - 1);
    rule.ssid = ssid;
    rule.days = days;
    rule.enabled = 1;
    rule.overnight = overnight;
    rule.allDay = allDay;
    std::strncpy(rule.start, start, sizeof rule.start - 1);
    std::strncpy(rule.end, end, sizeof rule.end - 1);
    const std::string frame = allDay ? std::string("allday") : std::string(start) + "-" + end;
    std::strncpy(rule.timeFrame, frame.c_str(), sizeof rule.timeFrame - 1);
    return rule;
}

class LibrarySchedule : public SimulatorSessionTest {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(StartSimulatorSession({}));
    }
    APHANDLE OpenAndRead()
    {
        APHANDLE handle = apAdvScheduleListOpen(session, 0);
        EXPECT_NE(handle, 0u);
        EXPECT_EQ(read(handle), AP_OK);
        return handle;
    }
    int read(APHANDLE handle) { return apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }
    int write(APHANDLE handle) { return apSnmpSendSetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0); }

    // The rules a fresh handle reads, with the list record and the switch.
    std::vector<apScheduleRule> DeviceRules(apScheduleList *listOut = nullptr, int *enabled = nullptr)
    {
        APHANDLE fresh = OpenAndRead();
        apScheduleParameters parameters{};
        auto list = std::make_unique<apScheduleList>();
        EXPECT_EQ(apAdvScheduleList(fresh, &parameters, list.get()), AP_OK);
        std::vector<apScheduleRule> rules(list->count);
        list->rules = rules.data();
        EXPECT_EQ(apAdvScheduleList(fresh, &parameters, list.get()), AP_OK);
        rules.resize(list->count);
        if (listOut)
            *listOut = *list;
        if (enabled)
            *enabled = parameters.enabled;
        apHandleClose(fresh);
        return rules;
    }

    int AddRules(const std::vector<apScheduleRule> &rules)
    {
        APHANDLE handle = OpenAndRead();
        for (const apScheduleRule &rule : rules)
            if (int code = apAdvScheduleAdd(handle, rule, rule.ssid))
                return code;
        const int code = write(handle);
        apHandleClose(handle);
        return code;
    }

};

TEST_F(LibrarySchedule, RulesComeBackWithTheTextsTheDeviceShows)
{
    ASSERT_EQ(AddRules({Rule("Office", 0, 0, "08:00", "18:00"), Rule("Night", 2, 1 | 64, "22:30", "06:15", 1),
                        Rule("Always", 9, 2 | 8, "", "", 0, 1)}),
              AP_OK);
    auto list = std::make_unique<apScheduleList>();
    const std::vector<apScheduleRule> rules = DeviceRules(list.get());
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_STREQ(list->modeText[0], "Access Point");
    EXPECT_STREQ(list->modeText[1], "INVALID NODE") << "the one radio serves 2.4 GHz";
    EXPECT_STRNE(list->ssidNames[0], "");
    EXPECT_STRNE(list->ssidNames[2], "");
    struct Expected {
        const char *name, *days, *frame;
        int ssid, overnight, allDay;
    } expected[] = {{"Office", "All Week", "08:00-18:00", 0, 0, 0},
                    {"Night", "Sun,Sat", "22:30-06:15", 2, 1, 0},
                    {"Always", "Mon,Wed", "All Day(s)", 9, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(rules[i].index, i + 1);
        EXPECT_STREQ(rules[i].name, expected[i].name);
        EXPECT_STREQ(rules[i].daysText, expected[i].days);
        EXPECT_STREQ(rules[i].timeFrame, expected[i].frame);
        EXPECT_EQ(rules[i].ssid, expected[i].ssid);
        EXPECT_EQ(rules[i].overnight, expected[i].overnight);
        EXPECT_EQ(rules[i].allDay, expected[i].allDay);
        EXPECT_EQ(rules[i].enabled, 1);
        EXPECT_STREQ(rules[i].ssidName, list->ssidNames[expected[i].ssid]);
    }
}

TEST_F(LibrarySchedule, RefusedRulesStageNothing)
{
    ASSERT_EQ(AddRules({Rule("Office", 1, 0, "08:00", "18:00")}), AP_OK);
    struct Case {
        const char *what;
        apScheduleRule rule;
    } cases[] = {
        {"end before start without overnight", Rule("A", 2, 0, "22:00", "06:00")},
        {"start equals end", Rule("A", 2, 0, "08:00", "08:00")},
        {"start equals end overnight", Rule("A", 2, 0, "08:00", "08:00", 1)},
        {"overnight with the end after the start", Rule("A", 2, 0, "06:00", "22:00", 1)},
        {"hour 24", Rule("A", 2, 0, "24:00", "23:00", 1)},
        {"minute 60", Rule("A", 2, 0, "08:60", "09:00")},
        {"time without its leading zero", Rule("A", 2, 0, "7:05", "09:00")},
        {"empty name", Rule("", 2, 0, "08:00", "09:00")},
        {"name of 33 characters", Rule("123456789012345678901234567890123", 2, 0, "08:00", "09:00")},
        {"days past Saturday", Rule("A", 2, 128, "08:00", "09:00")},
        {"SSID 16", Rule("A", 16, 0, "08:00", "09:00")},
        {"SSID that has a rule", Rule("A", 1, 0, "08:00", "09:00")},
    };
    APHANDLE handle = OpenAndRead();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(apAdvScheduleAdd(handle, c.rule, c.rule.ssid), AP_ERR_BAD_ARGUMENT);
    }
    EXPECT_EQ(apAdvScheduleEdit(handle, Rule("A", 1, 0, "09:00", "08:00"), 0), AP_ERR_BAD_ARGUMENT);
    EXPECT_EQ(apAdvScheduleEdit(handle, Rule("A", 3, 0, "08:00", "09:00"), 1), AP_ERR_BAD_ARGUMENT) << "no rule 2";
    EXPECT_EQ(apAdvScheduleDelete(handle, 5), AP_ERR_BAD_ARGUMENT) << "SSID 5 has no rule";
    EXPECT_EQ(write(handle), AP_ERR_NOT_WRITABLE) << "nothing was staged";
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 1u);
    EXPECT_STREQ(rules[0].timeFrame, "08:00-18:00");
}

TEST_F(LibrarySchedule, EditKeepsOrMovesTheSsidButNeverOntoAnotherRule)
{
    ASSERT_EQ(AddRules({Rule("One", 1, 0, "08:00", "18:00"), Rule("Two", 2, 0, "08:00", "18:00")}), AP_OK);
    APHANDLE handle = OpenAndRead();
    EXPECT_EQ(apAdvScheduleEdit(handle, Rule("Two", 1, 0, "08:00", "18:00"), 1), AP_ERR_BAD_ARGUMENT);
    ASSERT_EQ(apAdvScheduleEdit(handle, Rule("Uno", 1, 4, "21:00", "05:00", 1), 0), AP_OK);
    ASSERT_EQ(apAdvScheduleEdit(handle, Rule("Dos", 3, 0, "", "", 0, 1), 1), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    const auto rules = DeviceRules();
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_STREQ(rules[0].name, "Uno");
    EXPECT_STREQ(rules[0].timeFrame, "21:00-05:00");
    EXPECT_STREQ(rules[0].daysText, "Tue");
    EXPECT_EQ(rules[1].ssid, 3);
    EXPECT_STREQ(rules[1].timeFrame, "All Day(s)");
}

TEST_F(LibrarySchedule, DeleteAndStateAndRestart)
{
    ASSERT_EQ(AddRules({Rule("One", 0, 0, "08:00", "18:00"), Rule("Two", 1, 0, "08:00", "18:00"),
                        Rule("Three", 2, 0, "08:00", "18:00")}),
              AP_OK);
    APHANDLE handle = OpenAndRead();
    ASSERT_EQ(apAdvScheduleDelete(handle, 1), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);
    ASSERT_EQ(read(handle), AP_OK);
    std::vector<apScheduleRule> states(2);
    states[0].enabled = 0;
    states[1].enabled = 1;
    apScheduleList list{};
    list.count = 2;
    list.rules = states.data();
    EXPECT_EQ(apAdvScheduleSetState(handle, 2, &list), AP_ERR_BAD_ARGUMENT);
    list.count = 3;
    EXPECT_EQ(apAdvScheduleSetState(handle, 0, &list), AP_ERR_BAD_ARGUMENT) << "more rules than were read";
    list.count = 2;
    ASSERT_EQ(apAdvScheduleSetState(handle, 0, &list), AP_OK);
    ASSERT_EQ(write(handle), AP_OK);

    APHANDLE command = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(command, 2, 5000), AP_OK); // save and activate
    ASSERT_EQ(write(command), AP_OK);
    ASSERT_TRUE(sim->restart());

    int enabled = -1;
    const auto rules = DeviceRules(nullptr, &enabled);
    EXPECT_EQ(enabled, 0);
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_STREQ(rules[0].name, "One");
    EXPECT_EQ(rules[0].enabled, 0);
    EXPECT_STREQ(rules[1].name, "Three");
    EXPECT_EQ(rules[1].enabled, 1);
}

TEST_F(LibrarySchedule, AtMostOneRulePerSsidAndSixteenInAll)
{
    std::vector<apScheduleRule> all;
    for (int ssid = 0; ssid < AP_SCHEDULE_MAX_RULES; ++ssid)
        all.push_back(Rule(("R" + std::to_string(ssid)).c_str(), ssid, 0, "08:00", "18:00"));
    ASSERT_EQ(AddRules(all), AP_OK);
    EXPECT_EQ(DeviceRules().size(), 16u);
    APHANDLE handle = OpenAndRead();
    EXPECT_EQ(apAdvScheduleAdd(handle, Rule("More", 3, 0, "08:00", "18:00"), 3), AP_ERR_BAD_ARGUMENT);
}

} // namespace
