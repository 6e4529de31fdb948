#include "AdminPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ActionIconListCtrl.h"
#include "AddressValidation.h"
#include "CollapsibleSection.h"
#include "DataExchange.h"
#include "DeviceTable.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "RecordText.h"

namespace trb {
namespace {

enum RangeColumn { ItemColumn, FromColumn, ToColumn, DeleteColumn };

const RecordColumn<apAdminRangeEntry> kRangeColumns[] = {
    {"Item", 50, &apAdminRangeEntry::index},
    {"From", 120, &apAdminRangeEntry::from},
    {"To", 120, &apAdminRangeEntry::to},
    {"Delete", 60, ColumnRole::DeleteIcon},
};

const QString kInvalidCharacters = QStringLiteral("There are some invalid characters !");
const QString kNoAddress = QStringLiteral("0.0.0.0");
const QString kModuleTitle = QString::fromLatin1(kApplicationTitle);

QLineEdit *TextEdit(int maxLength, bool masked = false)
{
    auto *edit = new QLineEdit;
    edit->setMaxLength(maxLength);
    if (masked)
        edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QString Prefix24(const QString &address) { return address.left(address.lastIndexOf(QLatin1Char('.'))); }

} // namespace

AdminPage::AdminPage(QWidget *parent) : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    primaryHandle = apSysAdministratorOpen(sessionHandle, 0);
}

void AdminPage::BuildControls()
{
    struct SectionLayout {
        const char *heading;
        int openHeight;
        const char *name;
        void (AdminPage::*build)(QWidget *);
    };
    const SectionLayout sections[SectionCount] = {
        {"Limit Administrator  ", 276, "limitSection", &AdminPage::BuildLimitSection},
        {"System Name Settings  ", 104, "systemNameSection", &AdminPage::BuildNameSection},
        {"Login Settings  ", 165, "loginSection", &AdminPage::BuildLoginSection},
        {"Console Settings  ", 123, "consoleSection", &AdminPage::BuildConsoleSection},
        {"SNMP Settings  ", 90, "snmpSection", &AdminPage::BuildTrapSection},
        {"Ping Control Setting  ", 69, "pingSection", &AdminPage::BuildPingSection},
    };
    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(2);
    for (int i = 0; i < SectionCount; ++i) {
        c_.sections[i] = new CollapsibleSection(QString::fromLatin1(sections[i].heading), sections[i].openHeight,
                                                QString::fromLatin1(sections[i].name));
        (this->*sections[i].build)(c_.sections[i]->body());
        c_.sections[i]->setMinimumWidth(480); // a closed section keeps the page's width
        layout->addWidget(c_.sections[i]);
        connect(c_.sections[i]->heading(), &QCheckBox::toggled, this, [this] { FitContent(); });
    }
    // Ping control is kept with the console settings; this model shows no section for it.
    c_.sections[PingSection]->hide();
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});
    layout->addLayout(buttons);
    layout->addStretch(1);

    for (QCheckBox *box : {c_.vlanLimit, c_.ipLimit, c_.console, c_.trap})
        connect(box, &QCheckBox::toggled, this, &AdminPage::UpdateEnabling);
    connect(c_.vlanLimit, &QCheckBox::clicked, this, [this](bool checked) {
        if (checked)
            WarnOfDisabledFunctions();
    });
    connect(c_.add, &QPushButton::clicked, this, &AdminPage::AddRange);
    connect(c_.ranges, &ActionIconListCtrl::deleteClicked, this, &AdminPage::DeleteRange);
    connect(c_.save, &QPushButton::clicked, this, &AdminPage::Save);
    LayoutContent();
}

