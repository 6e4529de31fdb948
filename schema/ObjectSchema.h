#pragma once
// The managed objects of the TRB-4820, listed once. The device library builds its
// PDUs from this table, the simulator serves it, and the MIB text is generated from it.
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
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
    const char *description = "";
    uint32_t maxRows = 0;            // 0: managers do not create rows
    const char *rowStatus = nullptr; // the RowStatus column that creates and destroys rows

    bool rowsCreatable() const { return maxRows > 0 && rowStatus; }

    TableDef describe(const char *text) && { description = text; return std::move(*this); }
    // Rows are created and destroyed through `statusColumn`, at most `limit` of them.
    TableDef createdRows(uint32_t limit, const char *statusColumn) &&
    {
        maxRows = limit;
        rowStatus = statusColumn;
        return std::move(*this);
    }
};

// A subtree of scalars directly below the base (e.g. trbSystem = 1).
struct GroupDef {
    const char *name;
    std::vector<uint32_t> oid; // below kBaseOid
    const char *description;
};

struct ObjectDef {
    const char *name = "";     // MIB descriptor, e.g. "trbModelName"
    std::vector<uint32_t> oid; // below kBaseOid (without the instance)
    SmiType type = SmiType::Integer;
    int64_t low = 0;           // range (integers) or size (strings)
    int64_t high = 0;
    Access access = Access::ReadOnly;
    IndexShape shape = IndexShape::Scalar;
    const char *table = nullptr;      // for IndexShape::Table
    const char *enumValues = nullptr; // "on(1),off(2)" or nullptr
    bool config = false;       // part of the device's configuration (saved, discarded, reset)
    const char *description = "";
    bool secret = false;       // served to the write community only
    bool distinct = false;     // a table column whose value no two rows share
    bool distinctPerBand = false; // with distinct: only rows of the same first index (band) compared

    // Modifiers for the named constructors of SchemaRows.h: Text(...).writable().setting().
    ObjectDef writable() && { access = Access::ReadWrite; return std::move(*this); }
    ObjectDef creatable() && { access = Access::ReadCreate; return std::move(*this); }
    ObjectDef setting() && { config = true; return std::move(*this); }
    ObjectDef confidential() && { secret = true; return std::move(*this); }
    ObjectDef distinctInTable() && { distinct = true; return std::move(*this); }
    ObjectDef distinctInBand() && { distinct = distinctPerBand = true; return std::move(*this); }
    ObjectDef describe(const char *text) && { description = text; return std::move(*this); }
};

std::span<const ObjectDef> objects();
std::span<const TableDef> tables();
std::span<const GroupDef> groups();

const ObjectDef *findObject(std::string_view name);
const TableDef *findTable(std::string_view name);

// The object whose OID a full OID (base, object, instance) starts with, or null.
const ObjectDef *objectAt(std::span<const uint32_t> fullOid);
// The table an object is a column of, or null for a scalar.
const TableDef *tableOf(const ObjectDef &object);
// The columns of a table below its entry, in OID order.
std::vector<const ObjectDef *> columnsOf(const TableDef &table);

// Full OID of an object's instance: base + object oid + instance.
std::vector<uint32_t> instanceOid(const ObjectDef &object, std::span<const uint32_t> instance = {});

// The label of an enumerated value ("on" for 1 in "on(1),off(2)"), empty when unknown.
std::string_view enumLabel(const ObjectDef &object, int64_t value);
// The value of a label, or false when the label is not one of the object's.
bool enumValue(const ObjectDef &object, std::string_view label, int64_t &value);
// The values of an enumeration text "on(1),off(2)", in the order written.
std::vector<int64_t> enumValueList(const char *values);

} // namespace trb::schema
