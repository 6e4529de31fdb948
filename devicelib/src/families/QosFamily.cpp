// QoS: the switches, the AP mode they depend on, and the rule table, whose rows managers create
// and destroy (TableRows). The device has a fixed number of slots; a rule's row index is its slot.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addQosBindings(BindingTable &table)
{
    constexpr Family QS = Family::Qos;
    auto add = [&table](uint32_t group, uint32_t layout, const char *object, uint32_t offset, uint32_t size,
                        Conversion conversion) {
        table.rows.push_back({QS, group, layout, object, {}, offset, size, conversion});
    };
    constexpr auto I = Conversion::Integer32;
    constexpr uint32_t R = AP_QOS_GROUP_RULES;
    add(AP_QOS_GROUP_MODE, LayoutNone, "trbApMode", 0, 4, I);
    add(AP_QOS_GROUP_SWITCHES, LayoutNone, "trbQosEnable", 0, 4, I);
    add(AP_QOS_GROUP_SWITCHES, LayoutNone, "trbQosHttp", 0, 4, I);
    add(AP_QOS_GROUP_SWITCHES, LayoutNone, "trbQosAutomatic", 0, 4, I);
    add(AP_QOS_GROUP_SLOTS, LayoutNone, "trbQosRuleSlots", 0, 4, I);
    add(AP_QOS_GROUP_REMOVE, LayoutQosRuleStatus, "trbQosRuleStatus", 0, 4, I);
    add(R, LayoutQosRule, "trbQosRuleEnabled", TRB_SLOT(apQosRule, enabled), I);
    add(R, LayoutQosRule, "trbQosRuleName", TRB_SLOT(apQosRule, name), Conversion::Text);
    add(R, LayoutQosRule, "trbQosRulePriority", TRB_SLOT(apQosRule, priority), I);
    add(R, LayoutQosRule, "trbQosRuleProtocolNumber", TRB_SLOT(apQosRule, protocolNumber), I);
    add(R, LayoutQosRule, "trbQosRuleProtocol", TRB_SLOT(apQosRule, protocol), I);
    add(R, LayoutQosRule, "trbQosRuleHost1Start", TRB_SLOT(apQosRule, host1Start), Conversion::IpText);
    add(R, LayoutQosRule, "trbQosRuleHost1End", TRB_SLOT(apQosRule, host1End), Conversion::IpText);
    add(R, LayoutQosRule, "trbQosRuleHost1PortStart", TRB_SLOT(apQosRule, host1PortStart), I);
    add(R, LayoutQosRule, "trbQosRuleHost1PortEnd", TRB_SLOT(apQosRule, host1PortEnd), I);
    add(R, LayoutQosRule, "trbQosRuleHost2Start", TRB_SLOT(apQosRule, host2Start), Conversion::IpText);
    add(R, LayoutQosRule, "trbQosRuleHost2End", TRB_SLOT(apQosRule, host2End), Conversion::IpText);
    add(R, LayoutQosRule, "trbQosRuleHost2PortStart", TRB_SLOT(apQosRule, host2PortStart), I);
    add(R, LayoutQosRule, "trbQosRuleHost2PortEnd", TRB_SLOT(apQosRule, host2PortEnd), I);
    table.layout(LayoutQosRule, sizeof(apQosRule));
    table.layout(LayoutQosRuleStatus, 4);
}

} // namespace trb::devicelib

namespace {

const TableRows &rules()
{
    static const TableRows rows("trbQosRuleTable");
    return rows;
}

const Binding &qosBinding(const char *object) { return bindingNamed(Family::Qos, object); }

std::span<uint8_t> bytesOf(apQosRule &rule) { return {reinterpret_cast<uint8_t *>(&rule), sizeof rule}; }

// A scalar of the last read; 0 when the read did not carry it. The caller holds the lock.
int32_t scalarOf(const HandleState &state, const char *object)
{
    auto it = state.lastRead.find(instanceOidOf(qosBinding(object)));
    return it != state.lastRead.end() && it->second.type == asn::Integer ? int32_t(it->second.integer) : 0;
}

uint8_t lastOctet(const char *text)
{
    auto octets = ipTextToOctets(slotText(text, AP_QOS_IP_TEXT_SIZE));
    return octets ? uint8_t((*octets)[3]) : 0;
}

// The counts the device derives from the ranges. Ports come as the agent sent them, any 32-bit
// value: their difference is taken in 64 bits.
int32_t portCount(int32_t start, int32_t end) { return int32_t(int64_t(end) - start + 1); }

void fillCounts(apQosRule &rule)
{
    rule.host1Count = lastOctet(rule.host1End) - lastOctet(rule.host1Start) + 1;
    rule.host1PortCount = portCount(rule.host1PortStart, rule.host1PortEnd);
    rule.host2Count = lastOctet(rule.host2End) - lastOctet(rule.host2Start) + 1;
    rule.host2PortCount = portCount(rule.host2PortStart, rule.host2PortEnd);
}

// The rules of the last read, in index order. The caller holds the lock.
std::vector<apQosRule> rulesOf(const HandleState &state)
{
    std::vector<apQosRule> found;
    for (const auto &[index, columns] : rules().rowsIn(state.lastRead)) {
        apQosRule rule{};
        rule.index = index.size() == 1 ? int32_t(index[0]) : 0;
        for (const Binding *b : bindingsOfLayout(LayoutQosRule)) {
            auto it = columns.find(&objectOf(*b));
            RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytesOf(rule));
        }
        fillCounts(rule);
        found.push_back(rule);
    }
    return found;
}

