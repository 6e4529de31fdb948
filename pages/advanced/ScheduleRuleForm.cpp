#include "ScheduleRuleForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"

namespace trb {
namespace {

const char *const kDayLabels[] = {"Sun ", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat "};
const char *const kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char *const kDayObjects[] = {"sunCheck", "monCheck", "tueCheck", "wedCheck", "thuCheck", "friCheck", "satCheck"};
const QString kAllWeekText = QStringLiteral("All Week");
const QString kAllDayText = QStringLiteral("All Day(s)");

QLineEdit *TimeEdit(const char *objectName, const char *accessibleName)
{
    auto *edit = Named(new QLineEdit, QString::fromLatin1(objectName), QString::fromLatin1(accessibleName));
    edit->setMaxLength(2);
    edit->setFixedWidth(36);
    return edit;
}

// An hour or minute: at most two characters, not blank, an integer in range.
void CheckTimePart(DataExchange &dx, QLineEdit *edit, QString &text, const QString &blankMessage, int max)
{
    ExchangeText(dx, edit, text);
    CheckLengthRange(dx, text, 0, 2, QStringLiteral("Please enter no more than %2 characters."));
    CheckNotBlank(dx, text, blankMessage);
    int value = 0;
    ExchangeInt(dx, edit, value, 0, max);
}

} // namespace

ScheduleRuleForm::ScheduleRuleForm(QWidget *parent) : QGroupBox(QStringLiteral("Add Schedule Rule"), parent)
{
    setObjectName(QStringLiteral("scheduleRuleForm"));
    BuildControls();
    Clear();
}

void ScheduleRuleForm::BuildControls()
{
    FormRows rows = FormRows::On(this);
    c_.name = rows.Add(QStringLiteral("Name"), new QLineEdit, "ruleNameEdit");
    c_.name->setMaxLength(kNameLimit);
    c_.index = rows.Add(QStringLiteral("Index"), new QComboBox, "ssidIndexCombo");
    c_.ssid = rows.AddValue(QStringLiteral("SSID"), "ssidNameLabel");

    auto *days = new QWidget;
    auto *dayLayout = new QGridLayout(days);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    c_.allWeek = Named(new QRadioButton(QStringLiteral("All Week ")), "allWeekRadio", "All Week");
    c_.selectDays = Named(new QRadioButton(QStringLiteral("Select Day(s) ")), "selectDaysRadio", "Select Day(s)");
    dayLayout->addWidget(c_.allWeek, 0, 0, 1, 3);
    dayLayout->addWidget(c_.selectDays, 0, 3, 1, 4);
    for (int day = 0; day < kDays; ++day) {
        c_.days[day] = Named(new QCheckBox(QString::fromLatin1(kDayLabels[day])), QString::fromLatin1(kDayObjects[day]),
                             QString::fromLatin1(kDayNames[day]));
        dayLayout->addWidget(c_.days[day], 1, day);
    }
    rows.Add(QStringLiteral("Day(s)"), days, "daysPanel");
    c_.allDay = rows.AddWide(new QCheckBox(QStringLiteral("All Day(s)")), "allDayCheck");

    auto timeRow = [&](const QString &label, QLineEdit *&hour, QLineEdit *&minute, const char *object,
                       const char *hourName, const char *minuteName) {
        auto *panel = new QWidget;
        auto *line = new QHBoxLayout(panel);
        line->setContentsMargins(0, 0, 0, 0);
        hour = TimeEdit(hourName, hourName);
        minute = TimeEdit(minuteName, minuteName);
        line->addWidget(hour);
        line->addWidget(new QLabel(QStringLiteral(":")));
        line->addWidget(minute);
        line->addWidget(new QLabel(QStringLiteral("(hour:minute, 24 hour time) ")));
        line->addStretch(1);
        rows.Add(label, panel, object);
    };
    timeRow(QStringLiteral("Start Time"), c_.startHour, c_.startMinute, "startTimePanel", "startHourEdit",
            "startMinuteEdit");
    timeRow(QStringLiteral("End Time"), c_.endHour, c_.endMinute, "endTimePanel", "endHourEdit", "endMinuteEdit");
    c_.overnight = rows.AddWide(new QCheckBox(QStringLiteral("Overnight")), "overnightCheck");

    c_.add = PageButton(QStringLiteral("Add"), "addButton");
    c_.add->setProperty(kWritesEditedRowProperty, true);
    c_.clear = PageButton(QStringLiteral("Clear"), "clearButton");
    auto *buttons = ButtonRow({c_.add, c_.clear});
    rows.grid()->addLayout(buttons, rows.grid()->rowCount(), 0, 1, 2);

    connect(c_.allWeek, &QRadioButton::clicked, this, [this] { SelectAllWeek(true); });
    connect(c_.selectDays, &QRadioButton::clicked, this, [this] { SelectAllWeek(false); });
    connect(c_.allDay, &QCheckBox::toggled, this, &ScheduleRuleForm::SetAllDay);
    connect(c_.index, &QComboBox::currentIndexChanged, this, &ScheduleRuleForm::ShowSelectedSsid);
}

void ScheduleRuleForm::SetSsidNames(const QStringList &names, int firstSsid)
{
    ssidNames_ = names;
    firstSsid_ = firstSsid;
    ShowSelectedSsid();
}

void ScheduleRuleForm::FillIndex(const QStringList &items)
{
    QStringList shown;
    for (int i = 0; i < c_.index->count(); ++i)
        shown << c_.index->itemText(i);
    if (shown == items)
        return;
    const QSignalBlocker block(c_.index);
    c_.index->clear();
    c_.index->addItems(items);
    Clear();
}

void ScheduleRuleForm::ShowSelectedSsid()
{
    const int ssid = firstSsid_ + std::max(0, c_.index->currentIndex());
    c_.ssid->setText(ssid < ssidNames_.size() ? ssidNames_[ssid] : QString());
}

void ScheduleRuleForm::SelectAllWeek(bool allWeek)
{
    (allWeek ? c_.allWeek : c_.selectDays)->setChecked(true);
    for (QCheckBox *day : c_.days) {
        day->setChecked(allWeek);
        day->setEnabled(!allWeek);
    }
}

void ScheduleRuleForm::SetAllDay(bool allDay)
{
    c_.allDay->setChecked(allDay);
    if (allDay) {
        EmptyTimes();
        c_.overnight->setChecked(false);
    }
    SetEnabled({c_.startHour, c_.startMinute, c_.endHour, c_.endMinute, c_.overnight}, !allDay);
}

void ScheduleRuleForm::EmptyTimes()
{
    for (QLineEdit *edit : {c_.startHour, c_.startMinute, c_.endHour, c_.endMinute})
        edit->clear();
}

void ScheduleRuleForm::Clear()
{
    SelectAllWeek(false);
    c_.name->clear();
    EmptyTimes();
    if (c_.index->count() > 0)
        c_.index->setCurrentIndex(0);
    SetAllDay(false);
    c_.overnight->setChecked(false);
    ShowSelectedSsid();
}

void ScheduleRuleForm::Load(const QString &name, const QString &indexText, const QString &daysText,
                            const QString &timeFrame, bool overnight)
{
    c_.name->setText(name);
    for (int item = 0; item < c_.index->count(); ++item)
        if (c_.index->itemText(item).startsWith(indexText)) {
            c_.index->setCurrentIndex(item);
            break;
        }
    ShowSelectedSsid();
    SelectAllWeek(daysText == kAllWeekText);
    if (daysText != kAllWeekText)
        for (int day = 0; day < kDays; ++day)
            c_.days[day]->setChecked(daysText.contains(QString::fromLatin1(kDayNames[day])));
    const bool allDay = timeFrame == kAllDayText;
    SetAllDay(allDay);
    if (allDay)
        return;
    c_.startHour->setText(timeFrame.mid(0, 2));
    c_.startMinute->setText(timeFrame.mid(3, 2));
    c_.endHour->setText(timeFrame.mid(6, 2));
    c_.endMinute->setText(timeFrame.mid(9, 2));
    c_.overnight->setChecked(overnight);
}

bool ScheduleRuleForm::Take(Rule &rule)
{
    DataExchange dx(DataExchange::Saving);
    ExchangeText(dx, c_.name, rule.name);
    CheckLengthRange(dx, rule.name, 0, kNameLimit, QStringLiteral("Please enter no more than %2 characters."));
    CheckNotBlank(dx, rule.name, QStringLiteral("The Name field can not be blank."));
    CheckAscii(dx, rule.name, QStringLiteral("There are some invalid characters !"));
    bool anyDay = false;
    rule.days = 0;
    for (int day = 0; day < kDays; ++day)
        if (c_.days[day]->isChecked()) {
            anyDay = true;
            rule.days |= 1 << day;
        }
    if (dx.checking())
        dx.setLastControl(c_.selectDays);
    CheckFlag(dx, anyDay, QStringLiteral("Please Select Day(s) !"));
    if (c_.allWeek->isChecked())
        rule.days = 0;
    rule.allDay = c_.allDay->isChecked();
    rule.overnight = !rule.allDay && c_.overnight->isChecked();
    rule.indexItem = std::max(0, c_.index->currentIndex());
    if (rule.allDay)
        return !dx.failed();
    QString startHour, startMinute, endHour, endMinute;
    CheckTimePart(dx, c_.startHour, startHour, QStringLiteral("Invalid Hour !"), 23);
    CheckTimePart(dx, c_.startMinute, startMinute, QStringLiteral("Invalid Minute !"), 59);
    CheckTimePart(dx, c_.endHour, endHour, QStringLiteral("Invalid Hour !"), 23);
    CheckTimePart(dx, c_.endMinute, endMinute, QStringLiteral("Invalid Minute !"), 59);
    if (dx.failed())
        return false;
    const int from = startHour.toInt() * 60 + startMinute.toInt();
    const int to = endHour.toInt() * 60 + endMinute.toInt();
    if (rule.overnight ? to >= from : to <= from)
        FailWith(dx, QStringLiteral("Invalid Time Frame!"));
    rule.start = TwoDigits(startHour) + QLatin1Char(':') + TwoDigits(startMinute);
    rule.end = TwoDigits(endHour) + QLatin1Char(':') + TwoDigits(endMinute);
    return !dx.failed();
}

QString ScheduleRuleForm::TwoDigits(const QString &text)
{
    return text.size() == 1 ? QLatin1Char('0') + text : text;
}

} // namespace trb
