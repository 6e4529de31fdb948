// Wireless schedule: the switch and the rules, a table whose rows managers create and destroy, at
// most one per SSID. The list also carries the radio's mode and SSID names, and whether each
// rule's SSID is served now by the device's clock.
#include "TRB4820apHelp.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "FamilyBindings.h"
#include "FamilyCalls.h"
#include "RecordCodec.h"
#include "ScheduleTimes.h"
#include "TableRows.h"
#include "ValueConversion.h"

using namespace trb::devicelib;

namespace {

constexpr int kSsidsPerBand = 8;

// The radio values the list carries, gathered in one record so they bind like any other layout.
struct ScheduleRadioRecord {
    int32_t state;
    int32_t currentBand;
    char modeText[2][AP_SCHEDULE_TEXT_SIZE];
    char ssidNames[AP_SCHEDULE_SSIDS][AP_SCHEDULE_TEXT_SIZE];
    char clock[64];
};

} // namespace

namespace trb::devicelib {

void addScheduleBindings(BindingTable &table)
{
    using enum Conversion;
    constexpr Family SC = Family::Schedule;
    constexpr uint32_t G = AP_SCHEDULE_GROUP_ALL;
    using Radio = ScheduleRadioRecord;
    using Rule = apScheduleRule;
    table.rows.push_back({SC, G, LayoutScheduleRadio, "trbScheduleState", {}, TRB_SLOT(Radio, state), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRadio, "trbCurrentBand", {}, TRB_SLOT(Radio, currentBand), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRadio, "trbSystemTime", {}, TRB_SLOT(Radio, clock), Text});
    for (uint32_t band = 1; band <= 2; ++band) {
        table.rows.push_back({SC, G, LayoutScheduleRadio, "trbBandOperationMode", {band},
                              TRB_SLOT_AT(Radio, modeText, band - 1), Text});
        const uint32_t first = (band - 1) * kSsidsPerBand;
        table.rows.push_back({SC, G, LayoutScheduleRadio, "trbBandSsid", {band}, TRB_SLOT_AT(Radio, ssidNames, first),
                              Text});
        for (uint32_t ssid = 1; ssid < kSsidsPerBand; ++ssid)
            table.rows.push_back({SC, G, LayoutScheduleRadio, "trbServiceSsid", {band, ssid},
                                  TRB_SLOT_AT(Radio, ssidNames, first + ssid), Text});
    }
    table.layout(LayoutScheduleRadio, sizeof(ScheduleRadioRecord));

    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleName", {}, TRB_SLOT(Rule, name), Text});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleSsid", {}, TRB_SLOT(Rule, ssid), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleDays", {}, TRB_SLOT(Rule, days), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleAllDay", {}, TRB_SLOT(Rule, allDay), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleStart", {}, TRB_SLOT(Rule, start), Text});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleEnd", {}, TRB_SLOT(Rule, end), Text});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleOvernight", {}, TRB_SLOT(Rule, overnight), Integer32});
    table.rows.push_back({SC, G, LayoutScheduleRule, "trbScheduleEnabled", {}, TRB_SLOT(Rule, enabled), Integer32});
    table.layout(LayoutScheduleRule, sizeof(apScheduleRule));
}

} // namespace trb::devicelib

namespace {

const TableRows &rules()
{
    static const TableRows rows("trbScheduleTable");
    return rows;
}

std::span<uint8_t> bytesOf(apScheduleRule &rule) { return {reinterpret_cast<uint8_t *>(&rule), sizeof rule}; }

// The texts the device shows for a rule's days and time frame.
void fillShownTexts(apScheduleRule &rule)
{
    copyBoundedText(ScheduleTimes::daysText(rule.days), rule.daysText, sizeof rule.daysText);
    const std::string frame = rule.allDay ? std::string("All Day(s)")
                                          : std::string(rule.start) + "-" + std::string(rule.end);
    copyBoundedText(frame, rule.timeFrame, sizeof rule.timeFrame);
}

// The rules of the last read, in index order, numbered from 1. The caller holds the lock.
struct ReadRule {
    uint32_t row; // trbScheduleIndex
    apScheduleRule rule;
};
std::vector<ReadRule> rulesOf(const HandleState &state)
{
    std::vector<ReadRule> read;
    for (const auto &[index, columns] : rules().rowsIn(state.lastRead)) {
        ReadRule entry{index.size() == 1 ? index[0] : 0, {}};
        for (const Binding *b : bindingsOfLayout(LayoutScheduleRule)) {
            auto it = columns.find(&objectOf(*b));
            RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytesOf(entry.rule));
        }
        entry.rule.index = int32_t(read.size() + 1);
        fillShownTexts(entry.rule);
        read.push_back(entry);
    }
    return read;
}

