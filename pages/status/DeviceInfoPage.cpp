#include "DeviceInfoPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <cstring>

#include "DeviceInfoText.h"
#include "MacAddress.h"
#include "ProcessValues.h"
#include "ScrollLayout.h"

namespace trb {
namespace {

constexpr int kMarginsHeight = 10;
const char *const kBandNames[2] = {"band24", "band5"};

QLabel *ValueLabel(const QString &objectName, const QString &accessibleName, const QString &text = {})
{
    auto *value = new QLabel(text);
    value->setObjectName(objectName);
    value->setAccessibleName(accessibleName);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return value;
}

// One "label  value" row of a section's grid; returns the value.
QLabel *AddRow(QGridLayout *grid, const QString &label, const QString &objectName,
               const QString &initial = {})
{
    const int row = grid->rowCount();
    grid->addWidget(new QLabel(label), row, 0);
    QLabel *value = ValueLabel(objectName, label.trimmed(), initial);
    grid->addWidget(value, row, 1);
    return value;
}

QGridLayout *SectionGrid(QWidget *section)
{
    auto *grid = new QGridLayout(section);
    grid->setColumnMinimumWidth(0, 200);
    grid->setColumnStretch(1, 1);
    grid->setVerticalSpacing(4);
    return grid;
}

QGroupBox *GroupSection(const QString &title, const QString &objectName)
{
    auto *group = new QGroupBox(title);
    group->setObjectName(objectName);
    return group;
}

QString Colon(const char (&slot)[20]) { return MacPlainToColon(RecordText(slot)); }

} // namespace

DeviceInfoPage::DeviceInfoPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), record_(std::make_unique<apDeviceInfoRecord>())
{
    std::memset(record_.get(), 0, sizeof *record_);
    BuildSections();
    primaryHandle = apSysDeviceInforOpen(sessionHandle, 0);
}

DeviceInfoPage::~DeviceInfoPage() = default;

void DeviceInfoPage::BuildSections()
{
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(0);
    layout->addWidget(BuildGeneralSection());
    BuildWirelessMacSection(0);
    BuildWirelessMacSection(1);
    layout->addWidget(macSections_[0].panel);
    layout->addWidget(macSections_[1].panel);
    layout->addWidget(BuildEthernetSection());
    BuildWirelessSection(0);
    BuildWirelessSection(1);
    layout->addWidget(wirelessSections_[0].panel);
    layout->addWidget(wirelessSections_[1].panel);
    layout->addWidget(BuildApArraySection());
    layout->addWidget(BuildDeviceStatusSection());
    layout->addStretch(1);
    LayoutSections(kBothBands);
}

QWidget *DeviceInfoPage::BuildGeneralSection()
{
    generalSection_ = new QWidget;
    generalSection_->setObjectName(QStringLiteral("generalSection"));
    QGridLayout *grid = SectionGrid(generalSection_);
    firmwareValue_ = AddRow(grid, QStringLiteral("Firmware Version:"), QStringLiteral("firmwareVersionValue"));
    ethernetMacValue_ = AddRow(grid, QStringLiteral("Ethernet MAC Address:"), QStringLiteral("ethernetMacValue"));
    return generalSection_;
}

void DeviceInfoPage::BuildWirelessMacSection(int band)
{
    const QString name = QString::fromLatin1(kBandNames[band]);
    WirelessMacSection &section = macSections_[band];
    section.panel = new QWidget;
    section.panel->setObjectName(name + QStringLiteral("MacSection"));
    QGridLayout *grid = SectionGrid(section.panel);
    section.bandLabel = new QLabel(band == 0 ? QStringLiteral("Wireless MAC Address(2.4GHz): ")
                                             : QStringLiteral("Wireless MAC Address(5GHz): "));
    section.bandLabel->setObjectName(name + QStringLiteral("MacBandLabel"));
    grid->addWidget(section.bandLabel, 0, 0, 1, 2);
    section.primary = AddRow(grid, QStringLiteral("Primary: "), name + QStringLiteral("PrimaryMacValue"));
    for (int i = 0; i < 3; ++i) {
        section.ssid[i] = AddRow(grid, QStringLiteral("SSID%1: ").arg(i + 1),
                                 name + QStringLiteral("Ssid%1MacValue").arg(i + 1),
                                 i == 2 ? QStringLiteral("00:00:00:00:00:00 ") : QString());
    }
    grid->setContentsMargins(9, 6, 9, 6);
}

QGroupBox *DeviceInfoPage::BuildEthernetSection()
{
    ethernetSection_ = GroupSection(QStringLiteral("Ethernet"), QStringLiteral("ethernetSection"));
    QGridLayout *grid = SectionGrid(ethernetSection_);
    ipValue_ = AddRow(grid, QStringLiteral("IP Address "), QStringLiteral("ipAddressValue"));
    maskValue_ = AddRow(grid, QStringLiteral("Subnet Mask "), QStringLiteral("subnetMaskValue"));
    gatewayValue_ = AddRow(grid, QStringLiteral("Gateway"), QStringLiteral("gatewayValue"));
    return ethernetSection_;
}

void DeviceInfoPage::BuildWirelessSection(int band)
{
    const QString name = QString::fromLatin1(kBandNames[band]);
    WirelessSection &section = wirelessSections_[band];
    section.panel = GroupSection(band == 0 ? QStringLiteral("Wireless (2.4GHz) ")
                                           : QStringLiteral("Wireless (5GHz) "),
                                 name + QStringLiteral("WirelessSection"));
    QGridLayout *grid = SectionGrid(section.panel);
    section.ssid = AddRow(grid, QStringLiteral("Network Name (SSID)"), name + QStringLiteral("SsidValue"));
    section.channel = AddRow(grid, QStringLiteral("Channel"), name + QStringLiteral("ChannelValue"));
    section.dataRate = AddRow(grid, QStringLiteral("Data Rate "), name + QStringLiteral("DataRateValue"));
    section.security = AddRow(grid, QStringLiteral("Security "), name + QStringLiteral("SecurityValue"));
}

