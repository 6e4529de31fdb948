#include "RowSetPlan.h"

#include "AclLists.h"
#include "CreatedRows.h"
#include "ScheduleRules.h"
#include "SetValidator.h"

namespace trb::sim {

RowSetPlan::RowSetPlan(const DeviceStore &store, const std::vector<SetVarbind> &varbinds)
    : store_(store), varbinds_(varbinds)
{
    std::map<RowKey, RowVarbinds> rows;
    for (size_t i = 0; i < varbinds.size(); ++i) {
        const auto *object = DeviceStore::schemaObjectFor(varbinds[i].name);
        const auto *table = object ? CreatedRows::tableOf(*object) : nullptr;
        if (!table)
            continue;
        RowVarbinds &row = rows[{table, CreatedRows::indexOf(*object, varbinds[i].name)}];
        (object->type == schema::SmiType::RowStatus ? row.statuses : row.columns).push_back(i);
    }
    for (const auto &[key, found] : rows)
        planRow(key, found);
}

// A row without a RowStatus varbind is an edit of its columns: the ordinary checks decide.
void RowSetPlan::planRow(const RowKey &row, const RowVarbinds &found)
{
    if (found.statuses.empty()) {
        planEdit(row, found);
        return;
    }
    const size_t status = found.statuses.front();
    if (found.statuses.size() > 1) {
        statuses_[found.statuses[1]] = SNMP_ERR_INCONSISTENTVALUE; // one RowStatus per row and SET
        return;
    }
    const netsnmp_variable_list &var = *varbinds_[status].var;
    if (int error = SetValidator::checkValueFor(varbinds_[status].name, var)) {
        statuses_[status] = error;
        return;
    }
    const bool exists = store_.contains(CreatedRows::instanceOf(CreatedRows::statusColumn(*row.table), row.index));
    switch (*var.val.integer) {
    case CreateAndGo:
        statuses_[status] = exists ? SNMP_ERR_INCONSISTENTVALUE : planCreation(row, found);
        break;
    case Destroy:
        statuses_[status] = planDestruction(row, found);
        break;
    case Active: // already active; its columns are plain edits
        statuses_[status] = exists ? SNMP_ERR_NOERROR : SNMP_ERR_INCONSISTENTVALUE;
        if (exists)
            planEdit(row, found);
        break;
    default: // rows are never kept out of service here: createAndWait, notInService, notReady
        statuses_[status] = SNMP_ERR_WRONGVALUE;
        break;
    }
}

int RowSetPlan::planCreation(const RowKey &row, const RowVarbinds &found)
{
    if (!CreatedRows::validIndex(*row.table, row.index))
        return SNMP_ERR_NOCREATION;
    Creation creation{row.table, row.index, {}, found.statuses.front()};
    creation.values[&CreatedRows::statusColumn(*row.table)] = SnmpValue::integer(Active);
    bool columnsValid = true;
    for (size_t i : found.columns) {
        const int error = SetValidator::checkValueFor(varbinds_[i].name, *varbinds_[i].var);
        statuses_[i] = error;
        columnsValid = columnsValid && error == SNMP_ERR_NOERROR;
        creation.values[DeviceStore::schemaObjectFor(varbinds_[i].name)] = SetValidator::valueOf(*varbinds_[i].var);
    }
    for (const auto *column : CreatedRows::requiredColumns(*row.table))
        if (!creation.values.count(column))
            return SNMP_ERR_INCONSISTENTVALUE; // a new row needs all its columns in the same SET
    const size_t rows = store_.rowIndexes(*row.table).size() + created_[row.table];
    if (rows >= row.table->maxRows)
        return SNMP_ERR_RESOURCEUNAVAILABLE;
    if (!columnsValid)
        return SNMP_ERR_NOERROR; // the column's own error refuses the SET
    if (duplicatesARow(creation) || !ScheduleRules::consistent(*row.table, creation.values) ||
        !AclLists::acceptableRow(*row.table, creation.values))
        return SNMP_ERR_INCONSISTENTVALUE;
    ++created_[row.table];
    creations_.push_back(std::move(creation));
    return SNMP_ERR_NOERROR;
}

// Edited columns of an existing row, taken together with the columns the SET leaves as they are,
// must make a row the table may hold; otherwise every edited column is refused.
void RowSetPlan::planEdit(const RowKey &row, const RowVarbinds &found)
{
    ScheduleRules::Row values;
    for (const auto *column : schema::columnsOf(*row.table))
        if (const SnmpValue *held = store_.find(CreatedRows::instanceOf(*column, row.index)))
            values[column] = *held;
    if (values.empty())
        return; // no such row: the ordinary checks refuse its columns
    for (size_t i : found.columns) {
        if (SetValidator::checkValueFor(varbinds_[i].name, *varbinds_[i].var) != SNMP_ERR_NOERROR)
            return; // the column's own error refuses the SET
        values[DeviceStore::schemaObjectFor(varbinds_[i].name)] = SetValidator::valueOf(*varbinds_[i].var);
    }
    if (ScheduleRules::consistent(*row.table, values) && AclLists::acceptableRow(*row.table, values))
        return;
    for (size_t i : found.columns)
        statuses_[i] = SNMP_ERR_INCONSISTENTVALUE;
}

// A new row whose distinct column repeats a row the table has, or one created before it in this SET.
bool RowSetPlan::duplicatesARow(const Creation &creation) const
{
    for (const auto &[column, value] : creation.values) {
        if (!column->distinct)
            continue;
        if (CreatedRows::takenByAnotherRow(store_, *column, creation.index, value))
            return true;
        for (const Creation &earlier : creations_) {
            auto held = earlier.values.find(column);
            if (earlier.table == creation.table && held != earlier.values.end() && held->second == value &&
                CreatedRows::sameScope(*column, earlier.index, creation.index))
                return true;
        }
    }
    return false;
}

// Destroying a row that is not there is allowed and does nothing.
int RowSetPlan::planDestruction(const RowKey &row, const RowVarbinds &found)
{
    if (!found.columns.empty())
        return SNMP_ERR_INCONSISTENTVALUE;
    if (store_.contains(CreatedRows::instanceOf(CreatedRows::statusColumn(*row.table), row.index)))
        destructions_.push_back({row.table, row.index, found.statuses.front()});
    return SNMP_ERR_NOERROR;
}

} // namespace trb::sim
