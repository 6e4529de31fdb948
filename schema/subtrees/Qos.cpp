#include "Subtrees.h"

namespace trb::schema::subtrees {

using namespace rows;

namespace {
constexpr const char *kRules = "trbQosRuleTable";
constexpr uint32_t kRuleSlots = 64;
constexpr const char *kOnOff = "disabled(0),enabled(1)";

ObjectDef rulePort(const char *name, uint32_t arc, const char *what)
{
    return Column(kRules, Int(name, {18, 5, 1, arc}, 0, 65535)).creatable().setting().describe(what);
}
} // namespace

Subtree qos()
{
    return {
        {Group("trbQos", {18}, "Traffic prioritisation: the QoS switch, the built-in classifiers and the rules.")},
        {Table(kRules, "trbQosRuleEntry", {18, 5}, {"trbQosRuleIndex"})
             .describe("Classification rules, one per slot, at most 64. Rows are created with createAndGo "
                       "and removed with destroy on trbQosRuleStatus.")
             .createdRows(kRuleSlots, "trbQosRuleStatus")},
        {
            Enum("trbQosEnable", {18, 1}, kOnOff).writable().setting().describe("Whether QoS is on."),
            Enum("trbQosHttp", {18, 2}, kOnOff).writable().setting()
                .describe("Whether web traffic is prioritised by the built-in HTTP classifier."),
            Enum("trbQosAutomatic", {18, 3}, kOnOff).writable().setting()
                .describe("Whether traffic no rule matches is classified automatically."),
            Int("trbQosRuleSlots", {18, 4}, kRuleSlots, kRuleSlots)
                .describe("Number of slots of trbQosRuleTable."),
            Index(kRules, "trbQosRuleIndex", {18, 5, 1, 1}, 1, kRuleSlots).describe("Slot number of the rule."),
            Column(kRules, Enum("trbQosRuleEnabled", {18, 5, 1, 2}, kOnOff)).creatable().setting()
                .describe("Whether the rule applies."),
            Column(kRules, Text("trbQosRuleName", {18, 5, 1, 3}, 1, 32)).creatable().setting().distinctInTable()
                .describe("Name of the rule; no two rules have the same."),
            Column(kRules, Enum("trbQosRulePriority", {18, 5, 1, 4}, "voice(0),video(1),bestEffort(2),background(3)"))
                .creatable().setting().describe("Priority class of the traffic the rule matches."),
            Column(kRules, Int("trbQosRuleProtocolNumber", {18, 5, 1, 5}, 1, 999)).creatable().setting()
                .describe("IP protocol number; 256 any protocol, 257 TCP and UDP."),
            Column(kRules, Enum("trbQosRuleProtocol", {18, 5, 1, 6}, "any(0),tcp(1),udp(2),both(3),icmp(4),other(5)"))
                .creatable().setting().describe("Protocol choice the number came from."),
            Column(kRules, Ip("trbQosRuleHost1Start", {18, 5, 1, 7})).creatable().setting()
                .describe("First address of host range 1; 0.0.0.0 for any host."),
            Column(kRules, Ip("trbQosRuleHost1End", {18, 5, 1, 8})).creatable().setting()
                .describe("Last address of host range 1, in the same /24 as the first."),
            rulePort("trbQosRuleHost1PortStart", 9, "First port of host range 1; 0 for any port."),
            rulePort("trbQosRuleHost1PortEnd", 10, "Last port of host range 1."),
            Column(kRules, Ip("trbQosRuleHost2Start", {18, 5, 1, 11})).creatable().setting()
                .describe("First address of host range 2; 0.0.0.0 for any host."),
            Column(kRules, Ip("trbQosRuleHost2End", {18, 5, 1, 12})).creatable().setting()
                .describe("Last address of host range 2, in the same /24 as the first."),
            rulePort("trbQosRuleHost2PortStart", 13, "First port of host range 2; 0 for any port."),
            rulePort("trbQosRuleHost2PortEnd", 14, "Last port of host range 2."),
            Column(kRules, RowStatus("trbQosRuleStatus", {18, 5, 1, 15})).creatable().setting()
                .describe("Creates (createAndGo) and removes (destroy) the row; reads active."),
        },
    };
}

} // namespace trb::schema::subtrees
