#include "ScheduleRules.h"

namespace trb::sim {

bool ScheduleRules::consistent(const schema::TableDef &table, const Row &row)
{
    if (std::string_view(table.name) != "trbScheduleTable")
        return true;
    const SnmpValue *allDay = column(row, "trbScheduleAllDay");
    if (allDay && allDay->number == 1)
        return true;
    const SnmpValue *start = column(row, "trbScheduleStart");
    const SnmpValue *end = column(row, "trbScheduleEnd");
    const SnmpValue *overnight = column(row, "trbScheduleOvernight");
    if (!start || !end)
        return false;
    const int from = minutes(start->bytes);
    const int to = minutes(end->bytes);
    if (from < 0 || to < 0)
        return false;
    return overnight && overnight->number == 1 ? to < from : to > from;
}

int ScheduleRules::minutes(std::string_view text)
{
    auto digit = [&](size_t i) { return text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -100; };
    if (text.size() != 5 || text[2] != ':')
        return -1;
    const int hour = digit(0) * 10 + digit(1);
    const int minute = digit(3) * 10 + digit(4);
    return hour < 0 || hour > 23 || minute < 0 || minute > 59 ? -1 : hour * 60 + minute;
}

const SnmpValue *ScheduleRules::column(const Row &row, const char *name)
{
    for (const auto &[object, value] : row)
        if (std::string_view(object->name) == name)
            return &value;
    return nullptr;
}

} // namespace trb::sim
