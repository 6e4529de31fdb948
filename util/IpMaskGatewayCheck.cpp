#include "IpMaskGatewayCheck.h"

#include "AddressValidation.h"
#include "MessageBoxService.h"
#include "TextValidation.h"

namespace trb {
namespace {

const char kHostBitsZero[] =
    "The combination of IP address and subnet mask is invalid.\n"
    "All of the bits in the host address portion of the IP address are set to be 0.\n"
    "Please enter a valid combination of IP address and subnet mask.";
const char kHostBitsOne[] =
    "The combination of IP address and subnet mask is invalid.\n"
    "All of the bits in the host address portion of the IP address are set to be 1.\n"
    "Please enter a valid combination of IP address and subnet mask.";

// The message for the first rule the address and mask break, or nullptr.
const char *addressProblem(quint32 network, quint32 mask, quint32 address)
{
    if ((network | mask) != mask)
        return "Subnet number and mask do not match.";
    if (network == mask)
        return "Subnet number for the whole one, not legal.";
    if ((network & mask) == 0)
        return "Subnet number is all zero, illegal.";
    if (network != (mask & address))
        return "This IP Address and mask do not match.";
    if ((mask | address) == mask)
        return kHostBitsZero;
    if ((mask | address) == 0xFFFFFFFFu)
        return kHostBitsOne;
    return nullptr;
}

bool isAcceptableGateway(quint32 network, quint32 mask, quint32 gateway)
{
    if (gateway == 0)
        return true;
    const quint32 hostPart = gateway & ~mask;
    return (gateway & mask) == network && hostPart != 0 && hostPart != ~mask;
}

} // namespace

bool CheckIpMaskGateway(const QString &address, const QString &mask, const QString &gateway)
{
    const quint32 networkValue = ParseDottedAddress(NetworkOf(address, mask));
    const quint32 maskValue = ParseDottedAddress(mask);
    const quint32 addressValue = ParseDottedAddress(address);
    // A blank gateway field stands for no gateway, just as "0.0.0.0" does.
    const quint32 gatewayValue = IsAllBlanks(gateway) ? 0 : ParseDottedAddress(gateway);

    const char *problem = addressProblem(networkValue, maskValue, addressValue);
    if (!problem && !isAcceptableGateway(networkValue, maskValue, gatewayValue))
        problem = "Invalid Gateway address!";
    if (!problem)
        return true;
    ShowMessageBox(QString::fromLatin1(problem), MessageIcon::None);
    return false;
}

} // namespace trb
