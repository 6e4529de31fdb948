#include "StatisticsPage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

#include "FormRows.h"
#include "ProcessValues.h"
#include "TimeScale.h"
#include "TrafficChart.h"

namespace trb {
namespace {

constexpr int kRefreshEndMs = 100;
constexpr uint32_t kReadGroup[] = {AP_STAT_GROUP_ETHERNET, AP_STAT_GROUP_WLAN};
constexpr uint32_t kClearGroup[] = {AP_STAT_GROUP_ETHERNET_CLEAR, AP_STAT_GROUP_WLAN_CLEAR};
constexpr uint32_t kBothGroups = AP_STAT_GROUP_ETHERNET | AP_STAT_GROUP_WLAN;

struct EthernetRow {
    const char *label;
    uint32_t apStatEthernetRecord::*field;
};
// Rows from "Received Multicast Packet Count " on are hidden on this model.
constexpr int kEthernetTransmitRows = 3;
constexpr int kEthernetShownRows = 6;
constexpr EthernetRow kEthernetTable[] = {
    {"Transmitted Packet Count ", &apStatEthernetRecord::txPackets},
    {"Transmitted Bytes Count ", &apStatEthernetRecord::txBytes},
    {"Dropped Packet Count ", &apStatEthernetRecord::txDropped},
    {"Received Packet Count ", &apStatEthernetRecord::rxPackets},
    {"Received Bytes Count ", &apStatEthernetRecord::rxBytes},
    {"Dropped Packet Count ", &apStatEthernetRecord::rxDropped},
    {"Received Multicast Packet Count ", &apStatEthernetRecord::rxMulticast},
    {"Received Broadcast Packet Count ", &apStatEthernetRecord::rxBroadcast},
    {"Length 64 Packet Count ", &apStatEthernetRecord::length64},
    {"Length 65~127 Packet Count ", &apStatEthernetRecord::length65To127},
    {"Length 128~255 Packet Count ", &apStatEthernetRecord::length128To255},
    {"Length 256~511 Packet Count ", &apStatEthernetRecord::length256To511},
    {"Length 512~1023 Packet Count ", &apStatEthernetRecord::length512To1023},
    {"Length 1024~1518 Packet Count ", &apStatEthernetRecord::length1024To1518},
    {"Length 1519~MAX Packet Count ", &apStatEthernetRecord::length1519ToMax},
};
static_assert(std::size(kEthernetTable) == StatisticsPage::kEthernetRows);

struct WlanRow {
    const char *label;
    uint32_t (apStatWlanRecord::*field)[2];
};
constexpr int kWlanTransmitRows = 4;
constexpr WlanRow kWlanTable[] = {
    {"Transmitted Packet Count ", &apStatWlanRecord::txPackets},
    {"Transmitted Bytes Count ", &apStatWlanRecord::txBytes},
    {"Dropped Packet Count ", &apStatWlanRecord::txDropped},
    {"Transmitted Retry Count ", &apStatWlanRecord::txRetries},
    {"Received Packet Count ", &apStatWlanRecord::rxPackets},
    {"Received Bytes Count ", &apStatWlanRecord::rxBytes},
    {"Dropped Packet Count ", &apStatWlanRecord::rxDropped},
    {"Received CRC Count ", &apStatWlanRecord::rxCrcErrors},
    {"Received Decryption Error Count ", &apStatWlanRecord::rxDecryptErrors},
    {"Received MIC Error Count ", &apStatWlanRecord::rxMicErrors},
    {"Received PHY Error Count ", &apStatWlanRecord::rxPhyErrors},
};
static_assert(std::size(kWlanTable) == StatisticsPage::kWlanRows);

// "Transmitted Count" / "Received Count" over the rows of a group.
QLabel *GroupLabel(const char *text) { return SectionHeading(QString::fromLatin1(text)); }

QLabel *ValueLabel(const QString &objectName)
{
    auto *label = new QLabel(QStringLiteral("0"));
    label->setObjectName(objectName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString CounterText(bool zeros, uint32_t value) { return zeros ? QStringLiteral("0") : QString::number(value); }

} // namespace

StatisticsPage::StatisticsPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apStatisticOpen(sessionHandle, 0);
    clock_.start();
    // Each read is timed from the end of the one before: a device slow to answer, or not
    // answering at all, is never asked again before it has had its pause.
    trafficTimer_.setSingleShot(true);
    connect(&trafficTimer_, &QTimer::timeout, this, &StatisticsPage::ReadTraffic);
}

QStringList StatisticsPage::EthernetTexts(const apStatEthernetRecord &record)
{
    QStringList texts;
    for (const EthernetRow &row : kEthernetTable)
        texts << CounterText(record.showZeros != 0, record.*row.field);
    return texts;
}

QStringList StatisticsPage::WlanTexts(const apStatWlanRecord &record, int band)
{
    QStringList texts;
    const int i = band == 2 ? 1 : 0;
    for (const WlanRow &row : kWlanTable)
        texts << CounterText(record.showZeros != 0, (record.*row.field)[i]);
    return texts;
}

void StatisticsPage::BuildControls()
{
    c_.tabs = Named(new QTabWidget, "statisticsTabs", "Statistics");
    c_.tabs->addTab(BuildEthernetPanel(), QStringLiteral("Ethernet Traffic Statistics"));
    c_.tabs->addTab(BuildWlanPanel(), QStringLiteral("WLAN Traffic Statistics"));
    c_.tabs->setUsesScrollButtons(false); // both tab texts in full: the tab control is as wide as they need
    c_.traffic = Named(new TrafficChart(ScaledMilliseconds(kTrafficWindowMs)), "trafficChart", "Traffic Rate");
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(c_.tabs); // as tall as the longer tab's rows; the chart takes the rest
    layout->addWidget(SectionHeading(QStringLiteral("Traffic Rate"), QStringLiteral("trafficHeading")));
    layout->addWidget(c_.traffic, 1);
    for (int tab : {EthernetTab, WlanTab}) {
        connect(c_.tab[tab].refresh, &QPushButton::clicked, this, [this, tab] { RefreshTab(tab); });
        connect(c_.tab[tab].clear, &QPushButton::clicked, this, [this, tab] { ClearTab(tab); });
    }
    // The tab widget shows the chosen panel; every change of tab reads that tab again.
    connect(c_.tabs, &QTabWidget::currentChanged, this, &StatisticsPage::RefreshTab);
    LayoutContent();
}

QWidget *StatisticsPage::BuildEthernetPanel()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout;
    for (int row = 0; row < kEthernetRows; ++row) {
        if (row == 0 || row == kEthernetTransmitRows)
            grid->addWidget(GroupLabel(row == 0 ? "Transmitted Count" : "Received Count"), grid->rowCount(), 0, 1, 2);
        c_.ethernetLabels[row] = new QLabel(QString::fromLatin1(kEthernetTable[row].label));
        c_.ethernet[row] = ValueLabel(QStringLiteral("ethernetValue%1").arg(row));
        const int at = grid->rowCount();
        grid->addWidget(c_.ethernetLabels[row], at, 0);
        grid->addWidget(c_.ethernet[row], at, 1);
        // This model has no multicast, broadcast or length counters on its wired port.
        SetVisible({c_.ethernetLabels[row], c_.ethernet[row]}, row < kEthernetShownRows);
    }
    c_.tab[EthernetTab] = {panel, PageButton(QStringLiteral("Refresh"), "ethernetRefreshButton"),
                           PageButton(QStringLiteral("Clear"), "ethernetClearButton")};
    auto *buttons = ButtonRow({c_.tab[EthernetTab].refresh, c_.tab[EthernetTab].clear});
    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return panel;
}

QWidget *StatisticsPage::BuildWlanPanel()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout;
    c_.wlanHeaders = {new QLabel(QStringLiteral("2.4GHz")), new QLabel(QStringLiteral("5GHz"))};
    grid->addWidget(c_.wlanHeaders[0], 0, 1);
    grid->addWidget(c_.wlanHeaders[1], 0, 2);
    for (int row = 0; row < kWlanRows; ++row) {
        if (row == 0 || row == kWlanTransmitRows)
            grid->addWidget(GroupLabel(row == 0 ? "Transmitted Count" : "Received Count"), grid->rowCount(), 0, 1, 3);
        const int at = grid->rowCount();
        grid->addWidget(new QLabel(QString::fromLatin1(kWlanTable[row].label)), at, 0);
        for (int band = 0; band < 2; ++band) {
            c_.wlan[row][band] = ValueLabel(QStringLiteral("wlanValue%1_%2").arg(row).arg(band + 1));
            grid->addWidget(c_.wlan[row][band], at, 1 + band);
        }
        // The one radio of this model: one column of values, without band headers.
        c_.wlan[row][1]->setVisible(false);
    }
    SetVisible({c_.wlanHeaders[0], c_.wlanHeaders[1]}, false);
    c_.tab[WlanTab] = {panel, PageButton(QStringLiteral("Refresh"), "wlanRefreshButton"),
                       PageButton(QStringLiteral("Clear"), "wlanClearButton")};
    auto *buttons = ButtonRow({c_.tab[WlanTab].clear, c_.tab[WlanTab].refresh});
    auto *layout = new QVBoxLayout(panel);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    layout->addStretch(1);
    return panel;
}

