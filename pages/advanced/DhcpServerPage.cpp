#include "DhcpServerPage.h"

#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "DeviceTable.h"
#include "DhcpDynamicTab.h"
#include "DhcpLeaseTab.h"
#include "DhcpStaticTab.h"
#include "FormRows.h"
#include "MainWindowLink.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"

namespace trb {
namespace {

constexpr int kShownMs = 500;
constexpr int kLeaseSelector = 3;

// The shape ReadTable fills, over the library's static list header.
struct StaticHeader {
    int32_t count = 0;
    apDhcpStaticEntry *rows = nullptr;
};

} // namespace

DhcpServerPage::DhcpServerPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apAdvDHCPOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 5, 0);
    shownTimer_.setSingleShot(true);
    connect(&shownTimer_, &QTimer::timeout, this, [this] {
        update();
        ShowMessage(lastMessage);
    });
}

DhcpServerPage::~DhcpServerPage() = default;

void DhcpServerPage::BuildControls()
{
    tabs_ = Named(new QTabWidget, "dhcpTabs", "DHCP Server");
    dynamic_ = Named(new DhcpDynamicTab, "dynamicPoolTab", "Dynamic Pool Settings");
    static_ = Named(new DhcpStaticTab, "staticPoolTab", "Static Pool Settings");
    leases_ = Named(new DhcpLeaseTab, "currentIpListTab", "Current IP List");
    tabs_->addTab(dynamic_, QStringLiteral("Dynamic Pool Settings"));
    tabs_->addTab(static_, QStringLiteral("Static Pool Settings"));
    tabs_->addTab(leases_, QStringLiteral("Current IP List"));
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(5, 5, 5, 5);
    layout->addWidget(tabs_);

    connect(tabs_, &QTabWidget::currentChanged, this, &DhcpServerPage::ShowTab);
    connect(dynamic_, &DhcpDynamicTab::stateChanged, this, &DhcpServerPage::UpdateEnabling);
    connect(static_, &DhcpStaticTab::stateChanged, this, &DhcpServerPage::UpdateEnabling);
    connect(dynamic_->controls().save, &QPushButton::clicked, this, &DhcpServerPage::SaveDynamic);
    connect(static_->controls().save, &QPushButton::clicked, this, &DhcpServerPage::SaveStatic);
    connect(static_, &DhcpStaticTab::deleteRequested, this, &DhcpServerPage::DeleteStatic);
    LayoutContent();
}

int DhcpServerPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_DHCP_GROUP_ALL, 0);
    reloadMask_ = ControlAndList | PoolAndList;
    // No wait dialog here: the main window stays disabled until the page closes.
    MainWindowLink::SetEnabled(false);
    shownTimer_.start(kShownMs);
    return 1;
}

void DhcpServerPage::OnReadDone()
{
    if (reloadMask_ & ControlAndList)
        ReadControl();
    if (reloadMask_ & PoolAndList)
        ReadPool();
    if (reloadMask_ & (ControlAndList | PoolAndList))
        ReadStaticList();
    reloadMask_ = 0;
    keepForm_ = false;
    ++readsDone_;
}

void DhcpServerPage::ReadControl()
{
    int status = 0, state = 0, poolType = 0;
    apAdvDHCPGetSetting(primaryHandle, &status, &state, &poolType, nullptr, nullptr);
    const bool switchable = status < kLockedStatus;
    for (QComboBox *combo : {dynamic_->controls().state, static_->controls().state}) {
        combo->setEnabled(switchable);
        combo->setCurrentIndex(state == 1 ? 1 : 0);
    }
    poolType_ = poolType;
}

void DhcpServerPage::ReadPool()
{
    int status = 0;
    apDhcpDynamicRecord pool{};
    apAdvDHCPGetSetting(primaryHandle, &status, nullptr, nullptr, &pool, nullptr);
    dynamic_->Fill(pool);
    if (!keepForm_)
        static_->SetDefaults(pool);
}

void DhcpServerPage::ReadStaticList()
{
    const auto entries = ReadTable<apDhcpStaticEntry, StaticHeader>([this](StaticHeader &header) {
        int status = 0;
        apDhcpStaticList list{header.count, header.rows};
        const int result = apAdvDHCPGetSetting(primaryHandle, &status, nullptr, nullptr, nullptr, &list);
        header.count = list.count;
        return result;
    });
    static_->Fill(entries, keepForm_);
}

