#pragma once
// Named constructors for the rows of the object schema, so that a subtree reads as a list:
//   Text("trbSystemName", {1, 3}, 0, 32).writable().setting().describe("...")
//   Column("trbBandTable", Mac("trbBandPrimaryMac", {3, 1, 2})).describe("...")
#include "ObjectSchema.h"

namespace trb::schema::rows {

// The objects, tables and groups of one subtree.
struct Subtree {
    std::vector<GroupDef> groups;
    std::vector<TableDef> tables;
    std::vector<ObjectDef> objects;
};

inline ObjectDef Object(const char *name, std::vector<uint32_t> oid, SmiType type, int64_t low, int64_t high)
{
    ObjectDef object;
    object.name = name;
    object.oid = std::move(oid);
    object.type = type;
    object.low = low;
    object.high = high;
    return object;
}

// DisplayString (SIZE(minSize..maxSize)).
inline ObjectDef Text(const char *name, std::vector<uint32_t> oid, int64_t minSize, int64_t maxSize)
{
    return Object(name, std::move(oid), SmiType::DisplayString, minSize, maxSize);
}

inline ObjectDef Int(const char *name, std::vector<uint32_t> oid, int64_t low, int64_t high)
{
    return Object(name, std::move(oid), SmiType::Integer, low, high);
}

// Enumerated INTEGER, "label(value),..."; the range spans the values.
ObjectDef Enum(const char *name, std::vector<uint32_t> oid, const char *values);

inline ObjectDef Ip(const char *name, std::vector<uint32_t> oid)
{
    return Object(name, std::move(oid), SmiType::IpAddress, 0, 0);
}

inline ObjectDef Mac(const char *name, std::vector<uint32_t> oid)
{
    return Object(name, std::move(oid), SmiType::MacAddress, 6, 6);
}

inline ObjectDef Gauge(const char *name, std::vector<uint32_t> oid, int64_t low, int64_t high)
{
    return Object(name, std::move(oid), SmiType::Gauge, low, high);
}

inline ObjectDef Ticks(const char *name, std::vector<uint32_t> oid)
{
    return Object(name, std::move(oid), SmiType::TimeTicks, 0, 4294967295LL);
}

// RowStatus column: active(1) .. destroy(6).
inline ObjectDef RowStatus(const char *name, std::vector<uint32_t> oid)
{
    return Object(name, std::move(oid), SmiType::RowStatus, 1, 6);
}

// Makes `object` a column of `table`.
inline ObjectDef Column(const char *table, ObjectDef object)
{
    object.shape = IndexShape::Table;
    object.table = table;
    return object;
}

// An index column: an integer that names the row and is not read on its own.
inline ObjectDef Index(const char *table, const char *name, std::vector<uint32_t> oid, int64_t low, int64_t high)
{
    ObjectDef object = Column(table, Int(name, std::move(oid), low, high));
    object.access = Access::NotAccessible;
    return object;
}

inline TableDef Table(const char *name, const char *entryName, std::vector<uint32_t> oid,
                      std::vector<const char *> indexNames)
{
    return TableDef{name, entryName, std::move(oid), std::move(indexNames)};
}

inline GroupDef Group(const char *name, std::vector<uint32_t> oid, const char *description)
{
    return GroupDef{name, std::move(oid), description};
}

} // namespace trb::schema::rows
