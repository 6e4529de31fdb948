#include "DeviceInfoPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include <cstring>

#include "DeviceInfoText.h"
#include "FormRows.h"
#include "MacAddress.h"
#include "ProcessValues.h"
#include "ScrollLayout.h"

namespace trb {
namespace {

constexpr int kMarginsHeight = 10;
const char *const kBandNames[2] = {"band24", "band5"};

FormRows SectionRows(QWidget *section)
{
    FormRows rows = FormRows::On(section);
    rows.grid()->setColumnMinimumWidth(0, 200);
    rows.grid()->setVerticalSpacing(4);
    return rows;
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
    FormRows rows = SectionRows(generalSection_);
    firmwareValue_ = rows.AddValue(QStringLiteral("Firmware Version:"), "firmwareVersionValue");
    ethernetMacValue_ = rows.AddValue(QStringLiteral("Ethernet MAC Address:"), "ethernetMacValue");
    return generalSection_;
}

void DeviceInfoPage::BuildWirelessMacSection(int band)
{
    const QString name = QString::fromLatin1(kBandNames[band]);
    WirelessMacSection &section = macSections_[band];
    section.panel = new QWidget;
    section.panel->setObjectName(name + QStringLiteral("MacSection"));
    FormRows rows = SectionRows(section.panel);
    section.bandLabel = new QLabel(band == 0 ? QStringLiteral("Wireless MAC Address(2.4GHz): ")
                                             : QStringLiteral("Wireless MAC Address(5GHz): "));
    section.bandLabel->setObjectName(name + QStringLiteral("MacBandLabel"));
    rows.grid()->addWidget(section.bandLabel, 0, 0, 1, 2);
    section.primary = rows.AddValue(QStringLiteral("Primary: "), name + QStringLiteral("PrimaryMacValue"));
    for (int i = 0; i < 3; ++i) {
        section.ssid[i] = rows.AddValue(QStringLiteral("SSID%1: ").arg(i + 1),
                                 name + QStringLiteral("Ssid%1MacValue").arg(i + 1),
                                 i == 2 ? QStringLiteral("00:00:00:00:00:00 ") : QString());
    }
    rows.grid()->setContentsMargins(9, 6, 9, 6);
}

QGroupBox *DeviceInfoPage::BuildEthernetSection()
{
    ethernetSection_ = GroupSection(QStringLiteral("Ethernet"), QStringLiteral("ethernetSection"));
    FormRows rows = SectionRows(ethernetSection_);
    ipValue_ = rows.AddValue(QStringLiteral("IP Address "), "ipAddressValue");
    maskValue_ = rows.AddValue(QStringLiteral("Subnet Mask "), "subnetMaskValue");
    gatewayValue_ = rows.AddValue(QStringLiteral("Gateway"), "gatewayValue");
    return ethernetSection_;
}

void DeviceInfoPage::BuildWirelessSection(int band)
{
    const QString name = QString::fromLatin1(kBandNames[band]);
    WirelessSection &section = wirelessSections_[band];
    section.panel = GroupSection(band == 0 ? QStringLiteral("Wireless (2.4GHz) ")
                                           : QStringLiteral("Wireless (5GHz) "),
                                 name + QStringLiteral("WirelessSection"));
    FormRows rows = SectionRows(section.panel);
    section.ssid = rows.AddValue(QStringLiteral("Network Name (SSID)"), name + QStringLiteral("SsidValue"));
    section.channel = rows.AddValue(QStringLiteral("Channel"), name + QStringLiteral("ChannelValue"));
    section.dataRate = rows.AddValue(QStringLiteral("Data Rate "), name + QStringLiteral("DataRateValue"));
    section.security = rows.AddValue(QStringLiteral("Security "), name + QStringLiteral("SecurityValue"));
}

QGroupBox *DeviceInfoPage::BuildApArraySection()
{
    apArraySection_ = GroupSection(QStringLiteral("AP Arrary "), QStringLiteral("apArraySection"));
    FormRows rows = SectionRows(apArraySection_);
    apArrayNameValue_ = rows.AddValue(QStringLiteral("AP Arrary "), "apArrayNameValue");
    apArrayRoleValue_ = rows.AddValue(QStringLiteral("Role"), "apArrayRoleValue");
    apArrayLocationValue_ = rows.AddValue(QStringLiteral("Location"), "apArrayLocationValue");
    return apArraySection_;
}

QGroupBox *DeviceInfoPage::BuildDeviceStatusSection()
{
    deviceStatusSection_ = GroupSection(QStringLiteral("Device Status"), QStringLiteral("deviceStatusSection"));
    FormRows rows = SectionRows(deviceStatusSection_);
    cpuValue_ = rows.AddValue(QStringLiteral("CPU Utilization "), "cpuValue");
    rows.grid()->addWidget(new QLabel(QStringLiteral("%")), rows.grid()->rowCount() - 1, 2);
    memoryValue_ = rows.AddValue(QStringLiteral("Memory Utilization "), "memoryValue");
    rows.grid()->addWidget(new QLabel(QStringLiteral("%")), rows.grid()->rowCount() - 1, 2);
    rows.grid()->setColumnStretch(1, 0);
    rows.grid()->setColumnStretch(3, 1);
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
    LayoutContent();
}

// The content is as tall as the sections shown, at the page's fixed width.
void DeviceInfoPage::LayoutContent()
{
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