void DhcpServerPage::UpdateEnabling()
{
    dynamic_->UpdateEnabling(poolType_);
    static_->UpdateEnabling(poolType_);
}

void DhcpServerPage::WriteControlOnly(int poolType)
{
    apAdvDHCPServerControl(primaryHandle, 0, poolType);
    RequestWrite(false);
    ReRead();
}

void DhcpServerPage::SaveDynamic()
{
    const int state = dynamic_->controls().state->currentIndex();
    if (state == 1 && !dynamic_->Check(*this))
        return;
    const int poolType = state == 1 && poolType_ == 0 ? 1 : poolType_;
    if (state == 0)
        return WriteControlOnly(poolType);
    // The pool first: one the library cannot carry stages nothing and sends nothing.
    const apDhcpDynamicRecord pool = dynamic_->Record();
    if (const int code = apAdvDHCPDynamicSet(primaryHandle, &pool)) {
        ReportFailure(code);
        return;
    }
    apAdvDHCPServerControl(primaryHandle, state, poolType);
    RequestWrite(false);
    ReRead();
}

// The entry and the server control go out in one set request: the device takes both or neither.
void DhcpServerPage::SaveStatic()
{
    const int state = static_->controls().state->currentIndex();
    if (state == 1 && !static_->Check(*this))
        return;
    const int poolType = state == 1 && poolType_ == 0 ? 2 : poolType_;
    if (state == 0)
        return WriteControlOnly(poolType);
    const apDhcpStaticEntry entry = static_->TakeEntry();
    if (const int code = apAdvDHCPStaticPoolAdd(primaryHandle, &entry)) {
        ReportFailure(code); // an edited row the last read no longer holds
        return;
    }
    apAdvDHCPServerControl(primaryHandle, state, poolType);
    formWrite_ = RequestWrite() == 0; // re-read when it completes
}

void DhcpServerPage::DeleteStatic(int row)
{
    if (!Confirm(QStringLiteral("Are you sure that you want to delete this entry ?"), QString::fromLatin1(kApplicationTitle)))
        return;
    if (const int code = apAdvDHCPStaticPoolDelete(primaryHandle, row)) {
        ReportFailure(code);
        return;
    }
    apAdvDHCPServerControl(primaryHandle, static_->controls().state->currentIndex(), 1);
    deletingRow_ = row;
    if (RequestWrite() != 0)
        deletingRow_ = -1;
}

// The list shown is always the device's, whatever became of the write. The edit moves with the
// rows only once the device has taken the delete.
void DhcpServerPage::OnWriteDone(int result)
{
    if (result == 0 && deletingRow_ >= 0)
        static_->RowDeleted(deletingRow_);
    deletingRow_ = -1;
    if (formWrite_ && result == 0)
        static_->EntryTaken();
    keepForm_ = formWrite_ && result != 0;
    formWrite_ = false;
    ReRead();
}

void DhcpServerPage::ReRead()
{
    ReadOnShow();
    RequestRead();
}

void DhcpServerPage::ShowTab(int index)
{
    if (index != LeaseTab)
        return;
    leases_->Clear();
    RequestMonitor(monitorHandle, kLeaseSelector);
}

void DhcpServerPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0) {
        ReportFailure(result);
        return;
    }
    apDhcpLeaseView view{};
    if (apSysMonitorQueryInfor(monitor, &view) != 0)
        return;
    std::vector<apDhcpLeaseEntry> dynamicLeases(view.dynamicCount);
    std::vector<apDhcpStaticLeaseEntry> staticLeases(view.staticCount);
    view.dynamicLeases = dynamicLeases.data();
    view.staticLeases = staticLeases.data();
    if (apSysMonitorQueryInfor(monitor, &view) != 0)
        return;
    dynamicLeases.resize(std::min<std::size_t>(view.dynamicCount, dynamicLeases.size()));
    staticLeases.resize(std::min<std::size_t>(view.staticCount, staticLeases.size()));
    leases_->Fill(dynamicLeases, staticLeases);
    ++leaseViewsDone_;
}

} // namespace trb
