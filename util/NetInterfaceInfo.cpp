#include "NetInterfaceInfo.h"

#include "LocalNetworkSource.h"

#include <cstring>

namespace {

void CopyText(char (&slot)[16], const QString &text)
{
    std::memset(slot, 0, sizeof slot);
    const QByteArray bytes = text.toLatin1();
    std::memcpy(slot, bytes.constData(), std::min<std::size_t>(bytes.size(), sizeof slot - 1));
}

} // namespace

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
        CopyText(record.address, entry.address);
        CopyText(record.reserved1, QStringLiteral("0.0.0.0"));
        CopyText(record.reserved2, QStringLiteral("0.0.0.0"));
        CopyText(record.netmask, entry.netmask);
        record.up = entry.up;
        record.broadcast = entry.broadcast;
        record.loopback = entry.loopback;
        record.pointToPoint = entry.pointToPoint;
        record.multicast = entry.multicast;
    }
    return count;
}
