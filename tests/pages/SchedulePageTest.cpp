// Advanced > Schedule against the simulator: what the page shows, each rule that reaches the
// device, each bad entry's message with nothing sent, one rule per SSID, the switch and the row
// check boxes, and which SSIDs the page schedules while the radio is a client.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>
#include <string>
#include <vector>

#include "ActionIconListCtrl.h"
#include "PageMessages.h"
#include "PageTestSupport.h"
#include "ScheduleRuleForm.h"
#include "SchedulePage.h"

using trb::MessageAnswer;
using trb::SchedulePage;
using trb::ScheduleRuleForm;
using namespace trb::test;

namespace {

enum { NameColumn, IndexColumn, SsidColumn, DaysColumn, TimeColumn, WirelessColumn, EditColumn, DeleteColumn };

struct DeviceRule {
    std::string name;
    int ssid, days;
    std::string frame;
    int overnight, allDay, enabled;
    bool operator==(const DeviceRule &) const = default;
};

void PrintTo(const DeviceRule &r, std::ostream *os)
{
    *os << r.name << "/" << r.ssid << "/" << r.days << "/" << r.frame << "/" << r.overnight << r.allDay << r.enabled;
}

apScheduleRule Rule(const char *name, int ssid, const char *start, const char *end, int overnight = 0)
{
    apScheduleRule rule{};
    std::strncpy(rule.name, name, sizeof rule.name - 1);
    rule.ssid = ssid;
    rule.enabled = 1;
    rule.overnight = overnight;
    std::strncpy(rule.start, start, sizeof rule.start - 1);
    std::strncpy(rule.end, end, sizeof rule.end - 1);
    return rule;
}

class SchedulePageTest : public PageTest {
protected:
    // The device's schedule switched on, as the rule form needs it, then the page.
    SchedulePage *OpenPage()
    {
        EXPECT_EQ(Stage([](APHANDLE h) { return apAdvScheduleSetState(h, 1, nullptr); }), 0);
        auto *page = new SchedulePage;
        page->resize(660, 710);
        page->show();
        EXPECT_TRUE(WaitFor([page] {
            return !page->refreshing() && !page->controls().form->controls().ssid->text().isEmpty();
        }));
        Settle(page);
        return page;
    }

    static void Settle(SchedulePage *page)
    {
        Spin(300);
        WaitFor([page] { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0 && !page->refreshing(); },
                3000);
    }

    // Stages on a fresh handle that has read the device, then writes.
    int Stage(const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apAdvScheduleListOpen(session, 0);
        return ReadStageWrite(handle, stage);
    }

