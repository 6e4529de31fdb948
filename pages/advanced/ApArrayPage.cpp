#include "ApArrayPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include <vector>

#include "DataExchange.h"
#include "DeviceTable.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "ProcessValues.h"
#include "RecordListCtrl.h"
#include "RecordText.h"

namespace trb {
namespace {

constexpr uint32_t kReadGroups = AP_ARRAY_GROUP_ALL;
constexpr uint32_t kWriteGroups = AP_ARRAY_GROUP_MEMBERSHIP | AP_ARRAY_GROUP_SYNC;
constexpr int kTextLimit = 32;
constexpr int kItemRowSpacing = 30;

struct SyncGroup {
    const char *heading;
    int first;
    std::vector<const char *> items; // null: not shown in this model
};

const SyncGroup kGroups[] = {
    {"Wireless Basic Settings", 0,
     {"Network Name (SSID)", "SSID Visibility", "Auto Channel Selection", "Channel Width", "Security", "Band"}},
    {"Wireless Advanced Setting", 6,
     {"Data Rate", "Beacon Interval", "DTIM Interval", "Transmit Power", "WMM (Wi-Fi Multimedia)", "Ack Time Out ",
      "Short GI", "IGMP Snooping", "Link Integrity", "Connection Limit", "Wireless ACL"}},
    // "&&" shows a single ampersand.
    {"Multiple SSID && VLAN", 17, {"SSID", "SSID Visibility", "Security", "WMM", "VLAN"}},
    {"Advanced Functions", 22,
     {"Schedule Settings", "QoS Settings", "DHCP server Settings", "Log Settings", "Time and Date Settings"}},
    {"Administration Settings", 27,
     {"SNMP Settings", "System Name Settings", "Login Settings", "Console Settings", nullptr, nullptr}},
};

const RecordColumn<apArrayEntry> kArrayColumns[] = {
    {"Array Name", 80, &apArrayEntry::name},
    {"Master IP", 80, &apArrayEntry::masterIp},
    {"MAC", 100, &apArrayEntry::mac},
    {"Master", 50, &apArrayEntry::masters},
    {"Backup Master", 50, &apArrayEntry::backupMasters},
    {"Slave", 50, &apArrayEntry::slaves},
    {"Total", 50, &apArrayEntry::total},
};

const RecordColumn<apArrayMember> kMemberColumns[] = {
    {"Index", 50, &apArrayMember::index},
    {"Role", 80, [](const apArrayMember &m) { return ApArrayPage::RoleText(m.role); }},
    {"IP Address", 100, &apArrayMember::ipAddress},
    {"MAC Address", 110, &apArrayMember::mac},
    {"Location", 120, &apArrayMember::location},
};

QLineEdit *TextEdit(bool masked)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(kTextLimit);
    if (masked)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

} // namespace

ApArrayPage::ApArrayPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apAdvAPArrayOpen(sessionHandle, 0);
    monitorHandle = apSysMonitorOpen(sessionHandle, 6, 0);
}

void ApArrayPage::BuildControls()
{
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *saveRow = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(BuildMembership());
    layout->addWidget(BuildLists());
    layout->addLayout(saveRow);
    layout->addWidget(BuildSyncPanel());
    layout->addStretch(1);

    connect(c_.enable, &QCheckBox::clicked, this, &ApArrayPage::UpdateEnabling);
    connect(c_.scan, &QPushButton::clicked, this, &ApArrayPage::Scan);
    connect(c_.save, &QPushButton::clicked, this, &ApArrayPage::Save);
    connect(c_.clearAll, &QPushButton::clicked, this, &ApArrayPage::ClearAll);
    connect(c_.arrays, &QAbstractItemView::clicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            c_.name->setText(c_.arrays->cellText(index.row(), 0));
    });
    LayoutContent();
}

QWidget *ApArrayPage::BuildMembership()
{
    auto *panel = new QWidget;
    FormRows rows = FormRows::On(panel);
    c_.enable = rows.AddWide(new QCheckBox(QStringLiteral("Enable AP Array")), "enableApArrayCheck");
    auto *roleRow = new QWidget;
    auto *roleLayout = new QHBoxLayout(roleRow);
    roleLayout->setContentsMargins(0, 0, 0, 0);
    const char *const roleNames[] = {"masterRadio", "backupMasterRadio", "slaveRadio"};
    for (int i = 0; i < 3; ++i) {
        c_.roles[i] = Named(new QRadioButton(RoleText(i + 1)), roleNames[i], RoleText(i + 1));
        roleLayout->addWidget(c_.roles[i]);
    }
    roleLayout->addStretch(1);
    rows.AddWide(roleRow, "roleRow");
    c_.name = rows.Add(QStringLiteral("AP Array Name"), TextEdit(false), "arrayNameEdit");
    c_.password = rows.Add(QStringLiteral("AP Array Password"), TextEdit(true), "arrayPasswordEdit");
    c_.scan = rows.Add(QStringLiteral("Scan AP Array List"), PageButton(QStringLiteral("Scan"), "scanButton"),
                       "scanButton");
    c_.connection = rows.AddValue(QStringLiteral("Connection Status"), "connectionStatusValue",
                                  QStringLiteral("Disconnect"));
    return panel;
}

