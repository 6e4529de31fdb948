#pragma once
// Walks the columns of a table with GETBULK: which OIDs the next request starts from, and
// what an answer adds. The agent may cut an answer anywhere, so each column keeps its own
// position and the walk goes on until every column has left the table.
#include <cstddef>
#include <map>
#include <vector>

#include "SnmpValue.h"

namespace trb::devicelib {

class TableWalk {
public:
    explicit TableWalk(std::vector<Oid> columns);

    // Starting OIDs of the next GETBULK (one per column still inside the table).
    std::vector<Oid> nextRequest() const;
    bool done() const;
    // Takes the varbinds answering the last nextRequest(); false when the answer makes no
    // progress or goes backwards (a broken agent), which ends the walk.
    bool consume(const std::vector<Varbind> &answer);

    // Every value found, keyed by its full OID.
    const std::map<Oid, SnmpValue> &values() const { return values_; }
    std::size_t columnCount() const { return columns_.size(); }

private:
    struct Column {
        Oid prefix;
        Oid last;
        bool finished = false;
    };
    std::vector<Column> columns_;
    std::map<Oid, SnmpValue> values_;
};

} // namespace trb::devicelib
