#include "DeviceReportedAddress.h"

namespace trb {
namespace {

// Written and read on the user-interface thread only.
QString deviceReportedAddress;
QString deviceReportedMask;
QString managedDeviceHost;

} // namespace

QString DeviceReportedAddress() { return deviceReportedAddress; }

QString DeviceReportedMask() { return deviceReportedMask; }

void SetDeviceReportedAddress(const QString &address, const QString &mask)
{
    deviceReportedAddress = address;
    deviceReportedMask = mask;
}

QString ManagedDeviceHost() { return managedDeviceHost; }

void SetManagedDeviceAddress(const QString &address)
{
    const qsizetype colon = address.indexOf(u':');
    managedDeviceHost = (colon < 0 ? address : address.left(colon)).trimmed();
}

} // namespace trb
