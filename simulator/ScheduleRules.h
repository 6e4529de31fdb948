#pragma once
// The cross-column rule the device keeps for schedule rules: a time frame that fits its all-day
// and overnight flags. Tables without such a rule take any row.
#include <map>
#include <string_view>

#include "ObjectSchema.h"
#include "SnmpValue.h"

namespace trb::sim {

class ScheduleRules {
public:
    using Row = std::map<const schema::ObjectDef *, SnmpValue>;

    // True for a row the table may hold: for schedule rules, a whole-day rule or valid HH:MM
    // times whose end is after the start (before it when overnight).
    static bool consistent(const schema::TableDef &table, const Row &row);

private:
    static int minutes(std::string_view text);
    static const SnmpValue *column(const Row &row, const char *name);
};

} // namespace trb::sim
