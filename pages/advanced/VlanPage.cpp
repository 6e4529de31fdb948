#include "VlanPage.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

#include "ActionIconListCtrl.h"
#include "DeviceTable.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordText.h"
#include "VlanPortEditor.h"
#include "VlanPvidPanel.h"

namespace trb {
namespace {

constexpr int kMonitorKind = 7, kPortSelector = 3;
constexpr uint32_t kFullRead = 63, kListRead = 2, kPvidRead = 16;
constexpr int kReadHoldMs = 1000, kWriteHoldMs = 500, kPortHoldMs = 1200, kAutoPvidHoldMs = 2500;
constexpr int kMaxVid = 4094, kNameLength = 32;
constexpr int kListAfterDelete = 10; // bit 3 rides along with the list bit

const char *const kModeNames[] = {"Static", "Dynamic", "Dynamic(2.4G),Static(5G)", "Dynamic(2.4G),Dynamic(5G)"};
const char *const kHiddenPorts[] = {"S-4", "S-5", "S-6", "S-7", "W-5", "W-6", "W-7", "W-8"};

const QString kWarning = QStringLiteral("Warning");

struct VlanHeader {
    int32_t count = 0;
    apVlanRecord *rows = nullptr;
};

const RecordColumn<apVlanRecord> kColumns[] = {
    {"VID", 40, &apVlanRecord::vid},
    {"VLAN Name", 70, &apVlanRecord::name},
    {"Untag VLAN Ports", 200, [](const apVlanRecord &r) { return VlanMembers::DisplayForm(RecordText(r.untagged)); }},
    {"Tag VLAN Ports", 200, [](const apVlanRecord &r) { return VlanMembers::DisplayForm(RecordText(r.tagged)); }},
    {"Edit", 65, ColumnRole::EditIcon},
    {"Delete", 65, ColumnRole::DeleteIcon},
};

const RecordColumn<apVlanPortEntry> kPortColumns[] = {
    {"Port Name", 80, &apVlanPortEntry::portName},
    {"Tag VID", 80, &apVlanPortEntry::tagVids},
    {"Untag VID", 140, &apVlanPortEntry::untagVids},
    {"PVID", 120, &apVlanPortEntry::pvid},
};

bool LimitsVlan(const QString &type) { return type == QLatin1String("vlanID") || type == QLatin1String("both"); }

bool SevenBitAscii(const QString &text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

} // namespace

VlanPage::VlanPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent), editRow_(int(kNewEntryIndex))
{
    BuildControls();
    primaryHandle = apAdvVlanOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, kMonitorKind, 0);
}

void VlanPage::BuildControls()
{
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QStringLiteral("VLAN Status")));
    c_.disable = Named(new QRadioButton(QStringLiteral("Disable")), "vlanDisableRadio", "VLAN Status Disable");
    c_.enable = Named(new QRadioButton(QStringLiteral("Enable")), "vlanEnableRadio", "VLAN Status Enable");
    auto *pair = new QButtonGroup(this);
    pair->addButton(c_.disable);
    pair->addButton(c_.enable);
    c_.disable->setChecked(true);
    statusRow->addWidget(c_.disable);
    statusRow->addWidget(c_.enable);
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    statusRow->addWidget(c_.save);
    statusRow->addStretch(1);

    auto *modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(QStringLiteral("VLAN Mode :")));
    c_.mode = Named(new QLabel, "vlanModeLabel", "VLAN Mode");
    modeRow->addWidget(c_.mode);
    modeRow->addStretch(1);

    c_.list = Named(new ActionIconListCtrl, "vlanList", "VLAN List");
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apVlanRecord>(*c_.list, kColumns);
    c_.ports = Named(new RecordListCtrl, "portList", "PORT List");
    SetUpColumns<apVlanPortEntry>(*c_.ports, kPortColumns);
    c_.pvid = new VlanPvidPanel;

    c_.tabs = Named(new QTabWidget, "vlanTabs", "VLAN");
    c_.tabs->addTab(c_.list, QStringLiteral("VLAN List"));
    c_.tabs->addTab(c_.ports, QStringLiteral("PORT List"));
    c_.tabs->addTab(BuildForm(), QStringLiteral("Add/Edit VLAN"));
    c_.tabs->addTab(c_.pvid, QStringLiteral("PVID Setting"));

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addLayout(statusRow);
    layout->addLayout(modeRow);
    layout->addSpacing(10);
    layout->addWidget(c_.tabs, 1);

    connect(c_.disable, &QRadioButton::clicked, this, [this] { RunStatusRule(false); });
    connect(c_.enable, &QRadioButton::clicked, this, [this] { RunStatusRule(true); });
    connect(c_.save, &QPushButton::clicked, this, &VlanPage::Save);
    connect(c_.formSave, &QPushButton::clicked, this, &VlanPage::SaveVlan);
    connect(c_.pvid->controls().save, &QPushButton::clicked, this, &VlanPage::SavePvids);
    connect(c_.tabs, &QTabWidget::currentChanged, this, &VlanPage::OnTabChanged);
    connect(c_.list, &ActionIconListCtrl::editClicked, this, &VlanPage::EditRow);
    connect(c_.list, &ActionIconListCtrl::deleteClicked, this, &VlanPage::DeleteRow);
    LayoutContent();
}

