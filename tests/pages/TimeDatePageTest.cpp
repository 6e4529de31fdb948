// Maintenance > Time and Date against the simulator, and its daylight-saving table.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

#include "IpAddressEdit.h"
#include "PageTestSupport.h"
#include "TimeChoices.h"
#include "TimeDatePage.h"

using trb::DaylightSavingTable;
using trb::TimeDatePage;
namespace TC = trb::TimeChoices;
using namespace trb::test;

namespace {

constexpr int kLondon = 27, kEastern = 14, kArizona = 6, kKathmandu = 50;

// A table file in a directory of its own: `lines` as given, one per line.
class TableFile {
public:
    explicit TableFile(const QStringList &lines)
    {
        QFile file(path());
        file.open(QIODevice::WriteOnly);
        file.write(lines.join('\n').toLatin1());
    }
    QString path() const { return dir_.filePath(QString::fromLatin1(DaylightSavingTable::kFileName)); }

private:
    QTemporaryDir dir_;
};

// Every zone with daylight saving except those listed.
QStringList AllWithDst(std::initializer_list<int> without = {})
{
    QStringList lines;
    for (int zone = 1; zone <= TC::kZoneCount; ++zone)
        lines << (std::find(without.begin(), without.end(), zone) == without.end() ? "1" : "0");
    return lines;
}

QDateTime Parse(const QString &deviceText)
{
    QDateTime at = QDateTime::fromString(deviceText, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    at.setTimeSpec(Qt::UTC); // wall-clock fields, compared as they are
    return at;
}

class TimeDatePageTest : public PageTest {
protected:
    TimeDatePage *OpenPage(const QString &tablePath)
    {
        auto *page = new TimeDatePage(nullptr, tablePath);
        page->resize(640, 670);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->controls().currentTime->text().isEmpty(); }));
        return page;
    }

    // The device's values through a fresh handle.
    TimeDatePage::Values Device()
    {
        const APHANDLE handle = apSysTimeConfigOpen(session, 0);
        apStyleModify(handle, AP_TIME_GROUP_CONFIG, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        TimeDatePage::Values values = TimeDatePage::Read(handle);
        apHandleClose(handle);
        return values;
    }

    void SaveAndSettle(TimeDatePage *page)
    {
        const QString before = page->statusText();
        page->controls().save->click();
        WaitFor([&] { return page->statusText() != before; }, 1500);
    }

    static void SetDates(TimeDatePage *page, const QStringList &fields)
    {
        for (int i = 0; i < TimeDatePage::kDstFields; ++i)
            page->controls().dstDates[size_t(i)]->setCurrentText(fields[i]);
    }

    TableFile table{AllWithDst({kArizona})};
};

TEST_F(TimeDatePageTest, ShowsTheDevicesSettingsAndThePcsDate)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Maintenance \\ Time and Date");
    EXPECT_EQ(c.zone->count(), 75);
    EXPECT_EQ(c.zone->currentText(), "(GMT) Greenwich Mean Time : Dublin, Edinburgh, Lisbon, London");
    EXPECT_EQ(c.zone->itemText(74), "(GMT+13:00) Nuku'alofa");
    EXPECT_TRUE(Parse(c.currentTime->text()).isValid()) << c.currentTime->text().toStdString();
    EXPECT_FALSE(c.ntp->isChecked());
    EXPECT_TRUE(c.server->isBlank()); // the device's 0.0.0.0
    EXPECT_EQ(c.serverChoice->currentText(), "Select NTP Server");
    QStringList dates;
    for (const QComboBox *field : c.dstDates)
        dates << field->currentText();
    EXPECT_EQ(dates.join(','), "Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am");
    EXPECT_FALSE(c.dstOffset->isVisible());
    EXPECT_EQ(c.dstOffset->currentText(), "+1:00");
    // Without NTP the zone cannot change and the manual panel is open.
    EXPECT_FALSE(c.zone->isEnabled());
    EXPECT_FALSE(c.dst->isEnabled());
    EXPECT_TRUE(c.year->isEnabled());
    EXPECT_FALSE(c.server->isEnabled());
    // The manual date offers the years on to 2037 at least, the current one selected.
    EXPECT_EQ(c.year->itemText(0), "2002");
    EXPECT_GE(c.year->itemText(c.year->count() - 1).toInt(), 2037);
    EXPECT_EQ(c.year->currentText().toInt(), QDate::currentDate().year());
    EXPECT_EQ(c.month->currentIndex() + 1, QDate::currentDate().month());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
}