void AdminPage::BuildLimitSection(QWidget *body)
{
    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(8, 0, 8, 0);
    grid->addWidget(new QLabel(QStringLiteral("Limit Administrator VLAN ID")), 0, 0);
    c_.vlanLimit = Named(new QCheckBox(QStringLiteral("Enable")), "vlanLimitCheck", "Limit Administrator VLAN ID");
    c_.vlanId = Named(TextEdit(4), "vlanIdEdit", "VLAN ID");
    grid->addWidget(c_.vlanLimit, 0, 1);
    grid->addWidget(c_.vlanId, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Limit Administrator IP")), 1, 0);
    c_.ipLimit = Named(new QCheckBox(QStringLiteral("Enable")), "ipLimitCheck", "Limit Administrator IP");
    grid->addWidget(c_.ipLimit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("IP Range")), 2, 0);
    auto *range = new QHBoxLayout;
    c_.from = Named(TextEdit(15), "rangeFromEdit", "From");
    c_.to = Named(TextEdit(15), "rangeToEdit", "To");
    c_.add = PageButton(QStringLiteral("Add"), "addRangeButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    range->addWidget(new QLabel(QStringLiteral("From:")));
    range->addWidget(c_.from);
    range->addWidget(new QLabel(QStringLiteral("To:")));
    range->addWidget(c_.to);
    range->addWidget(c_.add);
    grid->addLayout(range, 2, 1, 1, 2);
    c_.ranges = Named(new ActionIconListCtrl, "rangeList", "IP Range List");
    SetUpColumns<apAdminRangeEntry>(*c_.ranges, kRangeColumns);
    grid->addWidget(c_.ranges, 3, 0, 1, 3);
    grid->setRowStretch(3, 1);
}

void AdminPage::BuildNameSection(QWidget *body)
{
    FormRows rows = FormRows::On(body);
    c_.systemName = rows.Add(QStringLiteral("System Name "), TextEdit(32), "systemNameEdit");
    c_.location = rows.Add(QStringLiteral("Location"), TextEdit(32), "locationEdit");
}

void AdminPage::BuildLoginSection(QWidget *body)
{
    FormRows rows = FormRows::On(body);
    // The device keeps at most 32 characters of the name.
    c_.loginName = rows.Add(QStringLiteral("Login Name "), TextEdit(32), "loginNameEdit");
    c_.oldPassword = rows.Add(QStringLiteral("Old Password "), TextEdit(64, true), "oldPasswordEdit");
    c_.newPassword = rows.Add(QStringLiteral("New Password "), TextEdit(64, true), "newPasswordEdit");
    c_.confirmPassword = rows.Add(QStringLiteral("Confirm Password "), TextEdit(64, true), "confirmPasswordEdit");
}

void AdminPage::BuildConsoleSection(QWidget *body)
{
    FormRows rows = FormRows::On(body);
    c_.console = rows.Add(QStringLiteral("Status "), new QCheckBox(QStringLiteral("Enable")), "consoleCheck");
    auto *protocols = new QWidget;
    auto *protocolRow = new QHBoxLayout(protocols);
    protocolRow->setContentsMargins(0, 0, 0, 0);
    c_.telnet = Named(new QRadioButton(QStringLiteral("Telnet")), "telnetRadio", "Telnet");
    c_.ssh = Named(new QRadioButton(QStringLiteral("SSH")), "sshRadio", "SSH");
    protocolRow->addWidget(c_.telnet);
    protocolRow->addWidget(c_.ssh);
    protocolRow->addStretch(1);
    rows.Add(QStringLiteral("Console Protocol"), protocols, "consoleProtocolGroup");
    c_.timeout = rows.Add(QStringLiteral("Timeout"), new QComboBox, "timeoutCombo");
    c_.timeout->addItems({QStringLiteral("1 Mins"), QStringLiteral("3 Mins"), QStringLiteral("5 Mins"),
                          QStringLiteral("10 Mins"), QStringLiteral("15 Mins"), QStringLiteral("Never")});
}

void AdminPage::BuildTrapSection(QWidget *body)
{
    FormRows rows = FormRows::On(body);
    c_.trap = rows.Add(QStringLiteral("Trap Status"), new QCheckBox(QStringLiteral("Enable")), "trapCheck");
    c_.trapServer = rows.Add(QStringLiteral("Trap Server IP"), TextEdit(15), "trapServerEdit");
}

void AdminPage::BuildPingSection(QWidget *body)
{
    FormRows rows = FormRows::On(body);
    c_.ping = rows.Add(QStringLiteral("Status"), new QCheckBox(QStringLiteral("Enable")), "pingCheck");
}

std::vector<apAdminRangeEntry> AdminPage::ParseRanges(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    std::vector<apAdminRangeEntry> ranges;
    for (int item = 1; item <= kMaxRanges && 2 * item - 1 < words.size(); ++item) {
        const QString &from = words[2 * item - 2];
        if (from.isEmpty() || from == kNoAddress)
            continue;
        apAdminRangeEntry entry{};
        entry.index = item;
        SetRecordText(entry.from, from);
        SetRecordText(entry.to, words[2 * item - 1]);
        ranges.push_back(entry);
    }
    return ranges;
}

int AdminPage::ReadOnShow()
{
    for (CollapsibleSection *section : c_.sections)
        section->SetOpen(false);
    apStyleModify(primaryHandle, AP_ADMIN_GROUP_ALL, 0);
    return 1;
}

void AdminPage::OnReadDone()
{
    apSysLimitAdminFunctionStatusGet(primaryHandle, &functionStates_[0], &functionStates_[1], &functionStates_[2],
                                     &mode_);
    int vlanLimit = 0, ipLimit = 0, rangeCount = 0;
    char rangeText[AP_ADMIN_RANGE_TEXT_SIZE] = {};
    apSysLimitAdministratorGet(primaryHandle, &vlanLimit, &vlanId_, &ipLimit, rangeText, &rangeCount);
    ranges_ = ParseRanges(RecordText(rangeText));
    FillRecordList<apAdminRangeEntry>(*c_.ranges, ranges_, kRangeColumns);

    char name[AP_ADMIN_TEXT_SIZE] = {}, location[AP_ADMIN_TEXT_SIZE] = {};
    apSysNameSettingGet(primaryHandle, name, location);
    char login[AP_ADMIN_TEXT_SIZE] = {}, password[AP_ADMIN_TEXT_SIZE] = {};
    apSysLoginGet(primaryHandle, login, password);
    currentPassword_ = RecordText(password);
    int trap = 0;
    char server[AP_ADMIN_TRAP_TEXT_SIZE] = {};
    apSysTrapSettingGet(primaryHandle, &trap, server);
    int console = 0, ping = 0;
    Values v;
    apSysConsolSettingGet(primaryHandle, &console, &v.protocol, &v.timeout, &ping);

    v.vlanLimit = vlanLimit == 1;
    v.vlanId = vlanId_;
    v.ipLimit = ipLimit == 1;
    v.systemName = RecordText(name);
    v.location = RecordText(location);
    v.loginName = RecordText(login);
    v.oldPassword = v.newPassword = v.confirmPassword = currentPassword_;
    v.trap = trap == 1;
    v.trapServer = RecordText(server) == kNoAddress ? QString() : RecordText(server);
    v.console = console == 1;
    v.ping = ping == 1;
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, v);
    if (!ActionFailed()) {
        c_.from->clear();
        c_.to->clear();
    }
    UpdateEnabling();
    if (v.vlanLimit)
        WarnOfDisabledFunctions();
}

