#include "DeviceReportedAddress.h"

namespace trb {
namespace {

// Written and read on the user-interface thread only.
QString deviceReportedAddress;
QString deviceReportedMask;

} // namespace

QString DeviceReportedAddress() { return deviceReportedAddress; }

QString DeviceReportedMask() { return deviceReportedMask; }

void SetDeviceReportedAddress(const QString &address, const QString &mask)
{
    deviceReportedAddress = address;
    deviceReportedMask = mask;
}

} // namespace trb
