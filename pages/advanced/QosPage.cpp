#include "QosPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "DataExchange.h"
#include "DeviceTable.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

enum Column { NameColumn, PriorityColumn, Host1Column, Host2Column, ProtocolColumn, IndexColumn, EditColumn, DeleteColumn };

const RecordColumn<apQosRule> kColumns[] = {
    {"Name", 100, &apQosRule::name},
    {"Priority", 65, [](const apQosRule &r) { return QosRules::PriorityText(r.priority); }},
    {"Host 1 IP Range", 135, &QosRules::Host1RangeText},
    {"Host 2 IP Range ", 135, &QosRules::Host2RangeText},
    {"Protocol / Ports ", 120, &QosRules::ProtocolPortsText},
    {"Index", 0, &apQosRule::index},
    {"Edit", 50, ColumnRole::EditIcon},
    {"Delete", 50, ColumnRole::DeleteIcon},
};

// The shape ReadTable fills, over the library's list header.
struct RuleHeader {
    int32_t count = 0;
    apQosRule *rows = nullptr;
};

const QString kInvalidIp = QStringLiteral("Invalid IP Address!");
const QString kTitleText = QString::fromLatin1(kApplicationTitle);

// "start - end" in one form row.
QWidget *PairRow(QLineEdit *start, QLineEdit *end)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(start);
    layout->addWidget(new QLabel(QStringLiteral("-")));
    layout->addWidget(end);
    return row;
}

// A port field: shown empty for 0; a number above 0 must be a port. Empty and 0 mean any port.
void ExchangePort(DataExchange &dx, QLineEdit *edit, int &port)
{
    if (dx.isLoading()) {
        edit->setText(port > 0 ? QString::number(port) : QString());
        return;
    }
    const QString text = edit->text().trimmed();
    port = 0;
    if (!text.isEmpty() && text != QLatin1String("0"))
        ExchangeInt(dx, edit, port, 1, 65535);
}

// A saved IP field must be a host address; a loaded one just shows.
void ExchangeHostIp(DataExchange &dx, QLineEdit *edit, QString &ip, bool checked)
{
    ExchangeText(dx, edit, ip);
    if (checked)
        CheckHostIp(dx, ip, kInvalidIp);
}

} // namespace

QosPage::QosPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apAdvQosOpen(sessionHandle, 0);
}

void QosPage::BuildControls()
{
    auto *top = new QWidget;
    FormRows rows = FormRows::On(top);
    c_.qos = rows.Add(QStringLiteral("QoS(Quality of Service)"), new QComboBox, "qosCombo");
    c_.qos->addItems({QStringLiteral("Disable"), QStringLiteral("Enable")});

    auto *classifiers = new QGroupBox(QStringLiteral("Priority Classifiers"));
    auto *classifierLayout = new QHBoxLayout(classifiers);
    c_.http = Named(new QCheckBox(QStringLiteral("HTTP ")), "httpCheck", "HTTP");
    c_.automatic = Named(new QCheckBox(QStringLiteral("Automatic ")), "automaticCheck", "Automatic");
    classifierLayout->addWidget(c_.http);
    classifierLayout->addWidget(c_.automatic);
    classifierLayout->addWidget(new QLabel(QStringLiteral("(default if not matched by anything else) ")));
    classifierLayout->addStretch(1);

    BuildList();
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});

    auto *listGroup = new QGroupBox(QStringLiteral("QoS Rules List"));
    auto *listLayout = new QVBoxLayout(listGroup);
    listLayout->addWidget(c_.list);

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(top);
    layout->addWidget(classifiers);
    layout->addWidget(BuildRuleForm());
    layout->addWidget(listGroup, 1);
    layout->addLayout(buttons);

    connect(c_.qos, &QComboBox::currentIndexChanged, this, &QosPage::UpdateEnabling);
    connect(c_.protocol, &QComboBox::currentIndexChanged, this, &QosPage::ApplyProtocolRule);
    connect(c_.add, &QPushButton::clicked, this, &QosPage::Add);
    connect(c_.clear, &QPushButton::clicked, this, &QosPage::Clear);
    connect(c_.save, &QPushButton::clicked, this, &QosPage::Save);
    connect(c_.list, &RecordListCtrl::rowCheckToggled, this, &QosPage::OnRowCheckToggled);
    connect(c_.list, &ActionIconListCtrl::editClicked, this, &QosPage::EditRow);
    connect(c_.list, &ActionIconListCtrl::deleteClicked, this, &QosPage::DeleteRow);
    LayoutContent();
}

