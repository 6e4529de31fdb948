#pragma once
// The "PVID Setting" tab of the VLAN page: automatic assignment on or off, and the port VIDs
// of Mgmt, LAN, the SSIDs and the WDS links.
#include <QWidget>

#include <array>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trb {

class VlanPvidPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPorts = 2, kPerGroup = 8, kShown = 4;

    // Band 1 holds Primary, S-1..S-3 and W-1..W-4; band 2 the other four of each group.
    struct Values {
        int autoAssign = 0;
        std::array<int, kPorts> ports{};
        std::array<int, kPerGroup> ssids{};
        std::array<int, kPerGroup> wds{};
    };

    struct Controls {
        QRadioButton *autoOff = nullptr;
        QRadioButton *autoOn = nullptr;
        QGroupBox *portGroup = nullptr;
        QGroupBox *band = nullptr;
        QGroupBox *secondBand = nullptr; // a second radio's ports; this model has one radio
        std::array<QLineEdit *, kPorts> ports{};
        std::array<QLineEdit *, kPerGroup> ssids{};
        std::array<QLineEdit *, kPerGroup> wds{};
        QPushButton *save = nullptr;
    };

    explicit VlanPvidPanel(QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Show(const Values &values);
    bool automatic() const;
    // The entered values; false with the focus on the first field that is blank or outside 1-4094.
    bool Collect(Values &values);
    // The page's "Enable" rule: radios and fields only in static mode with VLAN on; the fields
    // only while assignment is off.
    void ApplyEnableRule(bool enabled, bool staticMode);

private:
    QGroupBox *BuildBand();
    void UpdateFields();

    Controls c_;
    bool editable_ = false;
};

} // namespace trb