int StatisticsPage::CurrentTab() const { return c_.tabs->currentIndex(); }

void StatisticsPage::SetTabBusy(int tab, bool busy)
{
    SetEnabled({c_.tabs, c_.tab[tab].refresh, c_.tab[tab].clear}, !busy);
}

// The first read carries both tabs' counters (the handle's own selection).
int StatisticsPage::ReadOnShow()
{
    const TabControls &tab = c_.tab[CurrentTab()];
    BeginRefresh(kRefreshEndMs, {c_.tabs, tab.refresh, tab.clear});
    apStyleModify(primaryHandle, kBothGroups, 0);
    sampleAskedMs_ = clock_.elapsed(); // the chart's first sample
    return 1;
}

void StatisticsPage::RefreshTab(int tab)
{
    if (tab != EthernetTab && tab != WlanTab)
        return;
    sampleAskedMs_.reset(); // one tab's counters: the other's would be stale
    apStyleModify(primaryHandle, kReadGroup[tab], 0);
    Refresh(kRefreshEndMs, {c_.tabs, c_.tab[tab].refresh, c_.tab[tab].clear});
}

void StatisticsPage::ClearTab(int tab)
{
    clearFlag_ = true;
    apStatisticInforClear(primaryHandle, tab);
    apStyleModify(primaryHandle, kClearGroup[tab], 1);
    SetTabBusy(tab, true);
    if (RequestWrite() != 0) { // refused at once: nothing was cleared, and no completion follows
        clearFlag_ = false;
        SetTabBusy(tab, false);
    }
}

