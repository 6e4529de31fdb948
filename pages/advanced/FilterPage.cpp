#include "FilterPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "ClientInfoPage.h"
#include "DeviceTable.h"
#include "FileDialogService.h"
#include "FileTransfer.h"
#include "FilterPartitionTab.h"
#include "FormRows.h"
#include "MacAddress.h"
#include "MacAddressEdit.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordText.h"
#include "TransferFileCheck.h"

namespace trb {
namespace {

// What apStyleModify selects before the read on show, and before the read after a write (the
// device's band and the unused SSID states do not change with the page's writes).
constexpr uint32_t kShowGroups = AP_FILTER_GROUP_ALL; // 31
constexpr uint32_t kAfterWriteGroups =
    AP_FILTER_GROUP_ACL | AP_FILTER_GROUP_PARTITION | AP_FILTER_GROUP_SSID_PARTITION; // 22
static_assert(kShowGroups == 31 && kAfterWriteGroups == 22);

constexpr int kReadEndMs = 100; // the wait dialog stays this long after a read
constexpr int kDisableIndex = 2;
constexpr int kRejectIndex = 1;

const RecordColumn<apFilterAclEntry> kAclColumns[] = {
    {"ID", 80, &apFilterAclEntry::index},
    {"Mac Address", 200, [](const apFilterAclEntry &e) { return FilterPage::ShownMac(RecordText(e.mac)); }},
    {"Delete", 60, ColumnRole::DeleteIcon},
};

const RecordColumn<apClientRecord> kClientColumns[] = {
    {"Mac Address", 120, &apClientRecord::mac},
    {"SSID", 80, &apClientRecord::ssid},
    {"Band", 60, [](const apClientRecord &r) { return ClientInfoPage::BandLetter(RecordText(r.phyMode)); }},
    {"Authentication", 120, &apClientRecord::authentication},
    {"Signal", 60, [](const apClientRecord &r) { return QStringLiteral("%1%").arg(r.signal); }},
};

// The shape ReadTable fills, over the library's list header.
struct AclHeader {
    int32_t count = 0;
    apFilterAclEntry *rows = nullptr;
};

QLabel *Heading(const QString &text, const char *objectName)
{
    QLabel *label = SectionHeading(text, QString::fromLatin1(objectName));
    label->setAccessibleName(text);
    return label;
}

// The ACL file transfers: the page's own timers and the device's directions and commands.
enum AclTimer { kAclUploadTimer = 1, kAclDownloadTimer = 2 };
constexpr int kAclUploadMs = 6000;
constexpr int kAclDownloadMs = 30000; // how long the device may take to send its list
constexpr int kStatusRetryMs = 2000;   // a device still busy with the file is asked again
constexpr int kMaxStatusRetries = 15;
constexpr int kAclCommand = 9;

QByteArray Latin1(const QString &text) { return text.toLatin1(); }

} // namespace

FilterPage::FilterPage(QWidget *parent)
    : PopupPage(QString::fromLatin1(kTitle), parent), transfer_(new FileTransfer(this, 3000, 3))
{
    BuildControls();
    primaryHandle = apAdvFilterOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 0, 0);
    connect(transfer_, &FileTransfer::timerFired, this, &FilterPage::EndAclTransfer);
    connect(transfer_, &FileTransfer::fileCrossed, this, [this] {
        if (kind_ == kTransferDownload)
            EndAclTransfer(kAclDownloadTimer);
    });
}

FilterPage::~FilterPage()
{
    if (tftpHandle_)
        apHandleClose(tftpHandle_);
}

QString FilterPage::ShownMac(const QString &deviceMac)
{
    if (deviceMac.size() != 12 || deviceMac.contains(QLatin1Char(':')))
        return deviceMac;
    return MacPlainToColon(deviceMac);
}

void FilterPage::BuildControls()
{
    c_.tabs = Named(new QTabWidget, "filterTabs", "Filter");
    c_.aclTab = BuildAclTab();
    c_.partition = Named(new FilterPartitionTab, "partitionTab", "WLAN Partition");
    c_.tabs->addTab(c_.aclTab, QStringLiteral("Wireless MAC ACL"));
    c_.tabs->addTab(c_.partition, QStringLiteral("WLAN Partition"));
    c_.tabs->setCurrentIndex(0);
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(c_.tabs);

    connect(c_.partition->controls().save, &QPushButton::clicked, this, &FilterPage::SavePartition);
    connect(c_.partition, &FilterPartitionTab::ethernetToWlanCleared, this, [this] {
        Inform(QStringLiteral(
            "AP will block all multicast/broadcast packets from Ethernet to Wireless,except DHCP's."));
    });
    LayoutContent();
}

