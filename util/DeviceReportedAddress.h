#pragma once
// The device's own address and mask as the device last reported them. Empty at start;
// the status pane's poll and the home page set them, the transfer pages read them.
#include <QString>

namespace trb {

QString DeviceReportedAddress();
QString DeviceReportedMask();
void SetDeviceReportedAddress(const QString &address, const QString &mask);

// The host the module was told to manage ("/I" without a ":port"): the address the device's
// own transfers come from, so the TFTP server answers that address only.
QString ManagedDeviceHost();
void SetManagedDeviceAddress(const QString &address);

} // namespace trb
