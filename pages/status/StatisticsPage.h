#pragma once
#include <QStringList>

#include <array>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace trb {

// Status > Stats: the traffic counters of the wired port and of the radio, one tab each.
class StatisticsPage : public PopupPage {
    Q_OBJECT
public:
    explicit StatisticsPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Status \\ Stats";

    enum Tab { EthernetTab = 0, WlanTab = 1 };
    static constexpr int kEthernetRows = 15;
    static constexpr int kWlanRows = 11;

    struct TabControls {
        QWidget *panel = nullptr;
        QPushButton *refresh = nullptr;
        QPushButton *clear = nullptr;
    };
    struct Controls {
        QTabWidget *tabs = nullptr;
        TabControls tab[2];
        std::array<QLabel *, kEthernetRows> ethernetLabels{};
        std::array<QLabel *, kEthernetRows> ethernet{};
        std::array<QLabel *, 2> wlanHeaders{};   // "2.4GHz", "5GHz" (hidden on this model)
        std::array<std::array<QLabel *, 2>, kWlanRows> wlan{}; // [row][band - 1]
    };
    const Controls &controls() const { return c_; }

    // The texts of each row, in the order the page shows them. Counters are unsigned 32-bit
    // values: one past 2147483647 is shown as 2147483648, never as a negative number. A
    // nonzero flag word shows every row as "0".
    static QStringList EthernetTexts(const apStatEthernetRecord &record);
    static QStringList WlanTexts(const apStatWlanRecord &record, int band);

    void RefreshTab(int tab);
    void ClearTab(int tab);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;

private:
    void BuildControls();
    QWidget *BuildEthernetPanel();
    QWidget *BuildWlanPanel();
    void ShowEthernet();
    void ShowWlan();
    void SetTabBusy(int tab, bool busy);
    int CurrentTab() const;

    Controls c_;
    bool clearFlag_ = false; // from a Clear until the next read has been shown
};

} // namespace trb
