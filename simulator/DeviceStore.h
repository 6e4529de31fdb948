#pragma once
// Every instance the agent serves, keyed by full OID in SNMP order, with the schema object
// it belongs to. Holds values only; behaviour lives in Device.
#include <map>
#include <optional>
#include <utility>

#include "ObjectSchema.h"
#include "SnmpValue.h"

namespace trb::sim {

using ConfigValues = std::map<Oid, SnmpValue>;

class DeviceStore {
public:
    void add(const schema::ObjectDef &object, std::span<const uint32_t> instance, SnmpValue value);

    bool contains(const Oid &name) const { return entries_.count(name) != 0; }
    const SnmpValue *find(const Oid &name) const;
    const schema::ObjectDef *objectOf(const Oid &name) const;
    // The first instance after `name`, or none past the end.
    std::optional<Oid> nextAfter(const Oid &name) const;
    void set(const Oid &name, SnmpValue value);

    // The values of the configuration objects.
    ConfigValues config() const;
    // Also makes the rows that managers create exactly those `values` lists.
    void applyConfig(const ConfigValues &values);

    // Rows of a table whose rows managers create, by index.
    std::vector<Oid> rowIndexes(const schema::TableDef &table) const;
    // Adds every column of a new row; `values` holds each column's value.
    void addRow(const schema::TableDef &table, const Oid &index,
                const std::map<const schema::ObjectDef *, SnmpValue> &values);
    // Removes a row and returns its entries, for restoreEntries.
    ConfigValues removeRow(const schema::TableDef &table, const Oid &index);
    void restoreEntries(const ConfigValues &entries);

    template <typename Visit> void forEach(Visit visit) const
    {
        for (const auto &[name, entry] : entries_)
            visit(name, *entry.object, entry.value);
    }

    // The instance OID of a named object, e.g. instanceOf("trbBandSsid", {1}).
    static Oid instanceOf(std::string_view objectName, std::initializer_list<uint32_t> instance = {});
    static Oid toOid(const std::vector<uint32_t> &numbers);
    // The schema object whose OID is a prefix of `name` (instance or not).
    static const schema::ObjectDef *schemaObjectFor(const Oid &name);
    static Oid baseOid();

private:
    struct Entry {
        const schema::ObjectDef *object;
        SnmpValue value;
    };
    std::map<Oid, Entry> entries_;
};

} // namespace trb::sim
