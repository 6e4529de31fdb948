#include "MultiSsidPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "ActionIcons.h"
#include "DataExchange.h"
#include "DeviceTable.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "InnerScrollArea.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordListCtrl.h"
#include "RecordText.h"
#include "SecurityPanel.h"
#include "TextValidation.h"
#include "WirelessCodes.h"

namespace trb {
namespace {

using namespace wireless;

constexpr uint32_t kMultiSsidGroups = AP_WL_GROUP_RADIO | AP_WL_GROUP_SSID | AP_WL_GROUP_SSID_STATE
    | AP_WL_GROUP_MULTI_SSID | AP_WL_GROUP_PRIORITY | AP_WL_GROUP_SECURITY | AP_WL_GROUP_SSID_PRIORITY
    | AP_WL_GROUP_SSID_WMM; // 0x3987
static_assert(kMultiSsidGroups == 0x3987);

constexpr int kSsidSlots = 8; // the primary SSID and SSID 1-7
constexpr int kEditColumn = 4;
constexpr int kDeleteColumn = 5;

const QStringList kDisableEnable = {QStringLiteral("Disable"), QStringLiteral("Enable")};

const QString kApModeNotice = QStringLiteral("If you enable Multi-SSID, AP Mode will be set to \"Access Point\"!");
const QString kDeleteQuestion = QStringLiteral("Do you want to delete this item ?");
const QString kKeyInUse =
    QStringLiteral("Key value is used by SSID!\r\nTo Change Key value affects other SSID settings.");
const QString kNewKeyNotice = QStringLiteral("Please check the Log or E-mail for new security key.");

using Row = MultiSsidPage::SsidRow;
const RecordColumn<Row> kColumns[] = {
    {"Index", 90,
     [](const Row &r) {
         return r.index == 0 ? QStringLiteral("Primary SSID") : QStringLiteral("Multi-SSID %1").arg(r.index);
     }},
    {"SSID", 80, [](const Row &r) { return r.ssid; }},
    {"Band", 60, [](const Row &r) { return r.band == Band24 ? QStringLiteral("2.4GHz") : QStringLiteral("5GHz"); }},
    {"Encryption", 140, [](const Row &r) { return EncryptionText(r.code); }},
    {"Edit", 50, ColumnRole::EditIcon},
    {"Delete", 50, ColumnRole::DeleteIcon},
};

} // namespace

MultiSsidPage::MultiSsidPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apWirelessOpen(sessionHandle, 0);
}

