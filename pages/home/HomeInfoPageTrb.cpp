#include "HomeInfoPageTrb.h"

#include <QLabel>

#include "DeviceInfoText.h"

namespace trb {
namespace {

QString MacOrNotInUse(const char (&slot)[20])
{
    const QString mac = RecordText(slot);
    return IsUnusedMac(mac) ? QStringLiteral("N/A") : mac;
}

} // namespace

HomeInfoPageTrb::HomeInfoPageTrb(QWidget *parent) : HomeInfoPage(parent) {}

void HomeInfoPageTrb::OnReadDone()
{
    HomeInfoPage::OnReadDone();
    const apDeviceInfoRecord &r = record();
    rowValue(Mac24)->setText(MacOrNotInUse(r.mac[1]));
    // The multi-SSID range rows and the unused 5 GHz MAC row carry SSID 1 to 3 here.
    SetRow(Ssid24, QStringLiteral("SSID1"), MacOrNotInUse(r.mac[7]));
    SetRow(Mac5, QStringLiteral("SSID2"), MacOrNotInUse(r.mac[9]));
    SetRow(Ssid5, QStringLiteral("SSID3"), MacOrNotInUse(r.mac[11]));
    StackRows({ModelName, FirmwareVersion, SystemName, Location, SystemTime, UpTime, Mode24, Mac24,
               Ssid24, Mac5, Ssid5, IpAddress});
}

} // namespace trb