QWidget *FilterPage::BuildAclTab()
{
    auto *tab = Named(new QWidget, "aclTab", "Wireless MAC ACL");
    auto *top = new QWidget;
    FormRows rows = FormRows::On(top);
    c_.aclBand = rows.Add(QStringLiteral("Wireless Band"), ComboOf({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")}),
                          "aclBandCombo");
    c_.aclBand->setEnabled(false);
    const QStringList modes = {QStringLiteral("Accept"), QStringLiteral("Reject"), QStringLiteral("Disable")};
    c_.accessControl = rows.Add(QStringLiteral("Access Control"), ComboOf(modes), "accessControlCombo");
    c_.mac = rows.Add(QStringLiteral("MAC Address"), new MacAddressEdit, "aclMacEdit");
    c_.add = PageButton(QStringLiteral("Add"), "aclAddButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    rows.grid()->addWidget(c_.add, rows.grid()->rowCount() - 1, 2);

    c_.aclList = Named(new ActionIconListCtrl, "aclList", "Access Control List");
    c_.aclList->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apFilterAclEntry>(*c_.aclList, kAclColumns);
    c_.aclList->horizontalHeader()->setSectionsClickable(false);

    c_.clientList = Named(new RecordListCtrl, "clientList", "Current Client Information");
    c_.clientList->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apClientRecord>(*c_.clientList, kClientColumns);
    // Both lists whole in the window's width, short enough that the file panel stays in view.
    c_.clientList->setMinimumWidth(470);
    c_.aclList->setFixedHeight(150);
    c_.clientList->setFixedHeight(120);

    c_.aclSave = PageButton(QStringLiteral("Save"), "aclSaveButton");
    auto *buttons = ButtonRow({c_.aclSave});

    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(top);
    layout->addWidget(c_.aclList);
    layout->addWidget(new QLabel(QStringLiteral("Current Client Information ")));
    layout->addWidget(c_.clientList);
    layout->addWidget(BuildAclFilePanel());
    layout->addStretch(1);
    layout->addLayout(buttons);

    connect(c_.accessControl, &QComboBox::currentIndexChanged, this, &FilterPage::UpdateEnabling);
    connect(c_.add, &QPushButton::clicked, this, &FilterPage::Add);
    connect(c_.aclSave, &QPushButton::clicked, this, &FilterPage::SaveAcl);
    connect(c_.aclList, &ActionIconListCtrl::deleteClicked, this, &FilterPage::DeleteRow);
    connect(c_.clientList, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { ClientClicked(index.row()); });
    return tab;
}

QWidget *FilterPage::BuildAclFilePanel()
{
    auto *panel = new QWidget;
    auto *grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(Heading(QStringLiteral("Upload ACL File"), "uploadAclHeading"), 0, 0, 1, 3);
    auto *uploadLabel = new QLabel(QStringLiteral("Upload File :"));
    c_.uploadFile = Named(new QLineEdit, "aclUploadFileEdit", "Upload File");
    uploadLabel->setBuddy(c_.uploadFile);
    c_.browse = PageButton(QStringLiteral("Browse"), "aclBrowseButton");
    c_.upload = PageButton(QStringLiteral("Upload"), "aclUploadButton");
    grid->addWidget(uploadLabel, 1, 0);
    grid->addWidget(c_.uploadFile, 1, 1);
    grid->addWidget(c_.browse, 1, 2);
    grid->addWidget(c_.upload, 2, 2);
    grid->addWidget(Heading(QStringLiteral("Download ACL File"), "downloadAclHeading"), 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Load ACL File to Local Hard Driver :")), 4, 0, 1, 2);
    c_.download = PageButton(QStringLiteral("Download"), "aclDownloadButton");
    grid->addWidget(c_.download, 4, 2);

    connect(c_.browse, &QPushButton::clicked, this, &FilterPage::Browse);
    connect(c_.upload, &QPushButton::clicked, this, [this] { StartAclUpload(); });
    connect(c_.download, &QPushButton::clicked, this, [this] { StartAclDownload(); });
    return panel;
}

// --- Reading ---

int FilterPage::ReadOnShow()
{
    apStyleModify(primaryHandle, kShowGroups, 0);
    BeginRefresh(kReadEndMs);
    return 1;
}

void FilterPage::OnReadDone()
{
    int band = 0;
    apFilterBandGet(primaryHandle, &band);
    deviceBand_ = band == 2 ? 2 : 1;
    LoadBand(1); // the first band's values, whatever band the radio serves
    c_.clientList->DeleteAllRows();
    RequestMonitor(monitorHandle, 1);
    c_.aclBand->setCurrentIndex(deviceBand_ - 1);
    c_.partition->controls().band->setCurrentIndex(deviceBand_ - 1);
}

void FilterPage::LoadBand(int band)
{
    shownBand_ = band;
    LoadAcl(band);
    LoadPartition(band);
}

void FilterPage::LoadAcl(int band)
{
    int mode = 0;
    apAdvFilterACLGet(primaryHandle, band, &mode, nullptr);
    std::vector<apFilterAclEntry> entries = ReadTable<apFilterAclEntry, AclHeader>([&](AclHeader &header) {
        apFilterAclList list{header.count, header.rows};
        const int result = apAdvFilterACLGet(primaryHandle, band, nullptr, &list);
        header.count = list.count;
        return result;
    });
    std::erase_if(entries, [band](const apFilterAclEntry &e) { return e.band != band; });
    int number = 0;
    for (apFilterAclEntry &entry : entries)
        entry.index = ++number; // the list shows running numbers, not the device's entry numbers
    FillRecordList<apFilterAclEntry>(*c_.aclList, entries, kAclColumns);
    c_.aclBand->setCurrentIndex(band - 1);
    aclUnavailable_ = mode == AP_FILTER_ACL_UNAVAILABLE;
    c_.accessControl->setCurrentIndex(aclUnavailable_ || mode < 1 || mode > 3 ? kDisableIndex : mode - 1);
    if (!ActionFailed())
        c_.mac->setText(QString());
}

void FilterPage::LoadPartition(int band)
{
    PartitionValues values;
    apFilterIntList ssids{8, values.ssids.data()};
    apAdvFilterWLANPartitionGet(primaryHandle, band, &values.linkIntegrity, &values.ethernetToWlan, &values.mode,
                                &values.multiSsidState, &ssids);
    std::array<int32_t, 8> states{};
    apFilterIntList stateList{8, states.data()};
    apAdvFilterWLANSssidStateGet(primaryHandle, band, &stateList); // read as the device expects; not shown
    c_.partition->controls().band->setCurrentIndex(band - 1);
    c_.partition->Load(values);
}

void FilterPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0) {
        ReportFailure(result);
        return;
    }
    auto query = [monitor](apMonitorQuery1 &q) { return apSysMonitorQueryInfor(monitor, &q); };
    std::vector<apClientRecord> clients = ReadTable<apClientRecord, apMonitorQuery1>(query);
    std::erase_if(clients, [this](const apClientRecord &r) { return int(r.band) != deviceBand_; });
    FillRecordList<apClientRecord>(*c_.clientList, clients, kClientColumns);
}

void FilterPage::UpdateEnabling()
{
    c_.accessControl->setEnabled(!aclUnavailable_);
    const bool filtering = c_.accessControl->currentIndex() != kDisableIndex;
    SetEnabled({c_.mac, c_.add}, filtering);
    SetEnabled({c_.aclBand, c_.partition->controls().band}, false);
    c_.partition->UpdateEnabling();
}

// --- Changes ---

bool FilterPage::TakenByRow(const QString &plainMac) const
{
    for (int row = 0; row < c_.aclList->rowCount(); ++row)
        if (MacColonToPlain(ShownMac(c_.aclList->cellText(row, MacColumn))).compare(plainMac, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void FilterPage::Add()
{
    const QString mac = MacColonToPlain(c_.mac->text());
    if (!IsValidUnicastMac(mac) || mac == QLatin1String("000000000000")) {
        RejectCheck(QStringLiteral("Invalid Mac Address!"), QString::fromLatin1(kApplicationTitle), c_.mac);
        return;
    }
    // Compared without regard to case: the device holds one entry per address.
    if (TakenByRow(mac)) {
        RejectCheck(QStringLiteral("Reject: The MAC already exists "), QStringLiteral("Warning"), c_.mac);
        return;
    }
    ChangeAcl(c_.accessControl->currentIndex(), mac.toUpper(), AddMac);
}

void FilterPage::DeleteRow(int row)
{
    if (row < 0 || row >= c_.aclList->rowCount())
        return;
    if (!Confirm(QStringLiteral("Do you want to delete this item ?")))
        return;
    const QString mac = MacColonToPlain(ShownMac(c_.aclList->cellText(row, MacColumn)));
    c_.aclList->DeleteRow(row);
    for (int later = row; later < c_.aclList->rowCount(); ++later)
        c_.aclList->SetCellText(later, IdColumn, QString::number(later + 1));
    ChangeAcl(c_.accessControl->currentIndex(), mac, DeleteMac);
}

void FilterPage::ClientClicked(int row)
{
    if (row < 0 || row >= c_.clientList->rowCount() || c_.accessControl->currentIndex() == kDisableIndex ||
        !c_.accessControl->isEnabled())
        return;
    c_.mac->setText(c_.clientList->cellText(row, ClientMacColumn));
    c_.accessControl->setCurrentIndex(kRejectIndex);
    Add();
}

void FilterPage::SaveAcl() { ChangeAcl(c_.accessControl->currentIndex(), QString(), ModeOnly); }

// Changes go to the band whose values the page shows: the band combo shows the radio's band,
// but a change sent there would vanish from (or not be found in) the list on the screen.
void FilterPage::ChangeAcl(int modeIndex, const QString &plainMac, AclOperation operation)
{
    const int band = shownBand_;
    if (operation == AddMac && c_.aclList->rowCount() >= kMaxAclEntries) {
        ShowMessageBox(QStringLiteral("Maximum number of Access Country List is 256!"), MessageIcon::None,
                       QString::fromLatin1(kApplicationTitle), MessageButtons::Ok, messageParent());
        return;
    }
    apFilterBandSet(primaryHandle, band);
    // While the device reports access control unavailable, the shown "Disable" is not its
    // setting: writing it would overwrite the mode kept for the AP mode that uses it.
    if (operation != DeleteMac && !aclUnavailable_)
        apAdvFilterACLSet(primaryHandle, band, modeIndex + 1);
    apFilterAclEntry entry{};
    WriteSlot(entry.mac, Latin1(plainMac).constData());
    int staged = 0;
    if (operation == AddMac)
        staged = apAdvFilterACLAdd(primaryHandle, band, 0, &entry);
    else if (operation == DeleteMac)
        staged = apAdvFilterACLDetete(primaryHandle, band, &entry);
    if (staged != 0)
        ReportFailure(staged); // the rest still goes out; the read shows what the device holds
    Apply();
}

void FilterPage::SavePartition()
{
    const int band = shownBand_;
    PartitionValues values = c_.partition->Values();
    apFilterIntList ssids{8, values.ssids.data()};
    apFilterBandSet(primaryHandle, band);
    apAdvFilterWLANPartitionSet(primaryHandle, band, values.linkIntegrity, values.ethernetToWlan, &ssids);
    Apply();
}

void FilterPage::Apply()
{
    BeginRefresh(kReadEndMs);
    if (RequestWrite() != 0)
        ReadCompleted(false); // no completion will come: the wait ends as after a failed read
}

void FilterPage::OnWriteDone(int)
{
    secondaryHandle = 0; // forgotten, not closed: the transfer flow owns it
    apStyleModify(primaryHandle, kAfterWriteGroups, 0);
    if (RequestRead() != 0)
        ReadCompleted(false);
}

// --- ACL file transfers ---

// The band the transfer commands act on, written before the device is told about the file.
bool FilterPage::SelectTransferBand()
{
    apFilterBandSet(primaryHandle, shownBand_);
    const int code = apSnmpSendSetRequest(primaryHandle, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    return code == 0 || ReportFailure(code) == 0;
}

APHANDLE FilterPage::TftpHandle()
{
    if (!tftpHandle_)
        tftpHandle_ = apSysCommandTftpOpen(sessionHandle, 0);
    return tftpHandle_;
}

void FilterPage::StartAclUpload()
{
    QString pcAddress, fileName;
    if (!transfer_->PrepareUpload(c_.uploadFile->text(), kTransferAclUpload, pcAddress, fileName))
        return;
    if (!SelectTransferBand()) {
        transfer_->End();
        return;
    }
    // The settings and the command travel in one request, settings first.
    if (!transfer_->Staged(apAdvTFTPSettings(TftpHandle(), Latin1(pcAddress).constData(),
                                             Latin1(fileName).constData(), 2)))
        return;
    kind_ = kTransferAclUpload;
    transfer_->PausePoll();
    apAdvTFTPUpgradeCmd(TftpHandle(), 5000, kAclCommand);
    if (!SendTransferRequest())
        return;
    transfer_->OpenWaitDialog(QStringLiteral("Updating ACL file, please wait..."));
    transfer_->StartTimer(kAclUploadTimer, kAclUploadMs);
}

void FilterPage::StartAclDownload()
{
    if (!SelectTransferBand())
        return;
    QString pcAddress, fileName;
    if (!transfer_->PrepareDownload(QStringLiteral("(*.ACL)|*.acl|(*.*)|*.*||"), QStringLiteral(".acl"), pcAddress,
                                    fileName))
        return;
    if (!transfer_->Staged(apAdvTFTPSettings(TftpHandle(), Latin1(pcAddress).constData(),
                                             Latin1(fileName).constData(), 5)))
        return;
    kind_ = kTransferDownload;
    if (!SendTransferRequest())
        return;
    transfer_->OpenWaitDialog(QStringLiteral("Downloading ACL file, please wait..."));
    transfer_->StartTimer(kAclDownloadTimer, kAclDownloadMs);
}

// A refused request ends the transfer at once, with its verdict: no status read later stands
// for it, the file stays chosen and the refusal stays in the status bar.
bool FilterPage::SendTransferRequest()
{
    const int code = apSnmpSendSetRequest(tftpHandle_, nullptr, nullptr, AP_MODE_BLOCKING, 0);
    if (code == 0)
        return true;
    ReportFailure(code);
    EndAclTransfer(0);
    return false;
}

// The device's verdict on the ACL file it was to fetch and apply: "" while it has given none
// for this transfer (a result left by an earlier transfer included).
QString FilterPage::UploadVerdict()
{
    const QString status = transfer_->ReadDeviceStatus(TftpHandle());
    return transfer_->StatusIsThisTransfers() ? status : QString();
}

void FilterPage::EndAclTransfer(int)
{
    if (kind_ == 0)
        return;
    const bool upload = kind_ == kTransferAclUpload;
    const QString verdict = upload ? UploadVerdict() : QString();
    // A device still fetching or applying has no verdict yet: give it a little longer.
    if (upload && statusRetries_ < kMaxStatusRetries && verdict == QLatin1String(FileTransfer::kBusyStatus)) {
        ++statusRetries_;
        transfer_->StartTimer(kAclUploadTimer, kStatusRetryMs);
        return;
    }
    statusRetries_ = 0;
    const bool crossed = transfer_->Crossed();
    transfer_->End();
    kind_ = 0;
    QString text;
    if (upload) {
        if (verdict == QLatin1String("success")) {
            c_.uploadFile->clear(); // a file the device did not take stays chosen
            text = QStringLiteral("Upgrading ACL file Success,Please refersh this page.");
        } else if (verdict == QLatin1String("wrongImage")) {
            text = QStringLiteral("The device refused the ACL file. Its list was not changed.");
        } else {
            text = crossed ? QStringLiteral("The device fetched the ACL file but did not report it as applied.")
                           : QStringLiteral("The device did not fetch the ACL file from this computer. Its list was not changed.");
        }
    } else {
        text = crossed ? QStringLiteral("Save ACL file Success !")
                       : QStringLiteral("The device did not send its ACL file. Nothing was saved.");
    }
    ShowMessageBox(text, MessageIcon::None, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok, messageParent());
    if (upload && crossed)
        Refresh(kReadEndMs); // the list as the file left it; a file that never crossed left it alone
}

void FilterPage::Browse()
{
    const QString path = AskOpenFile(this, QString::fromLatin1(kAclFileFilter));
    if (!path.isEmpty())
        c_.uploadFile->setText(path);
}

} // namespace trb