void StatisticsPage::OnWriteDone(int result)
{
    // Even a clear that timed out may have been carried out: the chart starts again either way.
    c_.traffic->Restart();
    // A clear the device did not take must not be shown as zeros: the counters stay as they
    // were and the status bar keeps the reason.
    if (result != 0) {
        clearFlag_ = false;
        SetTabBusy(CurrentTab(), false);
        return;
    }
    RefreshTab(CurrentTab());
}

void StatisticsPage::OnReadDone()
{
    TakeTrafficSample();
    if (trafficReading_) {
        // The counters shown and the status bar stay as the user's last read left them.
        lastMessage = messageBeforeRead_;
        EndTrafficRead();
        return;
    }
    const int tab = CurrentTab();
    if (tab == EthernetTab)
        ShowEthernet();
    else if (tab == WlanTab)
        ShowWlan();
    clearFlag_ = false;
}

void StatisticsPage::ShowEthernet()
{
    apStatEthernetRecord record{};
    record.showZeros = clearFlag_ ? 1 : 0;
    apStatisticInfor(primaryHandle, nullptr, &record);
    const QStringList texts = EthernetTexts(record);
    for (int row = 0; row < kEthernetRows; ++row)
        c_.ethernet[row]->setText(texts[row]);
}

void StatisticsPage::ShowWlan()
{
    apStatWlanRecord record{};
    record.showZeros = clearFlag_ ? 1 : 0;
    apStatisticInfor(primaryHandle, &record, nullptr);
    for (int band = 1; band <= 2; ++band) {
        const QStringList texts = WlanTexts(record, band);
        for (int row = 0; row < kWlanRows; ++row)
            c_.wlan[row][band - 1]->setText(texts[row]);
    }
}