QWidget *ApArrayPage::BuildLists()
{
    auto *panel = new QWidget;
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto addList = [layout](const char *title, const char *name) {
        auto *group = new QGroupBox(QString::fromLatin1(title));
        auto *list = Named(new RecordListCtrl, name, title);
        list->setMinimumHeight(90);
        // The lists share what the page leaves them and scroll inside it, so that the page
        // itself never has to be scrolled to reach Save.
        list->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        (new QVBoxLayout(group))->addWidget(list);
        layout->addWidget(group);
        return list;
    };
    c_.arrays = addList("AP Array List", "arrayList");
    SetUpColumns<apArrayEntry>(*c_.arrays, kArrayColumns);
    c_.members = addList("Current Members", "memberList");
    SetUpColumns<apArrayMember>(*c_.members, kMemberColumns);
    return panel;
}

QWidget *ApArrayPage::BuildSyncPanel()
{
    c_.syncPanel = Named(new QWidget, "syncPanel", "Synchronized Parameters");
    auto *layout = new QVBoxLayout(c_.syncPanel);
    layout->setContentsMargins(0, 0, 0, 0);
    c_.clearAll = PageButton(QStringLiteral("Clear All"), "clearAllButton");
    auto *title = new QHBoxLayout;
    title->addWidget(new QLabel(QStringLiteral("Synchronized Parameters  ")));
    title->addWidget(c_.clearAll);
    title->addStretch(1);
    layout->addLayout(title);
    for (int g = 0; g < kSyncGroups; ++g) {
        const SyncGroup &group = kGroups[g];
        c_.headings[g] = Named(new QCheckBox(QString::fromLatin1(group.heading)),
                               QStringLiteral("syncGroup%1Check").arg(g), QString::fromLatin1(group.heading));
        c_.groupItems[g] = new QWidget;
        auto *grid = new QGridLayout(c_.groupItems[g]);
        grid->setVerticalSpacing(kItemRowSpacing - 20);
        int shown = 0;
        for (std::size_t i = 0; i < group.items.size(); ++i) {
            if (!group.items[i])
                continue;
            const int position = group.first + int(i);
            const QString label = QString::fromLatin1(group.items[i]);
            c_.itemLabels[position] = new QLabel(label);
            c_.items[position] = Named(new QCheckBox, QStringLiteral("syncItem%1Check").arg(position), label);
            grid->addWidget(c_.itemLabels[position], shown / 2, (shown % 2) * 2);
            grid->addWidget(c_.items[position], shown / 2, (shown % 2) * 2 + 1);
            ++shown;
        }
        c_.groupItems[g]->setVisible(false);
        layout->addWidget(c_.headings[g]);
        layout->addWidget(c_.groupItems[g]);
        connect(c_.headings[g], &QCheckBox::toggled, this, [this, g](bool open) {
            c_.groupItems[g]->setVisible(open);
            FitContent();
        });
    }
    return c_.syncPanel;
}

QString ApArrayPage::RoleText(int role)
{
    return role == 1 ? QStringLiteral("Master") : role == 2 ? QStringLiteral("Backup Master") : QStringLiteral("Slave");
}

ApArrayPage::Flags ApArrayPage::ShownFlags(const Flags &device)
{
    Flags shown = device;
    shown[kShownSnmpItem] = device[kSnmpItem];
    return shown;
}

ApArrayPage::Flags ApArrayPage::FlagsToSend(const Flags &shown)
{
    Flags sent = shown;
    sent[kSnmpItem] = shown[kShownSnmpItem];
    return sent;
}

int ApArrayPage::ReadOnShow()
{
    apStyleModify(primaryHandle, kReadGroups, 0);
    return 1;
}

