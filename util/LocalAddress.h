#pragma once
// Which of the PC's addresses the device should use to reach the module's TFTP server.
#include <QString>

namespace trb {

// The first local interface on the device's reported network, else the gateway-facing
// address. Returns 1 and sets address when one was found; else returns 0 and leaves it.
int FindLocalAddressFor(QString &address);

// The address of the first Ethernet adapter that can reach its default gateway; possibly
// empty.
QString GatewayFacingAddress();

} // namespace trb