// Every slot: the used ones first, then the free ones with their index and an empty name.
std::vector<apQosRule> slotsOf(const HandleState &state)
{
    std::vector<apQosRule> slots = rulesOf(state);
    std::set<int32_t> used;
    for (const apQosRule &rule : slots)
        used.insert(rule.index);
    // Slots are numbered by the rule index: a count beyond its range names no slot, and taken
    // as it comes it would have the list grow as far as an agent's number goes.
    static const int64_t lastSlot = trb::schema::findObject("trbQosRuleIndex")->high;
    const int32_t slotCount = int32_t(std::min<int64_t>(scalarOf(state, "trbQosRuleSlots"), lastSlot));
    for (int32_t index = 1; index <= slotCount; ++index)
        if (!used.count(index)) {
            apQosRule free{};
            free.index = index;
            slots.push_back(free);
        }
    return slots;
}

// A range the device can take: "any" (0.0.0.0 to 0.0.0.0), or two addresses in order in one /24.
bool validHostRange(const char *start, const char *end)
{
    auto a = ipTextToOctets(slotText(start, AP_QOS_IP_TEXT_SIZE));
    auto b = ipTextToOctets(slotText(end, AP_QOS_IP_TEXT_SIZE));
    if (!a || !b)
        return false;
    if (*a == std::string(4, '\0'))
        return *b == *a;
    return a->compare(0, 3, *b, 0, 3) == 0 && uint8_t((*a)[3]) <= uint8_t((*b)[3]);
}

bool validRanges(const apQosRule &rule)
{
    return validHostRange(rule.host1Start, rule.host1End) && validHostRange(rule.host2Start, rule.host2End) &&
           rule.host1PortEnd >= rule.host1PortStart && rule.host2PortEnd >= rule.host2PortStart;
}

// The rule's columns as the device takes them; false for a value it would refuse.
bool ruleColumns(const apQosRule &rule, TableRows::Row &columns)
{
    if (!validRanges(rule))
        return false;
    return layoutColumns(LayoutQosRule, &rule, columns);
}

bool validSwitch(int value) { return value == 0 || value == 1; }

} // namespace

extern "C" {

APHANDLE apAdvQosOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::Qos, AP_QOS_GROUP_ALL); }

int apAdvQosParaGet(APHANDLE handle, int *enable, int *http, int *automatic, int *mode)
{
    auto state = familyHandle(handle, Family::Qos);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    std::lock_guard lock(state->mutex);
    putOptional(enable, scalarOf(*state, "trbQosEnable"));
    putOptional(http, scalarOf(*state, "trbQosHttp"));
    putOptional(automatic, scalarOf(*state, "trbQosAutomatic"));
    putOptional(mode, scalarOf(*state, "trbApMode"));
    return AP_OK;
}

int apAdvQosParaSet(APHANDLE handle, int enable, int http, int automatic)
{
    auto state = familyHandle(handle, Family::Qos);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!validSwitch(enable) || !validSwitch(http) || !validSwitch(automatic))
        return AP_ERR_BAD_ARGUMENT;
    std::vector<StagedValue> staged;
    for (auto [object, value] : {std::pair{"trbQosEnable", enable}, {"trbQosHttp", http}, {"trbQosAutomatic", automatic}}) {
        const Binding &binding = qosBinding(object);
        SnmpValue word;
        word.type = asn::Integer;
        word.integer = value;
        staged.push_back({binding.groupBit, instanceOidOf(binding), word});
    }
    stageValues(*state, std::move(staged));
    return AP_OK;
}

int apAdvQosListGet(APHANDLE handle, apQosRuleList *list)
{
    auto state = familyHandle(handle, Family::Qos);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!list || list->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    std::vector<apQosRule> slots;
    {
        std::lock_guard lock(state->mutex);
        slots = slotsOf(*state);
    }
    if (!list->rules) {
        list->count = int32_t(slots.size());
        return AP_OK;
    }
    const auto filled = std::min<std::size_t>(std::size_t(list->count), slots.size());
    std::copy_n(slots.begin(), filled, list->rules);
    list->count = int32_t(filled);
    return AP_OK;
}

int apAdvQosRuleEdit(APHANDLE handle, const apQosRule *rule, int reedit)
{
    auto state = familyHandle(handle, Family::Qos);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    TableRows::Row columns;
    if (!rule || !ruleColumns(*rule, columns))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    const std::vector<apQosRule> slots = slotsOf(*state);
    auto slot = std::find_if(slots.begin(), slots.end(), [rule](const apQosRule &s) { return s.index == rule->index; });
    if (slot == slots.end())
        return AP_ERR_BAD_ARGUMENT;
    const bool used = slot->name[0] != '\0';
    if (!used && reedit)
        return AP_ERR_BAD_ARGUMENT; // re-staging a rule the device no longer has would create it
    const Oid index{uint32_t(rule->index)};
    std::vector<StagedValue> values =
        used ? rules().edit(AP_QOS_GROUP_RULES, index, columns) : rules().add(AP_QOS_GROUP_RULES, index, columns);
    for (StagedValue &value : values) {
        std::erase_if(state->staged, [&](const StagedValue &s) { return s.oid == value.oid; });
        state->staged.push_back(std::move(value));
    }
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvQosRuleDel(APHANDLE handle, int index)
{
    auto state = familyHandle(handle, Family::Qos);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    bool known = false;
    {
        std::lock_guard lock(state->mutex);
        const std::vector<apQosRule> used = rulesOf(*state);
        known = std::any_of(used.begin(), used.end(), [index](const apQosRule &r) { return r.index == index; });
    }
    if (!known)
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {rules().remove(AP_QOS_GROUP_REMOVE, {uint32_t(index)})});
    return AP_OK;
}

} // extern "C"