void AdminPage::UpdateEnabling()
{
    const bool limitsSettable = mode_ != kLimitedMode;
    SetEnabled({c_.vlanLimit, c_.ipLimit}, limitsSettable);
    c_.vlanId->setEnabled(c_.vlanLimit->isChecked());
    SetEnabled({c_.from, c_.to, c_.add}, c_.ipLimit->isChecked());
    SetEnabled({c_.telnet, c_.ssh, c_.timeout}, c_.console->isChecked());
    c_.trapServer->setEnabled(c_.trap->isChecked());
}

void AdminPage::WarnOfDisabledFunctions()
{
    if (functionStates_[0] || functionStates_[1] || functionStates_[2])
        ShowMessageBox(QStringLiteral("If Limit Administrator Status enable,VLAN status,WEB Redirection \n"
                                      "and Network Access protection status will be disable."),
                       MessageIcon::None, kModuleTitle, MessageButtons::Ok, messageParent());
}

void AdminPage::ExchangeLimit(DataExchange &dx, Values &v)
{
    ExchangeChecked(dx, c_.vlanLimit, v.vlanLimit);
    // Unticked, the field is not the user's: a save keeps the device's VLAN ID.
    if (dx.isLoading() || v.vlanLimit)
        ExchangeInt(dx, c_.vlanId, v.vlanId, 1, 4094);
    ExchangeChecked(dx, c_.ipLimit, v.ipLimit);
    if (v.ipLimit && c_.ranges->rowCount() == 0)
        FailWith(dx, QStringLiteral("Please add Limit Admin Ip rule!"));
}

