#include "LogSettingsTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "NumberConversion.h"
#include "RecordText.h"

namespace trb {
namespace {

const QString kInvalidIp = QStringLiteral("Invalid IP Address!");
const QString kInvalidChars = QStringLiteral("There are some invalid characters !");
const QString kWrongEmail = QStringLiteral("Wrong Email Address !");
const QString kNoMatch = QStringLiteral("The PassPhrase and Confirm PassPhrase are not matched ");
const QString kBlank = QStringLiteral("The filed can not be blank");
const QString kTooLong = QStringLiteral("Please enter no more than %2 characters.");
constexpr int kMaxNameLength = 64;
const char kNoAddress[] = "0.0.0.0";

// A section under a grey heading; its rows go into the returned form.
FormRows Section(QVBoxLayout *into, const QString &heading, QWidget *&section)
{
    section = new QWidget;
    auto *box = new QVBoxLayout(section);
    box->setContentsMargins(0, 0, 0, 0);
    auto *title = new QLabel(heading);
    title->setAutoFillBackground(true);
    QPalette palette = title->palette();
    palette.setColor(QPalette::Window, QColor(200, 200, 200));
    title->setPalette(palette);
    title->setContentsMargins(6, 3, 6, 3);
    box->addWidget(title);
    auto *grid = new QGridLayout;
    grid->setContentsMargins(8, 4, 8, 8);
    box->addLayout(grid);
    into->addWidget(section);
    return FormRows(grid);
}

QLineEdit *Secret()
{
    auto *edit = new QLineEdit;
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kMaxNameLength);
    return edit;
}

QCheckBox *Check(const QString &text, const QString &objectName)
{
    return Named(new QCheckBox(text), objectName, text.trimmed());
}

} // namespace

LogSettingsTab::LogSettingsTab(QWidget *parent) : QWidget(parent)
{
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});
    auto *layout = new QVBoxLayout(this);
    BuildLogSection();
    BuildMailSection();
    BuildScheduleSection();
    layout->addLayout(buttons);
    layout->addStretch(1);
    connect(c_.enable, &QCheckBox::toggled, this, &LogSettingsTab::UpdateEnabling);
    c_.password->installEventFilter(this);
    c_.confirm->installEventFilter(this);
    UpdateEnabling();
}

QWidget *LogSettingsTab::BuildLogSection()
{
    QWidget *section = nullptr;
    FormRows rows = Section(static_cast<QVBoxLayout *>(layout()), QStringLiteral("Log Setting"), section);
    c_.logServer = rows.Add(QStringLiteral("Log Server / IP Address "), new IpAddressEdit, "logServerEdit");
    auto *types = new QWidget;
    auto *box = new QHBoxLayout(types);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(c_.systemActivity = Check(QStringLiteral("System Activity "), "systemActivityCheck"));
    box->addWidget(c_.wirelessActivity = Check(QStringLiteral("Wireless Activity "), "wirelessActivityCheck"));
    box->addWidget(c_.notice = Check(QStringLiteral("Notice"), "noticeCheck"));
    box->addStretch(1);
    rows.Add(QStringLiteral("Log Type "), types, "logTypeRow");
    return section;
}

