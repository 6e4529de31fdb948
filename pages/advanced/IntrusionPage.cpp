#include "IntrusionPage.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "DeviceTable.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordListCtrl.h"
#include "RecordText.h"
#include "TimeScale.h"

namespace trb {
namespace {

constexpr uint32_t kListGroups = 3;      // the list, the band and the classifications
constexpr uint32_t kMarkAllStyle = 2;
constexpr int kReadWaitMs = 2000;
constexpr int kDetectWaitMs = 12000;
constexpr int kIndexColumn = 7;

const char *const kFilters[] = {"All", "Valid", "Neighborhood", "Rogue", "New"};

// Column widths as shares of the page width: 2/15, 1/15, 1/15, 1/5, 2/15, 1/5, 1/10, 0.
const std::pair<const char *, double> kColumns[] = {
    {"Type", 2.0 / 15}, {"Band", 1.0 / 15}, {"CH", 1.0 / 15}, {"SSID", 1.0 / 5},
    {"BSSID", 2.0 / 15}, {"LastSeen", 1.0 / 5}, {"Status", 1.0 / 10}, {"Index", 0}};

void Warn(QWidget *parent, const QString &text)
{
    ShowMessageBox(text, MessageIcon::Exclamation, QStringLiteral("Warning"), MessageButtons::Ok, parent);
}

} // namespace

IntrusionPage::IntrusionPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    monitorHandle = apSysMonitorOpen(sessionHandle, 2, 0);
    primaryHandle = apAdvInstrusionOpen(sessionHandle, 0);
}

void IntrusionPage::BuildControls()
{
    c_.band = Named(new QComboBox, "wirelessBandCombo", "Wireless Band");
    c_.band->addItems({QStringLiteral("2.4GHz"), QStringLiteral("5GHz")});
    c_.bandLabel = new QLabel(QStringLiteral("Wireless Band"));
    c_.detect = PageButton(QStringLiteral("Detect"), "detectButton");
    // This model detects on the band it serves: the band row is gone and "Detect" takes its place.
    SetVisible({c_.bandLabel, c_.band}, false);
    SetEnabled({c_.bandLabel, c_.band}, false);

    auto *top = new QHBoxLayout;
    top->addWidget(c_.bandLabel);
    top->addWidget(c_.band);
    top->addWidget(c_.detect);
    top->addStretch(1);

    c_.setValid = PageButton(QStringLiteral("Set As Valid"), "setValidButton");
    c_.setNeighborhood = PageButton(QStringLiteral("Set As NeighborHood"), "setNeighborhoodButton");
    c_.setRogue = PageButton(QStringLiteral("Set As Rogue"), "setRogueButton");
    c_.setNew = PageButton(QStringLiteral("Set As New"), "setNewButton");
    auto *setButtons = new QHBoxLayout;
    for (QPushButton *button : {c_.setValid, c_.setNeighborhood, c_.setRogue, c_.setNew})
        setButtons->addWidget(button);
    setButtons->addStretch(1);

    c_.markValid = Named(new QRadioButton(QStringLiteral("Mark All New Access Points as Valid Access Points ")),
                         "markValidRadio", "Mark All New Access Points as Valid Access Points");
    c_.markRogue = Named(new QRadioButton(QStringLiteral("Mark All New Access Points as Rogue Access Points ")),
                         "markRogueRadio", "Mark All New Access Points as Rogue Access Points");
    c_.markValid->setChecked(true);
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *saveRow = ButtonRow({c_.save});

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(top);
    layout->addWidget(BuildListGroup(), 1);
    layout->addLayout(setButtons);
    layout->addWidget(c_.markValid);
    layout->addWidget(c_.markRogue);
    layout->addLayout(saveRow);

    connect(c_.detect, &QPushButton::clicked, this, &IntrusionPage::Detect);
    connect(c_.setValid, &QPushButton::clicked, this, [this] { SetAs(AP_INTRUSION_VALID); });
    connect(c_.setNeighborhood, &QPushButton::clicked, this, [this] { SetAs(AP_INTRUSION_NEIGHBORHOOD); });
    connect(c_.setRogue, &QPushButton::clicked, this, [this] { SetAs(AP_INTRUSION_ROGUE); });
    connect(c_.setNew, &QPushButton::clicked, this, [this] { SetAs(AP_INTRUSION_NEW); });
    connect(c_.save, &QPushButton::clicked, this, &IntrusionPage::Save);
    connect(c_.selectAll, &QCheckBox::clicked, this, &IntrusionPage::CheckAll);
    for (QRadioButton *radio : {c_.markValid, c_.markRogue})
        connect(radio, &QRadioButton::clicked, this, &IntrusionPage::CheckNewRows);
    connect(c_.typeFilter, &QComboBox::activated, this, [this] { LoadList(false); });
    connect(c_.band, &QComboBox::activated, this, [this] {
        c_.typeFilter->setCurrentIndex(0);
        LoadList(false);
    });
    LayoutContent();
}

