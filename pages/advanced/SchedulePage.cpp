#include "SchedulePage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "DeviceTable.h"
#include "FormRows.h"
#include "RecordText.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "ScheduleRuleForm.h"

namespace trb {
namespace {

enum Column { NameColumn, IndexColumn, SsidColumn, DaysColumn, TimeColumn, WirelessColumn, EditColumn, DeleteColumn };

const QString kInvalidNode = QStringLiteral("INVALID NODE");

bool IsBusy(const QString &mode)
{
    return mode == QLatin1String("Wireless Client") || mode == QLatin1String("AP Repeater");
}

// The shape ReadTable fills, over the library's list record.
struct RuleHeader {
    int32_t count = 0;
    apScheduleRule *rows = nullptr;
};

} // namespace

SchedulePage::SchedulePage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apAdvScheduleListOpen(sessionHandle, 0);
}

void SchedulePage::BuildControls()
{
    auto *top = new QWidget;
    FormRows rows = FormRows::On(top);
    c_.schedule = rows.Add(QStringLiteral("Wireless Schedule"), new QComboBox, "wirelessScheduleCombo");
    c_.schedule->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});
    c_.schedule->setCurrentIndex(1);

    c_.form = new ScheduleRuleForm;
    c_.form->FillIndex(SsidItems());

    auto *listGroup = new QGroupBox(QStringLiteral("Schedule Rule List"));
    auto *listLayout = new QVBoxLayout(listGroup);
    c_.list = Named(new ActionIconListCtrl, "scheduleRuleList", "Schedule Rule List");
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    c_.list->setSelectionMode(QAbstractItemView::SingleSelection);
    const std::pair<const char *, int> columns[] = {{"Name", 80}, {"SSID Index", 80}, {"SSID", 100}, {"Day(s)", 100},
                                                    {"Time Frame", 80}, {"Wireless", 60}, {"Edit", 60},
                                                    {"Delete", 60}};
    for (const auto &[title, width] : columns)
        c_.list->InsertColumn(-1, QString::fromLatin1(title), width);
    c_.list->SetLinkColumns(EditColumn, DeleteColumn);
    c_.list->SetEditColumn(EditColumn);
    c_.list->SetDeleteColumn(DeleteColumn);
    c_.list->SetCheckBoxes(true);
    c_.list->setMinimumWidth(600); // the page's width; the last columns scroll into view
    listLayout->addWidget(c_.list);

    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(top);
    layout->addWidget(c_.form);
    layout->addWidget(listGroup, 1);
    layout->addLayout(buttons);

    connect(c_.schedule, &QComboBox::currentIndexChanged, this, &SchedulePage::UpdateEnabling);
    connect(c_.form->controls().add, &QPushButton::clicked, this, &SchedulePage::Add);
    connect(c_.form->controls().clear, &QPushButton::clicked, this, &SchedulePage::Clear);
    connect(c_.save, &QPushButton::clicked, this, &SchedulePage::Save);
    connect(c_.list, &RecordListCtrl::rowCheckToggled, this, &SchedulePage::RefuseLockedToggle);
    connect(c_.list, &ActionIconListCtrl::editClicked, this, &SchedulePage::EditRow);
    connect(c_.list, &ActionIconListCtrl::deleteClicked, this, &SchedulePage::DeleteRow);
    LayoutContent();
}

QStringList SchedulePage::SsidItems()
{
    return {QStringLiteral("Primary SSID"), QStringLiteral("SSID 1"), QStringLiteral("SSID 2"), QStringLiteral("SSID 3")};
}

// One radio busy as a client or repeater leaves the other's SSIDs to schedule. New rules go to
// the SSIDs the list shows, so a rule that is added is never one the page then hides.
SchedulePage::BandView SchedulePage::DecideBands(const QString &mode24, const QString &mode5)
{
    BandView view;
    if (IsBusy(mode24)) {
        view.busy24 = true;
        (mode5 == kInvalidNode ? view.listsLow : view.listsHigh) = true;
    }
    if (IsBusy(mode5)) {
        view.busy24 = false;
        view.busy5 = true;
        view.listsLow = true;
    }
    if (!IsBusy(mode24) && !IsBusy(mode5))
        view.listsLow = view.listsHigh = true;
    view.firstSsid = view.listsHigh && !view.listsLow ? kSsidsPerBand : 0;
    return view;
}

