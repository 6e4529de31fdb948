#pragma once
#include <QString>

#include <array>
#include <vector>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trb {

class ActionIconListCtrl;
class CollapsibleSection;
class DataExchange;

// Maintenance > Administration Settings: who may administer the device (VLAN and address
// ranges), its name, the login, the console, traps and ping, in six collapsible sections.
class AdminPage : public PopupPage {
    Q_OBJECT
public:
    explicit AdminPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Maintenance \\Administration Settings";
    static constexpr int kMaxRanges = AP_ADMIN_MAX_RANGES;
    static constexpr int kLimitedMode = 4; // the mode value under which the limits cannot be set

    enum Section { LimitSection, NameSection, LoginSection, ConsoleSection, TrapSection, PingSection, SectionCount };

    struct Controls {
        std::array<CollapsibleSection *, SectionCount> sections{};
        QCheckBox *vlanLimit = nullptr;
        QLineEdit *vlanId = nullptr;
        QCheckBox *ipLimit = nullptr;
        QLineEdit *from = nullptr;
        QLineEdit *to = nullptr;
        QPushButton *add = nullptr;
        ActionIconListCtrl *ranges = nullptr;
        QLineEdit *systemName = nullptr;
        QLineEdit *location = nullptr;
        QLineEdit *loginName = nullptr;
        QLineEdit *oldPassword = nullptr;
        QLineEdit *newPassword = nullptr;
        QLineEdit *confirmPassword = nullptr;
        QCheckBox *console = nullptr;
        QRadioButton *telnet = nullptr;
        QRadioButton *ssh = nullptr;
        QComboBox *timeout = nullptr;
        QCheckBox *trap = nullptr;
        QLineEdit *trapServer = nullptr;
        QCheckBox *ping = nullptr;
        QPushButton *save = nullptr;
    };
    const Controls &controls() const { return c_; }

    struct Values {
        bool vlanLimit = false;
        int vlanId = 1;
        bool ipLimit = false;
        QString systemName, location;
        QString loginName, oldPassword, newPassword, confirmPassword;
        bool console = false;
        int protocol = 0; // 0 Telnet, 1 SSH
        int timeout = 0;
        bool trap = false;
        QString trapServer;
        bool ping = false;
    };

    // The device's range list: one entry per pair that is a range, its item number its position.
    static std::vector<apAdminRangeEntry> ParseRanges(const QString &text);

    void Save();
    void AddRange();
    void DeleteRange(int row);

    int ReadOnShow() override;
    void OnReadDone() override;
    void UpdateEnabling() override;

private:
    void BuildControls();
    void BuildLimitSection(QWidget *body);
    void BuildNameSection(QWidget *body);
    void BuildLoginSection(QWidget *body);
    void BuildConsoleSection(QWidget *body);
    void BuildTrapSection(QWidget *body);
    void BuildPingSection(QWidget *body);
    void Exchange(DataExchange &dx, Values &values);
    void ExchangeLimit(DataExchange &dx, Values &values);
    void ExchangeName(DataExchange &dx, Values &values);
    void ExchangeLogin(DataExchange &dx, Values &values);
    int StageAll(const Values &values);
    bool CheckRange(const QString &from, const QString &to);
    // The VLAN ID a write carries: the field's while it holds a valid one, else the device's.
    int VlanIdForWrite() const;
    void WarnOfDisabledFunctions();
    void ShowLibraryError(int code);

    Controls c_;
    std::vector<apAdminRangeEntry> ranges_;
    QString currentPassword_;
    int vlanId_ = 1;
    int functionStates_[3] = {};
    int mode_ = 0;
};

} // namespace trb
