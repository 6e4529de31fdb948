#include "DeviceInfoPageTrb.h"

#include <QLabel>

#include "DeviceInfoText.h"
#include "MacAddress.h"

namespace trb {

DeviceInfoPageTrb::DeviceInfoPageTrb(QWidget *parent) : DeviceInfoPage(parent) {}

void DeviceInfoPageTrb::OnReadDone()
{
    DeviceInfoPage::OnReadDone();
    // SSID 1, 2 and 3 sit at MAC slots 7, 9 and 11.
    for (WirelessMacSection &section : macSections_) {
        for (int i = 0; i < 3; ++i) {
            const QString mac = MacPlainToColon(RecordText(record().mac[7 + 2 * i]));
            section.ssid[i]->setText(IsUnusedMac(mac) ? QStringLiteral("N/A") : mac);
        }
    }
}

} // namespace trb