QWidget *VlanPage::BuildForm()
{
    auto *form = new QWidget;
    FormRows rows = FormRows::On(form);
    c_.vid = rows.Add(QStringLiteral("VLAN ID (VID) "), new QLineEdit, "vidEdit");
    c_.vid->setMaxLength(4);
    c_.name = rows.Add(QStringLiteral("VLAN Name"), new QLineEdit, "vlanNameEdit");
    c_.name->setMaxLength(kNameLength);
    c_.portEditor = new VlanPortEditor;
    rows.grid()->addWidget(c_.portEditor, rows.grid()->rowCount(), 0, 1, 2);
    c_.formSave = PageButton(QStringLiteral("Save"), "formSaveButton");
    c_.formSave->setProperty(kWritesEditedRowProperty, true);
    auto *buttons = ButtonRow({c_.formSave});
    rows.grid()->addLayout(buttons, rows.grid()->rowCount(), 0, 1, 2);
    return form;
}

int VlanPage::editingRow() const { return editRow_ == int(kNewEntryIndex) ? -1 : editRow_; }

// --- Reads ---

int VlanPage::ReadOnShow()
{
    apWarningShown_ = false;
    reloadMask_ = 7;
    editRow_ = int(kNewEntryIndex);
    c_.tabs->setCurrentIndex(ListTab);
    apStyleModify(primaryHandle, kFullRead, 0);
    Hold(kReadHoldMs);
    return 1;
}

void VlanPage::OnReadDone()
{
    if (reloadMask_ & 1)
        ReadParameters();
    if (reloadMask_ & 2)
        ReadList();
    if (reloadMask_ & 4)
        ReadPvids();
    (status_ == 1 ? c_.enable : c_.disable)->setChecked(true);
    RunStatusRule(status_ == 1);
    keepForm_ = false;
}

void VlanPage::ReadParameters()
{
    apAdvVlanVlanGetParameter(primaryHandle, &status_, &mode_);
    if (mode_ >= 0 && mode_ < int(std::size(kModeNames)))
        modeText_ = QString::fromLatin1(kModeNames[mode_]);
    c_.mode->setText(modeText_);
    apVlanRelationRecord relation{};
    apAdvVlanGetRelationParam(primaryHandle, &relation);
    apMode24_ = RecordText(relation.apMode24);
    apMode5_ = RecordText(relation.apMode5);
    limitType_ = RecordText(relation.limitType);
}

void VlanPage::ReadList()
{
    rows_ = ReadTable<apVlanRecord, VlanHeader>([this](VlanHeader &header) {
        apVlanList list{header.count, header.rows};
        const int result = apAdvVlanGetVlanList(primaryHandle, &list);
        header.count = list.count;
        return result;
    });
    FillRecordList<apVlanRecord>(*c_.list, rows_, kColumns);
    if (!keepForm_ || editRow_ == int(kNewEntryIndex))
        return;
    // Rows may have moved: the edit goes on with the row of the edited VID, if any.
    editRow_ = int(kNewEntryIndex);
    for (std::size_t row = 0; row < rows_.size(); ++row)
        if (rows_[row].vid == editedVid_)
            editRow_ = int(row);
}