void MultiSsidPage::BuildControls()
{
    c_.multiSsid = Named(new QCheckBox(QStringLiteral("Enable Multi-SSID          ")), "enableMultiSsidCheck",
                         "Enable Multi-SSID");
    c_.priorityEnabled = Named(new QCheckBox(QStringLiteral("Enable Priority ")), "enablePriorityCheck",
                               "Enable Priority");
    c_.priorityEnabled->setEnabled(false);
    c_.settings = BuildSettings();
    c_.securityPanel = new SecurityPanel(SecurityPanel::Variant::MultiSsid);
    c_.securityPanel->setObjectName(QStringLiteral("multiSsidSecurityPanel"));
    c_.add = PageButton(QStringLiteral("Add"), "addButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    c_.list = Named(new RecordListCtrl, "ssidList", "SSID list");
    SetUpColumns<Row>(*c_.list, kColumns);
    c_.list->SetLinkColumns(kEditColumn, kDeleteColumn);
    c_.list->setMinimumHeight(160);
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(c_.multiSsid);
    layout->addWidget(c_.priorityEnabled);
    // The form scrolls inside when the security panel is tall, so that the list and Save stay in view.
    layout->addWidget(new InnerScrollArea({c_.settings, c_.securityPanel}, "ssidFormArea"));
    auto *addRow = ButtonRow({c_.add});
    layout->addLayout(addRow);
    layout->addWidget(c_.list);
    auto *saveRow = ButtonRow({c_.save});
    layout->addLayout(saveRow);
    layout->addStretch(1);

    connect(c_.multiSsid, &QCheckBox::clicked, this, &MultiSsidPage::OnMultiSsidClicked);
    connect(c_.priorityEnabled, &QCheckBox::toggled, this, &MultiSsidPage::UpdateEnabling);
    connect(c_.index, &QComboBox::activated, this, &MultiSsidPage::OnIndexChosen);
    connect(c_.security, &QComboBox::currentIndexChanged, this,
            [this] { c_.securityPanel->SelectMethod(c_.security->currentText()); });
    connect(c_.securityPanel, &SecurityPanel::sizeChanged, this, &MultiSsidPage::Restack);
    connect(c_.list, &RecordListCtrl::cellClicked, this, &MultiSsidPage::OnCellClicked);
    connect(c_.add, &QPushButton::clicked, this, &MultiSsidPage::Add);
    connect(c_.save, &QPushButton::clicked, this, &MultiSsidPage::Save);
    UpdateEnabling();
    Restack();
}

QGroupBox *MultiSsidPage::BuildSettings()
{
    auto *group = Named(new QGroupBox(QStringLiteral("Wireless Settings")), "wirelessSettingsGroup",
                        "Wireless Settings");
    FormRows rows = FormRows::On(group);
    c_.band = rows.Add(QStringLiteral("Band"), ComboOf({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")}), "bandCombo");
    c_.index = rows.Add(QStringLiteral("Index"),
                        ComboOf({QStringLiteral("Primary SSID"), QStringLiteral("SSID 1"), QStringLiteral("SSID 2"),
                               QStringLiteral("SSID 3")}),
                        "indexCombo");
    c_.ssid = rows.Add(QStringLiteral("SSID"), new QLineEdit(QStringLiteral("veltr")), "ssidEdit");
    c_.ssid->setMaxLength(32);
    c_.visibility = rows.Add(QStringLiteral("SSID Visibility"), ComboOf(kDisableEnable), "ssidVisibilityCombo");
    c_.security = rows.Add(QStringLiteral("Security "), ComboOf({kMethodOpenSystem, kMethodPersonal, kMethodEnterprise, kMethodDot1x}),
                           "securityCombo");
    QStringList priorities;
    for (int i = 0; i <= 7; ++i)
        priorities << QString::number(i);
    c_.priority = rows.Add(QStringLiteral("Priority"), ComboOf(priorities), "priorityCombo");
    c_.wmm = rows.Add(QStringLiteral("WMM (Wi-Fi Multimedia)"), ComboOf(kDisableEnable), "wmmCombo");
    return group;
}

// --- Codecs ---

int MultiSsidPage::SecurityIndexOfType(int type)
{
    switch (type) {
    case WpaPersonal: return 1;
    case WpaEnterprise: return 2;
    case Dot1x: return 3;
    default: return 0;
    }
}

int MultiSsidPage::SecurityTypeOfIndex(int index)
{
    static constexpr int kTypes[] = {OpenSystem, WpaPersonal, WpaEnterprise, Dot1x};
    return index >= 0 && index < 4 ? kTypes[index] : OpenSystem;
}

MultiSsidPage::SsidRow MultiSsidPage::RowFromSecurity(int index, const QString &ssid, int band, int code, int type,
                                                      const apSecurityBlock &block)
{
    SsidRow row;
    row.index = index;
    row.ssid = ssid;
    row.band = band;
    const bool wep = type >= OpenSystem && type <= OpenOrShared;
    const bool wepOn = block.wep.encryption == 1;
    // Open System without a key is reported as code 1: the list says what it is.
    row.code = !wepOn && code <= OpenOrShared ? 0 : code;
    row.keyIndex = wep && wepOn ? int(block.wep.keyIndex) : 0;
    row.key = RecordText(block.wep.key);
    row.periodicalKey = index > 0 && type == WpaPersonal && block.personal.periodicalKeyChange == 1;
    return row;
}

bool MultiSsidPage::KeyUsedElsewhere(const std::vector<SsidRow> &rows, int edited, int keyIndex, const QString &key)
{
    QString stored;
    bool shared = false;
    for (const SsidRow &row : rows) {
        if (row.index == edited)
            stored = row.key;
        else if (row.keyIndex != 0 && row.keyIndex == keyIndex)
            shared = true;
    }
    return shared && stored != key;
}

void MultiSsidPage::Exchange(DataExchange &dx, SsidValues &v)
{
    ExchangeIndex(dx, c_.band, v.band);
    ExchangeIndex(dx, c_.index, v.index);
    ExchangeText(dx, c_.ssid, v.ssid);
    // The primary SSID's name is not written here: only an additional one is checked.
    if (v.index > 0) {
        // What the device takes as a network name: printable 7-bit characters.
        CheckFlag(dx, IsPrintableAscii(v.ssid), QStringLiteral("There are some invalid characters !"));
        CheckNotBlank(dx, v.ssid, QStringLiteral("The filed can not be blank"));
        CheckNoEdgeBlanks(dx, v.ssid, QStringLiteral("The first character and last character can't be blank."));
    }
    ExchangeIndex(dx, c_.visibility, v.visible);
    ExchangeIndex(dx, c_.security, v.security);
    ExchangeIndex(dx, c_.priority, v.priority);
    ExchangeIndex(dx, c_.wmm, v.wmm);
}

// --- Reading ---

int MultiSsidPage::ReadOnShow()
{
    apStyleModify(primaryHandle, kMultiSsidGroups, 0);
    BeginRefresh(kRefreshMs, {}, true);
    return 1;
}

void MultiSsidPage::OnReadDone()
{
    if (listReads_ > 0) {
        FinishWriteRead();
        return;
    }
    noticeShown_ = false;
    band_ = apWirelessGetCurBand(primaryHandle) == Band5 ? Band5 : Band24;
    int enabled = 0;
    int priorityEnabled = 0;
    apWirelessGetMultiSSID(primaryHandle, band_, &enabled, &priorityEnabled, 0);
    c_.multiSsid->setChecked(enabled == 1);
    c_.priorityEnabled->setChecked(priorityEnabled == 1);
    RefreshList();
    LoadSsid(0);
}

void MultiSsidPage::OnReadFailed()
{
    if (listReads_ > 0)
        FinishWriteRead(); // the list shows the last values the device confirmed
}

void MultiSsidPage::LoadSsid(int ssid)
{
    apWirelessGetApMode(primaryHandle, band_, 0, &storedApMode_, nullptr);
    apMode_ = storedApMode_;
    apPerformanceRecord performance{};
    apWirelessGetPerformance(primaryHandle, band_, 0, &performance);
    wirelessMode_ = int(performance.wirelessMode);
    RebuildSecurityLists();

    SsidValues values;
    values.band = band_ - 1;
    values.index = ssid;
    char text[AP_WL_TEXT_SIZE] = {};
    int length = 0;
    apWirelessGetSSID(primaryHandle, band_, ssid, text, &length, &values.visible);
    values.ssid = RecordText(text);
    apWirelessGetMultiParamiter(primaryHandle, band_, ssid, &values.wmm, &values.priority);

    int type = 0;
    apWirelessGetSecurity(primaryHandle, band_, ssid, &type, nullptr);
    readBlock_ = apSecurityBlock{};
    apSecurityRecord record{0, 0, &readBlock_};
    apWirelessGetSecurity(primaryHandle, band_, ssid, &type, &record);
    values.security = SecurityIndexOfType(type);
    if (values.security >= c_.security->count())
        values.security = 0;
    c_.securityPanel->Load(type, readBlock_);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, values);
    c_.securityPanel->SelectMethod(c_.security->currentText());
    ApplyMultiSsidRule();
}

// The methods this mode allows; with multi-SSID on, the mode is about to become "Access Point".
void MultiSsidPage::RebuildSecurityLists()
{
    const bool on = c_.multiSsid->isChecked();
    const int mode = on && apMode_ > WdsWithAp ? AccessPoint : apMode_;
    const bool nOnly = IsNOnly(wirelessMode_);
    QStringList methods = {kMethodOpenSystem, kMethodPersonal};
    if (mode != WdsWithAp) {
        methods << kMethodEnterprise;
        if (!nOnly)
            methods << kMethodDot1x;
    }
    const QString previous = c_.security->currentText();
    const QSignalBlocker quiet(c_.security);
    c_.security->clear();
    c_.security->addItems(methods);
    c_.security->setCurrentIndex(std::max(0, c_.security->findText(previous)));
    c_.securityPanel->RebuildLists(mode, nOnly, on);
    c_.securityPanel->SelectMethod(c_.security->currentText());
}

void MultiSsidPage::RefreshList()
{
    rows_.clear();
    for (int i = 0; i < kSsidSlots; ++i) {
        int state = 0;
        apWirelessGetMssIndividualState(primaryHandle, band_, i, &state);
        if (state != 1)
            continue;
        char text[AP_WL_TEXT_SIZE] = {};
        int length = 0;
        int visible = 0;
        apWirelessGetSSID(primaryHandle, band_, i, text, &length, &visible);
        int type = 0;
        const int code = apWirelessGetSecurity(primaryHandle, band_, i, &type, nullptr);
        apSecurityBlock block{}; // its own: the edited SSID's block stays as it was read
        apSecurityRecord record{0, 0, &block};
        apWirelessGetSecurity(primaryHandle, band_, i, &type, &record);
        rows_.push_back(RowFromSecurity(i, RecordText(text), band_, code, type, block));
        periodicalNotice_ = periodicalNotice_ || rows_.back().periodicalKey;
    }
    FillRecordList<Row>(*c_.list, rows_, kColumns);
    for (int row = 0; row < c_.list->rowCount(); ++row) {
        if (rows_[std::size_t(row)].index == 0)
            continue; // the primary SSID is neither edited nor deleted here
        c_.list->SetCellIcon(row, kEditColumn, ActionIcons::EditIcon(16));
        c_.list->SetCellIcon(row, kDeleteColumn, ActionIcons::DeleteIcon(16));
    }
}

// --- Behaviour ---

void MultiSsidPage::OnMultiSsidClicked() { ApplyMultiSsidRule(); }

void MultiSsidPage::ApplyMultiSsidRule()
{
    if (c_.multiSsid->isChecked()) {
        // Told once per read; but an SSID loaded afterwards must not bring the old mode back
        // into the next write.
        if (apMode_ > WdsWithAp) {
            if (!noticeShown_)
                Inform(kApModeNotice);
            noticeShown_ = true;
            apMode_ = AccessPoint;
            RebuildSecurityLists();
        }
    } else {
        c_.priorityEnabled->setChecked(false);
    }
    UpdateEnabling();
    Restack();
}

// One column of fields for the settings and the security panel's forms, whichever are shown.
void MultiSsidPage::Restack()
{
    LineUpFieldColumns(content());
    FitContent();
}

void MultiSsidPage::OnIndexChosen()
{
    LoadSsid(std::max(0, c_.index->currentIndex()));
    UpdateEnabling();
    Restack();
}

void MultiSsidPage::UpdateEnabling()
{
    const bool on = c_.multiSsid->isChecked();
    const bool additional = c_.index->currentIndex() > 0;
    c_.band->setEnabled(false);
    SetEnabled({c_.ssid, c_.visibility, c_.security, c_.wmm}, on && additional);
    c_.priority->setEnabled(on && c_.priorityEnabled->isChecked());
    SetEnabled({c_.priorityEnabled, c_.add, c_.list}, on);
    c_.securityPanel->setVisible(on);
    c_.securityPanel->setEnabled(additional);
}

void MultiSsidPage::OnCellClicked(int column, int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    const int ssid = rows_[std::size_t(row)].index;
    if (column == kEditColumn && ssid < c_.index->count()) {
        c_.index->setCurrentIndex(ssid);
        OnIndexChosen();
    } else if (column == kDeleteColumn && ssid > 0 && MayActOnShown()
               && Confirm(kDeleteQuestion, QString::fromLatin1(kApplicationTitle))) {
        apWirelessSetMssIndividualState(primaryHandle, band_, ssid, 0);
        RequestWrite();
    }
}

// --- Writing ---

void MultiSsidPage::Add()
{
    if (!MayActOnShown())
        return; // nothing is staged for a write that would be refused
    SsidValues values;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, values);
    if (dx.failed())
        return;
    const bool on = c_.multiSsid->isChecked();
    if (values.index == 0) {
        apWirelessSetMultiParamiter(primaryHandle, band_, 0, values.wmm, values.priority);
        StageFlags(on && apMode_ != storedApMode_);
        RequestWrite();
        return;
    }
    const int type = SecurityTypeOfIndex(values.security);
    apSecurityBlock block = readBlock_; // what the panel does not edit keeps the device's values
    if (!c_.securityPanel->Collect(type, block))
        return;
    if (type == OpenSystem && c_.securityPanel->wepEncryptionEnabled()
        && KeyUsedElsewhere(rows_, values.index, c_.securityPanel->wepKeyIndex(), RecordText(block.wep.key)))
        Inform(kKeyInUse);
    // A refused call stages nothing, but what the calls before it staged would go out with the
    // next write: the calls are tried on a scratch handle first.
    const APHANDLE scratch = apWirelessOpen(sessionHandle, 0);
    const int refused = StageAdd(scratch, values, type, block);
    apHandleClose(scratch);
    if (refused != 0) {
        ReportFailure(refused);
        return;
    }
    StageAdd(primaryHandle, values, type, block);
    StageFlags(on);
    RequestWrite();
}

int MultiSsidPage::StageAdd(APHANDLE handle, const SsidValues &v, int type, apSecurityBlock &block)
{
    const QByteArray ssid = v.ssid.toLatin1();
    const apSecurityRecord record{0, uint32_t(type), SecuritySection(type, block)};
    int code = apWirelessSetSSID(handle, band_, v.index, ssid.constData(), int(ssid.size()), v.visible);
    if (code == 0)
        code = apWirelessSetMultiParamiter(handle, band_, v.index, v.wmm, v.priority);
    if (code == 0)
        code = apWirelessSetSecurity(handle, band_, v.index, type, &record);
    if (code == 0)
        code = apWirelessSetMssIndividualState(handle, band_, v.index, 1);
    return code;
}

// After a failed read the switches show no device's values: they are not staged, since a
// refused write would leave them for the next one.
void MultiSsidPage::Save()
{
    if (!MayActOnShown())
        return;
    // After the "Access Point" notice the switch alone must not leave the device in a mode
    // that cannot serve it.
    StageFlags(c_.multiSsid->isChecked() && apMode_ != storedApMode_);
    RequestWrite();
}

void MultiSsidPage::StageFlags(bool withApMode)
{
    if (withApMode)
        apWirelessSetApMode(primaryHandle, band_, 0, apMode_);
    apWirelessSetMultiSSID(primaryHandle, band_, c_.multiSsid->isChecked() ? 1 : 0,
                           c_.priorityEnabled->isChecked() ? 1 : 0, 0);
}

// The list is read again from the device after every write, whatever its result, so it never
// shows an SSID the device does not have.
void MultiSsidPage::OnWriteDone(int result)
{
    periodicalNotice_ = false;
    writeResult_ = result;
    writeText_ = lastMessage;
    ++listReads_;
    if (RequestRead() != 0)
        FinishWriteRead();
}

void MultiSsidPage::FinishWriteRead()
{
    --listReads_;
    RefreshList();
    if (writeResult_ != 0) {
        lastMessage = writeText_; // the failed write, not the read after it, stays in the status bar
        ShowMessage(writeText_);
        return;
    }
    if (periodicalNotice_)
        Inform(kNewKeyNotice);
}

} // namespace trb
