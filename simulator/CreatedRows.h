#pragma once
// Schema facts about tables whose rows managers create and destroy through a RowStatus column.
#include <string>
#include <vector>

#include "DeviceStore.h"

namespace trb::sim {

class CreatedRows {
public:
    // The table `object` is a column of, when that table's rows are created by managers.
    static const schema::TableDef *tableOf(const schema::ObjectDef &object);
    // The index part of `name`, an instance of `column`.
    static Oid indexOf(const schema::ObjectDef &column, const Oid &name);
    static Oid instanceOf(const schema::ObjectDef &column, const Oid &index);
    static const schema::ObjectDef &statusColumn(const schema::TableDef &table);
    // Columns a new row must be given: every read-create column but the RowStatus one.
    static std::vector<const schema::ObjectDef *> requiredColumns(const schema::TableDef &table);
    // The index has one part per index column, each within that column's range.
    static bool validIndex(const schema::TableDef &table, const Oid &index);
    // Whether a row other than `index` holds `value` in `column`.
    static bool takenByAnotherRow(const DeviceStore &store, const schema::ObjectDef &column, const Oid &index,
                                  const SnmpValue &value);
    // Whether rows `a` and `b` are compared for `column`'s distinct values (a column distinct
    // per band compares only rows of one band, the first index part).
    static bool sameScope(const schema::ObjectDef &column, const Oid &a, const Oid &b);
    // Empty when every row in `config` is whole and active and no table holds too many; else why not.
    static std::string checkRows(const ConfigValues &config);
};

} // namespace trb::sim
