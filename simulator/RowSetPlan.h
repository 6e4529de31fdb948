#pragma once
// The rows one SET creates (createAndGo) and destroys (destroy), found and checked from the
// schema for every table whose rows managers create, the way Net-SNMP's table_data_set
// helper does it: no table has code of its own.
#include <map>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "DeviceStore.h"

namespace trb::sim {

struct SetVarbind {
    Oid name;
    const netsnmp_variable_list *var;
};

class RowSetPlan {
public:
    enum RowStatusValue { Active = 1, NotInService = 2, NotReady = 3, CreateAndGo = 4, CreateAndWait = 5,
                          Destroy = 6 };

    struct Creation {
        const schema::TableDef *table;
        Oid index;
        std::map<const schema::ObjectDef *, SnmpValue> values;
        size_t statusVarbind;
    };
    struct Destruction {
        const schema::TableDef *table;
        Oid index;
        size_t statusVarbind;
    };

    RowSetPlan(const DeviceStore &store, const std::vector<SetVarbind> &varbinds);

    // True when the plan decides varbind i (a RowStatus, or a column of a row being created).
    bool covers(size_t i) const { return statuses_.count(i) != 0; }
    // The error status of a covered varbind (SNMP_ERR_NOERROR when it may go ahead).
    int statusOf(size_t i) const { return statuses_.at(i); }

    const std::vector<Creation> &creations() const { return creations_; }
    const std::vector<Destruction> &destructions() const { return destructions_; }

private:
    struct RowKey {
        const schema::TableDef *table;
        Oid index;
        auto operator<=>(const RowKey &) const = default;
    };
    struct RowVarbinds {
        std::vector<size_t> statuses;
        std::vector<size_t> columns;
    };

    void planRow(const RowKey &row, const RowVarbinds &found);
    int planCreation(const RowKey &row, const RowVarbinds &found);
    void planEdit(const RowKey &row, const RowVarbinds &found);
    int planDestruction(const RowKey &row, const RowVarbinds &found);
    bool duplicatesARow(const Creation &creation) const;

    const DeviceStore &store_;
    const std::vector<SetVarbind> &varbinds_;
    std::map<size_t, int> statuses_;
    std::map<const schema::TableDef *, size_t> created_; // new rows per table in this SET
    std::vector<Creation> creations_;
    std::vector<Destruction> destructions_;
};

} // namespace trb::sim
