#include "LanPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstring>
#include <memory>

#include "DataExchange.h"
#include "FormCheck.h"
#include "IpAddressEdit.h"
#include "IpMaskGatewayCheck.h"
#include "ProcessValues.h"
#include "ScrollLayout.h"

namespace trb {
namespace {

// The device's word for "no gateway".
const QString kNoGateway = QStringLiteral("N/A");

QString SlotText(const char *slot, std::size_t size)
{
    return QString::fromLatin1(slot, static_cast<qsizetype>(strnlen(slot, size)));
}

void CopyToSlot(char *slot, std::size_t size, const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    std::memset(slot, 0, size);
    std::memcpy(slot, bytes.constData(), std::min<std::size_t>(bytes.size(), size - 1));
}

} // namespace

LanPage::LanPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), modeCombo_(new QComboBox),
      ipEdit_(new IpAddressEdit), maskEdit_(new IpAddressEdit), gatewayEdit_(new IpAddressEdit),
      saveButton_(new QPushButton(QStringLiteral("Save")))
{
    BuildControls();
    primaryHandle = apSysDeviceInforOpen(sessionHandle, 0);
}

void LanPage::BuildControls()
{
    modeCombo_->addItems({QStringLiteral("Static IP( Manual)"), QStringLiteral("Dynamic IP( DHCP)")});
    modeCombo_->setCurrentIndex(-1); // no selection until the device has been read
    modeCombo_->setObjectName(QStringLiteral("getIpFromCombo"));
    modeCombo_->setAccessibleName(QStringLiteral("Get IP From"));
    ipEdit_->setFieldName(QStringLiteral("ipAddressEdit"), QStringLiteral("IP Address"));
    maskEdit_->setFieldName(QStringLiteral("subnetMaskEdit"), QStringLiteral("Subnet Mask"));
    gatewayEdit_->setFieldName(QStringLiteral("defaultGatewayEdit"), QStringLiteral("Default Gateway"));
    saveButton_->setObjectName(QStringLiteral("saveButton"));
    saveButton_->setAccessibleName(QStringLiteral("Save"));
    saveButton_->setAutoDefault(false);

    auto *group = new QGroupBox;
    auto *grid = new QGridLayout(group);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    const QList<QPair<QString, QWidget *>> rows = {
        {QStringLiteral("Get IP From"), modeCombo_},
        {QStringLiteral("IP Address"), ipEdit_},
        {QStringLiteral("Subnet Mask "), maskEdit_},
        {QStringLiteral("Default Gateway"), gatewayEdit_},
    };
    for (int row = 0; row < rows.size(); ++row) {
        auto *label = new QLabel(rows[row].first);
        label->setBuddy(rows[row].second);
        grid->addWidget(label, row, 0);
        grid->addWidget(rows[row].second, row, 1);
    }
    grid->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(saveButton_);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(modeCombo_, &QComboBox::currentIndexChanged, this, &LanPage::ApplyEnablingRule);
    connect(saveButton_, &QPushButton::clicked, this, &LanPage::Save);
    LayoutContent();
}

int LanPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_DEVINFO_GROUP_LAN, 0);
    return 1;
}

void LanPage::OnReadDone()
{
    auto record = std::make_unique<apLanSettingsRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->group = AP_DEVINFO_RECORD_GROUP_LAN;
    apSysDeviceGetInfor(primaryHandle, record.get());

    QString ip = SlotText(record->ipAddress, sizeof record->ipAddress);
    QString mask = SlotText(record->subnetMask, sizeof record->subnetMask);
    QString gateway = SlotText(record->gateway, sizeof record->gateway);
    if (gateway == kNoGateway)
        gateway.clear();
    int mode = static_cast<int>(record->addressMode);

    DataExchange dx(DataExchange::Loading);
    ExchangeText(dx, ipEdit_, ip);
    ExchangeText(dx, maskEdit_, mask);
    ExchangeText(dx, gatewayEdit_, gateway);
    ExchangeIndex(dx, modeCombo_, mode);
    ApplyEnablingRule();
}

// Static addresses are typed in; with DHCP the device gets them itself.
void LanPage::ApplyEnablingRule()
{
    const bool manual = modeCombo_->currentIndex() == kStaticIndex;
    ipEdit_->setEnabled(manual);
    maskEdit_->setEnabled(manual);
    gatewayEdit_->setEnabled(manual);
}

bool LanPage::CopyFieldsForSave(int &mode, QString &ip, QString &mask, QString &gateway)
{
    DataExchange dx(DataExchange::Saving);
    ExchangeIndex(dx, modeCombo_, mode);
    const bool manual = mode == kStaticIndex;
    ExchangeText(dx, ipEdit_, ip);
    if (manual)
        CheckHostIp(dx, ip, QStringLiteral("Invalid IP Address!"));
    ExchangeText(dx, maskEdit_, mask);
    if (manual)
        CheckSubnetMask(dx, mask, QStringLiteral("Invalid Subnet Mask!"));
    ExchangeText(dx, gatewayEdit_, gateway);
    if (manual && !gateway.isEmpty())
        CheckHostIpNotZero(dx, gateway, QStringLiteral("Invalid Gateway Address!"));
    return !dx.failed();
}

void LanPage::Save()
{
    int mode = -1;
    QString ip, mask, gateway;
    if (!CopyFieldsForSave(mode, ip, mask, gateway))
        return;
    if (!CheckIpMaskGateway(ip, mask, gateway))
        return;

    auto record = std::make_unique<apLanSettingsRecord>();
    std::memset(record.get(), 0, sizeof *record);
    record->group = AP_DEVINFO_RECORD_GROUP_LAN;
    record->addressMode = static_cast<uint32_t>(mode);
    CopyToSlot(record->ipAddress, sizeof record->ipAddress, ip);
    CopyToSlot(record->subnetMask, sizeof record->subnetMask, mask);
    CopyToSlot(record->gateway, sizeof record->gateway, gateway);
    apSysDeviceSetInfor(primaryHandle, record.get());
    RequestWrite();
}

void LanPage::LayoutContent()
{
    const QSize hint = content()->sizeHint();
    const QSize visible(scrollLayout().visibleWidth(), scrollLayout().visibleHeight());
    scrollLayout().SetContentSize(std::max(hint.width(), visible.width()),
                                  std::max(hint.height(), visible.height()));
}

void LanPage::resizeEvent(QResizeEvent *event)
{
    PopupPage::resizeEvent(event);
    LayoutContent();
}

} // namespace trb
