#include "PageCatalog.h"

#include "AdminPage.h"
#include "ApArrayPage.h"
#include "ArpSpoofingPage.h"
#include "DhcpServerPage.h"
#include "BasicWirelessPage.h"
#include "ClientInfoPage.h"
#include "ConfigFilePage.h"
#include "DeviceInfoPageTrb.h"
#include "FilterPage.h"
#include "FirmwareSslPage.h"
#include "HomeInfoPageTrb.h"
#include "IntrusionPage.h"
#include "LanPage.h"
#include "LogPage.h"
#include "MultiSsidPage.h"
#include "PerformancePage.h"
#include "PlaceholderPage.h"
#include "QosPage.h"
#include "SchedulePage.h"
#include "StatisticsPage.h"
#include "SystemPage.h"
#include "TimeDatePage.h"
#include "VlanPage.h"
#include "WdsInfoPage.h"

namespace trb {
namespace {

using K = PageKind;

template <typename Page>
PopupPage *Make()
{
    return new Page;
}

const PageCommand kCommands[] = {
    {K::HomeInformation, "&Home", "&Information", HomeInfoPage::kTitle, {480, 500}, 0, false,
     &Make<HomeInfoPageTrb>},
    {K::BasicWireless, "&Basic", "&Wireless", BasicWirelessPage::kTitle, {620, 710}, 0, false,
     &Make<BasicWirelessPage>},
    {K::Lan, "&Basic", "&LAN", LanPage::kTitle, {400, 300}, 0, false, &Make<LanPage>},
    {K::Performance, "&Advanced", "&Performance", PerformancePage::kTitle, {620, 650}, 0, false,
     &Make<PerformancePage>},
    {K::MultiSsid, "&Advanced", "&Multi-SSID", MultiSsidPage::kTitle, {560, 710}, 0, false,
     &Make<MultiSsidPage>},
    {K::Vlan, "&Advanced", "&VLAN", VlanPage::kTitle, {700, 710}, 0, false, &Make<VlanPage>},
    {K::Intrusion, "&Advanced", "In&trusion", IntrusionPage::kTitle, {660, 680}, 0, false, &Make<IntrusionPage>},
    {K::Schedule, "&Advanced", "&Schedule", SchedulePage::kTitle, {660, 710}, 0, false, &Make<SchedulePage>},
    {K::DhcpServer, "&Advanced", "&DHCP Server", DhcpServerPage::kTitle, {580, 610}, 0, false, &Make<DhcpServerPage>},
    {K::ApArray, "&Advanced", "&AP Array", ApArrayPage::kTitle, {530, 700}, 0, false, &Make<ApArrayPage>},
    {K::Filter, "&Advanced", "&Filter", FilterPage::kTitle, {570, 700}, 0, false, &Make<FilterPage>},
    {K::QoS, "&Advanced", "&QoS", QosPage::kTitle, {710, 730}, 0, false, &Make<QosPage>},
    {K::ArpSpoofing, "&Advanced", "A&RP Spoofing Prevention", ArpSpoofingPage::kTitle, {500, 550}, 0, false,
     &Make<ArpSpoofingPage>},
    {K::Administration, "&Maintenance", "&Administration Settings", AdminPage::kTitle, {530, 630}, 0, false,
     &Make<AdminPage>},
    {K::FirmwareAndSsl, "&Maintenance", "&Firmware and SSL", FirmwareSslPage::kTitle, {}, 1, false,
     &Make<FirmwareSslPage>},
    {K::ConfigurationFile, "&Maintenance", "&Configuration File", ConfigFilePage::kTitle, {590, 240}, 1, false,
     &Make<ConfigFilePage>},
    {K::TimeAndDate, "&Maintenance", "&Time and Date", TimeDatePage::kTitle, {640, 670}, 0,
     false, &Make<TimeDatePage>},
    {K::DeviceInformation, "&Status", "&Device Information", DeviceInfoPage::kTitle, {610, 700}, 0,
     false, &Make<DeviceInfoPageTrb>},
    {K::ClientInformation, "&Status", "&Client Information", ClientInfoPage::kTitle,
     {630, 280}, 0, true, &Make<ClientInfoPage>},
    {K::WdsInformation, "&Status", "&WDS Information", WdsInfoPage::kTitle, {610, 280}, 0,
     true, &Make<WdsInfoPage>},
    {K::Stats, "&Status", "&Stats", StatisticsPage::kTitle, {600, 690}, 0, false, &Make<StatisticsPage>},
    {K::Log, "&Status", "&Log", LogPage::kTitle, {600, 700}, 0, false, &Make<LogPage>},
    {K::System, "Sys&tem", "&System", SystemPage::kTitle, {470, 260}, 1, false, &Make<SystemPage>},
};
static_assert(std::size(kCommands) == kPageKindCount);

} // namespace

std::span<const PageCommand> PageCommands() { return kCommands; }

const PageCommand &CommandFor(PageKind kind) { return kCommands[static_cast<int>(kind)]; }

PopupPage *CreatePage(PageKind kind)
{
    const PageCommand &command = CommandFor(kind);
    return command.create ? command.create() : new PlaceholderPage(QString::fromLatin1(command.title));
}

} // namespace trb