void VlanPage::ReadPvids()
{
    VlanPvidPanel::Values values;
    for (int band = 1; band <= 2; ++band) {
        const int half = (band - 1) * VlanPvidPanel::kShown;
        std::array<int32_t, VlanPvidPanel::kPorts> ports{};
        std::array<int32_t, VlanPvidPanel::kShown> ssids{}, wds{};
        apVlanPvidRecord record{0, VlanPvidPanel::kPorts, ports.data(), VlanPvidPanel::kShown, ssids.data(),
                                VlanPvidPanel::kShown, wds.data(), 0};
        apAdvVlanGetPVID(primaryHandle, band, &record);
        if (band == 1)
            std::copy(ports.begin(), ports.end(), values.ports.begin());
        std::copy(ssids.begin(), ssids.end(), values.ssids.begin() + half);
        std::copy(wds.begin(), wds.end(), values.wds.begin() + half);
        values.autoAssign = record.autoAssign;
    }
    c_.pvid->Show(values);
}

// --- The "Enable" rule ---

bool VlanPage::StaticMode() const
{
    return modeText_ == QLatin1String("Static(2.4G),Static(5G)") || modeText_ == QLatin1String("Static");
}

void VlanPage::ShowWarnings()
{
    if (LimitsVlan(limitType_))
        Inform(QStringLiteral("If VLAN Status enable, Limit Administrator Status will be disable!"));
    const bool clientOrWds = apMode24_ == QLatin1String("Wireless Client") || apMode24_ == QLatin1String("WDS");
    if (clientOrWds && !apWarningShown_) {
        Inform(QStringLiteral("If you enable VLAN, AP Mode will be set to 'Access Point'!"));
        apWarningShown_ = true;
    }
}

void VlanPage::RunStatusRule(bool enable)
{
    if (enable)
        ShowWarnings();
    const bool newVlan = editRow_ == int(kNewEntryIndex);
    if (newVlan && !keepForm_) {
        c_.vid->clear();
        c_.name->clear();
        c_.portEditor->SetValues(VlanMembers::AllUntagged());
    }
    const bool editable = enable && StaticMode();
    c_.name->setEnabled(editable);
    c_.vid->setEnabled(editable && newVlan);
    for (int group = 0; group < 3; ++group)
        c_.portEditor->group(group)->setEnabled(editable);
    c_.pvid->ApplyEnableRule(enable, StaticMode());
}

// --- Writes ---

// The groups StageStatus stages: the status, and the limit that enabling VLANs lifts.
uint32_t VlanPage::StatusGroups() const
{
    const bool liftsLimit = c_.enable->isChecked() && LimitsVlan(limitType_);
    return AP_VLAN_GROUP_STATUS | (liftsLimit ? AP_VLAN_GROUP_LIMIT : 0);
}

// Each write selects what it stages before staging: the selection a read or an earlier write
// left behind must never decide what this one drops.
void VlanPage::SelectGroups(uint32_t groups) { apStyleModify(primaryHandle, groups, 0); }

void VlanPage::StageStatus()
{
    status_ = c_.enable->isChecked() ? 1 : 0;
    apAdvVlanVlanSetParameter(primaryHandle, status_, 0);
    if (status_ != 1 || !LimitsVlan(limitType_))
        return;
    limitType_ = limitType_ == QLatin1String("vlanID") ? QStringLiteral("disable") : QStringLiteral("ipaddress");
    apVlanRelationRecord relation{};
    SetRecordText(relation.limitType, limitType_);
    apAdvVlanSetRelationParam(primaryHandle, &relation);
}

void VlanPage::Save()
{
    if (mode_ == 1 || mode_ == 2) {
        Inform(QStringLiteral("VLAN doesn't take effect if one vlan mode is Static the other one is Dynamic!"));
        c_.disable->setChecked(true);
        return;
    }
    reloadMask_ = 7; // enabling changes the AP mode and the limit elsewhere: read them back
    SelectGroups(StatusGroups());
    StageStatus();
    RequestWrite();
}

