#pragma once
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <optional>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace trb {

class TrafficChart;

// Status > Stats: the traffic counters of the wired port and of the radio, one tab each, and
// under them a chart of their rates, read every few seconds while the page is open.
class StatisticsPage : public PopupPage {
    Q_OBJECT
public:
    explicit StatisticsPage(QWidget *parent = nullptr);

    static inline const char kTitle[] = "Status \\ Stats";

    enum Tab { EthernetTab = 0, WlanTab = 1 };
    static constexpr int kEthernetRows = 15;
    static constexpr int kWlanRows = 11;
    // The pause after each of the chart's reads, and how much history it shows (both scaled like
    // every timer).
    static constexpr int kTrafficReadMs = 5000;
    static constexpr int kTrafficWindowMs = 10 * 60 * 1000;

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
        TrafficChart *traffic = nullptr;
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
    void OnReadFailed() override;
    void OnWriteDone(int result) override;
    void ShowMessage(const QString &text) override;

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void BuildControls();
    QWidget *BuildEthernetPanel();
    QWidget *BuildWlanPanel();
    void ShowEthernet();
    void ShowWlan();
    void SetTabBusy(int tab, bool busy);
    int CurrentTab() const;
    void ReadTraffic();
    void TakeTrafficSample();
    void EndTrafficRead();

    Controls c_;
    bool clearFlag_ = false; // from a Clear until the next read has been shown
    QTimer trafficTimer_;
    QElapsedTimer clock_;
    std::optional<qint64> sampleAskedMs_; // a read of both tabs' counters is on its way
    bool trafficReading_ = false;         // the chart's own read is on its way
    QString messageBeforeRead_;
};

} // namespace trb
