#include "DhcpPoolOptions.h"

#include <QLineEdit>

#include "AddressValidation.h"
#include "IpAddressEdit.h"
#include "IpMaskGatewayCheck.h"
#include "PopupPage.h"
#include "TextValidation.h"

namespace trb {
namespace {

const QString kWarning = QStringLiteral("Warning");

// A blank or 0.0.0.0 server means none.
bool CheckOptionalServer(PopupPage &page, IpAddressEdit *field, const QString &message)
{
    if (IsValidHostIp(field->text()) || IpToUint(field->text()) == 0)
        return true;
    field->clear();
    return page.RejectCheck(message, kWarning, field);
}

} // namespace

bool CheckDhcpPoolOptions(PopupPage &page, const QString &address, const QString &mask,
                          const DhcpPoolOptions &options)
{
    if (!options.gateway->isBlank() && !IsValidHostIpNotZero(options.gateway->text())) {
        options.gateway->clear();
        return page.RejectCheck(QStringLiteral("Please input valid Gateway."), kWarning, options.gateway);
    }
    if (!CheckIpMaskGateway(address, mask, options.gateway->text()))
        return false;
    if (!CheckOptionalServer(page, options.wins, QStringLiteral("Please input valid WINS.")) ||
        !CheckOptionalServer(page, options.dns, QStringLiteral("Please input valid DNS.")))
        return false;
    if (!IsNameText(options.domainName->text()))
        return page.RejectCheck(QStringLiteral("Invalid Domain Name!"), kWarning, options.domainName);
    return true;
}

} // namespace trb