    std::vector<DeviceRule> DeviceRules(int *enabled = nullptr)
    {
        std::vector<DeviceRule> out;
        const APHANDLE handle = apAdvScheduleListOpen(session, 0);
        EXPECT_EQ(apSnmpSendGetRequest(handle, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apScheduleParameters parameters{};
        auto list = std::make_unique<apScheduleList>();
        apAdvScheduleList(handle, &parameters, list.get());
        std::vector<apScheduleRule> rules(list->count);
        list->rules = rules.data();
        apAdvScheduleList(handle, &parameters, list.get());
        for (const apScheduleRule &r : rules)
            out.push_back({r.name, r.ssid, r.days, r.timeFrame, r.overnight, r.allDay, r.enabled});
        if (enabled)
            *enabled = parameters.enabled;
        apHandleClose(handle);
        return out;
    }

    static void TypeTimes(const ScheduleRuleForm::Controls &f, const char *sh, const char *sm, const char *eh,
                          const char *em)
    {
        f.startHour->setText(sh);
        f.startMinute->setText(sm);
        f.endHour->setText(eh);
        f.endMinute->setText(em);
    }
};

TEST_F(SchedulePageTest, ShowsTheSwitchAndTheRules)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  apScheduleRule night = Rule("Night", 1, "22:00", "06:00", 1);
                  night.days = 1 | 64;
                  return apAdvScheduleAdd(h, Rule("Office", 0, "08:00", "18:00"), 0) ?: apAdvScheduleAdd(h, night, 1);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ Schedule");
    EXPECT_EQ(c.schedule->currentText(), "Enable");
    EXPECT_TRUE(c.schedule->isEnabled());
    EXPECT_EQ(f.index->count(), 4);
    EXPECT_EQ(f.index->itemText(3), "SSID 3");
    EXPECT_TRUE(f.selectDays->isChecked());
    ASSERT_EQ(c.list->rowCount(), 2);
    const char *titles[] = {"Name", "SSID Index", "SSID", "Day(s)", "Time Frame", "Wireless", "Edit", "Delete"};
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(c.list->model()->headerData(column, Qt::Horizontal).toString(), titles[column]);
    EXPECT_EQ(c.list->cellText(0, NameColumn), "Office");
    EXPECT_EQ(c.list->cellText(0, IndexColumn), "Primary SSID");
    EXPECT_EQ(c.list->cellText(0, DaysColumn), "All Week");
    EXPECT_EQ(c.list->cellText(0, TimeColumn), "08:00-18:00");
    EXPECT_EQ(c.list->cellText(1, IndexColumn), "SSID 1");
    EXPECT_EQ(c.list->cellText(1, DaysColumn), "Sun,Sat");
    EXPECT_EQ(c.list->cellText(1, TimeColumn), "22:00-06:00");
    EXPECT_FALSE(c.list->cellText(1, SsidColumn).isEmpty());
    EXPECT_TRUE(c.list->isRowChecked(0));
    EXPECT_EQ(f.ssid->text(), c.list->cellText(0, SsidColumn)) << "the selected SSID's name";

    c.schedule->setCurrentIndex(0);
    EXPECT_FALSE(c.form->isEnabled());
    c.schedule->setCurrentIndex(1);
    EXPECT_TRUE(c.form->isEnabled());
}

TEST_F(SchedulePageTest, AddSendsTheRuleWithTwoDigitTimes)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    f.name->setText("Morning");
    f.index->setCurrentIndex(2);
    f.days[1]->setChecked(true);
    f.days[3]->setChecked(true);
    TypeTimes(f, "7", "5", "12", "30");
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceRules(), (std::vector<DeviceRule>{{"Morning", 2, 2 | 8, "07:05-12:30", 0, 0, 1}}));
    EXPECT_EQ(c.list->cellText(0, DaysColumn), "Mon,Wed");

    f.name->setText("Always");
    f.index->setCurrentIndex(0);
    f.allWeek->click();
    f.allDay->setChecked(true);
    EXPECT_FALSE(f.startHour->isEnabled());
    EXPECT_FALSE(f.overnight->isEnabled());
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 2; }));
    EXPECT_EQ(c.list->cellText(1, TimeColumn), "All Day(s)");
    EXPECT_EQ(DeviceRules()[1], (DeviceRule{"Always", 0, 0, "All Day(s)", 0, 1, 1}));
}

