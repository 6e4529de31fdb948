#include "HomeInfoPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QStatusBar>
#include <QVBoxLayout>

#include <cstring>

#include "DeviceInfoText.h"
#include "DeviceReportedAddress.h"
#include "ProcessValues.h"

namespace trb {
namespace {

// The wait dialog shows this long, whether or not the read has finished.
constexpr int kWaitDialogMs = 600;

struct RowText {
    const char *label;
    const char *objectName;
};
const RowText kRowTexts[HomeInfoPage::kRowCount] = {
    {"Model Name", "modelName"},
    {"Firmware Version", "firmwareVersion"},
    {"System Name", "systemName"},
    {"Location", "location"},
    {"System Time", "systemTime"},
    {"Up Time", "upTime"},
    {"Operation Mode(2.4GHz)", "operationMode24"},
    {"Operation Mode(5GHz)", "operationMode5"},
    {"MAC Address(2.4GHz)", "macAddress24"},
    {"SSID 1~7(2.4GHz)", "ssidRange24"},
    {"MAC Address(5GHz)", "macAddress5"},
    {"SSID 1~7(5GHz)", "ssidRange5"},
    {"IP Address", "ipAddress"},
};

QString MacRange(const char (&first)[20], const char (&last)[20])
{
    return RecordText(first) + QStringLiteral(" ~ ") + RecordText(last);
}

} // namespace

HomeInfoPage::HomeInfoPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), record_(std::make_unique<apDeviceInfoRecord>())
{
    std::memset(record_.get(), 0, sizeof *record_);
    BuildRows();
    primaryHandle = apSysDeviceInforOpen(sessionHandle, 0);
}

HomeInfoPage::~HomeInfoPage() = default;

void HomeInfoPage::BuildRows()
{
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(24, 20, 24, 12);
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(24);
    grid_->setVerticalSpacing(12);
    grid_->setColumnMinimumWidth(0, 170);
    grid_->setColumnStretch(1, 1);
    layout->addLayout(grid_);
    layout->addStretch(1);

    for (int row = 0; row < kRowCount; ++row) {
        const QString name = QString::fromLatin1(kRowTexts[row].objectName);
        rows_[row].label = new QLabel(QString::fromLatin1(kRowTexts[row].label));
        rows_[row].label->setObjectName(name + QStringLiteral("Label"));
        rows_[row].value = new QLabel;
        rows_[row].value->setObjectName(name + QStringLiteral("Value"));
        rows_[row].value->setAccessibleName(rows_[row].label->text());
        rows_[row].value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    QList<Row> all;
    for (int row = 0; row < kRowCount; ++row)
        all << static_cast<Row>(row);
    StackRows(all);
}

int HomeInfoPage::ReadOnShow()
{
    ShowMessage(QStringLiteral("Reading Config from... ..."));
    // The wait is timed from its start here, whether or not the read has finished by then.
    BeginRefresh(kWaitDialogMs, {}, true);
    waitDialog()->repaint();
    return 1;
}

void HomeInfoPage::OnReadDone()
{
    record_->bandCount = ReadBandCount();
    record_->group = AP_DEVINFO_RECORD_GROUP_DEVICE;
    std::memset(record_->operationMode, 0, sizeof record_->operationMode);
    apSysDeviceGetInfor(primaryHandle, record_.get());

    const QString mode24 = RecordText(record_->operationMode[0]);
    const QString mode5 = RecordText(record_->operationMode[1]);
    if (!mode24.isEmpty() && !mode5.isEmpty())
        emit modeTextsRead(mode24, mode5);
    SetDeviceReportedAddress(RecordText(record_->ipAddress), RecordText(record_->subnetMask));

    FillRows();
    LayoutRows(ComputeLayoutType());
}

void HomeInfoPage::FillRows()
{
    const apDeviceInfoRecord &r = *record_;
    rows_[ModelName].value->setText(RecordText(r.modelName));
    rows_[FirmwareVersion].value->setText(RecordText(r.firmwareVersion));
    rows_[SystemName].value->setText(RecordText(r.systemName));
    rows_[Location].value->setText(RecordText(r.location));
    rows_[SystemTime].value->setText(RecordText(r.systemTime));
    rows_[UpTime].value->setText(RecordText(r.upTime));
    rows_[Mode24].value->setText(RecordText(r.operationMode[0]));
    rows_[Mode5].value->setText(RecordText(r.operationMode[1]));
    rows_[Mac24].value->setText(RecordText(r.mac[1]));
    rows_[Ssid24].value->setText(MacRange(r.mac[3], r.mac[5]));
    rows_[Mac5].value->setText(RecordText(r.mac[2]));
    rows_[Ssid5].value->setText(MacRange(r.mac[4], r.mac[6]));
    rows_[IpAddress].value->setText(RecordText(r.ipAddress));
}

int HomeInfoPage::ComputeLayoutType() const
{
    if (record_->bandCount == 1)
        return kBand24;
    const bool on24 = RecordText(record_->wirelessState[0]) == QLatin1String("enabled");
    const bool on5 = RecordText(record_->wirelessState[1]) == QLatin1String("enabled");
    const bool off24 = RecordText(record_->wirelessState[0]) == QLatin1String("disabled");
    const bool off5 = RecordText(record_->wirelessState[1]) == QLatin1String("disabled");
    if (on24 && off5)
        return kBand24;
    if (off24 && on5)
        return kBand5;
    if (on24 && on5)
        return kBothBands;
    return kNoBand;
}

void HomeInfoPage::LayoutRows(int type)
{
    QList<Row> order = {ModelName, FirmwareVersion, SystemName, Location, SystemTime, UpTime};
    if (record_->bandCount == 1) {
        // One band: its rows lose the band in their labels; the 5 GHz rows close up.
        rows_[Mode24].label->setText(QStringLiteral("Operation Mode"));
        rows_[Mac24].label->setText(QStringLiteral("MAC Address"));
        rows_[Ssid24].label->setText(QStringLiteral("SSID 1~7"));
        order << Mode24 << Mac24 << Ssid24 << Ssid5 << IpAddress;
        StackRows(order);
        return;
    }
    const bool show24 = type == kBand24 || type == kBothBands;
    const bool show5 = type == kBand5 || type == kBothBands;
    if (show24)
        order << Mode24;
    if (show5)
        order << Mode5;
    if (show24)
        order << Mac24 << Ssid24;
    if (show5)
        order << Mac5 << Ssid5;
    order << IpAddress;
    StackRows(order);
}

void HomeInfoPage::StackRows(const QList<Row> &order)
{
    for (const RowWidgets &row : rows_) {
        grid_->removeWidget(row.label);
        grid_->removeWidget(row.value);
        row.label->hide();
        row.value->hide();
    }
    for (int position = 0; position < order.size(); ++position) {
        const RowWidgets &row = rows_[order[position]];
        grid_->addWidget(row.label, position, 0);
        grid_->addWidget(row.value, position, 1);
        row.label->show();
        row.value->show();
    }
    shownRows_ = order;
    LayoutContent();
}

void HomeInfoPage::SetRow(Row row, const QString &label, const QString &value)
{
    rows_[row].label->setText(label);
    rows_[row].value->setText(value);
    rows_[row].value->setAccessibleName(label);
}

} // namespace trb
