#pragma once
#include <QTimer>

#include "PopupPage.h"
#include "TRB4820apRecords.h"

class QTabWidget;

namespace trb {

class DhcpDynamicTab;
class DhcpLeaseTab;
class DhcpStaticTab;

// Advanced > DHCP Server: the server's state, its dynamic pool, the MAC-bound static entries
// and the addresses leased now, on three tabs.
class DhcpServerPage : public PopupPage {
    Q_OBJECT
public:
    explicit DhcpServerPage(QWidget *parent = nullptr);
    ~DhcpServerPage() override;

    static inline const char kTitle[] = "Advanced \\ DHCP Server";
    enum Tab { DynamicTab, StaticTab, LeaseTab };
    // A leading status value from this on locks the server's state.
    static constexpr int kLockedStatus = 4;

    QTabWidget *tabs() const { return tabs_; }
    DhcpDynamicTab *dynamicTab() const { return dynamic_; }
    DhcpStaticTab *staticTab() const { return static_; }
    DhcpLeaseTab *leaseTab() const { return leases_; }
    int poolType() const { return poolType_; }
    // Reads completed since the page opened; lease views filled likewise.
    int readsDone() const { return readsDone_; }
    int leaseViewsDone() const { return leaseViewsDone_; }

    void SaveDynamic();
    void SaveStatic();
    void DeleteStatic(int row);

    int ReadOnShow() override;
    void OnReadDone() override;
    void OnWriteDone(int result) override;
    void OnMonitorDone(APHANDLE monitor, int result) override;
    void UpdateEnabling() override;

private:
    enum Reload { ControlAndList = 0x1, PoolAndList = 0x2 };

    void BuildControls();
    void ReadControl();
    void ReadPool();
    void ReadStaticList();
    void ShowTab(int index);
    // Saving with the server off: only the server control goes, at once (blocking), then a re-read.
    void WriteControlOnly(int poolType);
    void ReRead();

    QTabWidget *tabs_ = nullptr;
    DhcpDynamicTab *dynamic_ = nullptr;
    DhcpStaticTab *static_ = nullptr;
    DhcpLeaseTab *leases_ = nullptr;
    QTimer shownTimer_;
    uint32_t reloadMask_ = ControlAndList | PoolAndList;
    int poolType_ = 0;
    int deletingRow_ = -1; // the row of the delete on its way, -1 for none
    bool formWrite_ = false; // the write on its way carries the static form's entry
    bool keepForm_ = false;  // the device refused it: the re-read leaves the form as it is
    int readsDone_ = 0;
    int leaseViewsDone_ = 0;
};

} // namespace trb