TEST_F(SchedulePageTest, BadEntriesShowTheirMessageAndSendNothing)
{
    ASSERT_EQ(Stage([](APHANDLE h) { return apAdvScheduleAdd(h, Rule("Office", 0, "08:00", "18:00"), 0); }), 0);
    struct Case {
        const char *name;
        int index;
        bool anyDay;
        const char *sh, *sm, *eh, *em;
        bool overnight;
        const char *message, *title;
    } cases[] = {
        {"Second", 0, true, "09", "00", "10", "00", false, "The SSID has existed already !", "Warning"},
        {"", 1, true, "09", "00", "10", "00", false, "The Name field can not be blank.", "TRB-4820"},
        {"Caf\u00e9", 1, true, "09", "00", "10", "00", false, "There are some invalid characters !", "TRB-4820"},
        {"A", 1, false, "09", "00", "10", "00", false, "Please Select Day(s) !", "TRB-4820"},
        {"A", 1, true, "", "00", "10", "00", false, "Invalid Hour !", "TRB-4820"},
        {"A", 1, true, "24", "00", "10", "00", false, "Please enter an integer between 0 and 23.", "TRB-4820"},
        {"A", 1, true, "x", "00", "10", "00", false, "Please enter an integer.", "TRB-4820"},
        {"A", 1, true, "09", "", "10", "00", false, "Invalid Minute !", "TRB-4820"},
        {"A", 1, true, "09", "60", "10", "00", false, "Please enter an integer between 0 and 59.", "TRB-4820"},
        {"A", 1, true, "09", "00", "", "00", false, "Invalid Hour !", "TRB-4820"},
        {"A", 1, true, "09", "00", "10", "", false, "Invalid Minute !", "TRB-4820"},
        {"A", 1, true, "22", "00", "06", "00", false, "Invalid Time Frame!", "TRB-4820"},
        {"A", 1, true, "08", "00", "08", "00", false, "Invalid Time Frame!", "TRB-4820"},
        {"A", 1, true, "08", "00", "08", "00", true, "Invalid Time Frame!", "TRB-4820"},
        {"A", 1, true, "06", "00", "22", "00", true, "Invalid Time Frame!", "TRB-4820"},
        {" A", 1, true, "09", "00", "10", "00", false, "The first character can't be blank!", "Warning"},
    };
    PageHolder page(OpenPage());
    const auto &f = page->controls().form->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.message);
        page->Clear();
        messages->clear();
        f.name->setText(QString::fromUtf8(tc.name));
        f.index->setCurrentIndex(tc.index);
        f.days[2]->setChecked(tc.anyDay);
        TypeTimes(f, tc.sh, tc.sm, tc.eh, tc.em);
        f.overnight->setChecked(tc.overnight);
        f.add->click();
        ASSERT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, tc.title);
    }
    Settle(page.get());
    EXPECT_EQ(DeviceRules().size(), 1u) << "nothing was sent";
    EXPECT_EQ(page->controls().list->rowCount(), 1);
}

TEST_F(SchedulePageTest, OvernightFrameIsTakenWithOvernight)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    f.name->setText("Night");
    f.allWeek->click();
    TypeTimes(f, "22", "0", "6", "0");
    f.overnight->setChecked(true);
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(DeviceRules(), (std::vector<DeviceRule>{{"Night", 0, 0, "22:00-06:00", 1, 0, 1}}));
}

TEST_F(SchedulePageTest, EditKeepsItsSsidAndReplacesTheRule)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  return apAdvScheduleAdd(h, Rule("One", 0, "08:00", "18:00"), 0) ?:
                                                                                    apAdvScheduleAdd(h, Rule("Two", 3, "21:00", "05:00", 1), 3);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    emit c.list->cellClicked(EditColumn, 1);
    EXPECT_EQ(page->editingRow(), 1);
    EXPECT_EQ(f.name->text(), "Two");
    EXPECT_EQ(f.index->currentText(), "SSID 3");
    EXPECT_TRUE(f.allWeek->isChecked());
    EXPECT_EQ(f.startHour->text(), "21");
    EXPECT_EQ(f.endMinute->text(), "00");
    EXPECT_TRUE(f.overnight->isChecked());
    f.name->setText("Late");
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->cellText(1, NameColumn) == "Late"; }));
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceRules()[1], (DeviceRule{"Late", 3, 0, "21:00-05:00", 1, 0, 1}));
    EXPECT_EQ(page->editingRow(), -1);

    emit c.list->cellClicked(EditColumn, 1);
    f.index->setCurrentIndex(0);
    f.add->click();
    EXPECT_EQ(messages->texts(), QStringList{"The SSID has existed already !"});
}

TEST_F(SchedulePageTest, DeleteAsksFirst)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  return apAdvScheduleAdd(h, Rule("One", 0, "08:00", "18:00"), 0) ?:
                                                                                    apAdvScheduleAdd(h, Rule("Two", 2, "08:00", "18:00"), 2);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    messages->queueAnswer(MessageAnswer::Cancel);
    emit c.list->cellClicked(DeleteColumn, 1);
    Settle(page.get());
    EXPECT_EQ(messages->texts(), QStringList{"Are you sure that you want to delete this entry ?"});
    EXPECT_EQ(messages->last().title, "TRB-4820");
    EXPECT_EQ(DeviceRules().size(), 2u);
    messages->queueAnswer(MessageAnswer::Ok);
    emit c.list->cellClicked(DeleteColumn, 1);
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(DeviceRules(), (std::vector<DeviceRule>{{"One", 0, 0, "08:00-18:00", 0, 0, 1}}));
}

