#pragma once
// What both DHCP pools hand out besides the address and its mask, and the one way both check it.
#include <QString>

class QLineEdit;

namespace trb {

class IpAddressEdit;
class PopupPage;

struct DhcpPoolOptions {
    IpAddressEdit *gateway = nullptr;
    IpAddressEdit *wins = nullptr;
    IpAddressEdit *dns = nullptr;
    QLineEdit *domainName = nullptr;
};

// In the device's order: the gateway, the address/mask/gateway rule, WINS, DNS, the domain name.
// False after the message (a bad address field is cleared first, as the device's pages do).
bool CheckDhcpPoolOptions(PopupPage &page, const QString &address, const QString &mask,
                          const DhcpPoolOptions &options);

} // namespace trb
