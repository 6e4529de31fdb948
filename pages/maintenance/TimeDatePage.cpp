#include "TimeDatePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "AddressValidation.h"
#include "DataExchange.h"
#include "FormCheck.h"
#include "FormRows.h"
#include "IpAddressEdit.h"
#include "MessageBoxService.h"
#include "ProcessValues.h"
#include "TimeChoices.h"

namespace trb {
namespace {

using namespace TimeChoices;

const QString kWarning = QStringLiteral("Warning");
const QString kNoServer = QStringLiteral("0.0.0.0");
constexpr int kFieldsPerEnd = 4;

QStringList Numbers(int first, int last)
{
    QStringList list;
    for (int n = first; n <= last; ++n)
        list << QString::number(n);
    return list;
}

QComboBox *Combo(const QStringList &items, const QString &objectName, const QString &accessibleName)
{
    auto *combo = Named(new QComboBox, objectName, accessibleName);
    combo->addItems(items);
    return combo;
}

// The lists of the eight DST fields, start then end.
const QStringList &DstList(int field)
{
    switch (field % kFieldsPerEnd) {
    case 0: return Months();
    case 1: return Weeks();
    case 2: return Weekdays();
    default: return Hours();
    }
}

} // namespace

TimeDatePage::TimeDatePage(QWidget *parent, const QString &tablePath)
    : PopupPage(QString::fromLatin1(kTitle), parent)
{
    BuildControls();
    QString error;
    table_ = DaylightSavingTable::Load(tablePath, &error);
    if (!error.isEmpty())
        ShowMessageBox(error, MessageIcon::Exclamation);
    primaryHandle = apSysTimeConfigOpen(sessionHandle, 0);
    ShowManualTime(QDateTime::currentDateTime());
    UpdateEnabling();
}

void TimeDatePage::BuildControls()
{
    c_.save = PageButton(QStringLiteral("Save"), "saveButton");
    auto *buttons = ButtonRow({c_.save});

    auto *layout = new QVBoxLayout(content());
    layout->setContentsMargins(12, 12, 12, 12);
    layout->addWidget(BuildTimePanel());
    layout->addWidget(BuildNtpPanel());
    layout->addWidget(BuildManualPanel());
    layout->addLayout(buttons);
    layout->addStretch(1);

    connect(c_.zone, &QComboBox::currentIndexChanged, this, &TimeDatePage::UpdateEnabling);
    connect(c_.dst, &QCheckBox::toggled, this, &TimeDatePage::UpdateEnabling);
    connect(c_.ntp, &QCheckBox::toggled, this, &TimeDatePage::UpdateEnabling);
    connect(c_.copyServer, &QPushButton::clicked, this, &TimeDatePage::CopyServer);
    connect(c_.year, &QComboBox::currentIndexChanged, this, &TimeDatePage::RebuildDays);
    connect(c_.month, &QComboBox::currentIndexChanged, this, &TimeDatePage::RebuildDays);
    connect(c_.copyPcTime, &QPushButton::clicked, this, [this] { ShowManualTime(QDateTime::currentDateTime()); });
    connect(c_.save, &QPushButton::clicked, this, &TimeDatePage::Save);
    LayoutContent();
}

// A panel under a grey heading; its rows go into the returned grid.
QGridLayout *TimeDatePage::NewPanel(const QString &heading, QWidget *&panel)
{
    panel = new QFrame;
    auto *box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    box->addWidget(SectionHeading(heading));
    auto *grid = new QGridLayout;
    grid->setContentsMargins(8, 4, 8, 8);
    grid->setHorizontalSpacing(12);
    box->addLayout(grid);
    return grid;
}

QWidget *TimeDatePage::BuildTimePanel()
{
    QWidget *panel = nullptr;
    FormRows rows(NewPanel(QStringLiteral("Time Configuration"), panel));
    c_.currentTime = rows.AddValue(QStringLiteral("Current Time"), "currentTimeLabel");
    c_.zone = rows.Add(QStringLiteral("Time Zone"), new QComboBox, "timeZoneCombo");
    c_.zone->addItems(Zones());
    c_.dst = rows.AddWide(new QCheckBox(QStringLiteral("Enable Daylight Saving")), "daylightSavingCheck");
    c_.dstOffset = rows.Add(QStringLiteral("Daylight Saving Offset "), new QComboBox, "daylightSavingOffsetCombo");
    c_.dstOffset->addItems(DstOffsets());
    c_.dstOffsetLabel = rows.lastLabel();
    // Not offered on this model; the device's value travels back unchanged.
    SetVisible({c_.dstOffset, c_.dstOffsetLabel}, false);

    auto *dates = new QGridLayout;
    const QStringList columns = {"Month", "Week", "Day of Week", "Current Time"};
    for (int col = 0; col < kFieldsPerEnd; ++col)
        dates->addWidget(new QLabel(columns[col]), 0, col + 1);
    const QStringList ends = {"DST Start", "DST End"};
    const char *const names[] = {"Month", "Week", "Day", "Time"};
    for (int field = 0; field < kDstFields; ++field) {
        const int end = field / kFieldsPerEnd, col = field % kFieldsPerEnd;
        if (col == 0)
            dates->addWidget(new QLabel(ends[end]), end + 1, 0);
        const QString name = (end == 0 ? QStringLiteral("dstStart") : QStringLiteral("dstEnd")) +
                             QLatin1String(names[col]) + QStringLiteral("Combo");
        c_.dstDates[size_t(field)] = Combo(DstList(field), name, ends[end] + ' ' + columns[col]);
        dates->addWidget(c_.dstDates[size_t(field)], end + 1, col + 1);
    }
    auto *datesBox = new QWidget;
    datesBox->setLayout(dates);
    rows.Add(QStringLiteral("Daylight Saving Dates "), datesBox, "daylightSavingDates");
    return panel;
}

QWidget *TimeDatePage::BuildNtpPanel()
{
    QWidget *panel = nullptr;
    FormRows rows(NewPanel(QStringLiteral("Automatic Time Configuration"), panel));
    c_.ntp = rows.AddWide(new QCheckBox(QStringLiteral("Enable NTP Server")), "ntpServerCheck");
    auto *line = new QWidget;
    auto *box = new QHBoxLayout(line);
    box->setContentsMargins(0, 0, 0, 0);
    c_.server = new IpAddressEdit;
    c_.server->setFieldName("ntpServerEdit", "NTP Server");
    c_.copyServer = PageButton(QStringLiteral("<<"), "copyNtpServerButton");
    c_.copyServer->setAccessibleName(QStringLiteral("Copy the chosen NTP server"));
    c_.serverChoice = Combo({QStringLiteral("Select NTP Server"), QString::fromLatin1(kServerName)},
                            "ntpServerChoiceCombo", "NTP Server choice");
    box->addWidget(c_.server);
    box->addWidget(c_.copyServer);
    box->addWidget(c_.serverChoice);
    rows.Add(QStringLiteral("NTP Server "), line, "ntpServerRow");
    return panel;
}

QWidget *TimeDatePage::BuildManualPanel()
{
    QWidget *panel = nullptr;
    FormRows rows(NewPanel(QStringLiteral("Set the Date and Time Manually"), panel));
    auto *line = new QWidget;
    auto *grid = new QGridLayout(line);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto add = [grid](int col, const QString &label, QComboBox *combo) {
        grid->addWidget(new QLabel(label), 0, col);
        grid->addWidget(combo, 1, col);
        return combo;
    };
    c_.year = add(0, "Year", Combo(Years(QDate::currentDate().year()), "yearCombo", "Year"));
    c_.month = add(1, "Month", Combo(Months(), "monthCombo", "Month"));
    c_.day = add(2, "Day", Combo(Numbers(1, 31), "dayCombo", "Day"));
    c_.hour = add(3, "Hour", Combo(Numbers(0, 23), "hourCombo", "Hour"));
    c_.minute = add(4, "Minute", Combo(Numbers(0, 59), "minuteCombo", "Minute"));
    c_.second = add(5, "Second", Combo(Numbers(0, 59), "secondCombo", "Second"));
    rows.Add(QStringLiteral("Date And Time "), line, "manualDateTime");
    line->setProperty(kFromThisPcProperty, true); // the PC's clock, never the device's
    c_.copyPcTime = PageButton(QStringLiteral("Copy Your Computer's Time Settings"), "copyPcTimeButton");
    auto *buttonRow = new QWidget;
    auto *buttonBox = new QHBoxLayout(buttonRow);
    buttonBox->setContentsMargins(0, 0, 0, 0);
    buttonBox->addStretch(1);
    buttonBox->addWidget(c_.copyPcTime);
    rows.AddWide(buttonRow, "copyPcTimeRow");
    return panel;
}

TimeDatePage::Values TimeDatePage::Read(APHANDLE handle)
{
    int ntp = 0, dst = 0, offset = 0, zone = 0;
    char server[AP_TIME_SERVER_SIZE] = {}, clock[AP_TIME_TEXT_SIZE] = {}, dates[AP_TIME_TEXT_SIZE] = {},
         unused[AP_TIME_TEXT_SIZE] = {};
    apSysTimeConfigGet(handle, &ntp, server, clock, &dst, &offset, dates, &zone, unused);
    Values values;
    values.ntp = ntp != 0;
    values.server = QString::fromLatin1(server);
    values.currentTime = QString::fromLatin1(clock);
    values.dst = dst != 0;
    values.dstOffset = offset;
    values.dstDates = SplitDates(QString::fromLatin1(dates));
    values.zone = zone;
    return values;
}

QStringList TimeDatePage::SplitDates(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QStringList() : trimmed.split(',');
}

QString TimeDatePage::JoinDates(const QStringList &fields) { return fields.join(','); }

// Loading: the device's values into the controls. Saving: the controls' values, unchecked (the
// page's own checks run in Save, before this).
void TimeDatePage::Exchange(DataExchange &dx, Values &values)
{
    ExchangeText(dx, c_.currentTime, values.currentTime);
    int zoneIndex = values.zone - 1;
    ExchangeIndex(dx, c_.zone, zoneIndex);
    values.zone = zoneIndex + 1;
    ExchangeChecked(dx, c_.dst, values.dst);
    ExchangeIndex(dx, c_.dstOffset, values.dstOffset);
    if (dx.isLoading()) {
        SelectDates(values.dstDates);
    } else {
        values.dstDates.clear();
        for (QComboBox *field : c_.dstDates)
            values.dstDates << field->currentText();
    }
    ExchangeChecked(dx, c_.ntp, values.ntp);
    if (dx.isLoading() && values.server == kNoServer)
        values.server.clear();
    ExchangeText(dx, c_.server, values.server);
}

// Each piece picks the next field's entry by its exact text; a piece that is no entry leaves
// the field as it was (never blank, so a save always sends eight fields).
void TimeDatePage::SelectDates(const QStringList &fields)
{
    for (int i = 0; i < kDstFields && i < fields.size(); ++i) {
        const int index = c_.dstDates[size_t(i)]->findText(fields[i], Qt::MatchExactly);
        if (index >= 0)
            c_.dstDates[size_t(i)]->setCurrentIndex(index);
    }
}

int TimeDatePage::ReadOnShow()
{
    apStyleModify(primaryHandle, AP_TIME_GROUP_CONFIG, 0);
    return 1;
}

void TimeDatePage::OnReadDone()
{
    Values values = Read(primaryHandle);
    DataExchange dx(DataExchange::Loading);
    Exchange(dx, values);
    c_.serverChoice->setCurrentIndex(0);
    ShowManualTime(QDateTime::currentDateTime());
}

bool TimeDatePage::DstAvailable() const
{
    return c_.ntp->isChecked() && table_.HasDaylightSaving(c_.zone->currentIndex() + 1);
}

// The time zone and daylight saving matter only on a time server; set by hand, the clock is
// simply what the manual panel says.
void TimeDatePage::UpdateEnabling()
{
    const bool ntp = c_.ntp->isChecked();
    if (!table_.HasDaylightSaving(c_.zone->currentIndex() + 1) && c_.dst->isChecked()) {
        const QSignalBlocker quiet(c_.dst);
        c_.dst->setChecked(false);
    }
    const bool dstAvailable = DstAvailable();
    const bool datesOn = dstAvailable && c_.dst->isChecked();
    c_.zone->setEnabled(ntp);
    c_.dst->setEnabled(dstAvailable);
    for (QComboBox *field : c_.dstDates)
        field->setEnabled(datesOn);
    SetEnabled({c_.server, c_.copyServer, c_.serverChoice}, ntp);
    SetEnabled({c_.year, c_.month, c_.day, c_.hour, c_.minute, c_.second, c_.copyPcTime}, !ntp);
}

void TimeDatePage::RebuildDays()
{
    const int year = c_.year->currentIndex() >= 0 ? kFirstYear + c_.year->currentIndex() : 2000;
    const int month = c_.month->currentIndex() >= 0 ? c_.month->currentIndex() + 1 : 1;
    const int count = DaysInMonth(year, month);
    if (c_.day->count() == count)
        return;
    const int previous = c_.day->currentIndex();
    const QSignalBlocker quiet(c_.day);
    c_.day->clear();
    c_.day->addItems(Numbers(1, count));
    c_.day->setCurrentIndex(previous >= 0 && previous < count ? previous : 0);
}

void TimeDatePage::ShowManualTime(const QDateTime &at)
{
    const QDate date = at.date();
    const QTime time = at.time();
    const int yearIndex = date.year() - kFirstYear;
    c_.year->setCurrentIndex(yearIndex >= 0 && yearIndex < c_.year->count() ? yearIndex : -1);
    c_.month->setCurrentIndex(date.month() - 1);
    RebuildDays();
    c_.day->setCurrentIndex(date.day() - 1);
    c_.hour->setCurrentIndex(time.hour());
    c_.minute->setCurrentIndex(time.minute());
    c_.second->setCurrentIndex(time.second());
}

QString TimeDatePage::ManualText() const
{
    for (const QComboBox *combo : {c_.year, c_.month, c_.day, c_.hour, c_.minute, c_.second})
        if (combo->currentIndex() < 0)
            return {}; // no date to set: the device's clock is left alone
    const QDate date(kFirstYear + c_.year->currentIndex(), c_.month->currentIndex() + 1, c_.day->currentIndex() + 1);
    const QTime time(c_.hour->currentIndex(), c_.minute->currentIndex(), c_.second->currentIndex());
    return ManualTimeText(QDateTime(date, time));
}

void TimeDatePage::CopyServer()
{
    if (c_.serverChoice->currentIndex() > 0)
        c_.server->setText(QString::fromLatin1(kServerAddress));
}

bool TimeDatePage::CheckDstDates()
{
    if (!DstAvailable() || !c_.dst->isChecked())
        return true;
    for (int i = 0; i < kFieldsPerEnd; ++i)
        if (c_.dstDates[size_t(i)]->currentText() != c_.dstDates[size_t(i + kFieldsPerEnd)]->currentText())
            return true;
    return RejectCheck(QStringLiteral("DST Start can not be the same with DST End!"), kWarning, nullptr);
}

bool TimeDatePage::CheckServer()
{
    if (!c_.ntp->isChecked())
        return true;
    const QString address = c_.server->text();
    if (c_.server->isBlank())
        return RejectCheck(QStringLiteral("Invalid NTP server !"), kWarning, c_.server);
    if (!IsValidHostIp(address))
        return RejectCheck(QStringLiteral("Invalid IP address !"), kWarning, c_.server);
    return true;
}

void TimeDatePage::Save()
{
    if (!CheckDstDates() || !CheckServer())
        return;
    Values values;
    DataExchange dx(DataExchange::Saving);
    Exchange(dx, values);
    c_.serverChoice->setCurrentIndex(0);
    const QByteArray server = values.server.toLatin1();
    const QByteArray manual = ManualText().toLatin1();
    const QByteArray dates = JoinDates(values.dstDates).toLatin1();
    ShowManualTime(QDateTime::currentDateTime());
    const int staged = apSysTimeConfigSet(primaryHandle, values.ntp ? 1 : 0, server.constData(), manual.constData(),
                                          values.dst ? 1 : 0, values.dstOffset, dates.constData(), values.zone);
    if (staged != 0) { // refused by the library: say so rather than send a partial write
        char text[256] = {};
        apSnmpGetErrorMsg(staged, text);
        ShowMessage(QString::fromLatin1(text));
        return;
    }
    RequestWrite();
}

} // namespace trb
