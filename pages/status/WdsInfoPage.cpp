#include "WdsInfoPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BandListPanel.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

const std::vector<BandListPanel::Column> kColumns = {
    {"Index", 0}, {"Name", 100}, {"MAC", 120}, {"Authentication", 150}, {"Signal", 100}, {"Status", 100},
};

// The query's two calls: the count, then the rows into a zero-filled buffer.
std::vector<apWdsPeerRecord> ReadPeers(APHANDLE monitor, apWdsQuery &query)
{
    query = apWdsQuery{};
    if (apSysMonitorQueryInfor(monitor, &query) != 0 || query.count == 0)
        return {};
    std::vector<apWdsPeerRecord> rows(query.count);
    query.rows = rows.data();
    if (apSysMonitorQueryInfor(monitor, &query) != 0)
        return {};
    rows.resize(std::min<std::size_t>(query.count, rows.size()));
    query.rows = nullptr;
    return rows;
}

} // namespace

WdsInfoPage::WdsInfoPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apWirelessOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 1, 0);
}

bool WdsInfoPage::IsShown(const apWdsPeerRecord &record) { return RecordText(record.status) != QLatin1String("empty"); }

QStringList WdsInfoPage::RowTexts(const apWdsPeerRecord &r)
{
    const QString mac = RecordText(r.mac);
    const QString authentication = RecordText(r.authentication);
    return {QString::number(r.index),
            RecordText(r.name),
            mac == QLatin1String("000000000000") ? QString() : mac,
            authentication == QLatin1String("0") ? QString() : authentication,
            r.signal == 0 ? QString() : QStringLiteral("%1%").arg(r.signal),
            RecordText(r.status)};
}

void WdsInfoPage::BuildControls()
{
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(10, 10, 10, 10);
    for (int i = 0; i < 2; ++i) {
        Panel &p = c_.panel[i];
        p.box = new BandListPanel(QStringLiteral("wdsPanel%1").arg(i + 1), kColumns);
        p.channel = new QLabel;
        p.channel->setObjectName(QStringLiteral("wdsChannelLabel%1").arg(i + 1));
        p.frequency = new QLabel;
        p.frequency->setObjectName(QStringLiteral("wdsFrequencyLabel%1").arg(i + 1));
        int at = 0;
        for (QLabel *label : {new QLabel(QStringLiteral("WDS Information  Channel : ")), p.channel, p.frequency})
            p.box->header()->insertWidget(at++, label);
        layout->addWidget(p.box);
        connect(p.box->refresh(), &QPushButton::clicked, this, &WdsInfoPage::RefreshPeers);
    }
    // The one radio of this model: one panel, for the band it serves.
    c_.panel[1].box->setVisible(false);
    LayoutContent();
}

int WdsInfoPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_WL_GROUP_RADIO, 0);
    return 1;
}

void WdsInfoPage::OnReadDone()
{
    band_ = apWirelessGetCurBand(primaryHandle) == 2 ? 2 : 1;
    RefreshPeers();
}

void WdsInfoPage::RefreshPeers()
{
    c_.panel[0].box->Clear();
    RequestMonitor(monitorHandle, 1);
}

void WdsInfoPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0) {
        ReportFailure(result);
        return;
    }
    apWdsQuery query{};
    std::vector<apWdsPeerRecord> records = ReadPeers(monitor, query);
    ShowPeers(query, records);
}

// The shown panel is the band the radio serves, with that band's channel; the hidden one the
// other band.
void WdsInfoPage::ShowPeers(const apWdsQuery &query, const std::vector<apWdsPeerRecord> &records)
{
    const uint32_t channels[2] = {query.channel1, query.channel2};
    const QString frequencies[2] = {RecordText(query.frequency1), RecordText(query.frequency2)};
    for (int i = 0; i < 2; ++i) {
        const int band = i == 0 ? band_ : 3 - band_;
        c_.panel[i].channel->setText(QString::number(channels[band - 1]));
        c_.panel[i].frequency->setText(QStringLiteral("(%1GHz)").arg(frequencies[band - 1]));
        c_.panel[i].box->Clear();
    }
    for (const apWdsPeerRecord &r : records)
        if (IsShown(r))
            c_.panel[int(r.band) == band_ ? 0 : 1].box->AddRow(RowTexts(r));
}

} // namespace trb
