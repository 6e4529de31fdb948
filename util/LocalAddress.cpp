#include "LocalAddress.h"

#include "AddressValidation.h"
#include "DeviceReportedAddress.h"
#include "LocalNetworkSource.h"
#include "NetInterfaceInfo.h"

namespace trb {
namespace {

bool IsNoAddress(const QString &text) { return text.isEmpty() || text == QLatin1String("0.0.0.0"); }

QString AddressOnDeviceNetwork()
{
    // A device that has not reported itself yet is on no network: without this, its empty
    // texts would give network 0.0.0.0 and match any interface with an empty mask.
    if (DeviceReportedAddress().isEmpty())
        return QString();
    const QString target = NetworkOf(DeviceReportedAddress(), DeviceReportedMask());
    VtNetInterface interfaces[kVtNetInterfaceCount] = {};
    const int count = VtGetNetInterfaceInfo(interfaces);
    for (int i = 0; i < count; ++i) {
        const QString address = QString::fromLatin1(interfaces[i].address);
        if (NetworkOf(address, QString::fromLatin1(interfaces[i].netmask)) == target)
            return address;
    }
    return QString();
}

// An adapter's address on its gateway's network, or nothing.
bool GatewayReachableFrom(const NetworkAdapter &adapter, QString &candidate)
{
    const AddressAndMask first = adapter.addresses.value(0, AddressAndMask{QStringLiteral("0.0.0.0"), QStringLiteral("0.0.0.0")});
    candidate = first.address;
    if (NetworkOf(first.address, first.mask) == NetworkOf(adapter.gateway, first.mask))
        return !IsNoAddress(adapter.gateway);
    if (adapter.gateway.isEmpty())
        return false;
    const int further = std::min<int>(int(adapter.addresses.size()), 11);
    for (int i = 1; i < further; ++i) {
        const AddressAndMask &other = adapter.addresses[i];
        if (NetworkOf(other.address, other.mask) == NetworkOf(adapter.gateway, other.mask)) {
            candidate = other.address;
            return true;
        }
    }
    return false;
}

} // namespace

int FindLocalAddressFor(QString &address)
{
    QString result = AddressOnDeviceNetwork();
    if (result.isEmpty())
        result = GatewayFacingAddress();
    if (IsNoAddress(result))
        return 0;
    address = result;
    return 1;
}

QString GatewayFacingAddress()
{
    QString candidate;
    for (const NetworkAdapter &adapter : LocalNetworkSource::Current().Adapters()) {
        if (!adapter.ethernet)
            continue;
        if (GatewayReachableFrom(adapter, candidate))
            return candidate;
    }
    return candidate;
}

} // namespace trb
