#include "ClientInfoPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "BandListPanel.h"
#include "DeviceTable.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

const std::vector<BandListPanel::Column> kColumns = {
    {"Index", 0},  {"SSID", 100},   {"MAC", 100},       {"Band", 80},
    {"Authentication", 100}, {"Signal", 80}, {"Power Saving Mode", 130},
};

QString BandText(int band) { return band == 2 ? QStringLiteral("(5GHz):") : QStringLiteral("(2.4GHz):"); }

} // namespace

ClientInfoPage::ClientInfoPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apWirelessOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 0, 0);
}

QString ClientInfoPage::BandLetter(const QString &phyMode)
{
    static const std::pair<const char *, const char *> kLetters[] = {
        {"dot11a", "A"}, {"dot11b", "B"}, {"dot11g", "G"}, {"dot11n", "N"}};
    for (const auto &[phy, letter] : kLetters)
        if (phyMode == QLatin1String(phy))
            return QString::fromLatin1(letter);
    return phyMode;
}

QStringList ClientInfoPage::RowTexts(const apClientRecord &r)
{
    return {QString::number(r.index), RecordText(r.ssid), RecordText(r.mac), BandLetter(RecordText(r.phyMode)),
            RecordText(r.authentication), QStringLiteral("%1%").arg(r.signal), RecordText(r.powerSave).toUpper()};
}

void ClientInfoPage::BuildControls()
{
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(10, 10, 10, 10);
    for (int i = 0; i < 2; ++i) {
        Panel &p = c_.panel[i];
        p.box = new BandListPanel(QStringLiteral("clientPanel%1").arg(i + 1), kColumns);
        p.band = new QLabel(BandText(i + 1));
        p.band->setObjectName(QStringLiteral("clientBandLabel%1").arg(i + 1));
        p.count = new QLabel(QStringLiteral("0"));
        p.count->setObjectName(QStringLiteral("clientCountLabel%1").arg(i + 1));
        int at = 0;
        for (QLabel *label : {new QLabel(QStringLiteral("Client Information")),
                              new QLabel(QStringLiteral("Station association")), p.band, p.count})
            p.box->header()->insertWidget(at++, label);
        layout->addWidget(p.box);
        connect(p.box->refresh(), &QPushButton::clicked, this, &ClientInfoPage::RefreshStations);
    }
    // The one radio of this model: one panel, for the band it serves.
    c_.panel[1].box->setVisible(false);
    LayoutContent();
}

int ClientInfoPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_WL_GROUP_RADIO, 0);
    return 1;
}

void ClientInfoPage::OnReadDone()
{
    band_ = apWirelessGetCurBand(primaryHandle) == 2 ? 2 : 1;
    c_.panel[0].band->setText(BandText(band_));
    c_.panel[1].band->setText(BandText(3 - band_));
    RefreshStations();
}

void ClientInfoPage::RefreshStations()
{
    c_.panel[0].box->refresh()->setEnabled(false);
    for (Panel &p : c_.panel) {
        p.box->Clear();
        p.count->setText(QStringLiteral("0"));
    }
    if (RequestMonitor(monitorHandle, 1) != 0) // refused at once: no completion will follow
        c_.panel[0].box->refresh()->setEnabled(true);
}

void ClientInfoPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0) { // the lists stay empty; the user may try again
        ReportFailure(result);
        c_.panel[0].box->refresh()->setEnabled(true);
        return;
    }
    auto query = [monitor](apMonitorQuery1 &q) { return apSysMonitorQueryInfor(monitor, &q); };
    ShowStations(ReadTable<apClientRecord, apMonitorQuery1>(query));
}

// The shown panel lists the band the radio serves (whichever band that is), the hidden one
// the other band; rows of an unknown band are skipped.
void ClientInfoPage::ShowStations(const std::vector<apClientRecord> &records)
{
    for (const apClientRecord &r : records) {
        if (r.band != 1 && r.band != 2)
            continue;
        c_.panel[int(r.band) == band_ ? 0 : 1].box->AddRow(RowTexts(r));
    }
    for (Panel &p : c_.panel)
        p.count->setText(QString::number(p.box->rowCount()));
    c_.panel[0].box->refresh()->setEnabled(true);
}

} // namespace trb