void AdminPage::ExchangeName(DataExchange &dx, Values &v)
{
    const QString firstBlank = QStringLiteral("The first character can't be blank!");
    ExchangeText(dx, c_.systemName, v.systemName);
    CheckAscii(dx, v.systemName, kInvalidCharacters);
    ExchangeText(dx, c_.location, v.location);
    CheckAscii(dx, v.location, kInvalidCharacters);
    ExchangeText(dx, c_.systemName, v.systemName);
    CheckFlag(dx, !v.systemName.isEmpty(), QStringLiteral("The System Name field can't be blank!"));
    CheckFlag(dx, !v.systemName.startsWith(QLatin1Char(' ')), firstBlank);
    ExchangeText(dx, c_.location, v.location);
    CheckFlag(dx, !v.location.startsWith(QLatin1Char(' ')), firstBlank);
}

void AdminPage::ExchangeLogin(DataExchange &dx, Values &v)
{
    ExchangeText(dx, c_.loginName, v.loginName);
    CheckNameChars(dx, v.loginName, kInvalidCharacters);
    CheckFlag(dx, !v.loginName.isEmpty(), QStringLiteral("Please input The Login Name!"));
    ExchangeText(dx, c_.oldPassword, v.oldPassword);
    CheckMatch(dx, v.oldPassword, currentPassword_, QStringLiteral("The Password is not match! Please Enter Again."));
    ExchangeText(dx, c_.newPassword, v.newPassword);
    CheckDeviceText(dx, v.newPassword);
    ExchangeText(dx, c_.confirmPassword, v.confirmPassword);
    CheckMatch(dx, v.newPassword, v.confirmPassword,
               QStringLiteral("The New Password is not match Confirm Password! Please Enter Again."));
}

void AdminPage::Exchange(DataExchange &dx, Values &v)
{
    ExchangeLimit(dx, v);
    ExchangeName(dx, v);
    ExchangeLogin(dx, v);
    ExchangeChecked(dx, c_.trap, v.trap);
    ExchangeText(dx, c_.trapServer, v.trapServer);
    if (v.trap)
        CheckHostIp(dx, v.trapServer, QStringLiteral("Invalid IP Address."));
    ExchangeChecked(dx, c_.console, v.console);
    bool ssh = v.protocol == 1;
    ExchangeChecked(dx, c_.ssh, ssh);
    bool telnet = !ssh;
    ExchangeChecked(dx, c_.telnet, telnet);
    v.protocol = ssh ? 1 : 0;
    ExchangeIndex(dx, c_.timeout, v.timeout);
    ExchangeChecked(dx, c_.ping, v.ping);
}

// Every section is checked before anything is staged: a save that fails in a later section
// leaves nothing behind to ride along with the next write.
void AdminPage::Save()
{
    Values v;
    v.vlanId = vlanId_;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, v);
    if (dx.failed())
        return;
    if (const int staged = StageAll(v))
        return ShowLibraryError(staged);
    WriteThenRead();
}

