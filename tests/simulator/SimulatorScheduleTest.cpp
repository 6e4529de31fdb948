// Schedule rules as the device keeps them: rows created and edited only when their time frame fits
// the all-day and overnight flags, one rule per SSID, and a refused SET that changes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SimulatorProcess.h"
#include "SnmpTestClient.h"

using trb::test::SimulatorProcess;
using trb::test::SnmpTestClient;
using trb::test::Varbind;

namespace {

enum { CreateAndGo = 4 };

struct RuleColumns {
    const char *name;
    long ssid;
    const char *start, *end;
    long overnight, allDay;
};

std::vector<Varbind> CreateRule(uint32_t index, const RuleColumns &r)
{
    return {SnmpTestClient::integer("trbScheduleStatus", {index}, CreateAndGo),
            SnmpTestClient::text("trbScheduleName", {index}, r.name),
            SnmpTestClient::integer("trbScheduleSsid", {index}, r.ssid),
            SnmpTestClient::integer("trbScheduleDays", {index}, 0),
            SnmpTestClient::integer("trbScheduleAllDay", {index}, r.allDay),
            SnmpTestClient::text("trbScheduleStart", {index}, r.start),
            SnmpTestClient::text("trbScheduleEnd", {index}, r.end),
            SnmpTestClient::integer("trbScheduleOvernight", {index}, r.overnight),
            SnmpTestClient::integer("trbScheduleEnabled", {index}, 1)};
}

class SimulatorSchedule : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(sim.ok()) << sim.error(); }

    long Set(const std::vector<Varbind> &varbinds)
    {
        SnmpTestClient writer(sim.address(), "private");
        const auto reply = writer.set(varbinds);
        return reply.answered ? reply.errorStatus : -1;
    }
    // "index:name:ssid:start-end" per row.
    std::string Rules()
    {
        SnmpTestClient reader(sim.address(), "public");
        auto names = reader.walk(SnmpTestClient::oidOf("trbScheduleName"));
        std::string text;
        for (const Varbind &v : names.value_or(std::vector<Varbind>{})) {
            const uint32_t index = uint32_t(v.name.back());
            auto ssid = reader.getObject("trbScheduleSsid", {index});
            auto start = reader.getObject("trbScheduleStart", {index});
            auto end = reader.getObject("trbScheduleEnd", {index});
            text += std::to_string(index) + ":" + v.bytes + ":" + std::to_string(ssid ? ssid->number : -1) + ":" +
                    (start ? start->bytes : "?") + "-" + (end ? end->bytes : "?") + "\n";
        }
        return text;
    }

    SimulatorProcess sim;
};

TEST_F(SimulatorSchedule, NewRulesMustHaveAFittingTimeFrame)
{
    struct Case {
        RuleColumns rule;
        bool taken;
    } cases[] = {
        {{"Day", 0, "08:00", "18:00", 0, 0}, true},
        {{"Night", 1, "22:00", "06:00", 1, 0}, true},
        {{"Whole", 2, "00:00", "00:00", 0, 1}, true},
        {{"Reversed", 3, "22:00", "06:00", 0, 0}, false},
        {{"Empty", 3, "08:00", "08:00", 0, 0}, false},
        {{"EmptyOvernight", 3, "08:00", "08:00", 1, 0}, false},
        {{"NotOvernight", 3, "06:00", "22:00", 1, 0}, false},
        {{"BadHour", 3, "25:00", "26:00", 0, 0}, false},
        {{"BadText", 3, "8h00m", "09:00", 0, 0}, false},
    };
    uint32_t index = 1;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rule.name);
        const long status = Set(CreateRule(index, c.rule));
        EXPECT_EQ(status == 0, c.taken) << status;
        if (status == 0)
            ++index;
    }
    EXPECT_EQ(Rules(), "1:Day:0:08:00-18:00\n2:Night:1:22:00-06:00\n3:Whole:2:00:00-00:00\n");
}

TEST_F(SimulatorSchedule, OneRulePerSsidAndEditsThatBreakTheFrameChangeNothing)
{
    ASSERT_EQ(Set(CreateRule(1, {"Day", 4, "08:00", "18:00", 0, 0})), 0);
    EXPECT_EQ(Set(CreateRule(2, {"Again", 4, "09:00", "10:00", 0, 0})), SNMP_ERR_INCONSISTENTVALUE);
    const std::string before = Rules();
    EXPECT_NE(Set({SnmpTestClient::text("trbScheduleEnd", {1}, "07:00")}), 0) << "end before start";
    EXPECT_NE(Set({SnmpTestClient::text("trbScheduleName", {1}, "Renamed"),
                   SnmpTestClient::integer("trbScheduleOvernight", {1}, 1)}),
              0)
        << "overnight with the end after the start";
    EXPECT_EQ(Rules(), before);
    EXPECT_EQ(Set({SnmpTestClient::text("trbScheduleEnd", {1}, "07:00"),
                   SnmpTestClient::integer("trbScheduleOvernight", {1}, 1)}),
              0);
    EXPECT_EQ(Set({SnmpTestClient::integer("trbScheduleAllDay", {1}, 1),
                   SnmpTestClient::integer("trbScheduleOvernight", {1}, 0)}),
              0)
        << "an all-day rule takes any times";
    EXPECT_EQ(Rules(), "1:Day:4:08:00-07:00\n");
}

} // namespace