TEST_F(TimeDatePageTest, NtpSaveReachesTheDeviceAndItsClockFollowsTheZone)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    c.ntp->setChecked(true);
    EXPECT_TRUE(c.zone->isEnabled());
    EXPECT_FALSE(c.year->isEnabled());
    c.copyServer->click(); // "Select NTP Server" copies nothing
    EXPECT_TRUE(c.server->isBlank());
    c.serverChoice->setCurrentIndex(1);
    c.copyServer->click();
    EXPECT_EQ(c.server->text(), TimeDatePage::kServerAddress);
    c.zone->setCurrentIndex(kKathmandu - 1);
    c.dst->setChecked(false);
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(c.serverChoice->currentIndex(), 0);

    const TimeDatePage::Values device = Device();
    EXPECT_TRUE(device.ntp);
    EXPECT_EQ(device.server, TimeDatePage::kServerAddress);
    EXPECT_EQ(device.zone, kKathmandu);
    EXPECT_FALSE(device.dst);
    EXPECT_EQ(device.dstOffset, 5); // hidden, but it travels
    const QDateTime expected = QDateTime::currentDateTimeUtc().addSecs(5 * 3600 + 45 * 60);
    const QDateTime shown = Parse(device.currentTime);
    EXPECT_LE(std::abs(shown.secsTo(QDateTime(expected.date(), expected.time(), Qt::UTC))), 5)
        << device.currentTime.toStdString();
}

TEST_F(TimeDatePageTest, DaylightSavingSettingsReachTheDevice)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    c.ntp->setChecked(true);
    c.server->setText("192.168.1.5");
    c.zone->setCurrentIndex(kEastern - 1);
    c.dst->setChecked(true);
    EXPECT_TRUE(c.dstDates[0]->isEnabled());
    // Start and end differing only in the hour are accepted.
    SetDates(page.get(), {"Apr", "1st", "Sun", "1 am", "Apr", "1st", "Sun", "1 pm"});
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const TimeDatePage::Values device = Device();
    EXPECT_TRUE(device.dst);
    EXPECT_EQ(device.zone, kEastern);
    EXPECT_EQ(TimeDatePage::JoinDates(device.dstDates), "Apr,1st,Sun,1 am,Apr,1st,Sun,1 pm");
}

TEST_F(TimeDatePageTest, ManualDateSetsTheDevicesClock)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    c.year->setCurrentText("2031");
    c.month->setCurrentText("Feb");
    c.day->setCurrentText("14");
    c.hour->setCurrentText("9");
    c.minute->setCurrentText("5");
    c.second->setCurrentText("30");
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const QDateTime shown = Parse(Device().currentTime);
    EXPECT_LE(std::abs(shown.secsTo(QDateTime(QDate(2031, 2, 14), QTime(9, 5, 30), Qt::UTC))), 5);
    // The panel takes the PC's clock again, and the page shows what the device said before.
    EXPECT_EQ(c.year->currentText().toInt(), QDate::currentDate().year());
    EXPECT_FALSE(Device().ntp);
}

// Only a zone whose line starts with a nonzero digit knows daylight saving.
TEST_F(TimeDatePageTest, DaylightSavingFollowsTheTableFile)
{
    struct Case {
        const char *name;
        QStringList lines;
        int zone;
        bool available;
    };
    QStringList lastOnly(75, "0");
    lastOnly[74] = "1";
    const Case cases[] = {
        {"one", {"0", "1 (GMT-11:00)"}, 2, true},
        {"zero", {"0", "0 but 1 later"}, 2, false},
        {"other digit", {"7"}, 1, true},
        {"not a digit", {"x1"}, 1, false},
        {"blank line", {"", "1"}, 1, false},
        {"no line", {"1", "1"}, 3, false},
        {"zone 75 follows line 75", lastOnly, 75, true},
        {"zone 74 of the same file", lastOnly, 74, false},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        TableFile file(test.lines);
        PageHolder page(OpenPage(file.path()));
        const auto &c = page->controls();
        c.ntp->setChecked(true);
        c.zone->setCurrentIndex(test.zone - 1);
        EXPECT_EQ(c.dst->isEnabled(), test.available);
        c.dst->setChecked(true);
        EXPECT_EQ(c.dst->isChecked(), test.available);
        EXPECT_EQ(c.dstDates[0]->isEnabled(), test.available);
    }
    EXPECT_EQ(messages->count(), 0);
}

TEST_F(TimeDatePageTest, AMissingTableIsReportedAndLeavesEveryZoneWithoutDaylightSaving)
{
    QTemporaryDir empty;
    const QString missing = empty.filePath(DaylightSavingTable::kFileName);
    PageHolder page(OpenPage(missing));
    ASSERT_EQ(messages->count(), 1);
    EXPECT_TRUE(messages->last().text.endsWith("SNTPFile.RD was not found.")) << messages->last().text.toStdString();
    const auto &c = page->controls();
    c.ntp->setChecked(true);
    for (int zone = 1; zone <= 75; ++zone) {
        c.zone->setCurrentIndex(zone - 1);
        EXPECT_FALSE(c.dst->isEnabled()) << zone;
    }
    // The page still saves.
    c.server->setText("10.0.0.1");
    SaveAndSettle(page.get());
    EXPECT_EQ(Device().zone, 75);
    EXPECT_FALSE(Device().dst);
}