int AdminPage::StageAll(const Values &v)
{
    const QByteArray name = v.systemName.toLatin1(), location = v.location.toLatin1();
    const QByteArray login = v.loginName.toLatin1(), password = v.newPassword.toLatin1();
    const QByteArray server = (v.trap ? v.trapServer : kNoAddress).toLatin1();
    const int results[] = {
        apSysLimitAdministratorSet(primaryHandle, v.vlanLimit, v.vlanId, v.ipLimit, 0),
        apSysNameSettingSet(primaryHandle, name.constData(), location.constData()),
        apSysLoginSet(primaryHandle, login.constData(), password.constData()),
        apSysTrapSettingSet(primaryHandle, v.trap, server.constData()),
        apSysConsolSettingSet(primaryHandle, v.console, v.protocol, v.timeout, v.ping),
    };
    for (int result : results)
        if (result != 0)
            return result;
    return 0;
}

int AdminPage::VlanIdForWrite() const
{
    bool ok = false;
    const int typed = c_.vlanId->text().toInt(&ok);
    return ok && typed >= 1 && typed <= 4094 ? typed : vlanId_;
}

bool AdminPage::CheckRange(const QString &from, const QString &to)
{
    if (!IsValidHostIp(from))
        return RejectCheck(QStringLiteral("Invalid IP Address!"), kModuleTitle, c_.from);
    if (!IsValidHostIp(to))
        return RejectCheck(QStringLiteral("Invalid IP Address!"), kModuleTitle, c_.to);
    if (IpToUint(from) > IpToUint(to))
        return RejectCheck(QStringLiteral("The IP Range is not right!\nPlease check..."), kModuleTitle, c_.from);
    if (Prefix24(from) != Prefix24(to))
        return RejectCheck(QStringLiteral("The Two IP Address is not in the same subnet!\nPlease check...!"), kModuleTitle,
                           c_.from);
    if (c_.ranges->rowCount() >= kMaxRanges) {
        c_.from->clear();
        c_.to->clear();
        return RejectCheck(QStringLiteral("Maximum number of IP Range List is 4!"), kModuleTitle, nullptr);
    }
    return true;
}

void AdminPage::AddRange()
{
    const QString from = c_.from->text(), to = c_.to->text();
    if (!CheckRange(from, to))
        return;
    const QByteArray fromBytes = from.toLatin1(), toBytes = to.toLatin1();
    if (const int staged = apSysLimitAdministratorAdd(primaryHandle, fromBytes.constData(), toBytes.constData()))
        return ShowLibraryError(staged);
    apSysLimitAdministratorSet(primaryHandle, c_.vlanLimit->isChecked(), VlanIdForWrite(), 1, 0);
    WriteThenRead();
}

void AdminPage::DeleteRange(int row)
{
    if (row < 0 || row >= int(ranges_.size()))
        return;
    const bool onlyRange = c_.ranges->rowCount() == 1;
    const QString question = onlyRange
                                 ? QStringLiteral("Limit Admin IP will be disabled if the Limit Admin IP rule list is null!")
                                 : QStringLiteral("Do you want to delete this item ?");
    if (!Confirm(question, kModuleTitle))
        return;
    if (onlyRange) {
        c_.ipLimit->setChecked(false);
        UpdateEnabling();
    }
    if (const int staged = apSysLimitAdministratorDelete(primaryHandle, ranges_[row].index))
        return ShowLibraryError(staged);
    apSysLimitAdministratorSet(primaryHandle, c_.vlanLimit->isChecked(), VlanIdForWrite(), c_.ipLimit->isChecked(), 0);
    WriteThenRead();
}

void AdminPage::ShowLibraryError(int code)
{
    char text[256] = {};
    apSnmpGetErrorMsg(code, text);
    ShowMessage(QString::fromLatin1(text));
}

} // namespace trb
