#include "DhcpDynamicTab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "AddressValidation.h"
#include "DhcpAddress.h"
#include "DhcpPoolOptions.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "PopupPage.h"
#include "RecordText.h"

namespace trb {
namespace {
const QString kWarning = QStringLiteral("Warning");
const QString kError = QStringLiteral("Error");
} // namespace

DhcpDynamicTab::DhcpDynamicTab(QWidget *parent) : QWidget(parent)
{
    auto *control = new QGroupBox(QStringLiteral("DHCP Server Control"));
    c_.state = FormRows::On(control).Add(QStringLiteral("Function Enable/Disable "), new QComboBox, "dynamicStateCombo");
    c_.state->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});

    auto *pool = new QGroupBox(QStringLiteral("Dynamic Pool Settings"));
    FormRows rows = FormRows::On(pool);
    c_.poolStart = rows.Add(QStringLiteral("IP Assigned From"), new IpAddressEdit, "poolStartEdit");
    c_.poolSize = rows.Add(QStringLiteral("The Range of Pool (1-254)"), LimitedEdit(3), "poolSizeEdit");
    c_.mask = rows.Add(QStringLiteral("Subnet Mask"), new IpAddressEdit, "poolMaskEdit");
    c_.gateway = rows.Add(QStringLiteral("Gateway"), new IpAddressEdit, "poolGatewayEdit");
    c_.wins = rows.Add(QStringLiteral("WINS"), new IpAddressEdit, "poolWinsEdit");
    c_.dns = rows.Add(QStringLiteral("DNS"), new IpAddressEdit, "poolDnsEdit");
    c_.domainName = rows.Add(QStringLiteral("Domain Name"), LimitedEdit(30), "poolDomainEdit");
    c_.leaseTime = rows.Add(QStringLiteral("Lease Time (60 - 31536000 sec)"), LimitedEdit(8), "leaseTimeEdit");

    c_.save = PageButton(QStringLiteral("Save"), "dynamicSaveButton");
    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(control);
    layout->addWidget(pool);
    layout->addStretch(1);
    layout->addLayout(buttons);
    connect(c_.state, &QComboBox::currentIndexChanged, this, &DhcpDynamicTab::stateChanged);
}

void DhcpDynamicTab::Fill(const apDhcpDynamicRecord &record)
{
    c_.poolStart->setText(RecordText(record.poolStart));
    c_.poolSize->setText(QString::number(record.poolSize));
    c_.mask->setText(RecordText(record.subnetMask));
    c_.gateway->setText(RecordText(record.gateway)); // 0.0.0.0 shows blank
    c_.wins->setText(RecordText(record.wins));
    c_.dns->setText(RecordText(record.dns));
    c_.domainName->setText(RecordText(record.domainName));
    c_.leaseTime->setText(QString::number(record.leaseTime));
}

bool DhcpDynamicTab::Check(PopupPage &page)
{
    if (c_.poolStart->isBlank() || !IsValidHostIp(c_.poolStart->text())) {
        c_.poolStart->clear();
        return page.RejectCheck(QStringLiteral("Please input valid IP address"), kWarning, c_.poolStart);
    }
    bool number = false;
    const int size = c_.poolSize->text().toInt(&number);
    if (!number || size < 1 || size > 254)
        return page.RejectCheck(QStringLiteral("Please input a number between 1 and 254."), kWarning, c_.poolSize);
    if ((IpToUint(c_.poolStart->text()) & 0xff) + uint32_t(size) > 255)
        return page.RejectCheck(QStringLiteral("Invalid IP range!"), kError, c_.poolSize);
    if (c_.mask->isBlank() || !IsValidSubnetMask(c_.mask->text())) {
        c_.mask->clear();
        return page.RejectCheck(QStringLiteral("Please input valid SubMask."), kWarning, c_.mask);
    }
    if (!CheckDhcpPoolOptions(page, c_.poolStart->text(), c_.mask->text(), {c_.gateway, c_.wins, c_.dns, c_.domainName}))
        return false;
    const qlonglong lease = c_.leaseTime->text().toLongLong(&number);
    if (!number || lease < 60 || lease > 31536000)
        return page.RejectCheck(QStringLiteral("Please input a number between 60 and 31536000."), kError,
                                c_.leaseTime);
    return true;
}

apDhcpDynamicRecord DhcpDynamicTab::Record() const
{
    apDhcpDynamicRecord record{};
    SetRecordText(record.poolStart, AddressOrNone(c_.poolStart->text()));
    record.poolSize = c_.poolSize->text().toInt();
    SetRecordText(record.subnetMask, AddressOrNone(c_.mask->text()));
    SetRecordText(record.gateway, AddressOrNone(c_.gateway->text()));
    SetRecordText(record.wins, AddressOrNone(c_.wins->text()));
    SetRecordText(record.dns, AddressOrNone(c_.dns->text()));
    SetRecordText(record.domainName, c_.domainName->text());
    record.leaseTime = c_.leaseTime->text().toInt();
    return record;
}

void DhcpDynamicTab::UpdateEnabling(int poolType)
{
    const bool on = c_.state->currentIndex() == 1;
    SetEnabled({c_.poolStart, c_.poolSize, c_.mask, c_.gateway, c_.wins, c_.dns, c_.leaseTime}, on);
    c_.domainName->setEnabled(on && poolType != 2);
}

} // namespace trb