QWidget *IntrusionPage::BuildListGroup()
{
    auto *group = Named(new QGroupBox(QStringLiteral("AP List")), "apListGroup", "AP List");
    c_.typeFilter = Named(new QComboBox, "typeFilterCombo", "Type");
    for (const char *filter : kFilters)
        c_.typeFilter->addItem(QString::fromLatin1(filter));
    c_.selectAll = Named(new QCheckBox(QStringLiteral("Select All")), "selectAllCheck", "Select All");
    c_.list = Named(new RecordListCtrl, "apList", "AP List");
    c_.list->SetCheckBoxes(true);
    for (const auto &[title, share] : kColumns)
        c_.list->InsertColumn(-1, QString::fromLatin1(title), int(share * 660));
    c_.list->setMinimumHeight(200);
    auto *filterRow = new QHBoxLayout;
    filterRow->addWidget(c_.typeFilter);
    filterRow->addWidget(c_.selectAll);
    filterRow->addStretch(1);
    auto *layout = new QVBoxLayout(group);
    layout->addLayout(filterRow);
    layout->addWidget(c_.list, 1);
    return group;
}

void IntrusionPage::resizeEvent(QResizeEvent *event)
{
    PopupPage::resizeEvent(event);
    const int w = event->size().width();
    for (int column = 0; column < int(std::size(kColumns)); ++column)
        c_.list->setColumnWidth(column, int(w * kColumns[column].second));
}

uint32_t IntrusionPage::StyleOf(int code, int checked)
{
    uint32_t style = 0;
    switch (code) {
    case AP_INTRUSION_VALID: style = 4; break;
    case AP_INTRUSION_NEIGHBORHOOD: style = 8; break;
    case AP_INTRUSION_ROGUE: style = 16; break;
    default: style = 32; break;
    }
    return checked > kLargeChange ? style * 17 : style; // 4 -> 68, 8 -> 136, 16 -> 272, 32 -> 544
}

bool IntrusionPage::PassesFilter(const apIntrusionRecord &record, const QString &filter)
{
    return filter == QLatin1String("All") || RecordText(record.type).compare(filter, Qt::CaseInsensitive) == 0;
}

int IntrusionPage::ReadOnShow()
{
    apStyleModify(primaryHandle, kListGroups, 0);
    askBand_ = true;
    reading_ = true;
    UpdateEnabling();
    BeginRefresh(kReadWaitMs, {c_.detect, c_.save}, true);
    return 1;
}

void IntrusionPage::OnReadDone()
{
    reading_ = false;
    EndDetection();
    if (keepFilter_) {
        keepFilter_ = false;
        LoadList(false);
        return;
    }
    c_.typeFilter->setCurrentIndex(0);
    LoadList(askBand_);
    askBand_ = false;
    c_.selectAll->setChecked(false);
    CheckAll(false);
    c_.markValid->setChecked(true);
    c_.markRogue->setChecked(false);
}

