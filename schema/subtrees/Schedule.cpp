#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kRules = "trbScheduleTable";
constexpr uint32_t kMaxRules = 16; // one per SSID
constexpr const char *kOnOff = "disabled(0),enabled(1)";

ObjectDef rule(ObjectDef object) { return Column(kRules, std::move(object)).creatable().setting(); }
} // namespace

Subtree schedule()
{
    return {
        {Group("trbSchedule", {19}, "Wireless schedule: the days and hours each SSID is served.")},
        {Table(kRules, "trbScheduleEntry", {19, 2}, {"trbScheduleIndex"})
             .describe("Schedule rules, at most one per SSID. Rows are created with createAndGo and "
                       "removed with destroy on trbScheduleStatus; a rule whose time frame does not fit "
                       "its overnight flag is refused.")
             .createdRows(kMaxRules, "trbScheduleStatus")},
        {
            Enum("trbScheduleState", {19, 1}, kOnOff).writable().setting()
                .describe("Whether SSIDs follow their schedule rules."),
            Index(kRules, "trbScheduleIndex", {19, 2, 1, 1}, 1, kMaxRules).describe("Rule number."),
            rule(Text("trbScheduleName", {19, 2, 1, 2}, 1, 32)).describe("Name of the rule."),
            rule(Int("trbScheduleSsid", {19, 2, 1, 3}, 0, 15)).distinctInTable()
                .describe("SSID the rule serves: 0 primary, 1-7 additional SSIDs of 2.4 GHz, 8-15 the same "
                          "of 5 GHz; no two rules have the same."),
            rule(Int("trbScheduleDays", {19, 2, 1, 4}, 0, 127))
                .describe("Days: 0 every day, else bits Sunday 1, Monday 2 ... Saturday 64."),
            rule(Enum("trbScheduleAllDay", {19, 2, 1, 5}, kOnOff)).describe("Whether the rule covers whole days."),
            rule(Text("trbScheduleStart", {19, 2, 1, 6}, 5, 5)).describe("Start of the time frame, HH:MM."),
            rule(Text("trbScheduleEnd", {19, 2, 1, 7}, 5, 5)).describe("End of the time frame, HH:MM."),
            rule(Enum("trbScheduleOvernight", {19, 2, 1, 8}, kOnOff))
                .describe("Whether the time frame runs past midnight (its end before its start)."),
            rule(Enum("trbScheduleEnabled", {19, 2, 1, 9}, kOnOff)).describe("Whether the rule is in use."),
            rule(RowStatus("trbScheduleStatus", {19, 2, 1, 10}))
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
        },
    };
}

} // namespace trb::schema::subtrees