QWidget *QosPage::BuildRuleForm()
{
    auto *group = new QGroupBox(QStringLiteral("Add QoS Rule"));
    FormRows rows = FormRows::On(group);
    c_.name = rows.Add(QStringLiteral("Name "), LimitedEdit(32), "ruleNameEdit");
    c_.priority = rows.Add(QStringLiteral("Priority "), new QComboBox, "priorityCombo");
    c_.priority->addItems({QStringLiteral("Backgroud(BK)"), QStringLiteral("Best Effort(BE)"),
                           QStringLiteral("Video(VI)"), QStringLiteral("Voice(VO)")});
    c_.protocol = Named(new QComboBox, "protocolCombo", "Protocol");
    c_.protocol->addItems({QStringLiteral("Any"), QStringLiteral("TCP"), QStringLiteral("UDP"), QStringLiteral("Both"),
                           QStringLiteral("ICMP"), QStringLiteral("Other")});
    c_.protocolNumber = Named(LimitedEdit(3), "protocolNumberEdit", "Protocol number");
    auto *protocolRow = new QWidget;
    auto *protocolLayout = new QHBoxLayout(protocolRow);
    protocolLayout->setContentsMargins(0, 0, 0, 0);
    protocolLayout->addWidget(c_.protocol);
    protocolLayout->addWidget(c_.protocolNumber);
    rows.Add(QStringLiteral("Protocol"), protocolRow, "protocolRow");

    auto ip = [](const char *name, const char *label) { return Named(LimitedEdit(15), name, label); };
    auto port = [](const char *name, const char *label) { return Named(LimitedEdit(5), name, label); };
    c_.host1Start = ip("host1StartEdit", "Host 1 IP range start");
    c_.host1End = ip("host1EndEdit", "Host 1 IP range end");
    c_.host1PortStart = port("host1PortStartEdit", "Host 1 port range start");
    c_.host1PortEnd = port("host1PortEndEdit", "Host 1 port range end");
    c_.host2Start = ip("host2StartEdit", "Host 2 IP range start");
    c_.host2End = ip("host2EndEdit", "Host 2 IP range end");
    c_.host2PortStart = port("host2PortStartEdit", "Host 2 port range start");
    c_.host2PortEnd = port("host2PortEndEdit", "Host 2 port range end");
    rows.Add(QStringLiteral("Host 1 IP Range "), PairRow(c_.host1Start, c_.host1End), "host1IpRow");
    rows.Add(QStringLiteral("Host 1 Port Range "), PairRow(c_.host1PortStart, c_.host1PortEnd), "host1PortRow");
    rows.Add(QStringLiteral("Host 2 IP Range "), PairRow(c_.host2Start, c_.host2End), "host2IpRow");
    rows.Add(QStringLiteral("Host 2 Port Range "), PairRow(c_.host2PortStart, c_.host2PortEnd), "host2PortRow");

    c_.add = PageButton(QStringLiteral("Add"), "addButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    c_.clear = PageButton(QStringLiteral("Clear"), "clearButton");
    auto *buttons = ButtonRow({c_.add, c_.clear});
    rows.grid()->addLayout(buttons, rows.grid()->rowCount(), 0, 1, 2);
    return group;
}

void QosPage::BuildList()
{
    c_.list = Named(new ActionIconListCtrl, "qosRuleList", "QoS Rules List");
    c_.list->setSelectionBehavior(QAbstractItemView::SelectRows);
    SetUpColumns<apQosRule>(*c_.list, kColumns);
    c_.list->SetCheckBoxes(true);
    c_.list->setColumnHidden(IndexColumn, true);
    c_.list->setMinimumWidth(640); // the visible columns, within the window's width
}

void QosPage::showEvent(QShowEvent *event)
{
    PopupPage::showEvent(event);
    Clear();
}

int QosPage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_QOS_GROUP_ALL, 0);
    BeginRefresh(kReadWaitMs, {}, true);
    return 1;
}