bool SchedulePage::Listed(int ssid) const
{
    return ssid < kSsidsPerBand ? bands_.listsLow : bands_.listsHigh;
}

int SchedulePage::ReadOnShow()
{
    c_.form->EmptyTimes();
    SelectEverything();
    return 1;
}

void SchedulePage::SelectEverything()
{
    apStyleModify(primaryHandle, AP_SCHEDULE_GROUP_ALL, 0);
    BeginRefresh(500, {}, true);
}

void SchedulePage::OnReadDone()
{
    apScheduleParameters parameters{};
    apScheduleList list{};
    rules_ = ReadTable<apScheduleRule, RuleHeader>([&](RuleHeader &header) {
        list.count = header.count;
        list.rules = header.rows;
        const int result = apAdvScheduleList(primaryHandle, &parameters, &list);
        header.count = list.count;
        return result;
    });
    if (rules_.empty()) // the names and modes come with the count alone
        apAdvScheduleList(primaryHandle, &parameters, &list);
    bands_ = DecideBands(RecordText(list.modeText[0]), RecordText(list.modeText[1]));
    QStringList names;
    for (const auto &name : list.ssidNames)
        names << RecordText(name);
    c_.schedule->setCurrentIndex(parameters.enabled != 0 ? 1 : 0);
    // A rule the device refused stays in the form, to be mended and sent again.
    const bool keepForm = formWrite_ && !writeFailure_.isEmpty();
    formWrite_ = false;
    c_.form->FillIndex(SsidItems());
    if (!keepForm)
        c_.form->Clear();
    c_.form->SetSsidNames(names, bands_.firstSsid);
    c_.list->DeleteAllRows();
    rowRules_.clear();
    for (std::size_t i = 0; i < rules_.size(); ++i)
        if (Listed(rules_[i].ssid))
            AddRow(int(i));
    // Rows may have moved: an edit goes on with the row of the edited rule's SSID, if any.
    editRow_ = -1;
    for (int row = 0; keepForm && row < c_.list->rowCount(); ++row)
        if (rules_[rowRules_[row]].ssid == editedSsid_)
            editRow_ = row;
    if (!writeFailure_.isEmpty()) {
        lastMessage = writeFailure_; // the failed write, not the read after it, stays in the status bar
        ShowMessage(writeFailure_);
        writeFailure_.clear();
    }
}

QString SchedulePage::IndexText(int ssid) const
{
    const int item = ssid - (ssid >= kSsidsPerBand && bands_.listsHigh ? kSsidsPerBand : 0);
    const QStringList items = SsidItems();
    if (item >= 0 && item < items.size())
        return items[item];
    return item == 0 ? items[0] : QStringLiteral("SSID %1").arg(item);
}

void SchedulePage::AddRow(int rulePosition)
{
    const apScheduleRule &rule = rules_[rulePosition];
    const int row = c_.list->InsertRecordRow(-1, RecordText(rule.name));
    c_.list->SetCellText(row, IndexColumn, IndexText(rule.ssid));
    c_.list->SetCellText(row, SsidColumn, RecordText(rule.ssidName));
    c_.list->SetCellText(row, DaysColumn, RecordText(rule.daysText));
    c_.list->SetCellText(row, TimeColumn, RecordText(rule.timeFrame));
    c_.list->SetCellText(row, WirelessColumn, rule.wirelessOff == 0 ? QStringLiteral("On") : QStringLiteral("Off"));
    c_.list->SetRowChecked(row, rule.enabled != 0);
    rowRules_.push_back(rulePosition);
}

void SchedulePage::UpdateEnabling()
{
    const bool on = c_.schedule->currentIndex() == 1;
    c_.schedule->setEnabled(!bands_.busy24);
    c_.form->setEnabled(on);
}

// The row check boxes say which rules are in use; with the schedule off they stay as read.
void SchedulePage::RefuseLockedToggle(int row, bool checked)
{
    if (c_.schedule->currentIndex() == 0)
        c_.list->SetRowChecked(row, !checked);
}