bool VlanPage::StatusAllowsEdits()
{
    if (c_.enable->isChecked())
        return true;
    status_ = 0;
    SelectGroups(AP_VLAN_GROUP_STATUS);
    apAdvVlanVlanSetParameter(primaryHandle, 0, 0);
    RequestWrite();
    return false;
}

bool VlanPage::CheckForm()
{
    const QString name = c_.name->text();
    if (!SevenBitAscii(name))
        return RejectCheck(QStringLiteral("There are some invalid characters !"), QString::fromLatin1(kApplicationTitle),
                           c_.name);
    bool number = false;
    const int vid = c_.vid->text().toInt(&number);
    if (!number || vid < 1 || vid > kMaxVid)
        return RejectCheck(QStringLiteral("The VID value range is 1~4094."), kWarning, c_.vid);
    const bool newVlan = c_.vid->isEnabled();
    for (int row = 0; newVlan && row < c_.list->rowCount(); ++row)
        if (c_.list->cellText(row, VidColumn) == c_.vid->text())
            return RejectCheck(QStringLiteral("There is an existent entry with the same VID.\nPlease change the VID."),
                               kWarning, c_.vid);
    if (name.isEmpty())
        return RejectCheck(QStringLiteral("The VLAN Name field can't be blank!"), kWarning, c_.name);
    if (name.startsWith(QLatin1Char(' ')))
        return RejectCheck(QStringLiteral("The first character can't be blank!"), kWarning, c_.name);
    if (newVlan && c_.list->rowCount() >= kMaxVlans)
        return RejectCheck(QStringLiteral("Maximum Number of VLAN list is 18!"), kWarning, c_.vid);
    return true;
}

void VlanPage::SaveVlan()
{
    if (!StatusAllowsEdits() || !CheckForm())
        return;
    const VlanMembers::Values values = c_.portEditor->Values();
    apVlanRecord record{};
    record.index = editRow_;
    record.vid = c_.vid->text().toInt();
    SetRecordText(record.name, c_.name->text());
    SetRecordText(record.untagged, VlanMembers::Untagged(values));
    SetRecordText(record.tagged, VlanMembers::Tagged(values));
    reloadMask_ = 2;
    SelectGroups(StatusGroups() | AP_VLAN_GROUP_LIST);
    StageStatus();
    if (const int refused = apAdvVlanAddVlan(primaryHandle, record))
        return ShowLibraryError(refused); // nothing to send for the VLAN: the form stays as it is
    formWrite_ = true;
    c_.formSave->setEnabled(false);
    ShowMessage(QStringLiteral("Setting..."));
    Hold(kWriteHoldMs);
    if (RequestWrite() != 0) {
        formWrite_ = false;
        c_.formSave->setEnabled(true);
    }
}

void VlanPage::SavePvids()
{
    if (!StatusAllowsEdits())
        return;
    VlanPvidPanel::Values values;
    if (c_.pvid->automatic()) {
        reloadMask_ = 4;
        SelectGroups(StatusGroups() | AP_VLAN_GROUP_PVID);
        StageStatus();
        apAdvVlanSetPVID(primaryHandle, 0, apVlanPvidRecord{1, 0, nullptr, 0, nullptr, 0, nullptr, 0});
        ShowMessage(QStringLiteral("Setting..."));
        Hold(kAutoPvidHoldMs);
        OpenWaitDialog(QStringLiteral("PVID Setting..., Please wait..."));
        RequestWrite();
        return;
    }
    if (!c_.pvid->Collect(values)) {
        ShowMessageBox(QStringLiteral("The PVID value range is 1~4094."), MessageIcon::Exclamation, kWarning,
                       MessageButtons::Ok, messageParent());
        return;
    }
    std::array<int32_t, VlanPvidPanel::kPorts> ports{};
    std::array<int32_t, VlanPvidPanel::kShown> ssids{}, wds{};
    std::copy(values.ports.begin(), values.ports.end(), ports.begin());
    std::copy_n(values.ssids.begin(), VlanPvidPanel::kShown, ssids.begin());
    std::copy_n(values.wds.begin(), VlanPvidPanel::kShown, wds.begin());
    SelectGroups(StatusGroups() | AP_VLAN_GROUP_PVID);
    StageStatus();
    apAdvVlanSetPVID(primaryHandle, 1,
                     apVlanPvidRecord{0, VlanPvidPanel::kPorts, ports.data(), VlanPvidPanel::kShown, ssids.data(),
                                      VlanPvidPanel::kShown, wds.data(), 0});
    ShowMessage(QStringLiteral("Setting..."));
    Hold(kWriteHoldMs);
    RequestWrite();
}

