#include "DhcpStaticTab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "AddressValidation.h"
#include "DeviceTable.h"
#include "DhcpAddress.h"
#include "DhcpPoolOptions.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "MacAddress.h"
#include "PopupPage.h"
#include "RecordText.h"
#include "TextValidation.h"

namespace trb {
namespace {

const RecordColumn<apDhcpStaticEntry> kColumns[] = {
    {"Index", 0, &apDhcpStaticEntry::index},
    {"Host Name", 105, &apDhcpStaticEntry::hostName},
    {"MAC Address", 115, &apDhcpStaticEntry::mac},
    {"IP Address", 105, &apDhcpStaticEntry::ipAddress},
    {"Mask", 0, &apDhcpStaticEntry::subnetMask},
    {"GateWay", 0, &apDhcpStaticEntry::gateway},
    {"Wins", 0, &apDhcpStaticEntry::wins},
    {"Dns", 0, &apDhcpStaticEntry::dns},
    {"Domain Name", 0, &apDhcpStaticEntry::domainName},
    {"Edit", 60, ColumnRole::EditIcon},
    {"Delete", 60, ColumnRole::DeleteIcon},
};

const QString kWarning = QStringLiteral("Warning");

} // namespace

DhcpStaticTab::DhcpStaticTab(QWidget *parent) : QWidget(parent), editRow_(int(kNewEntryIndex))
{
    auto *control = new QGroupBox(QStringLiteral("DHCP Server Control"));
    c_.state = FormRows::On(control).Add(QStringLiteral("Function Enable/Disable "), new QComboBox, "staticStateCombo");
    c_.state->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});

    auto *entry = new QGroupBox(QStringLiteral("Static Pool Setting "));
    FormRows rows = FormRows::On(entry);
    c_.hostName = rows.Add(QStringLiteral("Host Name "), LimitedEdit(20), "staticHostEdit");
    c_.ip = rows.Add(QStringLiteral("Assigned IP "), new IpAddressEdit, "staticIpEdit");
    c_.mac = rows.Add(QStringLiteral("Assigned MAC Address"), LimitedEdit(12), "staticMacEdit");
    c_.mask = rows.Add(QStringLiteral("Subnet Mask "), new IpAddressEdit, "staticMaskEdit");
    c_.gateway = rows.Add(QStringLiteral("Gateway "), new IpAddressEdit, "staticGatewayEdit");
    c_.wins = rows.Add(QStringLiteral("WINS"), new IpAddressEdit, "staticWinsEdit");
    c_.dns = rows.Add(QStringLiteral("DNS "), new IpAddressEdit, "staticDnsEdit");
    c_.domainName = rows.Add(QStringLiteral("Domain Name "), LimitedEdit(30), "staticDomainEdit");

    c_.list = Named(new ActionIconListCtrl, "staticPoolList", "Static Pool List");
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apDhcpStaticEntry>(*c_.list, kColumns);
    for (int hidden : {IndexColumn, MaskColumn, GatewayColumn, WinsColumn, DnsColumn, DomainColumn})
        c_.list->setColumnHidden(hidden, true);
    c_.list->setMinimumWidth(460); // the five visible columns without a scroll bar
    // The list takes the height the form leaves, so the page fits its window without scrolling.
    c_.list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    c_.list->setMinimumHeight(110);

    c_.save = PageButton(QStringLiteral("Save"), "staticSaveButton");
    c_.save->setProperty(kWritesEditedRowProperty, true);
    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(control);
    layout->addWidget(entry);
    layout->addLayout(buttons);
    layout->addWidget(c_.list, 1);
    connect(c_.state, &QComboBox::currentIndexChanged, this, &DhcpStaticTab::stateChanged);
    connect(c_.list, &ActionIconListCtrl::editClicked, this, &DhcpStaticTab::EditRow);
    connect(c_.list, &ActionIconListCtrl::deleteClicked, this, &DhcpStaticTab::deleteRequested);
}

int DhcpStaticTab::editingRow() const { return editRow_ == int(kNewEntryIndex) ? -1 : editRow_; }

void DhcpStaticTab::SetDefaults(const apDhcpDynamicRecord &pool)
{
    c_.mask->setText(RecordText(pool.subnetMask));
    c_.gateway->setText(RecordText(pool.gateway));
    c_.wins->setText(RecordText(pool.wins));
    c_.dns->setText(RecordText(pool.dns));
    c_.domainName->setText(RecordText(pool.domainName));
}