std::vector<ReadRule> lockedRules(HandleState &state)
{
    std::lock_guard lock(state.mutex);
    return rulesOf(state);
}

// The rule's columns as the device takes them; false for a rule the device would refuse.
bool ruleColumns(apScheduleRule rule, int ssid, TableRows::Row &columns)
{
    const std::string_view frame = slotText(rule.timeFrame, sizeof rule.timeFrame);
    rule.allDay = rule.allDay != 0 || frame == "allday";
    rule.ssid = ssid;
    if (rule.allDay) { // whole days: the times are not used
        copyBoundedText("00:00", rule.start, sizeof rule.start);
        copyBoundedText("00:00", rule.end, sizeof rule.end);
        rule.overnight = 0;
    }
    const bool timesFit = rule.allDay || ScheduleTimes::frameFits(slotText(rule.start, sizeof rule.start),
                                                                  slotText(rule.end, sizeof rule.end),
                                                                  rule.overnight != 0);
    if (!timesFit || !ScheduleTimes::validName(slotText(rule.name, sizeof rule.name)))
        return false;
    return layoutColumns(LayoutScheduleRule, &rule, columns);
}

bool ssidTaken(const std::vector<ReadRule> &read, int ssid, uint32_t exceptRow)
{
    return std::any_of(read.begin(), read.end(),
                       [&](const ReadRule &r) { return r.rule.ssid == ssid && r.row != exceptRow; });
}

const Binding &stateBinding()
{
    for (const Binding *b : bindingsOfLayout(LayoutScheduleRadio))
        if (std::string_view(b->object) == "trbScheduleState")
            return *b;
    throw std::logic_error("no binding for the schedule state");
}

// Operating-mode texts per band: the one radio's in the band it serves, "INVALID NODE" in the other.
void fillRadio(const ScheduleRadioRecord &radio, apScheduleList &list)
{
    const int served = radio.currentBand == 2 ? 1 : 0;
    for (int band = 0; band < 2; ++band)
        copyBoundedText(band == served ? slotText(radio.modeText[band], AP_SCHEDULE_TEXT_SIZE) : "INVALID NODE",
                        list.modeText[band], AP_SCHEDULE_TEXT_SIZE);
    for (int i = 0; i < AP_SCHEDULE_SSIDS; ++i)
        copyBoundedText(slotText(radio.ssidNames[i], AP_SCHEDULE_TEXT_SIZE), list.ssidNames[i], AP_SCHEDULE_TEXT_SIZE);
}

} // namespace

extern "C" {

APHANDLE apAdvScheduleListOpen(APHANDLE session, int)
{
    return openFamilyHandle(session, Family::Schedule, AP_SCHEDULE_GROUP_ALL);
}

int apAdvScheduleList(APHANDLE handle, apScheduleParameters *parameters, apScheduleList *list)
{
    auto state = familyHandle(handle, Family::Schedule);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!parameters || !list || list->count < 0)
        return AP_ERR_BAD_ARGUMENT;
    ScheduleRadioRecord radio{};
    decodeLayout(*state, LayoutScheduleRadio, &radio);
    parameters->enabled = radio.state;
    fillRadio(radio, *list);
    const std::vector<ReadRule> read = lockedRules(*state);
    if (!list->rules) {
        list->count = int32_t(read.size());
        return AP_OK;
    }
    const std::string clock(slotText(radio.clock, sizeof radio.clock));
    const auto filled = std::min<std::size_t>(std::size_t(list->count), read.size());
    for (std::size_t i = 0; i < filled; ++i) {
        apScheduleRule rule = read[i].rule;
        const int ssid = std::clamp(rule.ssid, 0, AP_SCHEDULE_SSIDS - 1);
        copyBoundedText(slotText(radio.ssidNames[ssid], AP_SCHEDULE_TEXT_SIZE), rule.ssidName, sizeof rule.ssidName);
        const bool governed = radio.state != 0 && rule.enabled != 0;
        rule.wirelessOff = governed && !ScheduleTimes::servedAt(rule, clock) ? 1 : 0;
        list->rules[i] = rule;
    }
    list->count = int32_t(filled);
    return AP_OK;
}

