#include "DhcpLeaseTab.h"

#include <QGroupBox>
#include <QVBoxLayout>

#include "DeviceTable.h"
#include "FormRows.h"

namespace trb {
namespace {

const RecordColumn<apDhcpLeaseEntry> kDynamicColumns[] = {
    {"Index", 0, &apDhcpLeaseEntry::index},
    {"Host Name", 105, &apDhcpLeaseEntry::hostName},
    {"Binding MAC Address", 130, &apDhcpLeaseEntry::mac},
    {"Assigned IP Address", 130, &apDhcpLeaseEntry::ipAddress},
    {"Lease Time", 105, &apDhcpLeaseEntry::leaseTime},
};

const RecordColumn<apDhcpStaticLeaseEntry> kStaticColumns[] = {
    {"Index", 0, &apDhcpStaticLeaseEntry::index},
    {"Host Name", 105, &apDhcpStaticLeaseEntry::hostName},
    {"Binding MAC Address", 130, &apDhcpStaticLeaseEntry::mac},
    {"Assigned IP Address", 130, &apDhcpStaticLeaseEntry::ipAddress},
};

template <typename Row>
RecordListCtrl *LeaseList(std::span<const RecordColumn<Row>> columns, const char *name, const char *title)
{
    auto *list = Named(new RecordListCtrl, QString::fromLatin1(name), QString::fromLatin1(title));
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setShowGrid(true);
    SetUpColumns<Row>(*list, columns);
    list->setColumnHidden(0, true);
    return list;
}

QGroupBox *Boxed(const char *title, QWidget *list)
{
    auto *box = new QGroupBox(QString::fromLatin1(title));
    (new QVBoxLayout(box))->addWidget(list);
    return box;
}

} // namespace

DhcpLeaseTab::DhcpLeaseTab(QWidget *parent)
    : QWidget(parent),
      dynamicList_(LeaseList<apDhcpLeaseEntry>(kDynamicColumns, "dynamicLeaseList", "Current DHCP Dynamic Pools")),
      staticList_(LeaseList<apDhcpStaticLeaseEntry>(kStaticColumns, "staticLeaseList", "Current DHCP Static Pools"))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Boxed("Current DHCP Dynamic Pools", dynamicList_), 1);
    layout->addWidget(Boxed("Current DHCP Static Pools", staticList_), 1);
}

void DhcpLeaseTab::Clear()
{
    dynamicList_->DeleteAllRows();
    staticList_->DeleteAllRows();
}

void DhcpLeaseTab::Fill(const std::vector<apDhcpLeaseEntry> &leases, const std::vector<apDhcpStaticLeaseEntry> &bound)
{
    FillRecordList<apDhcpLeaseEntry>(*dynamicList_, leases, kDynamicColumns);
    FillRecordList<apDhcpStaticLeaseEntry>(*staticList_, bound, kStaticColumns);
}

} // namespace trb