void DhcpStaticTab::Fill(const std::vector<apDhcpStaticEntry> &entries, bool keepForm)
{
    FillRecordList<apDhcpStaticEntry>(*c_.list, entries, kColumns);
    if (keepForm) {
        const int edited = editRow_;
        editRow_ = int(kNewEntryIndex);
        for (int row = 0; edited != int(kNewEntryIndex) && row < c_.list->rowCount(); ++row)
            if (c_.list->cellText(row, MacColumn) == editedMac_)
                editRow_ = row;
        return;
    }
    c_.hostName->clear();
    c_.ip->clear();
    c_.mac->clear();
}

bool DhcpStaticTab::TakenByOtherRow(int column, const QString &text) const
{
    for (int row = 0; row < c_.list->rowCount(); ++row)
        if (row != editingRow() && c_.list->cellText(row, column).compare(text, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool DhcpStaticTab::Check(PopupPage &page)
{
    const QString host = c_.hostName->text();
    if (host.isEmpty() || !IsNameText(host) || host.startsWith(QLatin1Char(' ')) || host.endsWith(QLatin1Char(' ')))
        return page.RejectCheck(QStringLiteral("Invalid Host Name!"), kWarning, c_.hostName);
    if (c_.ip->isBlank() || !IsValidHostIp(c_.ip->text())) {
        c_.ip->clear();
        return page.RejectCheck(QStringLiteral("Please input valid IP address"), kWarning, c_.ip);
    }
    if (TakenByOtherRow(IpColumn, c_.ip->text())) {
        c_.ip->clear();
        return page.RejectCheck(
            QStringLiteral("There is a existent entry with the same IP Address.Please change the IP Address. "),
            kWarning, c_.ip);
    }
    const QString mac = c_.mac->text().toUpper();
    c_.mac->setText(mac);
    if (!IsValidUnicastMac(mac) || mac == QLatin1String("000000000000"))
        return page.RejectCheck(QStringLiteral("Please input valid MAC."), kWarning, c_.mac);
    if (TakenByOtherRow(MacColumn, mac))
        return page.RejectCheck(
            QStringLiteral("There is a existent entry with the same MAC Address.Please change the MAC Address. "),
            kWarning, c_.mac);
    if (!IsValidSubnetMask(c_.mask->text())) {
        c_.mask->clear();
        return page.RejectCheck(QStringLiteral("Please input valid Submask."), kWarning, c_.mask);
    }
    if (!CheckDhcpPoolOptions(page, c_.ip->text(), c_.mask->text(), {c_.gateway, c_.wins, c_.dns, c_.domainName}))
        return false;
    return true;
}

void DhcpStaticTab::EntryTaken() { editRow_ = int(kNewEntryIndex); }

apDhcpStaticEntry DhcpStaticTab::TakeEntry() const
{
    apDhcpStaticEntry entry{};
    entry.index = editRow_;
    SetRecordText(entry.hostName, c_.hostName->text());
    SetRecordText(entry.mac, c_.mac->text());
    SetRecordText(entry.ipAddress, AddressOrNone(c_.ip->text()));
    SetRecordText(entry.subnetMask, AddressOrNone(c_.mask->text()));
    SetRecordText(entry.gateway, AddressOrNone(c_.gateway->text()));
    SetRecordText(entry.wins, AddressOrNone(c_.wins->text()));
    SetRecordText(entry.dns, AddressOrNone(c_.dns->text()));
    SetRecordText(entry.domainName, c_.domainName->text());
    return entry;
}

void DhcpStaticTab::EditRow(int row)
{
    editRow_ = row;
    editedMac_ = c_.list->cellText(row, MacColumn);
    c_.hostName->setText(c_.list->cellText(row, HostColumn));
    c_.ip->setText(c_.list->cellText(row, IpColumn));
    c_.mac->setText(c_.list->cellText(row, MacColumn));
    c_.mask->setText(c_.list->cellText(row, MaskColumn));
    c_.gateway->setText(c_.list->cellText(row, GatewayColumn)); // 0.0.0.0 shows blank
    c_.wins->setText(c_.list->cellText(row, WinsColumn));
    c_.dns->setText(c_.list->cellText(row, DnsColumn));
    c_.domainName->setText(c_.list->cellText(row, DomainColumn));
}

void DhcpStaticTab::RowDeleted(int row)
{
    if (row == editingRow())
        editRow_ = int(kNewEntryIndex);
    else if (editingRow() > row)
        --editRow_;
}

void DhcpStaticTab::UpdateEnabling(int poolType)
{
    const bool on = c_.state->currentIndex() == 1;
    SetEnabled({c_.hostName, c_.ip, c_.mac, c_.mask, c_.gateway, c_.wins, c_.dns}, on);
    c_.domainName->setEnabled(on && poolType != 1);
}

} // namespace trb