void IntrusionPage::OnReadFailed()
{
    reading_ = false;
    keepFilter_ = false;
    EndDetection();
}

// Only the read that a detection started ends its wait: any other read fills the list from
// before the scan.
void IntrusionPage::EndDetection()
{
    if (detection_ != Detection::ReadingResult)
        return;
    detection_ = Detection::None;
    CloseWaitDialog();
}

bool IntrusionPage::RequestRunning() const { return reading_ || writing_ || detection_ != Detection::None; }

void IntrusionPage::LoadList(bool askBand)
{
    bandWord_ = 0;
    int *band = askBand ? &bandWord_ : nullptr;
    records_ = ReadTable<apIntrusionRecord, apIntrusionQuery>(
        [this, band](apIntrusionQuery &q) { return apAdvInstrusionInfoGet(primaryHandle, band, &q); });
    if (askBand) {
        band_ = bandWord_ == 2 ? 2 : 1;
        c_.band->setCurrentIndex(band_ - 1);
    }
    FillByFilter();
}

// Each row goes in at position 1, under the first, as the device lists them.
void IntrusionPage::FillByFilter()
{
    const QString filter = c_.typeFilter->currentText();
    c_.list->DeleteAllRows();
    for (const apIntrusionRecord &r : records_) {
        if (r.band != band_ || !PassesFilter(r, filter))
            continue;
        const int row = c_.list->InsertRecordRow(std::min(1, c_.list->rowCount()), RecordText(r.type));
        const QString cells[] = {RecordText(r.bandText), RecordText(r.channel), RecordText(r.ssid),
                                 RecordText(r.bssid),    RecordText(r.lastSeen), RecordText(r.status),
                                 QString::number(r.index)};
        for (int column = 1; column <= int(std::size(cells)); ++column)
            c_.list->SetCellText(row, column, cells[column - 1]);
    }
    UpdateEnabling();
}

void IntrusionPage::UpdateEnabling()
{
    const int filter = c_.typeFilter->currentIndex();
    const bool marksNew = filter == 0 || filter == 4; // "All" and "New"
    if (!marksNew) {
        c_.markValid->setChecked(true);
        c_.markRogue->setChecked(false);
    }
    SetEnabled({c_.markValid, c_.markRogue}, marksNew);
    SetEnabled({c_.detect, c_.save, c_.setValid, c_.setNeighborhood, c_.setRogue, c_.setNew},
               !RequestRunning());
}

void IntrusionPage::CheckAll(bool checked)
{
    for (int row = 0; row < c_.list->rowCount(); ++row)
        c_.list->SetRowChecked(row, checked);
}

void IntrusionPage::CheckNewRows()
{
    for (int row = 0; row < c_.list->rowCount(); ++row)
        c_.list->SetRowChecked(row, c_.list->cellText(row, 0).toUpper() == QLatin1String("NEW"));
}

// False when the library refused the read at once: no completion follows.
bool IntrusionPage::StartRead()
{
    apStyleModify(primaryHandle, kListGroups, 0);
    reading_ = RequestRead() == 0;
    UpdateEnabling();
    return reading_;
}

// One request at a time: a detection started over a running read would have that read's
// answer end its wait over the list from before the scan.
void IntrusionPage::Detect()
{
    if (RequestRunning())
        return;
    const int band = c_.band->currentIndex() == 1 ? 2 : 1;
    ShowMessage(QStringLiteral("Detect... ..."));
    if (RequestMonitor(monitorHandle, band) != 0)
        return;
    c_.list->DeleteAllRows();
    detection_ = Detection::Scanning;
    UpdateEnabling();
    PleaseWaitDialog *wait = OpenWaitDialog(QStringLiteral("   Scanning... \n\n   Please wait..."));
    wait->setWindowTitle(QStringLiteral("Detecting..."));
    // The wait ends after this long at the latest; Detect comes back only with the answer.
    QTimer::singleShot(ScaledMilliseconds(kDetectWaitMs), wait, [this] {
        CloseWaitDialog();
        ShowMessage(lastMessage);
    });
}