int apAdvScheduleAdd(APHANDLE handle, apScheduleRule rule, int ssid)
{
    auto state = familyHandle(handle, Family::Schedule);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    TableRows::Row columns;
    if (!ruleColumns(rule, ssid, columns))
        return AP_ERR_BAD_ARGUMENT;
    std::lock_guard lock(state->mutex);
    if (ssidTaken(rulesOf(*state), ssid, 0))
        return AP_ERR_BAD_ARGUMENT;
    auto index = rules().freeIndex(state->lastRead, state->staged);
    if (!index)
        return AP_ERR_BAD_ARGUMENT;
    for (StagedValue &value : rules().add(AP_SCHEDULE_GROUP_ALL, {*index}, columns))
        state->staged.push_back(std::move(value));
    state->stagedTimeoutMs = 0;
    return AP_OK;
}

int apAdvScheduleEdit(APHANDLE handle, apScheduleRule rule, int ruleIndex)
{
    auto state = familyHandle(handle, Family::Schedule);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const std::vector<ReadRule> read = lockedRules(*state);
    TableRows::Row columns;
    if (ruleIndex < 0 || std::size_t(ruleIndex) >= read.size() || !ruleColumns(rule, rule.ssid, columns) ||
        ssidTaken(read, rule.ssid, read[ruleIndex].row))
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, rules().edit(AP_SCHEDULE_GROUP_ALL, {read[ruleIndex].row}, columns));
    return AP_OK;
}

int apAdvScheduleDelete(APHANDLE handle, int ssid)
{
    auto state = familyHandle(handle, Family::Schedule);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const std::vector<ReadRule> read = lockedRules(*state);
    auto found = std::find_if(read.begin(), read.end(), [ssid](const ReadRule &r) { return r.rule.ssid == ssid; });
    if (found == read.end())
        return AP_ERR_BAD_ARGUMENT;
    stageValues(*state, {rules().remove(AP_SCHEDULE_GROUP_ALL, {found->row})});
    return AP_OK;
}

int apAdvScheduleSetState(APHANDLE handle, int enabled, const apScheduleList *list)
{
    auto state = familyHandle(handle, Family::Schedule);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    const std::vector<ReadRule> read = lockedRules(*state);
    if ((enabled != 0 && enabled != 1) || (list && (list->count < 0 || std::size_t(list->count) > read.size() ||
                                                    (list->count > 0 && !list->rules))))
        return AP_ERR_BAD_ARGUMENT;
    auto integer = [](int value) {
        SnmpValue v;
        v.type = asn::Integer;
        v.integer = value;
        return v;
    };
    const Binding &binding = stateBinding();
    std::vector<StagedValue> staged = {{binding.groupBit, instanceOidOf(binding), integer(enabled)}};
    const auto *enabledColumn = trb::schema::findObject("trbScheduleEnabled");
    for (int i = 0; list && i < list->count; ++i) {
        const int ruleEnabled = list->rules[i].enabled;
        if (ruleEnabled != 0 && ruleEnabled != 1)
            return AP_ERR_BAD_ARGUMENT;
        staged.push_back({AP_SCHEDULE_GROUP_ALL, trb::schema::instanceOid(*enabledColumn, std::vector{read[i].row}),
                          integer(ruleEnabled)});
    }
    stageValues(*state, std::move(staged));
    return AP_OK;
}

} // extern "C"
