#pragma once
#include "HomeInfoPage.h"

namespace trb {

// The home page on the TRB-4820: one radio, and the addresses of SSID 1 to 3 instead of the
// multi-SSID ranges.
class HomeInfoPageTrb : public HomeInfoPage {
    Q_OBJECT
public:
    explicit HomeInfoPageTrb(QWidget *parent = nullptr);

    void OnReadDone() override;

protected:
    uint32_t ReadBandCount() const override { return 1; }
};

} // namespace trb