// Each refused save: its message under "Warning", and nothing reaches the device.
TEST_F(TimeDatePageTest, BadEntriesShowTheirWarningAndSendNothing)
{
    struct Case {
        const char *server;
        QStringList dates;
        QString message;
        bool focusesServer;
    };
    const QStringList good = {"Mar", "2nd", "Sun", "2 am", "Nov", "1st", "Sun", "2 am"};
    const Case cases[] = {
        {"", good, "Invalid NTP server !", true},
        {"224.0.0.1", good, "Invalid IP address !", true},
        {"127.0.0.1", good, "Invalid IP address !", true},
        {"192.168.1.255", good, "Invalid IP address !", true},
        {"192.168.1.5", {"Mar", "2nd", "Sun", "2 am", "Mar", "2nd", "Sun", "2 am"},
         "DST Start can not be the same with DST End!", false},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.message.toStdString() + " " + test.server);
        messages->clear();
        PageHolder page(OpenPage(table.path()));
        const auto &c = page->controls();
        c.ntp->setChecked(true);
        c.zone->setCurrentIndex(kEastern - 1);
        c.dst->setChecked(true);
        SetDates(page.get(), test.dates);
        if (*test.server)
            c.server->setText(test.server);
        c.save->click();
        ASSERT_EQ(messages->count(), 1);
        EXPECT_EQ(messages->last().text, test.message);
        EXPECT_EQ(messages->last().title, "Warning");
        QApplication::processEvents();
        EXPECT_EQ(c.server->isAncestorOf(QApplication::focusWidget()), test.focusesServer);
        QTest::qWait(100);
        const TimeDatePage::Values device = Device();
        EXPECT_EQ(device.zone, kLondon);
        EXPECT_FALSE(device.ntp);
    }
}

// With daylight saving unavailable the box is disabled, so equal dates do not matter.
TEST_F(TimeDatePageTest, EqualDatesPassWhenTheZoneHasNoDaylightSaving)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    c.ntp->setChecked(true);
    c.server->setText("192.168.1.5");
    c.zone->setCurrentIndex(kArizona - 1);
    SetDates(page.get(), {"Mar", "2nd", "Sun", "2 am", "Mar", "2nd", "Sun", "2 am"});
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(Device().zone, kArizona);
}

TEST_F(TimeDatePageTest, TheDayListFollowsMonthAndLeapYear)
{
    PageHolder page(OpenPage(table.path()));
    const auto &c = page->controls();
    struct Case {
        const char *year, *month;
        int days;
    };
    const Case cases[] = {{"2012", "Feb", 29}, {"2013", "Feb", 28}, {"2024", "Feb", 29},
                          {"2013", "Apr", 30}, {"2013", "Jan", 31}, {"2030", "Dec", 31}};
    for (const Case &test : cases) {
        c.year->setCurrentText(test.year);
        c.month->setCurrentText(test.month);
        EXPECT_EQ(c.day->count(), test.days) << test.year << " " << test.month;
    }
    c.month->setCurrentText("Jan");
    c.day->setCurrentText("15");
    c.month->setCurrentText("Feb");
    EXPECT_EQ(c.day->currentText(), "15"); // kept where it still exists
    c.month->setCurrentText("Mar");
    c.day->setCurrentText("31");
    c.month->setCurrentText("Apr");
    EXPECT_EQ(c.day->currentText(), "1");
}

TEST(TimeChoices, CalendarAndTexts)
{
    EXPECT_EQ(TC::DaysInMonth(2100, 2), 28);
    EXPECT_EQ(TC::DaysInMonth(2000, 2), 29);
    EXPECT_EQ(TC::ManualTimeText(QDateTime(QDate(2009, 3, 7), QTime(4, 5, 6))), "03-07-2009 04:05:06");
    EXPECT_EQ(TC::Hours().first(), "12 am");
    EXPECT_EQ(TC::Hours()[12], "12 pm");
    EXPECT_EQ(TC::Hours().last(), "11 pm");
    EXPECT_EQ(TC::Years(2050).last(), "2050");
    EXPECT_EQ(TC::Years(2020).last(), "2037");
    EXPECT_EQ(TimeDatePage::SplitDates("  Mar,2nd,Sun,2 am,Nov,1st,Sun,2 am "),
              (QStringList{"Mar", "2nd", "Sun", "2 am", "Nov", "1st", "Sun", "2 am"}));
    EXPECT_TRUE(TimeDatePage::SplitDates(" ").isEmpty());
}

// The table shipped with the module: one line per zone, by today's rules.
TEST(DaylightSavingTableFile, ShippedTableCoversEveryZone)
{
    QString error;
    const QString path = QStringLiteral(TRB4820_SOURCE_DIR "/resources/SNTPFile.RD");
    const DaylightSavingTable table = DaylightSavingTable::Load(path, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().trimmed().split('\n');
    ASSERT_EQ(lines.size(), 75);
    for (int zone = 1; zone <= 75; ++zone)
        EXPECT_TRUE(lines[zone - 1].endsWith(TC::Zones()[zone - 1].toLatin1())) << zone;
    const struct {
        int zone;
        bool dst;
    } expected[] = {{3, false}, {4, true}, {6, false}, {11, false}, {14, true}, {27, true}, {28, true},
                    {41, false}, {43, false}, {49, false}, {65, true}, {66, false}, {68, true}, {73, true},
                    {75, false}};
    for (const auto &e : expected)
        EXPECT_EQ(table.HasDaylightSaving(e.zone), e.dst) << e.zone;
}

} // namespace