bool SchedulePage::SsidTakenByOtherRow(const QString &indexText) const
{
    for (int row = 0; row < c_.list->rowCount(); ++row)
        if (row != editRow_ && c_.list->cellText(row, IndexColumn) == indexText)
            return true;
    return false;
}

void SchedulePage::Add()
{
    const auto &form = c_.form->controls();
    if (SsidTakenByOtherRow(form.index->currentText())) {
        RejectCheck(QStringLiteral("The SSID has existed already !"), QStringLiteral("Warning"), form.index);
        return;
    }
    ScheduleRuleForm::Rule taken;
    if (!c_.form->Take(taken))
        return;
    if (taken.name.startsWith(QLatin1Char(' '))) {
        RejectCheck(QStringLiteral("The first character can't be blank!"), QStringLiteral("Warning"), form.name);
        return;
    }
    apScheduleRule rule{};
    SetRecordText(rule.name, taken.name);
    rule.days = taken.days;
    rule.ssid = bands_.firstSsid + taken.indexItem;
    rule.enabled = 1;
    rule.allDay = taken.allDay ? 1 : 0;
    rule.overnight = taken.overnight ? 1 : 0;
    SetRecordText(rule.timeFrame, taken.allDay ? QStringLiteral("allday") : taken.start + QLatin1Char('-') + taken.end);
    SetRecordText(rule.start, taken.start);
    SetRecordText(rule.end, taken.end);
    int staged;
    if (editRow_ >= 0) {
        rule.enabled = c_.list->isRowChecked(editRow_) ? 1 : 0;
        staged = apAdvScheduleEdit(primaryHandle, rule, rowRules_[editRow_]);
    } else {
        staged = apAdvScheduleAdd(primaryHandle, rule, rule.ssid);
    }
    if (staged != 0) {
        ReportFailure(staged); // nothing staged: nothing to send
        return;
    }
    formWrite_ = true;
    FinishListChange();
}

void SchedulePage::Clear()
{
    c_.form->Clear();
    editRow_ = -1;
    c_.list->clearSelection();
}

void SchedulePage::EditRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    editRow_ = row;
    editedSsid_ = rules_[rowRules_[row]].ssid;
    c_.list->selectRow(row);
    c_.form->Load(c_.list->cellText(row, NameColumn), c_.list->cellText(row, IndexColumn),
                  c_.list->cellText(row, DaysColumn), c_.list->cellText(row, TimeColumn),
                  rules_[rowRules_[row]].overnight != 0);
}

// The row's own rule goes, by the SSID the device holds for it.
void SchedulePage::DeleteRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    if (!Confirm(QStringLiteral("Are you sure that you want to delete this entry ?"),
                 QString::fromLatin1(kApplicationTitle)))
        return;
    if (const int staged = apAdvScheduleDelete(primaryHandle, rules_[rowRules_[row]].ssid)) {
        ReportFailure(staged);
        return;
    }
    FinishListChange();
}

void SchedulePage::FinishListChange()
{
    apAdvScheduleSetState(primaryHandle, c_.schedule->currentIndex(), nullptr);
    if (RequestWrite() != 0)
        formWrite_ = false;
}

// Every rule of the last read goes back with its enabled flag, in rule order: a listed rule's
// from its check box, a rule the page does not list as it was read.
void SchedulePage::Save()
{
    std::vector<apScheduleRule> states(rules_.size());
    for (std::size_t i = 0; i < rules_.size(); ++i)
        states[i].enabled = rules_[i].enabled;
    for (int row = 0; row < c_.list->rowCount(); ++row)
        states[rowRules_[row]].enabled = c_.list->isRowChecked(row) ? 1 : 0;
    apScheduleList list{};
    list.count = int32_t(states.size());
    list.rules = states.data();
    if (const int staged = apAdvScheduleSetState(primaryHandle, c_.schedule->currentIndex(), &list)) {
        ReportFailure(staged);
        return;
    }
    RequestWrite();
}

void SchedulePage::OnWriteDone(int result)
{
    writeFailure_ = result != 0 ? lastMessage : QString();
    if (!formWrite_ || result == 0)
        c_.form->EmptyTimes();
    SelectEverything();
    if (RequestRead() != 0)
        writeFailure_.clear();
}

} // namespace trb