void QosPage::OnReadDone()
{
    int enable = 0, http = 0, automatic = 0, mode = 0;
    apAdvQosParaGet(primaryHandle, &enable, &http, &automatic, &mode);
    {
        const QSignalBlocker blocker(c_.qos);
        c_.qos->setCurrentIndex(enable == 1 ? 1 : 0);
    }
    c_.http->setChecked(http == 1);
    c_.automatic->setChecked(automatic == 1);
    slots_ = ReadTable<apQosRule, RuleHeader>([this](RuleHeader &header) {
        apQosRuleList list{header.count, header.rows};
        const int result = apAdvQosListGet(primaryHandle, &list);
        header.count = list.count;
        return result;
    });
    FillList();
    ApplyMode(mode);
    UpdateEnabling();
    // A rule the device refused stays in the form, to be mended and sent again.
    if (!(formWrite_ && writing_ && writeResult_ != 0))
        Clear();
    formWrite_ = false;
    if (writing_ && writeResult_ != 0) {
        lastMessage = writeText_; // the failed write, not the read after it, stays in the status bar
        ShowMessage(writeText_);
    }
    writing_ = false;
}

// The list must not keep rows the device may no longer hold after a write.
void QosPage::OnReadFailed()
{
    if (!writing_)
        return;
    writing_ = false;
    slots_.clear();
    FillList();
}

void QosPage::FillList()
{
    usedRules_ = 0;
    while (usedRules_ < int(slots_.size()) && slots_[usedRules_].name[0] != '\0')
        ++usedRules_;
    const std::vector<apQosRule> used(slots_.begin(), slots_.begin() + usedRules_);
    const QSignalBlocker blocker(c_.list);
    FillRecordList<apQosRule>(*c_.list, used, kColumns);
    for (int row = 0; row < usedRules_; ++row)
        c_.list->SetRowChecked(row, used[row].enabled == 1);
}

void QosPage::ApplyMode(int mode)
{
    if (mode >= 1 && mode <= 3) {
        c_.qos->setEnabled(true);
    } else if (mode == 4 || mode == 5) { // wireless client and repeater: no QoS
        const QSignalBlocker blocker(c_.qos);
        c_.qos->setCurrentIndex(0);
        c_.qos->setEnabled(false);
    }
}

void QosPage::UpdateEnabling()
{
    const bool on = c_.qos->currentIndex() == 1;
    SetEnabled({c_.http, c_.automatic, c_.name, c_.priority, c_.protocol, c_.host1Start, c_.host1End, c_.host2Start,
                c_.host2End, c_.add, c_.clear},
               on);
    if (on)
        return ApplyProtocolRule();
    SetEnabled({c_.protocolNumber, c_.host1PortStart, c_.host1PortEnd, c_.host2PortStart, c_.host2PortEnd}, false);
}

void QosPage::ApplyProtocolRule()
{
    const int protocol = c_.protocol->currentIndex();
    if (const int number = QosRules::ProtocolNumberOf(protocol))
        c_.protocolNumber->setText(QString::number(number));
    const bool on = c_.qos->currentIndex() == 1;
    c_.protocolNumber->setEnabled(on && protocol == QosRules::kProtocolOther);
    SetEnabled({c_.host1PortStart, c_.host1PortEnd, c_.host2PortStart, c_.host2PortEnd},
               on && QosRules::ProtocolHasPorts(protocol));
}

// While QoS is off the rules cannot be switched either.
void QosPage::OnRowCheckToggled(int row, bool checked)
{
    if (c_.qos->currentIndex() == 1)
        return;
    const QSignalBlocker blocker(c_.list);
    c_.list->SetRowChecked(row, !checked);
}