// Every write ends in a read of what it changed, so the page shows what the device holds even
// when the device refused the write.
void VlanPage::OnWriteDone(int result)
{
    // A VLAN the device refused stays in the form, to be mended and sent again.
    keepForm_ = formWrite_ && result != 0;
    formWrite_ = false;
    c_.formSave->setEnabled(true);
    if (!keepForm_) {
        editRow_ = int(kNewEntryIndex);
        c_.tabs->setCurrentIndex(ListTab);
    }
    const uint32_t style = reloadMask_ == 4 ? kPvidRead : reloadMask_ == 2 || reloadMask_ == kListAfterDelete ? kListRead : kFullRead;
    if (reloadMask_ == kListAfterDelete)
        Hold(kWriteHoldMs);
    apStyleModify(primaryHandle, style, 0);
    RequestRead();
}

// --- The list ---

void VlanPage::EditRow(int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    const apVlanRecord &vlan = rows_[row];
    c_.vid->setText(QString::number(vlan.vid));
    c_.name->setText(RecordText(vlan.name));
    // From the device's strings: the list's text leaves out the hidden ports, whose
    // memberships a save must keep.
    c_.portEditor->SetValues(VlanMembers::FromStrings(RecordText(vlan.untagged), RecordText(vlan.tagged)));
    editRow_ = row;
    editedVid_ = vlan.vid;
    c_.enable->setChecked(true);
    RunStatusRule(true);
    c_.tabs->setCurrentIndex(FormTab);
}

void VlanPage::DeleteRow(int row)
{
    if (c_.disable->isChecked() || row < 0 || row >= c_.list->rowCount())
        return;
    const QString question = QStringLiteral("Are you sure that you want to delete %1 ?").arg(c_.list->cellText(row, NameColumn));
    if (!Confirm(question, QString::fromLatin1(kApplicationTitle)))
        return;
    SelectGroups(AP_VLAN_GROUP_LIST);
    if (const int refused = apAdvVlanDelVlan(primaryHandle, row))
        return ShowLibraryError(refused);
    reloadMask_ = kListAfterDelete;
    RequestWrite();
}

// --- The port view ---

void VlanPage::OnTabChanged(int tab)
{
    c_.tabs->setFocus();
    if (tab == PortTab)
        RefreshPorts();
}

void VlanPage::RefreshPorts()
{
    c_.ports->DeleteAllRows();
    Hold(kPortHoldMs);
    if (RequestMonitor(monitorHandle, kPortSelector) != 0)
        return;
    ShowMessage(QStringLiteral("Reading Config from... ..."));
}

void VlanPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0)
        return;
    auto query = [monitor](apMonitorQuery1 &q) { return apSysMonitorQueryInfor(monitor, &q); };
    std::vector<apVlanPortEntry> entries = ReadTable<apVlanPortEntry, apMonitorQuery1>(query);
    std::erase_if(entries, [](const apVlanPortEntry &entry) {
        const QString name = RecordText(entry.portName);
        return std::any_of(std::begin(kHiddenPorts), std::end(kHiddenPorts),
                           [&](const char *hidden) { return name == QLatin1String(hidden); });
    });
    FillRecordList<apVlanPortEntry>(*c_.ports, entries, kPortColumns);
}

// --- Services ---

// The main window waits this long behind the wait dialog.
void VlanPage::Hold(int ms) { BeginRefresh(ms, {}, true); }

void VlanPage::ShowLibraryError(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    ShowMessage(QString::fromLatin1(text));
}

} // namespace trb
