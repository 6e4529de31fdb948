#include "NetInterfaceInfo.h"

#include "LocalNetworkSource.h"
#include "RecordText.h"

extern "C" int VtGetNetInterfaceInfo(VtNetInterface *interfaces)
{
    if (interfaces == nullptr)
        return 0;
    const QList<trb::LocalInterfaceEntry> entries = trb::LocalNetworkSource::Current().Interfaces();
    int count = 0;
    for (const trb::LocalInterfaceEntry &entry : entries) {
        if (count == kVtNetInterfaceCount)
            break;
        VtNetInterface &record = interfaces[count++];
        trb::SetRecordText(record.address, entry.address);
        trb::SetRecordText(record.reserved1, QStringLiteral("0.0.0.0"));
        trb::SetRecordText(record.reserved2, QStringLiteral("0.0.0.0"));
        trb::SetRecordText(record.netmask, entry.netmask);
        record.up = entry.up;
        record.broadcast = entry.broadcast;
        record.loopback = entry.loopback;
        record.pointToPoint = entry.pointToPoint;
        record.multicast = entry.multicast;
    }
    return count;
}