// "Outgoing mail server (SMTP)", "Authentication" and "SSL/TLS" are not offered on this model:
// hidden, their rows take no room, and the device's values travel back unchanged.
QWidget *LogSettingsTab::BuildMailSection()
{
    QWidget *section = nullptr;
    FormRows rows = Section(static_cast<QVBoxLayout *>(layout()), QStringLiteral("Email Notification"), section);
    c_.enable = rows.Add(QStringLiteral("Email Notification"), new QCheckBox(QStringLiteral("Enable")),
                         "emailEnableCheck");
    c_.serverType = rows.Add(QStringLiteral("Outgoing mail server (SMTP)"),
                             ComboOf({QStringLiteral("Internal"), QStringLiteral("Gmail"), QStringLiteral("Hotmail")}),
                             "mailServerTypeCombo");
    SetVisible({c_.serverType, rows.lastLabel()}, false);
    c_.from = rows.Add(QStringLiteral("From Email Address"), new QLineEdit, "fromEmailEdit");
    c_.to = rows.Add(QStringLiteral("To Email Address"), new QLineEdit, "toEmailEdit");
    c_.mailServer = rows.Add(QStringLiteral("Email Server Address"), new IpAddressEdit, "emailServerEdit");
    c_.port = rows.Add(QStringLiteral("SMTP Port"), new QLineEdit, "smtpPortEdit");
    c_.authentication = rows.Add(QStringLiteral("Authentication"), new QCheckBox, "mailAuthenticationCheck");
    SetVisible({c_.authentication, rows.lastLabel()}, false);
    c_.sslTls = rows.Add(QStringLiteral("SSL/TLS"), new QCheckBox, "sslTlsCheck");
    SetVisible({c_.sslTls, rows.lastLabel()}, false);
    c_.userName = rows.Add(QStringLiteral("User Name"), new QLineEdit, "mailUserNameEdit");
    c_.userName->setMaxLength(kMaxNameLength);
    c_.password = rows.Add(QStringLiteral("Password"), Secret(), "mailPasswordEdit");
    c_.confirm = rows.Add(QStringLiteral("Confirm Password"), Secret(), "mailConfirmPasswordEdit");
    for (QLineEdit *text : {c_.from, c_.to})
        text->setMaxLength(AP_LOG_TEXT_SIZE - 1);
    return section;
}

QWidget *LogSettingsTab::BuildScheduleSection()
{
    QWidget *section = nullptr;
    FormRows rows = Section(static_cast<QVBoxLayout *>(layout()), QStringLiteral("Email Log Schedule"), section);
    auto *line = new QWidget;
    auto *box = new QHBoxLayout(line);
    box->setContentsMargins(0, 0, 0, 0);
    c_.schedule = Named(ComboOf(ScheduleEntries()), "scheduleCombo", "Schedule");
    box->addWidget(c_.schedule);
    box->addWidget(new QLabel(QStringLiteral("hours or when Log is full ")));
    box->addStretch(1);
    rows.Add(QStringLiteral("Schedule "), line, "scheduleRow");
    c_.schedule->setAccessibleName(QStringLiteral("Schedule"));
    return section;
}

QStringList LogSettingsTab::ScheduleEntries()
{
    QStringList entries;
    for (int halves = 0; halves <= 48; ++halves)
        entries << (halves % 2 ? QStringLiteral("%1.5").arg(halves / 2) : QString::number(halves / 2));
    return entries;
}

LogSettingsTab::Values LogSettingsTab::FromRecords(const apLogSettingsRecord &log, const apEmailNtfRecord &mail)
{
    Values values;
    values.logServer = RecordText(log.serverAddress);
    if (values.logServer == QLatin1String(kNoAddress))
        values.logServer.clear();
    values.systemActivity = log.systemActivity != 0;
    values.wirelessActivity = log.wirelessActivity != 0;
    values.notice = log.notice != 0;
    values.enable = mail.enable != 0;
    values.from = RecordText(mail.fromAddress);
    values.to = RecordText(mail.toAddress);
    values.mailServer = RecordText(mail.serverAddress);
    values.port = mail.smtpPort;
    values.userName = RecordText(mail.userName);
    values.password = values.confirm = RecordText(mail.password);
    values.serverType = mail.serverType >= 1 && mail.serverType <= 3 ? mail.serverType : 1;
    values.authentication = mail.authentication != 0;
    values.sslTls = mail.sslTls != 0;
    values.schedule = RecordText(mail.schedule);
    return values;
}