void QosPage::Clear()
{
    c_.name->clear();
    c_.priority->setCurrentIndex(0);
    {
        const QSignalBlocker blocker(c_.protocol);
        c_.protocol->setCurrentIndex(0);
    }
    c_.protocolNumber->setText(QStringLiteral("256"));
    for (QLineEdit *edit : {c_.host1Start, c_.host1End, c_.host2Start, c_.host2End, c_.host1PortStart,
                            c_.host1PortEnd, c_.host2PortStart, c_.host2PortEnd})
        edit->clear();
    editIndex_ = 0;
    ApplyProtocolRule();
}

void QosPage::Exchange(DataExchange &dx, QosRuleForm &form)
{
    ExchangeIndex(dx, c_.priority, form.priorityIndex);
    ExchangeIndex(dx, c_.protocol, form.protocolIndex);
    ExchangeInt(dx, c_.protocolNumber, form.protocolNumber, 1, 999);
    ExchangeText(dx, c_.name, form.name);
    CheckNotBlank(dx, form.name, QStringLiteral("The QOS name field can not be blank!"));
    ExchangeHostIp(dx, c_.host1Start, form.host1Start, true);
    ExchangeHostIp(dx, c_.host1End, form.host1End, !c_.host1End->text().isEmpty() && !form.host1Start.isEmpty());
    ExchangeHostIp(dx, c_.host2Start, form.host2Start, !c_.host2Start->text().isEmpty());
    ExchangeHostIp(dx, c_.host2End, form.host2End, !c_.host2End->text().isEmpty() && !form.host2Start.isEmpty());
    const bool ports = dx.isLoading() || QosRules::ProtocolHasPorts(form.protocolIndex);
    if (!ports) // greyed ports are not the rule's: they are neither checked nor sent
        return;
    ExchangePort(dx, c_.host1PortStart, form.host1PortStart);
    ExchangePort(dx, c_.host1PortEnd, form.host1PortEnd);
    ExchangePort(dx, c_.host2PortStart, form.host2PortStart);
    ExchangePort(dx, c_.host2PortEnd, form.host2PortEnd);
}

bool QosPage::CheckRanges(const QosRuleForm &form)
{
    const QString invalidIp = QStringLiteral("Invalid IP range.");
    const QString invalidPort = QStringLiteral("Invalid Port range");
    const bool ports = QosRules::ProtocolHasPorts(form.protocolIndex);
    const QString host1End = form.host1End.isEmpty() ? form.host1Start : form.host1End;
    if (!QosRules::IsIpRange(form.host1Start, host1End))
        return RejectCheck(invalidIp, kTitleText, c_.host1End);
    if (ports && form.host1PortEnd < form.host1PortStart)
        return RejectCheck(invalidPort, kTitleText, c_.host1PortEnd);
    const QString host2End = form.host2End.isEmpty() ? form.host2Start : form.host2End;
    if (!form.host2Start.isEmpty() && !QosRules::IsIpRange(form.host2Start, host2End))
        return RejectCheck(invalidIp, kTitleText, c_.host2End);
    if (ports && form.host2PortEnd < form.host2PortStart)
        return RejectCheck(invalidPort, kTitleText, c_.host2PortEnd);
    return true;
}

bool QosPage::NameTaken(const QString &name) const
{
    for (int i = 0; i < usedRules_; ++i)
        if (slots_[i].index != editIndex_ && RecordText(slots_[i].name) == name)
            return true;
    return false;
}

int QosPage::ChosenIndex() const
{
    if (editIndex_ > 0)
        return editIndex_;
    if (slots_.empty())
        return 1;
    for (const apQosRule &slot : slots_)
        if (slot.name[0] == '\0')
            return slot.index;
    return 0;
}

const apQosRule *QosPage::RuleAt(int index) const
{
    for (int i = 0; i < usedRules_; ++i)
        if (slots_[i].index == index)
            return &slots_[i];
    return nullptr;
}

