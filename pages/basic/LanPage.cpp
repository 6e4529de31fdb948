#include "LanPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "IpMaskGatewayCheck.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

// The device's word for "no gateway".
const QString kNoGateway = QStringLiteral("N/A");

std::unique_ptr<apLanSettingsRecord> NewLanRecord()
{
    auto record = std::make_unique<apLanSettingsRecord>(); // value-initialised: all zero
    record->group = AP_DEVINFO_RECORD_GROUP_LAN;
    return record;
}

} // namespace

LanPage::LanPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apSysDeviceInforOpen(sessionHandle, 0);
}

void LanPage::BuildControls()
{
    auto *group = new QGroupBox;
    FormRows rows = FormRows::On(group);
    rows.grid()->setHorizontalSpacing(16);
    rows.grid()->setVerticalSpacing(10);
    c_.mode = rows.Add(QStringLiteral("Get IP From"), new QComboBox, "getIpFromCombo");
    c_.mode->addItems({QStringLiteral("Static IP( Manual)"), QStringLiteral("Dynamic IP( DHCP)")});
    c_.mode->setCurrentIndex(-1); // no selection until the device has been read
    c_.ip = rows.Add(QStringLiteral("IP Address"), new IpAddressEdit, "ipAddressEdit");
    c_.mask = rows.Add(QStringLiteral("Subnet Mask "), new IpAddressEdit, "subnetMaskEdit");
    c_.gateway = rows.Add(QStringLiteral("Default Gateway"), new IpAddressEdit, "defaultGatewayEdit");
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");

    auto *buttons = ButtonRow({c_.save});

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(c_.mode, &QComboBox::currentIndexChanged, this, &LanPage::UpdateEnabling);
    connect(c_.save, &QPushButton::clicked, this, &LanPage::Save);
    LayoutContent();
}

LanPage::Values LanPage::FromRecord(const apLanSettingsRecord &record)
{
    Values values;
    values.mode = static_cast<int>(record.addressMode);
    values.ip = RecordText(record.ipAddress);
    values.mask = RecordText(record.subnetMask);
    values.gateway = RecordText(record.gateway);
    if (values.gateway == kNoGateway)
        values.gateway.clear();
    return values;
}

void LanPage::ToRecord(const Values &values, apLanSettingsRecord &record)
{
    record.addressMode = static_cast<uint32_t>(values.mode);
    SetRecordText(record.ipAddress, values.ip);
    SetRecordText(record.subnetMask, values.mask);
    SetRecordText(record.gateway, values.gateway);
}

void LanPage::Exchange(DataExchange &dx, Values &values)
{
    ExchangeIndex(dx, c_.mode, values.mode);
    const bool manual = values.mode == kStaticIndex;
    ExchangeText(dx, c_.ip, values.ip);
    if (manual)
        CheckHostIp(dx, values.ip, QStringLiteral("Invalid IP Address!"));
    ExchangeText(dx, c_.mask, values.mask);
    if (manual)
        CheckSubnetMask(dx, values.mask, QStringLiteral("Invalid Subnet Mask!"));
    ExchangeText(dx, c_.gateway, values.gateway);
    if (manual && !values.gateway.isEmpty())
        CheckHostIpNotZero(dx, values.gateway, QStringLiteral("Invalid Gateway Address!"));
}

int LanPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_DEVINFO_GROUP_LAN, 0);
    return 1;
}

void LanPage::OnReadDone()
{
    auto record = NewLanRecord();
    apSysDeviceGetInfor(primaryHandle, record.get());
    Values values = FromRecord(*record);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, values);
}

// Static addresses are typed in; with DHCP the device gets them itself.
void LanPage::UpdateEnabling()
{
    const bool manual = c_.mode->currentIndex() == kStaticIndex;
    SetEnabled({c_.ip, c_.mask, c_.gateway}, manual);
}

void LanPage::Save()
{
    Values values;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, values);
    if (dx.failed() || !CheckIpMaskGateway(values.ip, values.mask, values.gateway))
        return;
    auto record = NewLanRecord();
    ToRecord(values, *record);
    apSysDeviceSetInfor(primaryHandle, record.get());
    RequestWrite();
}

} // namespace trb
