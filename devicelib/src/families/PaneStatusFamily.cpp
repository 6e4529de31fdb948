// The front panel's status: address, mask, band, mode, link and up time, polled every 2 s.
#include "TRB4820apHelp.h"

#include "FamilyBindings.h"
#include "FamilyCalls.h"

using namespace trb::devicelib;

namespace trb::devicelib {

void addPaneStatusBindings(BindingTable &table)
{
    using enum Conversion;
    using PaneRec = apPaneStatusRecord;
    constexpr Family PS = Family::PaneStatus;
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbLanIpAddress", {}, TRB_SLOT(PaneRec, ipAddress), IpText});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbLanSubnetMask", {}, TRB_SLOT(PaneRec, subnetMask), IpText});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbBandRadioState", {1}, TRB_SLOT(PaneRec, radio24On), OneMeansTrue});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbBandRadioState", {2}, TRB_SLOT(PaneRec, radio5On), OneMeansTrue});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbCurrentBand", {}, TRB_SLOT(PaneRec, activeBand), BandFromZero});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbApMode", {}, TRB_SLOT(PaneRec, apMode), Integer32});
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbLanLink", {}, TRB_SLOT(PaneRec, lanLink), OneMeansTrue});
    // A restart shows as an up time that ran back; the poll tells it without a request of its own.
    table.rows.push_back({PS, 1, LayoutPaneStatus, "trbUpTime", {}, TRB_SLOT(PaneRec, upTime), Integer32});

    table.layout(LayoutPaneStatus, sizeof(apPaneStatusRecord));
}

} // namespace trb::devicelib

extern "C" {

APHANDLE apDeviceStatusOpen(APHANDLE session, int) { return openFamilyHandle(session, Family::PaneStatus, 1); }

int apAdvPaneStatusGet(APHANDLE handle, void *record)
{
    auto state = familyHandle(handle, Family::PaneStatus);
    if (!state)
        return AP_ERR_BAD_HANDLE;
    if (!record)
        return AP_ERR_BAD_ARGUMENT;
    decodeLayout(*state, LayoutPaneStatus, record);
    // No client count object on the agent: walking the client table every 2 s is not cheap.
    static_cast<apPaneStatusRecord *>(record)->clientCount = 0;
    return AP_OK;
}

} // extern "C"
