#pragma once
// The managed objects of the TRB-4820, listed once. The device library builds its
// PDUs from this table, the simulator serves it, and the MIB text is generated from it.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace trb::schema {

// 1.3.6.1.4.1.32473.4820: documentation enterprise number (RFC 5612), then the model.
inline constexpr uint32_t kBaseOid[] = {1, 3, 6, 1, 4, 1, 32473, 4820};
inline constexpr std::size_t kBaseOidLength = 8;

enum class SmiType : uint8_t {
    Integer,       // INTEGER with a range, or enumerated when `enumValues` is set
    DisplayString, // DisplayString (SIZE(low..high))
    IpAddress,
    MacAddress,    // OCTET STRING (SIZE(6)); records carry 12 hex digits
    Gauge,
    Counter,
    TimeTicks,
    RowStatus,
};

enum class Access : uint8_t { ReadOnly, ReadWrite, ReadCreate, NotAccessible };

// Where an object's instances live.
enum class IndexShape : uint8_t {
    Scalar,   // <oid>.0
    Table,    // a column of `table`; instance = the row's index values
};

// A conceptual table: <oid> is the table, <oid>.1 the entry, columns below the entry.
struct TableDef {
    const char *name;         // e.g. "trbBandTable"
    const char *entryName;    // e.g. "trbBandEntry"
    std::vector<uint32_t> oid; // below kBaseOid
    std::vector<const char *> indexNames; // index columns, in order
    const char *description;
};

// A subtree of scalars directly below the base (e.g. trbSystem = 1).
struct GroupDef {
    const char *name;
    std::vector<uint32_t> oid; // below kBaseOid
    const char *description;
};

struct ObjectDef {
    const char *name;          // MIB descriptor, e.g. "trbModelName"
    std::vector<uint32_t> oid; // below kBaseOid (without the instance)
    SmiType type;
    int64_t low;               // range (integers) or size (strings)
    int64_t high;
    Access access;
    IndexShape shape;
    const char *table;         // for IndexShape::Table
    const char *enumValues;    // "on(1),off(2)" or nullptr
    bool config;               // part of the device's configuration (saved, discarded, reset)
    const char *description;
};

std::span<const ObjectDef> objects();
std::span<const TableDef> tables();
std::span<const GroupDef> groups();

const ObjectDef *findObject(std::string_view name);
const TableDef *findTable(std::string_view name);

// Full OID of an object's instance: base + object oid + instance.
std::vector<uint32_t> instanceOid(const ObjectDef &object, std::span<const uint32_t> instance = {});

// The label of an enumerated value ("on" for 1 in "on(1),off(2)"), empty when unknown.
std::string_view enumLabel(const ObjectDef &object, int64_t value);
// The value of a label, or false when the label is not one of the object's.
bool enumValue(const ObjectDef &object, std::string_view label, int64_t &value);

} // namespace trb::schema