void QosPage::Add()
{
    QosRuleForm form;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, form);
    if (dx.failed() || !CheckRanges(form))
        return;
    // A full table has no slot to give: an existing rule is never overwritten to make room.
    const int index = ChosenIndex();
    if (index == 0)
        return void(RejectCheck(QString::fromLatin1(kTableFull), kTitleText, c_.name));
    if (NameTaken(form.name))
        return void(RejectCheck(QString::fromLatin1(kNameTaken), kTitleText, c_.name));
    const apQosRule rule = QosRules::ToRecord(form, index);
    if (const int staged = apAdvQosRuleEdit(primaryHandle, &rule, 0))
        return ShowLibraryError(staged);
    StageSwitches();
    formWrite_ = true;
    // The switches go with the rule: staged and not sent they would be lost on the re-read.
    Finish(AP_QOS_GROUP_RULES | AP_QOS_GROUP_SWITCHES);
}

void QosPage::EditRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    const int index = c_.list->cellText(row, IndexColumn).toInt();
    // By its index, not its position: slots freed by deletions leave gaps in the numbering.
    const apQosRule *rule = RuleAt(index);
    if (!rule)
        return;
    QosRuleForm form = QosRules::FromRecord(*rule);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, form);
    editIndex_ = index;
    UpdateEnabling();
    c_.protocolNumber->setText(QString::number(form.protocolNumber));
}

void QosPage::DeleteRow(int row)
{
    if (row < 0 || row >= c_.list->rowCount())
        return;
    if (!Confirm(QStringLiteral("Are you sure that you want to delete this entry ?"), kTitleText))
        return;
    // The clicked row's own index goes to the device, so exactly that rule is removed.
    const int index = c_.list->cellText(row, IndexColumn).toInt();
    if (const int staged = apAdvQosRuleDel(primaryHandle, index))
        return ShowLibraryError(staged);
    Finish(AP_QOS_GROUP_REMOVE);
}

void QosPage::Save()
{
    editIndex_ = 0;
    int number = 0;
    DataExchange dx(DataExchange::Saving);
    ExchangeInt(dx, c_.protocolNumber, number, 1, 999);
    if (dx.failed())
        return;
    const int rows = c_.list->rowCount();
    if (!c_.http->isChecked() && !c_.automatic->isChecked() && rows == 0)
        Inform(QStringLiteral("All traffic will be treated as priority of 'Best Effort'\n because of priority "
                              "classifier specified and empty rule table."));
    StageSwitches();
    if (rows == 0 || c_.qos->currentIndex() != 1)
        return Finish(AP_QOS_GROUP_SWITCHES);
    for (int row = 0; row < rows && row < usedRules_; ++row) {
        apQosRule rule = slots_[row];
        rule.enabled = c_.list->isRowChecked(row) ? 1 : 0;
        if (const int staged = apAdvQosRuleEdit(primaryHandle, &rule, 1))
            return ShowLibraryError(staged);
    }
    Finish(AP_QOS_GROUP_RULES | AP_QOS_GROUP_SWITCHES);
}

void QosPage::StageSwitches()
{
    apAdvQosParaSet(primaryHandle, c_.qos->currentIndex() == 1 ? 1 : 0, c_.http->isChecked() ? 1 : 0,
                    c_.automatic->isChecked() ? 1 : 0);
}

void QosPage::Finish(uint32_t groups)
{
    if (!formWrite_)
        editIndex_ = 0;
    apStyleModify(primaryHandle, groups, 1);
    BeginRefresh(kWriteWaitMs, {}, true);
    writing_ = true;
    writeResult_ = 0;
    if (const int code = RequestWrite()) {
        writing_ = false;
        formWrite_ = false;
        ShowLibraryError(code);
    }
}

void QosPage::OnWriteDone(int result)
{
    writeResult_ = result;
    writeText_ = lastMessage;
    apStyleModify(primaryHandle, AP_QOS_GROUP_ALL, 0);
    RequestRead();
}

void QosPage::ShowLibraryError(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    lastMessage = QString::fromLatin1(text);
    ShowMessage(lastMessage);
}

} // namespace trb