// --- The chart's own read ---

void StatisticsPage::showEvent(QShowEvent *event)
{
    PopupPage::showEvent(event);
    if (!event->spontaneous())
        trafficTimer_.start(ScaledMilliseconds(kTrafficReadMs));
}

void StatisticsPage::hideEvent(QHideEvent *event)
{
    if (!event->spontaneous()) // closed (a minimised page reads on)
        trafficTimer_.stop();
    PopupPage::hideEvent(event);
}

// The page's read with both tabs' groups. When another request is on its way, or a refresh is
// not yet over, the read waits its turn: the next pause. It fills no control, so the page
// counts it as a read that shows nothing: the page stays enabled (no greying and no lost
// keyboard focus every few seconds) and nothing the user does waits for it.
void StatisticsPage::ReadTraffic()
{
    if (RequestsInFlight() > 0 || refreshing()) {
        trafficTimer_.start(ScaledMilliseconds(kTrafficReadMs));
        return;
    }
    apStyleModify(primaryHandle, kBothGroups, 0);
    trafficReading_ = true;
    readShowsNothing = true;
    messageBeforeRead_ = lastMessage;
    sampleAskedMs_ = clock_.elapsed();
    if (RequestRead() != 0) { // refused at once: no completion follows
        sampleAskedMs_.reset();
        EndTrafficRead();
        ShowMessage(lastMessage);
    }
}

void StatisticsPage::TakeTrafficSample()
{
    if (!sampleAskedMs_)
        return;
    TrafficSample sample;
    sample.askedMs = *std::exchange(sampleAskedMs_, std::nullopt);
    sample.answeredMs = clock_.elapsed();
    apStatEthernetRecord ethernet{};
    apStatWlanRecord wlan{};
    apStatisticInfor(primaryHandle, &wlan, &ethernet);
    // The one radio of this model: the first band, as the WLAN tab shows it.
    sample.bytes = {ethernet.txBytes, ethernet.rxBytes, wlan.txBytes[0], wlan.rxBytes[0]};
    sample.packets = {ethernet.txPackets, ethernet.rxPackets, wlan.txPackets[0], wlan.rxPackets[0]};
    c_.traffic->Add(sample);
}

// A failed or refused read of the chart shows as any failed read does, and draws nothing.
void StatisticsPage::OnReadFailed()
{
    sampleAskedMs_.reset();
    if (!trafficReading_)
        return;
    EndTrafficRead();
    ShowMessage(lastMessage);
}

// The first completion after the chart's read was sent is taken for it: answers come in the
// order they were asked. (Were a Refresh sent meanwhile to end first, its counters would be
// shown by the next completion instead, and the chart would lose one sample.)
void StatisticsPage::EndTrafficRead()
{
    trafficReading_ = false;
    readShowsNothing = false;
    RequestsInFlightChanged(); // a Refresh or Clear sent meanwhile counts again
    if (isVisible())
        trafficTimer_.start(ScaledMilliseconds(kTrafficReadMs));
}

// Until its completion has been handled, the chart's read writes nothing to the status bar.
void StatisticsPage::ShowMessage(const QString &text)
{
    if (!trafficReading_)
        PopupPage::ShowMessage(text);
}

} // namespace trb
