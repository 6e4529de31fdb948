#pragma once
#include "DeviceInfoPage.h"

namespace trb {

// The device information page on the TRB-4820: one radio, so one band's sections, chosen by
// the band it serves; the SSID rows show the addresses of SSID 1 to 3.
class DeviceInfoPageTrb : public DeviceInfoPage {
    Q_OBJECT
public:
    explicit DeviceInfoPageTrb(QWidget *parent = nullptr);

    void OnReadDone() override;

protected:
    uint32_t ReadBandCount() const override { return 1; }
};

} // namespace trb