QGroupBox *DeviceInfoPage::BuildApArraySection()
{
    apArraySection_ = GroupSection(QStringLiteral("AP Arrary "), QStringLiteral("apArraySection"));
    QGridLayout *grid = SectionGrid(apArraySection_);
    apArrayNameValue_ = AddRow(grid, QStringLiteral("AP Arrary "), QStringLiteral("apArrayNameValue"));
    apArrayRoleValue_ = AddRow(grid, QStringLiteral("Role"), QStringLiteral("apArrayRoleValue"));
    apArrayLocationValue_ = AddRow(grid, QStringLiteral("Location"), QStringLiteral("apArrayLocationValue"));
    return apArraySection_;
}

QGroupBox *DeviceInfoPage::BuildDeviceStatusSection()
{
    deviceStatusSection_ = GroupSection(QStringLiteral("Device Status"), QStringLiteral("deviceStatusSection"));
    QGridLayout *grid = SectionGrid(deviceStatusSection_);
    cpuValue_ = AddRow(grid, QStringLiteral("CPU Utilization "), QStringLiteral("cpuValue"));
    grid->addWidget(new QLabel(QStringLiteral("%")), grid->rowCount() - 1, 2);
    memoryValue_ = AddRow(grid, QStringLiteral("Memory Utilization "), QStringLiteral("memoryValue"));
    grid->addWidget(new QLabel(QStringLiteral("%")), grid->rowCount() - 1, 2);
    grid->setColumnStretch(1, 0);
    grid->setColumnStretch(3, 1);
    return deviceStatusSection_;
}

void DeviceInfoPage::OnReadDone()
{
    ReadRecord();
    FillSections();
    LayoutSections(ComputeLayoutType());
}

void DeviceInfoPage::ReadRecord()
{
    record_->bandCount = ReadBandCount();
    record_->group = AP_DEVINFO_RECORD_GROUP_DEVICE;
    apSysDeviceGetInfor(primaryHandle, record_.get());
}

void DeviceInfoPage::FillSections()
{
    const apDeviceInfoRecord &r = *record_;
    firmwareValue_->setText(RecordText(r.firmwareVersion));
    ethernetMacValue_->setText(Colon(r.mac[0]));

    macSections_[0].bandLabel->setText(r.bandCount == 1 ? QStringLiteral("Wireless MAC Address: ")
                                                        : QStringLiteral("Wireless MAC Address(2.4GHz): "));
    for (int band = 0; band < 2; ++band) {
        WirelessMacSection &mac = macSections_[band];
        mac.primary->setText(Colon(r.mac[1 + band]));
        mac.ssid[0]->setText(Colon(r.mac[3 + band]));
        mac.ssid[1]->setText(Colon(r.mac[5 + band]));

        WirelessSection &wireless = wirelessSections_[band];
        wireless.ssid->setText(RecordText(r.ssid[band]));
        wireless.channel->setText(RecordText(r.channel[band]));
        wireless.dataRate->setText(RecordText(r.dataRate[band]));
        wireless.security->setText(RecordText(r.security[band]));
    }

    ipValue_->setText(RecordText(r.ipAddress));
    maskValue_->setText(RecordText(r.subnetMask));
    gatewayValue_->setText(RecordText(r.gateway));
    apArrayNameValue_->setText(RecordText(r.apArrayName));
    apArrayRoleValue_->setText(RecordText(r.apArrayRole));
    apArrayLocationValue_->setText(RecordText(r.apArrayLocation));
    cpuValue_->setText(QString::asprintf("%d", static_cast<int>(r.cpuLoad)));
    memoryValue_->setText(QString::asprintf("%d", static_cast<int>(r.memoryLoad)));
}

int DeviceInfoPage::ComputeLayoutType() const
{
    const apDeviceInfoRecord &r = *record_;
    if (r.bandCount == 1)
        return RecordText(r.currentBand) == QLatin1String("band2dot4gHz") ? kBand24 : kBand5;
    const QString radio24 = RecordText(r.radioState[0]);
    const QString radio5 = RecordText(r.radioState[1]);
    const auto on = QLatin1String("on"), off = QLatin1String("off");
    if (radio24 == on && radio5 == off)
        return kBand24;
    if (radio24 == off && radio5 == on)
        return kBand5;
    if (radio24 == on && radio5 == on)
        return kBothBands;
    return kNoBand;
}

void DeviceInfoPage::LayoutSections(int type)
{
    const bool show24 = type == kBand24 || type == kBothBands;
    const bool show5 = type == kBand5 || type == kBothBands;
    macSections_[0].panel->setVisible(show24);
    macSections_[1].panel->setVisible(show5);
    wirelessSections_[0].panel->setVisible(show24);
    wirelessSections_[1].panel->setVisible(show5);

    int height = kMarginsHeight;
    for (const QWidget *section : {generalSection_, macSections_[0].panel, macSections_[1].panel,
                                   static_cast<QWidget *>(ethernetSection_), static_cast<QWidget *>(wirelessSections_[0].panel),
                                   static_cast<QWidget *>(wirelessSections_[1].panel), static_cast<QWidget *>(apArraySection_),
                                   static_cast<QWidget *>(deviceStatusSection_)}) {
        if (!section->isHidden())
            height += section->sizeHint().height();
    }
    scrollLayout().SetContentSize(kContentWidth, height);
}

} // namespace trb
