#pragma once
// Rows of a table that the device lets managers create and destroy through its RowStatus
// column, mapped generically from the schema: the rows a walk found, and the varbinds that
// add a row (a free index, createAndGo with every column), edit one, or delete one (destroy).
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "HandleState.h"
#include "RecordBindings.h"
#include "RecordCodec.h"

namespace trb::devicelib {

class TableRows {
public:
    using Row = std::map<const schema::ObjectDef *, SnmpValue>; // column -> value

    // Throws std::logic_error when the table does not exist or has no RowStatus column.
    explicit TableRows(const char *tableName);

    // The rows in `values` (a handle's last read), by index, in index order.
    std::map<Oid, Row> rowsIn(const std::map<Oid, SnmpValue> &values) const;
    // The lowest index the index column allows that neither `values` nor a staged creation
    // uses; none when every index is taken. Single-index tables only.
    std::optional<uint32_t> freeIndex(const std::map<Oid, SnmpValue> &values,
                                      const std::vector<StagedValue> &staged) const;

    std::vector<StagedValue> add(uint32_t groupBit, const Oid &index, const Row &columns) const;
    std::vector<StagedValue> edit(uint32_t groupBit, const Oid &index, const Row &columns) const;
    StagedValue remove(uint32_t groupBit, const Oid &index) const;

    // After a SET the device took: a created row reads active, a destroyed row is gone.
    static void applyWritten(std::map<Oid, SnmpValue> &values, const std::map<Oid, SnmpValue> &written);

    // The rows in `values` as records of `layout`, in index order; `Entry::index` takes the row's
    // index. The caller holds the handle's lock.
    template <typename Entry>
    std::vector<Entry> recordsIn(const std::map<Oid, SnmpValue> &values, uint32_t layout) const
    {
        std::vector<Entry> entries;
        for (const auto &[index, columns] : rowsIn(values)) {
            Entry entry{};
            entry.index = index.size() == 1 ? int32_t(index[0]) : 0;
            std::span<uint8_t> bytes(reinterpret_cast<uint8_t *>(&entry), sizeof entry);
            for (const Binding *b : bindingsOfLayout(layout)) {
                auto it = columns.find(&objectOf(*b));
                RecordCodec::decode(*b, it == columns.end() ? nullptr : &it->second, bytes);
            }
            entries.push_back(entry);
        }
        return entries;
    }

private:
    Oid columnInstance(const schema::ObjectDef &column, const Oid &index) const;
    const schema::ObjectDef &status() const { return *status_; }

    const schema::TableDef *table_;
    const schema::ObjectDef *status_;
    std::vector<const schema::ObjectDef *> columns_; // accessible columns
};

} // namespace trb::devicelib