// Whatever the detection's result, the list is read again; the wait ends with that read.
void IntrusionPage::OnMonitorDone(APHANDLE, int)
{
    askBand_ = true;
    detection_ = Detection::ReadingResult;
    if (!StartRead()) {
        EndDetection();
        UpdateEnabling();
    }
}

void IntrusionPage::SetAs(int code)
{
    if (RequestRunning())
        return;
    if (c_.list->rowCount() == 0) {
        Warn(messageParent(), QString::fromLatin1(kNoEntryText));
        return;
    }
    const QString type = QString::fromLatin1(kFilters[code == AP_INTRUSION_NEW ? 4 : code - 1]);
    int checked = 0, changing = 0;
    for (int row = 0; row < c_.list->rowCount(); ++row) {
        if (!c_.list->isRowChecked(row))
            continue;
        ++checked;
        changing += c_.list->cellText(row, 0).compare(type, Qt::CaseInsensitive) != 0;
    }
    if (checked == 0) {
        Warn(messageParent(), QString::fromLatin1(kNoEntryText));
        return;
    }
    if (changing == 0)
        return;
    // A request carries at most 256 indexes: more would set only some of the checked entries.
    if (checked > kMaxChecked) {
        Warn(messageParent(), QString::fromLatin1(kTooManyText));
        return;
    }
    SendReclassification(code, checked);
}

void IntrusionPage::SendReclassification(int code, int checked)
{
    std::vector<int32_t> indexes;
    for (int row = 0; row < c_.list->rowCount(); ++row)
        if (c_.list->isRowChecked(row))
            indexes.push_back(c_.list->cellText(row, kIndexColumn).toInt());
    apIntrusionRequest request{int32_t(indexes.size()), indexes.data()};
    if (const int refused = apAdvInstrusionInfoAdd(primaryHandle, band_, &request, code)) {
        char text[256] = {};
        apSnmpGetErrorMsg(refused, text);
        ShowMessage(QString::fromLatin1(text));
        return;
    }
    ShowMessage(QStringLiteral("Setting..."));
    apStyleModify(primaryHandle, StyleOf(code, checked), 1);
    // The buttons stay off until the device has answered, however long a large change takes.
    writing_ = true;
    UpdateEnabling();
    if (RequestWrite() != 0) {
        writing_ = false;
        UpdateEnabling();
    }
}

bool IntrusionPage::HasNewEntries() const
{
    return std::any_of(records_.begin(), records_.end(), [this](const apIntrusionRecord &r) {
        return r.band == band_ && RecordText(r.type) == QLatin1String("New");
    });
}

void IntrusionPage::Save()
{
    if (RequestRunning())
        return;
    bool anyChecked = false;
    for (int row = 0; row < c_.list->rowCount() && !anyChecked; ++row)
        anyChecked = c_.list->isRowChecked(row);
    if (anyChecked) {
        SetAs(c_.markValid->isChecked() ? AP_INTRUSION_VALID : AP_INTRUSION_ROGUE);
        return;
    }
    // Nothing checked: the new entries become valid; an entry already classified keeps its class.
    if (HasNewEntries() && apAdvInstrusionInfoMarlAll(primaryHandle, band_, 0, AP_INTRUSION_VALID) == 0) {
        ShowMessage(QStringLiteral("Setting..."));
        apStyleModify(primaryHandle, kMarkAllStyle, 1);
        writing_ = RequestWrite() == 0;
        UpdateEnabling();
    }
    Warn(messageParent(), QString::fromLatin1(kNoEntryText));
}

// The list shows what the device now holds, in the view the user had.
void IntrusionPage::OnWriteDone(int result)
{
    writing_ = false;
    UpdateEnabling();
    if (result != 0)
        return;
    keepFilter_ = true;
    StartRead();
}

void IntrusionPage::LayoutContent()
{
    FitContent();
    QTimer::singleShot(0, this, [this] { FitContent(); });
}

} // namespace trb
