#include "CreatedRows.h"

#include <map>
#include <set>
#include <stdexcept>

namespace trb::sim {

const schema::TableDef *CreatedRows::tableOf(const schema::ObjectDef &object)
{
    const auto *table = schema::tableOf(object);
    return table && table->rowsCreatable() ? table : nullptr;
}

Oid CreatedRows::indexOf(const schema::ObjectDef &column, const Oid &name)
{
    const size_t prefix = schema::kBaseOidLength + column.oid.size();
    return name.size() > prefix ? Oid(name.begin() + prefix, name.end()) : Oid();
}

Oid CreatedRows::instanceOf(const schema::ObjectDef &column, const Oid &index)
{
    const std::vector<uint32_t> numbers(index.begin(), index.end());
    return DeviceStore::toOid(schema::instanceOid(column, numbers));
}

const schema::ObjectDef &CreatedRows::statusColumn(const schema::TableDef &table)
{
    const auto *status = schema::findObject(table.rowStatus);
    if (!status)
        throw std::logic_error(std::string("no RowStatus column for ") + table.name);
    return *status;
}

std::vector<const schema::ObjectDef *> CreatedRows::requiredColumns(const schema::TableDef &table)
{
    std::vector<const schema::ObjectDef *> required;
    for (const auto *column : schema::columnsOf(table))
        if (column->access == schema::Access::ReadCreate && column->type != schema::SmiType::RowStatus)
            required.push_back(column);
    return required;
}

bool CreatedRows::validIndex(const schema::TableDef &table, const Oid &index)
{
    if (index.size() != table.indexNames.size())
        return false;
    for (size_t i = 0; i < index.size(); ++i) {
        const auto *column = schema::findObject(table.indexNames[i]);
        if (!column || int64_t(index[i]) < column->low || int64_t(index[i]) > column->high)
            return false;
    }
    return true;
}

bool CreatedRows::takenByAnotherRow(const DeviceStore &store, const schema::ObjectDef &column, const Oid &index,
                                    const SnmpValue &value)
{
    const schema::TableDef *table = tableOf(column);
    if (!table)
        return false;
    for (const Oid &other : store.rowIndexes(*table)) {
        if (!sameScope(column, index, other))
            continue;
        const SnmpValue *held = other == index ? nullptr : store.find(instanceOf(column, other));
        if (held && *held == value)
            return true;
    }
    return false;
}

bool CreatedRows::sameScope(const schema::ObjectDef &column, const Oid &a, const Oid &b)
{
    return !column.distinctPerBand || (!a.empty() && !b.empty() && a.front() == b.front());
}

std::string CreatedRows::checkRows(const ConfigValues &config)
{
    // table -> row index -> columns present (and the status value)
    std::map<const schema::TableDef *, std::map<Oid, std::set<const schema::ObjectDef *>>> rows;
    for (const auto &[name, value] : config) {
        const auto *column = DeviceStore::schemaObjectFor(name);
        const auto *table = column ? tableOf(*column) : nullptr;
        if (!table)
            continue;
        const Oid index = indexOf(*column, name);
        if (!validIndex(*table, index))
            return std::string("bad row index in ") + column->name;
        if (column->type == schema::SmiType::RowStatus && value.number != 1)
            return std::string(column->name) + " of a saved row must be active(1)";
        rows[table][index].insert(column);
    }
    for (const auto &[table, byIndex] : rows) {
        if (byIndex.size() > table->maxRows)
            return std::string(table->name) + " holds more than " + std::to_string(table->maxRows) + " rows";
        for (const auto &[index, present] : byIndex) {
            if (!present.count(&statusColumn(*table)))
                return std::string("a row of ") + table->name + " has no " + table->rowStatus;
            for (const auto *column : requiredColumns(*table))
                if (!present.count(column))
                    return std::string("a row of ") + table->name + " has no " + column->name;
        }
    }
    return {};
}

} // namespace trb::sim