void ApArrayPage::OnReadDone()
{
    ShowMessage(lastMessage);
    char name[AP_ARRAY_TEXT_SIZE] = {};
    char password[AP_ARRAY_TEXT_SIZE] = {};
    int enable = 0;
    apAdvAPArrayGet(primaryHandle, &enable, &values_.role, &scanAllowed_, name, password);
    apAdvAPArrayParamatersGet(primaryHandle, values_.flags.data());
    values_.flags = ShownFlags(values_.flags);
    int modes[2] = {0, 0};
    apAdvAPArrayApModeGet(primaryHandle, 1, &modes[0]);
    apAdvAPArrayApModeGet(primaryHandle, 2, &modes[1]);
    modeAllowsArray_ = modes[0] <= 1 && modes[1] <= 1;
    values_.enable = modeAllowsArray_ && enable != 0;
    values_.name = RecordText(name);
    values_.password = RecordText(password);
    for (QCheckBox *heading : c_.headings)
        heading->setChecked(false);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, values_);
}

void ApArrayPage::UpdateEnabling()
{
    const bool on = c_.enable->isChecked();
    c_.enable->setEnabled(modeAllowsArray_);
    for (QRadioButton *role : c_.roles)
        role->setEnabled(on);
    SetEnabled({c_.name, c_.password, c_.syncPanel}, on);
    c_.scan->setEnabled(on && scanAllowed_ != 0);
}

void ApArrayPage::Exchange(DataExchange &dx, Values &v)
{
    ExchangeChecked(dx, c_.enable, v.enable);
    if (dx.isLoading()) {
        c_.roles[v.role >= 1 && v.role <= 3 ? v.role - 1 : 0]->setChecked(true);
    } else {
        v.role = 1;
        for (int i = 0; i < 3; ++i)
            if (c_.roles[i]->isChecked())
                v.role = i + 1;
    }
    ExchangeText(dx, c_.name, v.name);
    if (v.enable) {
        CheckNotBlank(dx, v.name, QStringLiteral("The Array Name can not be blank"));
        CheckNoEdgeBlanks(dx, v.name, QStringLiteral("The first character and last character can't be blank."));
    }
    CheckDeviceText(dx, v.name);
    ExchangeText(dx, c_.password, v.password);
    CheckDeviceText(dx, v.password);
    for (int position = 0; position < AP_ARRAY_SYNC_COUNT; ++position) {
        if (!c_.items[position])
            continue; // not shown: kept as read
        bool on = v.flags[position] != 0;
        ExchangeChecked(dx, c_.items[position], on);
        v.flags[position] = on ? 1 : 0;
    }
}

void ApArrayPage::Save()
{
    Values values = values_;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, values);
    if (dx.failed())
        return;
    const Flags flags = FlagsToSend(values.flags);
    const QByteArray name = values.name.toLatin1();
    const QByteArray password = values.password.toLatin1();
    apAdvAPArraySet(primaryHandle, values.enable ? 1 : 0, values.role, name.constData(), password.constData());
    apAdvAPArrayParamatersSet(primaryHandle, flags.data());
    apStyleModify(primaryHandle, kWriteGroups, 1);
    values_ = values;
    values_.flags = flags;
    RequestWrite();
}

void ApArrayPage::ClearAll()
{
    for (QCheckBox *item : c_.items)
        if (item)
            item->setChecked(false);
}

void ApArrayPage::Scan() { RequestMonitor(monitorHandle, 1); }

void ApArrayPage::OnMonitorDone(APHANDLE monitor, int result)
{
    if (result != 0)
        return;
    apMonitorQuery2 counts{};
    apSysMonitorQueryInfor(monitor, &counts);
    const bool members = counts.count[1] > 0;
    if (counts.count[0] == 0 && !members)
        return; // nothing found: the status and the lists stay as they were
    c_.connection->setText(members ? QStringLiteral("Connect") : QStringLiteral("Disconnect"));
    std::vector<apArrayEntry> arrays(counts.count[0]);
    std::vector<apArrayMember> found(counts.count[1]);
    apMonitorQuery2 rows{{counts.count[0], counts.count[1]}, {arrays.data(), found.data()}};
    if (apSysMonitorQueryInfor(monitor, &rows) != 0)
        return;
    arrays.resize(std::min<std::size_t>(rows.count[0], arrays.size()));
    found.resize(std::min<std::size_t>(rows.count[1], found.size()));
    FillLists(arrays, found);
}

void ApArrayPage::FillLists(const std::vector<apArrayEntry> &arrays, const std::vector<apArrayMember> &members)
{
    FillRecordList<apArrayEntry>(*c_.arrays, arrays, kArrayColumns);
    FillRecordList<apArrayMember>(*c_.members, members, kMemberColumns);
}

void ApArrayPage::LayoutContent()
{
    FitContent();
    QTimer::singleShot(0, this, [this] { FitContent(); });
}

} // namespace trb
