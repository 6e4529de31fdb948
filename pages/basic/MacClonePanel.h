#pragma once
// Wireless MAC clone: the radio (as a client) presents a wired host's MAC address.
#include <QGroupBox>

#include <vector>

#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace trb {

class RecordListCtrl;

class MacClonePanel : public QGroupBox {
    Q_OBJECT
public:
    struct Controls {
        QCheckBox *enable = nullptr;
        QComboBox *source = nullptr; // "Auto", "Manual"
        QLineEdit *mac = nullptr;
        QPushButton *scan = nullptr;
        RecordListCtrl *list = nullptr;
    };
    struct Values {
        int enable = 0;
        int source = 1; // 1 Auto, 2 Manual
        QString mac;    // 12 hex digits
    };

    explicit MacClonePanel(QWidget *parent = nullptr);
    const Controls &controls() const { return c_; }

    void Load(const Values &values);
    // False after "Invalid Mac Address!" when the address is in use and not a unicast MAC.
    bool Collect(Values &values);
    void ShowMacList(const std::vector<apClientMacRecord> &records);
    void UpdateEnabling();

private:
    Controls c_;
};

} // namespace trb