void LogSettingsTab::ToRecords(const Values &values, apLogSettingsRecord &log, apEmailNtfRecord &mail)
{
    log = {};
    const QString server = values.logServer.isEmpty() ? QString::fromLatin1(kNoAddress) : values.logServer;
    SetRecordText(log.serverAddress, server);
    log.systemActivity = values.systemActivity;
    log.wirelessActivity = values.wirelessActivity;
    log.notice = values.notice;
    log.remoteLogEnable = server != QLatin1String(kNoAddress);
    mail = {};
    SetRecordText(mail.serverAddress, values.mailServer);
    mail.authentication = values.authentication;
    SetRecordText(mail.userName, values.userName);
    SetRecordText(mail.password, values.password);
    SetRecordText(mail.schedule, values.schedule);
    mail.smtpPort = values.port;
    mail.sslTls = values.sslTls;
    mail.serverType = values.serverType;
    mail.enable = values.enable;
    SetRecordText(mail.fromAddress, values.from);
    SetRecordText(mail.toAddress, values.to);
}

void LogSettingsTab::Exchange(DataExchange &dx, Values &values)
{
    ExchangeText(dx, c_.logServer, values.logServer);
    if (!values.logServer.isEmpty())
        CheckHostIp(dx, values.logServer, kInvalidIp);
    ExchangeChecked(dx, c_.systemActivity, values.systemActivity);
    ExchangeChecked(dx, c_.wirelessActivity, values.wirelessActivity);
    ExchangeChecked(dx, c_.notice, values.notice);
    ExchangeMail(dx, values);
    int typeIndex = values.serverType - 1;
    ExchangeIndex(dx, c_.serverType, typeIndex);
    values.serverType = typeIndex + 1;
    ExchangeChecked(dx, c_.authentication, values.authentication);
    ExchangeChecked(dx, c_.sslTls, values.sslTls);
    if (dx.isLoading())
        SelectText(c_.schedule, values.schedule);
    else if (dx.exchanging())
        values.schedule = c_.schedule->currentText();
}

// The e-mail fields, each check right after its field; with "Enable" unticked only the user
// name's characters and the lengths are checked.
void LogSettingsTab::ExchangeMail(DataExchange &dx, Values &values)
{
    ExchangeText(dx, c_.userName, values.userName);
    CheckAscii(dx, values.userName, kInvalidChars);
    CheckLengthRange(dx, values.userName, 0, kMaxNameLength, kTooLong);
    ExchangeText(dx, c_.confirm, values.confirm);
    CheckLengthRange(dx, values.confirm, 0, kMaxNameLength, kTooLong);
    ExchangeChecked(dx, c_.enable, values.enable);
    const bool checked = dx.isSaving() && values.enable;
    ExchangeText(dx, c_.from, values.from);
    if (checked)
        CheckEmailAddress(dx, values.from, kWrongEmail);
    ExchangeText(dx, c_.to, values.to);
    if (checked)
        CheckEmailAddress(dx, values.to, kWrongEmail);
    if (checked) {
        ExchangeInt(dx, c_.port, values.port, 1, 65535);
    } else if (dx.isLoading()) {
        c_.port->setText(QString::number(values.port));
    } else if (dx.exchanging()) {
        values.port = ToInt(c_.port->text());
    }
    ExchangeText(dx, c_.password, values.password);
    if (checked && !(values.password.isEmpty() && values.confirm.isEmpty()))
        CheckMatch(dx, values.password, values.confirm, kNoMatch);
    ExchangeText(dx, c_.mailServer, values.mailServer);
    if (checked)
        CheckHostIp(dx, values.mailServer, kInvalidIp);
    if (checked) {
        ExchangeText(dx, c_.userName, values.userName); // the user name again, for the focus
        CheckNotBlank(dx, values.userName, kBlank);
        CheckNameChars(dx, values.userName, kInvalidChars);
    }
}

void LogSettingsTab::UpdateEnabling()
{
    const bool on = c_.enable->isChecked();
    SetEnabled({c_.from, c_.to, c_.mailServer, c_.port, c_.userName, c_.password, c_.confirm, c_.serverType,
                c_.authentication, c_.sslTls},
               on);
}

// Passwords are typed afresh: entering either field empties it.
bool LogSettingsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn)
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->clear();
    return QWidget::eventFilter(watched, event);
}

} // namespace trb