TEST_F(SchedulePageTest, SaveSendsTheSwitchAndEachRowsCheckBox)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  return apAdvScheduleAdd(h, Rule("One", 0, "08:00", "18:00"), 0) ?:
                                                                                    apAdvScheduleAdd(h, Rule("Two", 2, "08:00", "18:00"), 2);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.list->SetRowChecked(0, false);
    c.save->click();
    ASSERT_TRUE(WaitFor([&] { return DeviceRules()[0].enabled == 0; }));
    EXPECT_EQ(DeviceRules()[1].enabled, 1);

    Settle(page.get());
    c.schedule->setCurrentIndex(0);
    c.list->SetRowChecked(1, false); // what a click does: the box changes, then the list tells the page
    emit c.list->rowCheckToggled(1, false);
    EXPECT_TRUE(c.list->isRowChecked(1)) << "with the schedule off the boxes stay as read";
    c.save->click();
    Settle(page.get());
    int enabled = -1;
    DeviceRules(&enabled);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(c.schedule->currentText(), "Disable");
}

TEST_F(SchedulePageTest, ARuleTheDeviceRefusesShowsItsErrorAndTheListIsReRead)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    // Another manager takes SSID 1 after the page has read.
    ASSERT_EQ(Stage([](APHANDLE h) { return apAdvScheduleAdd(h, Rule("Other", 1, "08:00", "18:00"), 1); }), 0);
    f.name->setText("Mine");
    f.index->setCurrentIndex(1);
    f.allWeek->click();
    f.allDay->setChecked(true);
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    Settle(page.get());
    EXPECT_EQ(c.list->cellText(0, NameColumn), "Other");
    // The device's refusal, not the success of the read after it, nor nothing.
    EXPECT_TRUE(page->statusText().startsWith("SNMP error: inconsistentValue")) << page->statusText().toStdString();
    EXPECT_EQ(DeviceRules().size(), 1u);
}

TEST_F(SchedulePageTest, AClientRadioLocksTheSwitchAndRulesGoWhereTheyAreListed)
{
    ASSERT_TRUE(SnmpSet("trbApMode.0", 'i', "4")); // Wireless Client
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &f = c.form->controls();
    EXPECT_FALSE(c.schedule->isEnabled());
    f.name->setText("Client");
    f.index->setCurrentIndex(1);
    f.allWeek->click();
    f.allDay->setChecked(true);
    f.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.list->rowCount() == 1; }));
    EXPECT_EQ(DeviceRules()[0].ssid, 1) << "the one radio has no 5 GHz SSIDs to schedule";
}

TEST(ScheduleBands, WhichRulesAreListedAndWhereNewOnesGo)
{
    struct Case {
        const char *mode24, *mode5;
        bool busy24, listsLow, listsHigh;
        int firstSsid;
    } cases[] = {
        {"Access Point", "INVALID NODE", false, true, true, 0},
        {"Access Point", "Access Point", false, true, true, 0},
        {"Wireless Client", "Access Point", true, false, true, 8},
        {"AP Repeater", "WDS", true, false, true, 8},
        {"Wireless Client", "INVALID NODE", true, true, false, 0},
        {"Access Point", "AP Repeater", false, true, false, 0},
        {"Wireless Client", "Wireless Client", false, true, true, 0},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(std::string(tc.mode24) + "/" + tc.mode5);
        const SchedulePage::BandView view = SchedulePage::DecideBands(tc.mode24, tc.mode5);
        EXPECT_EQ(view.busy24, tc.busy24);
        EXPECT_EQ(view.listsLow, tc.listsLow);
        EXPECT_EQ(view.listsHigh, tc.listsHigh);
        EXPECT_EQ(view.firstSsid, tc.firstSsid);
    }
}

} // namespace
