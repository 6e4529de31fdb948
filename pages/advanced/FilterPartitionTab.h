#pragma once
// The "WLAN Partition" tab of the Filter page: the band, link integrity, Ethernet-to-WLAN access
// and one row of radio buttons per SSID (rows 4 to 7 hidden, their values kept).
#include <QWidget>

#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QPushButton;

namespace trb {

struct PartitionValues {
    int linkIntegrity = 0;  // 0/1
    int ethernetToWlan = 0; // 0/1
    int mode = 1;           // the device's partition mode value: 4 and 5 mean not available
    int multiSsidState = 0; // non-zero: the Multi-SSID rows may be changed
    std::array<int32_t, 8> ssids{}; // 0 Enable, 1 Disable, 2 Guest mode
};

class FilterPartitionTab : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSsids = 8;
    static constexpr int kShownSsids = 4;
    static constexpr int kChoices = 3;

    explicit FilterPartitionTab(QWidget *parent = nullptr);

    struct Controls {
        QComboBox *band = nullptr;
        QCheckBox *linkIntegrity = nullptr;
        QCheckBox *ethernetToWlan = nullptr;
        QCheckBox *internalStation = nullptr; // never shown
        std::array<QWidget *, kSsids> rows{};
        std::array<QButtonGroup *, kSsids> choices{};
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    void Load(const PartitionValues &values);
    // The values the controls hold, with the device's mode and state of the last load.
    PartitionValues Values() const;
    void UpdateEnabling();

signals:
    // The user unticked "Ethernet to WLAN Access".
    void ethernetToWlanCleared();

private:
    void BuildRows();

    Controls c_;
    PartitionValues loaded_;
};

} // namespace trb
