#pragma once
// Rows of a table that the device lets managers create and destroy through its RowStatus
// column, mapped generically from the schema: the rows a walk found, and the varbinds that
// add a row (a free index, createAndGo with every column), edit one, or delete one (destroy).
#include <map>
#include <optional>
#include <vector>

#include "HandleState.h"

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

private:
    Oid columnInstance(const schema::ObjectDef &column, const Oid &index) const;
    const schema::ObjectDef &status() const { return *status_; }

    const schema::TableDef *table_;
    const schema::ObjectDef *status_;
    std::vector<const schema::ObjectDef *> columns_; // accessible columns
};

} // namespace trb::devicelib
