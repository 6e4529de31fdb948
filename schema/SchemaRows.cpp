#include "SchemaRows.h"

#include <algorithm>
#include <limits>

namespace trb::schema::rows {

ObjectDef Enum(const char *name, std::vector<uint32_t> oid, const char *values)
{
    ObjectDef object = Int(name, std::move(oid), std::numeric_limits<int64_t>::max(),
                           std::numeric_limits<int64_t>::min());
    object.enumValues = values;
    for (int64_t value : enumValueList(values)) {
        object.low = std::min(object.low, value);
        object.high = std::max(object.high, value);
    }
    return object;
}

} // namespace trb::schema::rows
