#pragma once
#include <QString>

#include <array>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trb {

class DataExchange;
class RecordListCtrl;

// Advanced > AP Array: the device's membership of an array of access points, array scans, and
// the groups of settings the array keeps synchronized.
class ApArrayPage : public PopupPage {
    Q_OBJECT
public:
    explicit ApArrayPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Advanced \\AP Array";
    static constexpr int kSyncGroups = 5;
    // This model shows the first item of "Administration Settings" as "SNMP Settings": its
    // value is the device's SNMP flag.
    static constexpr int kShownSnmpItem = 27;
    static constexpr int kSnmpItem = 31;

    using Flags = std::array<int, AP_ARRAY_SYNC_COUNT>;

    struct Controls {
        QCheckBox *enable = nullptr;
        std::array<QRadioButton *, 3> roles{}; // Master, Backup Master, Slave
        QLineEdit *name = nullptr;
        QLineEdit *password = nullptr;
        QPushButton *scan = nullptr;
        QLabel *connection = nullptr;
        RecordListCtrl *arrays = nullptr;
        RecordListCtrl *members = nullptr;
        QPushButton *save = nullptr;
        QPushButton *clearAll = nullptr;
        QWidget *syncPanel = nullptr;
        std::array<QCheckBox *, kSyncGroups> headings{};
        std::array<QWidget *, kSyncGroups> groupItems{};
        std::array<QCheckBox *, AP_ARRAY_SYNC_COUNT> items{}; // null where this model shows none
        std::array<QLabel *, AP_ARRAY_SYNC_COUNT> itemLabels{};
    };
    const Controls &controls() const { return c_; }

    struct Values {
        bool enable = false;
        int role = 1; // 1 Master, 2 Backup Master, 3 Slave
        QString name, password;
        Flags flags{};
    };

    // The flags as the device holds them, shown in this model's items; and back.
    static Flags ShownFlags(const Flags &device);
    static Flags FlagsToSend(const Flags &shown);
    static QString RoleText(int role);

    void Scan();
    void Save();
    void ClearAll();

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnMonitorDone(APHANDLE monitor, int result) override;
    void UpdateEnabling() override;
    // Fits the content again once the window's layout has settled, so the lists take the width.
    void LayoutContent() override;

private:
    void BuildControls();
    QWidget *BuildMembership();
    QWidget *BuildLists();
    QWidget *BuildSyncPanel();
    void Exchange(DataExchange &dx, Values &values);
    void FillLists(const std::vector<apArrayEntry> &arrays, const std::vector<apArrayMember> &members);

    Controls c_;
    Values values_;
    int scanAllowed_ = 0;
    bool modeAllowsArray_ = true;
};

} // namespace trb
