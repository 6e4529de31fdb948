#pragma once
// What each family contributes to the binding table: its binding rows, declared in the family's
// own file next to its calls, and the sizes of its record layouts. A new record takes one edit,
// in its family's file; a new family one line in kFamilies.
#include <cstddef>
#include <map>
#include <vector>

#include "RecordBindings.h"
#include "TRB4820apRecords.h"

namespace trb::devicelib {

struct BindingTable {
    std::vector<Binding> rows;
    std::map<uint32_t, uint32_t> layoutSizes;

    void layout(uint32_t layout, uint32_t size) { layoutSizes[layout] = size; }
};

// A record field's offset and size, for a binding row.
#define TRB_SLOT(type, field) uint32_t(offsetof(type, field)), uint32_t(sizeof(type::field))
#define TRB_SLOT_AT(type, field, i) \
    uint32_t(offsetof(type, field) + (i) * sizeof(type::field[0])), uint32_t(sizeof(type::field[0]))

void addDeviceInfoBindings(BindingTable &table);
void addPaneStatusBindings(BindingTable &table);
void addMonitorBindings(BindingTable &table);
void addCommandBindings(BindingTable &table);
void addArpBindings(BindingTable &table);
void addAdminBindings(BindingTable &table);
void addWirelessBindings(BindingTable &table);
void addSurveyBindings(BindingTable &table);
void addStatisticsBindings(BindingTable &table);
void addWdsBindings(BindingTable &table);
void addIntrusionBindings(BindingTable &table);
void addApArrayBindings(BindingTable &table);
void addTimeBindings(BindingTable &table);
void addDhcpBindings(BindingTable &table);
void addQosBindings(BindingTable &table);
void addVlanBindings(BindingTable &table);
void addScheduleBindings(BindingTable &table);
void addTftpCommandBindings(BindingTable &table);

// Every family, in the order its rows are listed (and requests carry them).
inline void (*const kFamilies[])(BindingTable &) = {
    addDeviceInfoBindings, addPaneStatusBindings, addMonitorBindings,
    addCommandBindings,    addArpBindings,        addAdminBindings,
    addWirelessBindings,
    addSurveyBindings,
    addStatisticsBindings,
    addWdsBindings,
    addIntrusionBindings,
    addApArrayBindings,
    addTimeBindings,
    addDhcpBindings,
    addQosBindings,
    addVlanBindings,
    addScheduleBindings,
    addTftpCommandBindings,
};

} // namespace trb::devicelib
