// Site survey and client MAC rows (monitor kinds 3, 4 and 8): where each walked column lands in
// the records. The band and the row number come from the row's index (MonitorFamily.cpp).
#include "FamilyBindings.h"

namespace trb::devicelib {

namespace {

// Both survey records carry the same columns at different offsets.
template <typename Record> void addSurveyRows(BindingTable &table, uint32_t layout)
{
    using enum Conversion;
    constexpr Family MO = Family::Monitor;
    table.rows.push_back({MO, 1, layout, "trbNeighbourChannel", {}, TRB_SLOT(Record, channel), Integer32});
    table.rows.push_back({MO, 1, layout, "trbNeighbourSignal", {}, TRB_SLOT(Record, signal), Integer32});
    table.rows.push_back({MO, 1, layout, "trbNeighbourBssid", {}, TRB_SLOT(Record, bssid), MacHex});
    table.rows.push_back({MO, 1, layout, "trbNeighbourSecurity", {}, TRB_SLOT(Record, security), Text});
    table.rows.push_back({MO, 1, layout, "trbNeighbourSsid", {}, TRB_SLOT(Record, ssid), Text});
    table.layout(layout, sizeof(Record));
}

} // namespace

void addSurveyBindings(BindingTable &table)
{
    addSurveyRows<apClientSurveyRecord>(table, LayoutClientSurveyRow);
    addSurveyRows<apWdsSurveyRecord>(table, LayoutWdsSurveyRow);
    table.rows.push_back({Family::Monitor, 1, LayoutClientMacRow, "trbWiredMac", {},
                          TRB_SLOT(apClientMacRecord, mac), Conversion::MacHex});
    table.layout(LayoutClientMacRow, sizeof(apClientMacRecord));
}

} // namespace trb::devicelib
