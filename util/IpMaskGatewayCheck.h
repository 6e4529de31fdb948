#pragma once
// The combined check of a device's own address, subnet mask and default gateway.
#include <QString>

namespace trb {

// True when the combination is acceptable. Otherwise shows one message box (application
// title, OK only, no icon) naming the first problem and returns false.
// An empty or all-blank gateway, like "0.0.0.0", means no gateway. A gateway must lie in
// the address's subnet and must not be that subnet's network or broadcast address.
bool CheckIpMaskGateway(const QString &address, const QString &mask, const QString &gateway);

} // namespace trb
