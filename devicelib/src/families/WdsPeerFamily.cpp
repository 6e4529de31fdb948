// WDS peers (monitor kind 1): where each walked column lands in the peer rows, and the band
// channels and frequencies that the query carries after its rows. The band and the peer slot
// come from the row's index (MonitorFamily.cpp).
#include "FamilyBindings.h"

namespace trb::devicelib {

void addWdsBindings(BindingTable &table)
{
    using enum Conversion;
    using Peer = apWdsPeerRecord;
    using Query = apWdsQuery;
    constexpr Family MO = Family::Monitor;
    table.rows.insert(table.rows.end(), {
        {MO, 1, LayoutWdsPeerRow, "trbWdsPeerMac", {}, TRB_SLOT(Peer, mac), MacHex},
        {MO, 1, LayoutWdsPeerRow, "trbWdsPeerName", {}, TRB_SLOT(Peer, name), Text},
        {MO, 1, LayoutWdsPeerRow, "trbWdsPeerAuthentication", {}, TRB_SLOT(Peer, authentication), Text},
        {MO, 1, LayoutWdsPeerRow, "trbWdsPeerSignal", {}, TRB_SLOT(Peer, signal), Integer32},
        {MO, 1, LayoutWdsPeerRow, "trbWdsPeerStatus", {}, TRB_SLOT(Peer, status), Text},
        {MO, 1, LayoutWdsQueryBands, "trbWdsBandChannel", {1}, TRB_SLOT(Query, channel1), Integer32},
        {MO, 1, LayoutWdsQueryBands, "trbWdsBandFrequency", {1}, TRB_SLOT(Query, frequency1), Text},
        {MO, 1, LayoutWdsQueryBands, "trbWdsBandChannel", {2}, TRB_SLOT(Query, channel2), Integer32},
        {MO, 1, LayoutWdsQueryBands, "trbWdsBandFrequency", {2}, TRB_SLOT(Query, frequency2), Text},
    });
    table.layout(LayoutWdsPeerRow, sizeof(Peer));
    table.layout(LayoutWdsQueryBands, sizeof(Query));
}

} // namespace trb::devicelib
