#pragma once
#include <array>
#include <memory>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QGroupBox;
class QLabel;

namespace trb {

// Status > Device Information: read-only sections for the device's data, MAC addresses,
// Ethernet and per-band wireless settings, AP array and load; the band sections appear
// as the device's bands are in use.
class DeviceInfoPage : public PopupPage {
    Q_OBJECT
public:
    explicit DeviceInfoPage(QWidget *parent = nullptr);
    ~DeviceInfoPage() override;

    static inline const char kTitle[] = "Status \\ Device Information";
    static constexpr int kContentWidth = 600;
    // LayoutSections types: which bands' sections show.
    enum LayoutType { kNoBand = 0, kBand24 = 1, kBand5 = 2, kBothBands = 3 };

    void OnReadDone() override;
    void LayoutContent() override;
    virtual void LayoutSections(int type);

    const apDeviceInfoRecord &record() const { return *record_; }

protected:
    // The number of bands the page asks the library for; this model's layer asks for one.
    virtual uint32_t ReadBandCount() const { return 2; }

    struct WirelessMacSection {
        QWidget *panel = nullptr;
        QLabel *bandLabel = nullptr;
        QLabel *primary = nullptr;
        std::array<QLabel *, 3> ssid{};
    };
    struct WirelessSection {
        QGroupBox *panel = nullptr;
        QLabel *ssid = nullptr;
        QLabel *channel = nullptr;
        QLabel *dataRate = nullptr;
        QLabel *security = nullptr;
    };

    // Index 0: 2.4 GHz, 1: 5 GHz.
    std::array<WirelessMacSection, 2> macSections_;
    std::array<WirelessSection, 2> wirelessSections_;

private:
    void BuildSections();
    QWidget *BuildGeneralSection();
    void BuildWirelessMacSection(int band);
    QGroupBox *BuildEthernetSection();
    void BuildWirelessSection(int band);
    QGroupBox *BuildApArraySection();
    QGroupBox *BuildDeviceStatusSection();

    void ReadRecord();
    void FillSections();
    int ComputeLayoutType() const;

    std::unique_ptr<apDeviceInfoRecord> record_;
    QWidget *generalSection_ = nullptr;
    QLabel *firmwareValue_ = nullptr;
    QLabel *ethernetMacValue_ = nullptr;
    QGroupBox *ethernetSection_ = nullptr;
    QLabel *ipValue_ = nullptr;
    QLabel *maskValue_ = nullptr;
    QLabel *gatewayValue_ = nullptr;
    QGroupBox *apArraySection_ = nullptr;
    QLabel *apArrayNameValue_ = nullptr;
    QLabel *apArrayRoleValue_ = nullptr;
    QLabel *apArrayLocationValue_ = nullptr;
    QGroupBox *deviceStatusSection_ = nullptr;
    QLabel *cpuValue_ = nullptr;
    QLabel *memoryValue_ = nullptr;
};

} // namespace trb
