#include "PerformancePage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "ProcessValues.h"
#include "RateChoices.h"
#include "RecordText.h"
#include "WirelessCodes.h"

namespace trb {
namespace {

using namespace wireless;

constexpr uint32_t kPerformanceGroups =
    AP_WL_GROUP_RADIO | AP_WL_GROUP_LISTS | AP_WL_GROUP_PERFORMANCE | AP_WL_GROUP_SECURITY; // 0xC21

const QStringList kDisableEnable = {QStringLiteral("Disable"), QStringLiteral("Enable")};

QLineEdit *NumberEdit(int maxLength)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    return edit;
}

// Replaces the entries and selects `selected`, the first entry when there is no such entry.
void ResetEntries(QComboBox *combo, const QStringList &entries, int selected)
{
    combo->clear();
    combo->addItems(entries);
    combo->setCurrentIndex(selected >= 0 && selected < entries.size() ? selected : 0);
}

bool ModeHas11n(const QComboBox *mode) { return mode->currentText().contains(QStringLiteral("11n")); }

} // namespace

PerformancePage::PerformancePage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apWirelessOpen(sessionHandle, 0);
}

void PerformancePage::BuildControls()
{
    auto *group = new QGroupBox;
    FormRows rows = FormRows::On(group);
    rows.grid()->setHorizontalSpacing(12);
    auto unit = [&rows](const char *text) {
        rows.grid()->addWidget(new QLabel(QString::fromLatin1(text)), rows.grid()->rowCount() - 1, 2);
    };
    c_.band = rows.Add(QStringLiteral("Wireless Band"), ComboOf({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")}),
                       "wirelessBandCombo");
    QLabel *bandLabel = rows.lastLabel();
    c_.radio = rows.Add(QStringLiteral("Wireless"), ComboOf({QStringLiteral("On"), QStringLiteral("Off")}), "wirelessCombo");
    c_.wirelessMode = rows.Add(QStringLiteral("Wireless Mode "), new QComboBox, "wirelessModeCombo");
    c_.wirelessMode->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    c_.dataRate = rows.Add(QStringLiteral("Data Rate "), new QComboBox, "dataRateCombo");
    unit("(Mbps)");
    c_.beacon = rows.Add(QStringLiteral("Beacon Interval (25-500)"), NumberEdit(3), "beaconIntervalEdit");
    c_.dtim = rows.Add(QStringLiteral("DTIM Interval (1-15)"), NumberEdit(2), "dtimIntervalEdit");
    c_.transmitPower = rows.Add(QStringLiteral("Transmit Power"),
                                ComboOf({QStringLiteral("100%"), QStringLiteral("50%"), QStringLiteral("25%"),
                                       QStringLiteral("12.5%")}),
                                "transmitPowerCombo");
    c_.wmm = rows.Add(QStringLiteral("WMM (Wi-Fi Multimedia)"), ComboOf(kDisableEnable), "wmmCombo");
    c_.ack = rows.Add(QStringLiteral("Ack Time Out (2.4GHz, 64~200)"), NumberEdit(3), "ackTimeoutEdit");
    c_.ackLabel = rows.lastLabel();
    unit("(us)");
    c_.shortGi = rows.Add(QStringLiteral("Short GI"), ComboOf(kDisableEnable), "shortGiCombo");
    c_.igmp = rows.Add(QStringLiteral("IGMP Snooping"), ComboOf(kDisableEnable), "igmpSnoopingCombo");
    c_.connectionLimit = rows.Add(QStringLiteral("Connection Limit "), ComboOf(kDisableEnable), "connectionLimitCombo");
    c_.userLimit = rows.Add(QStringLiteral("User Limit (0 - 64)"), NumberEdit(2), "userLimitEdit");
    c_.utilization = rows.Add(QStringLiteral("Network Utilization "),
                              ComboOf({QStringLiteral("0%"), QStringLiteral("20%"), QStringLiteral("40%"),
                                     QStringLiteral("60%"), QStringLiteral("80%"), QStringLiteral("100%")}),
                              "networkUtilizationCombo");
    QLabel *utilizationLabel = rows.lastLabel();
    c_.multicastRate = rows.Add(QStringLiteral("Multicast Rate"), new QComboBox, "multicastRateCombo");
    unit("(Mbps)");
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");

    // This model works on the device's current band and has no utilization limit; the hidden
    // rows collapse, so "Multicast Rate" moves up.
    SetVisible({c_.band, bandLabel, c_.utilization, utilizationLabel}, false);
    SetEnabled({c_.band, c_.utilization}, false);

    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(c_.wirelessMode, &QComboBox::activated, this, &PerformancePage::OnWirelessModeChosen);
    connect(c_.igmp, &QComboBox::activated, this, [this](int index) {
        if (index != 0) // IGMP snooping and a multicast rate exclude each other
            c_.multicastRate->setCurrentIndex(0);
    });
    connect(c_.multicastRate, &QComboBox::activated, this, [this](int index) {
        if (index != 0)
            c_.igmp->setCurrentIndex(0);
    });
    connect(c_.connectionLimit, &QComboBox::activated, this, &PerformancePage::UpdateEnabling);
    connect(c_.save, &QPushButton::clicked, this, &PerformancePage::Save);
    LayoutContent();
}

PerformancePage::Values PerformancePage::FromRecord(const apPerformanceRecord &record, int modeIndex)
{
    Values v;
    v.radio = (record.radioOn & 0xFF) == 1 ? 0 : 1;
    v.wirelessMode = modeIndex;
    v.beacon = int(record.beaconInterval);
    v.dtim = int(record.dtimInterval);
    v.ack = int(record.ackTimeout);
    v.userLimit = int(record.userLimit);
    v.transmitPower = int(record.transmitPower) - 1;
    v.wmm = int(record.wmm);
    v.shortGi = int(record.shortGi);
    v.igmp = int(record.igmpSnooping);
    v.connectionLimit = int(record.connectionLimit);
    v.utilization = int(record.utilization) / 2;
    return v;
}

void PerformancePage::ToRecord(const Values &v, apPerformanceRecord &record)
{
    record.radioOn = v.radio == 0 ? 1 : 0;
    record.beaconInterval = uint32_t(v.beacon);
    record.dtimInterval = uint32_t(v.dtim);
    record.ackTimeout = uint32_t(v.ack);
    record.userLimit = uint32_t(v.userLimit);
    record.transmitPower = uint32_t(v.transmitPower + 1);
    record.wmm = uint32_t(v.wmm);
    record.shortGi = uint32_t(v.shortGi);
    record.igmpSnooping = uint32_t(v.igmp);
    record.connectionLimit = uint32_t(v.connectionLimit);
    record.utilization = uint32_t(2 * v.utilization);
}

bool PerformancePage::SecurityExcludes11n(int type, const apSecurityBlock &block)
{
    switch (type) {
    case OpenSystem:
    case SharedKey:
    case OpenOrShared:
        return block.wep.encryption != 0;
    case WpaPersonal:
        return block.personal.cipher == 3; // TKIP
    case WpaEnterprise:
        return block.enterprise.cipher == 3;
    case Dot1x:
        return true;
    default:
        return false;
    }
}

int PerformancePage::ReadOnShow()
{
    apStyleModify(primaryHandle, kPerformanceGroups, 0);
    return 1;
}

void PerformancePage::OnReadDone() { LoadBand(apWirelessGetCurBand(primaryHandle)); }

void PerformancePage::LoadBand(int band)
{
    band_ = band == Band5 ? Band5 : Band24;
    bandCount_ = apWirelessGetBandCount(primaryHandle);
    apWirelessGetApMode(primaryHandle, band_, 0, &apMode_, nullptr);

    int type = 0;
    apSecurityBlock block{};
    apSecurityRecord security{0, 0, &block};
    apWirelessGetSecurity(primaryHandle, band_, 0, &type, &security);
    restricted_ = SecurityExcludes11n(type, block);

    record_ = apPerformanceRecord{};
    apWirelessGetPerformance(primaryHandle, band_, 0, &record_);
    record_.apMode = uint32_t(apMode_);
    record_.bandCount = uint32_t(bandCount_);

    c_.band->setCurrentIndex(band_ - 1);
    c_.ackLabel->setText(band_ == Band5 ? QStringLiteral("Ack Time Out (5GHz, 50~200)")
                                        : QStringLiteral("Ack Time Out (2.4GHz, 64~200)"));
    const QStringList modes = WirelessModeEntries(band_, restricted_);
    ResetEntries(c_.wirelessMode, modes, 0);
    // An 802.11n-only radio whose security now rules 802.11n out shows the mixed mode: that is
    // what a save can store with this security.
    int modeIndex = ModeIndexOfCode(int(record_.wirelessMode), bandCount_);
    if (modeIndex < 0 || modeIndex >= modes.size())
        modeIndex = 0;
    Values values = FromRecord(record_, modeIndex);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, values);
    FillRates(record_);
    ApplyApModeRules();
    Apply11nRule();
}

void PerformancePage::FillRates(const apPerformanceRecord &record)
{
    char rates[AP_WL_TEXT_SIZE] = {};
    char multicast[AP_WL_TEXT_SIZE] = {};
    apWirelessGetList(primaryHandle, band_, nullptr, nullptr, rates, multicast, nullptr, nullptr);
    multicastList_ = rates::Split(RecordText(multicast));
    const QStringList dataEntries = rates::Entries(rates::Split(RecordText(rates)));
    const QStringList multicastEntries = rates::Entries(multicastList_);
    ResetEntries(c_.dataRate, dataEntries, rates::IndexStartingWith(dataEntries, RecordText(record.dataRate)));
    ResetEntries(c_.multicastRate, multicastEntries,
                 rates::IndexStartingWith(multicastEntries, RecordText(record.multicastRate)));
}

// What a client or bridge mode takes from the peer it joins, forced on load.
void PerformancePage::ApplyApModeRules()
{
    if (apMode_ == AccessPoint)
        return;
    c_.connectionLimit->setCurrentIndex(0);
    if (apMode_ != WdsWithAp)
        c_.multicastRate->setCurrentIndex(0);
    if (apMode_ == WirelessClient) {
        c_.wirelessMode->setCurrentIndex(0);
        c_.shortGi->setCurrentIndex(1);
        c_.igmp->setCurrentIndex(0);
    }
    if (apMode_ == WirelessClient || apMode_ == ApRepeater) {
        c_.beacon->clear();
        c_.dtim->clear();
    }
}

// The data-rate, short GI and multicast choices the wireless mode allows.
void PerformancePage::Apply11nRule()
{
    const bool has11n = ModeHas11n(c_.wirelessMode);
    if (!has11n || restricted_) {
        const QString current = c_.dataRate->currentText();
        for (const QString &entry : {rates::kBest300, rates::kAuto})
            if (const int at = c_.dataRate->findText(entry); at >= 0)
                c_.dataRate->removeItem(at);
        if (current == rates::kBest300 || current == rates::kAuto || c_.dataRate->currentIndex() < 0)
            c_.dataRate->setCurrentIndex(c_.dataRate->findText(rates::kBest54));
    } else {
        if (c_.dataRate->findText(rates::kBest300) < 0)
            c_.dataRate->insertItem(0, rates::kBest300);
        c_.dataRate->setCurrentIndex(c_.dataRate->findText(rates::kBest300));
    }
    if (!has11n)
        c_.shortGi->setCurrentIndex(0);
    // The rate is kept by its value: the lists of the modes differ, so a position would name
    // another rate.
    const QStringList multicast = rates::MulticastFor(c_.wirelessMode->currentText(), multicastList_);
    if (!multicast.isEmpty())
        ResetEntries(c_.multicastRate, multicast, int(multicast.indexOf(c_.multicastRate->currentText())));
}

void PerformancePage::OnWirelessModeChosen()
{
    Apply11nRule();
    UpdateEnabling();
}

void PerformancePage::UpdateEnabling()
{
    const bool accessPoint = apMode_ == AccessPoint;
    const bool joinsPeer = apMode_ == WirelessClient || apMode_ == ApRepeater;
    const bool has11n = ModeHas11n(c_.wirelessMode);
    SetEnabled({c_.wirelessMode, c_.multicastRate, c_.beacon, c_.dtim}, !joinsPeer);
    c_.shortGi->setEnabled(!joinsPeer && has11n && !restricted_);
    c_.dataRate->setEnabled(!has11n);
    c_.igmp->setEnabled(apMode_ == AccessPoint || apMode_ == WdsWithAp);
    c_.connectionLimit->setEnabled(accessPoint);
    c_.userLimit->setEnabled(c_.connectionLimit->currentIndex() == 1);
}

void PerformancePage::Exchange(DataExchange &dx, Values &v)
{
    ExchangeIndex(dx, c_.radio, v.radio);
    ExchangeIndex(dx, c_.wirelessMode, v.wirelessMode);
    ExchangeIndex(dx, c_.transmitPower, v.transmitPower);
    ExchangeIndex(dx, c_.wmm, v.wmm);
    ExchangeIndex(dx, c_.shortGi, v.shortGi);
    ExchangeIndex(dx, c_.igmp, v.igmp);
    ExchangeIndex(dx, c_.connectionLimit, v.connectionLimit);
    ExchangeIndex(dx, c_.utilization, v.utilization);
    const bool on = v.radio == 0;
    // A client or repeater takes beacon and DTIM from its peer: its empty fields keep the
    // device's values.
    if (apMode_ != WirelessClient && apMode_ != ApRepeater) {
        on ? ExchangeInt(dx, c_.beacon, v.beacon, 25, 500) : ExchangeInt(dx, c_.beacon, v.beacon);
        on ? ExchangeInt(dx, c_.dtim, v.dtim, 1, 15) : ExchangeInt(dx, c_.dtim, v.dtim);
    }
    const int ackMin = band_ == Band5 ? 50 : 64;
    on ? ExchangeInt(dx, c_.ack, v.ack, ackMin, 200) : ExchangeInt(dx, c_.ack, v.ack);
    on && v.connectionLimit == 1 ? ExchangeInt(dx, c_.userLimit, v.userLimit, 0, 64)
                                 : ExchangeInt(dx, c_.userLimit, v.userLimit);
}

void PerformancePage::Save()
{
    Values values = FromRecord(record_, c_.wirelessMode->currentIndex());
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, values);
    if (dx.failed())
        return;
    apPerformanceRecord record = record_;
    ToRecord(values, record);
    record.wirelessMode = uint32_t(ModeCodeOfIndex(band_, values.wirelessMode));
    SetRecordText(record.dataRate, c_.dataRate->currentIndex() == 0 ? rates::kAuto : c_.dataRate->currentText());
    SetRecordText(record.multicastRate, c_.multicastRate->currentText());
    apWirelessSetPerformance(primaryHandle, band_, 0, &record);
    record_ = record;
    RequestWrite();
}

} // namespace trb
