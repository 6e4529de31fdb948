#include "TableRows.h"

#include <set>
#include <stdexcept>

namespace trb::devicelib {
namespace {

constexpr int64_t kActive = 1;
constexpr int64_t kCreateAndGo = 4;
constexpr int64_t kDestroy = 6;

SnmpValue integer(int64_t value)
{
    SnmpValue v;
    v.type = asn::Integer;
    v.integer = value;
    return v;
}

Oid columnOid(const schema::ObjectDef &column) { return schema::instanceOid(column); }

} // namespace

TableRows::TableRows(const char *tableName)
    : table_(schema::findTable(tableName)),
      status_(table_ && table_->rowStatus ? schema::findObject(table_->rowStatus) : nullptr)
{
    if (!table_ || !status_ || !table_->rowsCreatable())
        throw std::logic_error(std::string("no table with created rows: ") + tableName);
    for (const auto *column : schema::columnsOf(*table_))
        if (column->access != schema::Access::NotAccessible)
            columns_.push_back(column);
}

Oid TableRows::columnInstance(const schema::ObjectDef &column, const Oid &index) const
{
    return schema::instanceOid(column, index);
}

std::map<Oid, TableRows::Row> TableRows::rowsIn(const std::map<Oid, SnmpValue> &values) const
{
    std::map<Oid, Row> rows;
    for (const auto *column : columns_) {
        const Oid prefix = columnOid(*column);
        for (auto it = values.upper_bound(prefix); it != values.end() && isPrefixOf(prefix, it->first); ++it)
            rows[Oid(it->first.begin() + prefix.size(), it->first.end())][column] = it->second;
    }
    return rows;
}

std::optional<uint32_t> TableRows::freeIndex(const std::map<Oid, SnmpValue> &values,
                                             const std::vector<StagedValue> &staged) const
{
    const auto *index = table_->indexNames.size() == 1 ? schema::findObject(table_->indexNames[0]) : nullptr;
    if (!index)
        return std::nullopt;
    std::set<Oid> taken;
    for (const auto &[row, columns] : rowsIn(values))
        taken.insert(row);
    const Oid statusPrefix = columnOid(status());
    for (const StagedValue &s : staged)
        if (isPrefixOf(statusPrefix, s.oid) && s.value.integer == kCreateAndGo)
            taken.insert(Oid(s.oid.begin() + statusPrefix.size(), s.oid.end()));
    for (int64_t candidate = std::max<int64_t>(index->low, 0); candidate <= index->high; ++candidate)
        if (!taken.count(Oid{uint32_t(candidate)}))
            return uint32_t(candidate);
    return std::nullopt;
}

// RowStatus first, as the other managers of such tables write it.
std::vector<StagedValue> TableRows::add(uint32_t groupBit, const Oid &index, const Row &columns) const
{
    std::vector<StagedValue> staged = {{groupBit, columnInstance(status(), index), integer(kCreateAndGo)}};
    auto rest = edit(groupBit, index, columns);
    staged.insert(staged.end(), rest.begin(), rest.end());
    return staged;
}

std::vector<StagedValue> TableRows::edit(uint32_t groupBit, const Oid &index, const Row &columns) const
{
    std::vector<StagedValue> staged;
    for (const auto &[column, value] : columns)
        if (column != status_)
            staged.push_back({groupBit, columnInstance(*column, index), value});
    return staged;
}

StagedValue TableRows::remove(uint32_t groupBit, const Oid &index) const
{
    return {groupBit, columnInstance(status(), index), integer(kDestroy)};
}

void TableRows::applyWritten(std::map<Oid, SnmpValue> &values, const std::map<Oid, SnmpValue> &written)
{
    for (const auto &[oid, value] : written) {
        const Varbind vb{oid, value};
        const auto *object = schema::objectAt(vb.oid);
        const auto *table = object ? schema::tableOf(*object) : nullptr;
        if (!table || object->type != schema::SmiType::RowStatus) {
            values[vb.oid] = vb.value;
            continue;
        }
        const Oid index(vb.oid.begin() + long(schema::kBaseOidLength + object->oid.size()), vb.oid.end());
        if (vb.value.integer == kDestroy) {
            for (const auto *column : schema::columnsOf(*table))
                values.erase(schema::instanceOid(*column, index));
        } else {
            values[vb.oid] = integer(kActive);
        }
    }
}

} // namespace trb::devicelib
