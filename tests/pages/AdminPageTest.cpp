// Maintenance > Administration Settings: the range-list codec, then the page against the
// simulator: what it shows, what reaches the device, each bad entry's message with nothing sent.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "ActionIconListCtrl.h"
#include "AdminPage.h"
#include "CollapsibleSection.h"
#include "FormCheck.h"
#include "PageMessages.h"
#include "PageTestSupport.h"

using trb::AdminPage;
using trb::MessageAnswer;
using namespace trb::test;

namespace {

TEST(AdminRanges, ItemNumbersArePositionsInTheDevicesList)
{
    struct Case {
        const char *text;
        std::vector<std::tuple<int, std::string, std::string>> ranges;
    } cases[] = {
        {"", {}},
        {"0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0", {}},
        {"10.0.0.1 10.0.0.5 0.0.0.0 0.0.0.0 10.0.2.1 10.0.2.9",
         {{1, "10.0.0.1", "10.0.0.5"}, {3, "10.0.2.1", "10.0.2.9"}}},
        {"   10.0.0.1 10.0.0.5", {{1, "10.0.0.1", "10.0.0.5"}}},
        {"0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 1.1.1.1 1.1.1.2", {{4, "1.1.1.1", "1.1.1.2"}}},
        {"1.1.1.1 1.1.1.2 1.1.1.3 1.1.1.4 1.1.1.5 1.1.1.6 1.1.1.7 1.1.1.8 1.1.1.9 1.1.1.10",
         {{1, "1.1.1.1", "1.1.1.2"}, {2, "1.1.1.3", "1.1.1.4"}, {3, "1.1.1.5", "1.1.1.6"}, {4, "1.1.1.7", "1.1.1.8"}}},
        {"1.1.1.1", {}}, // a pair without its to-address
    };
    for (const Case &c : cases) {
        std::vector<std::tuple<int, std::string, std::string>> got;
        for (const apAdminRangeEntry &e : AdminPage::ParseRanges(c.text))
            got.emplace_back(e.index, e.from, e.to);
        EXPECT_EQ(got, c.ranges) << c.text;
    }
}

class AdminPageTest : public PageTest {
protected:
    AdminPage *OpenPage()
    {
        auto *page = new AdminPage;
        page->resize(530, 630);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->refreshing() && !page->controls().loginName->text().isEmpty(); }));
        return page;
    }

    // Stages on a fresh handle that has read the device, then writes.
    int Stage(const std::function<int(APHANDLE)> &stage)
    {
        const APHANDLE handle = apSysAdministratorOpen(session, 0);
        apStyleModify(handle, AP_ADMIN_GROUP_ALL, 0);
        return ReadStageWrite(handle, stage);
    }

    // What the device holds, as one text to compare.
    std::string DeviceState()
    {
        std::string state;
        Stage([&](APHANDLE h) {
            int a = 0, b = 0, c = 0, d = 0;
            char text[AP_ADMIN_RANGE_TEXT_SIZE] = {}, x[AP_ADMIN_TEXT_SIZE] = {}, y[AP_ADMIN_TEXT_SIZE] = {};
            apSysLimitAdministratorGet(h, &a, &b, &c, text, nullptr);
            state += std::to_string(a) + "/" + std::to_string(b) + "/" + std::to_string(c) + " [" + text + "] ";
            apSysNameSettingGet(h, x, y);
            state += std::string(x) + "|" + y + " ";
            apSysLoginGet(h, x, y);
            state += std::string(x) + "|" + y + " ";
            char server[AP_ADMIN_TRAP_TEXT_SIZE] = {};
            apSysTrapSettingGet(h, &a, server);
            state += std::to_string(a) + "|" + server + " ";
            apSysConsolSettingGet(h, &a, &b, &c, &d);
            state += std::to_string(a) + std::to_string(b) + std::to_string(c) + std::to_string(d);
            return 1; // read only
        });
        return state;
    }

    static void Settle(AdminPage *page)
    {
        Spin(300);
        WaitFor([page] { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) == 0; }, 3000);
    }
};

TEST_F(AdminPageTest, ShowsTheDevicesSettingsWithRangeGapsAndAllSectionsClosed)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  apSysLimitAdministratorAdd(h, "10.0.0.1", "10.0.0.5");
                  apSysLimitAdministratorAdd(h, "10.0.1.1", "10.0.1.5");
                  apSysLimitAdministratorAdd(h, "10.0.2.1", "10.0.2.9");
                  apSysTrapSettingSet(h, 1, "10.9.9.9");
                  return apSysLimitAdministratorSet(h, 0, 7, 1, 0);
              }),
              0);
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorDelete(h, 2); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Maintenance \\Administration Settings");
    ASSERT_EQ(c.ranges->rowCount(), 2);
    EXPECT_EQ(c.ranges->cellText(0, 0), "1");
    EXPECT_EQ(c.ranges->cellText(1, 0), "3");
    EXPECT_EQ(c.ranges->cellText(1, 2), "10.0.2.9");
    EXPECT_TRUE(c.ipLimit->isChecked());
    EXPECT_FALSE(c.vlanLimit->isChecked());
    EXPECT_EQ(c.vlanId->text(), "7");
    EXPECT_FALSE(c.vlanId->isEnabled());
    EXPECT_TRUE(c.add->isEnabled());
    EXPECT_EQ(c.systemName->text(), "TRB-4820");
    EXPECT_EQ(c.loginName->text(), "admin");
    for (QLineEdit *password : {c.oldPassword, c.newPassword, c.confirmPassword}) {
        EXPECT_EQ(password->text(), "admin");
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
    }
    EXPECT_TRUE(c.trap->isChecked());
    EXPECT_EQ(c.trapServer->text(), "10.9.9.9");
    EXPECT_TRUE(c.console->isChecked());
    EXPECT_TRUE(c.telnet->isChecked());
    EXPECT_EQ(c.timeout->currentText(), "5 Mins");
    EXPECT_TRUE(c.ping->isChecked());
    EXPECT_TRUE(c.sections[AdminPage::PingSection]->isHidden());
    for (auto *section : c.sections) {
        EXPECT_FALSE(section->isOpen());
        EXPECT_EQ(section->height(), trb::CollapsibleSection::kClosedHeight);
    }
    c.sections[AdminPage::LimitSection]->heading()->click();
    EXPECT_EQ(c.sections[AdminPage::LimitSection]->height(), 276);
    EXPECT_EQ(messages->count(), 0);
}

TEST_F(AdminPageTest, ThePasswordOnScreenIsNotReadableWithTheReadCommunity)
{
    PageHolder page(OpenPage());
    ASSERT_EQ(page->controls().oldPassword->text(), "admin");
    EXPECT_EQ(SnmpGet("trbLoginName.0"), "admin");
    const std::string secret = SnmpGet("trbLoginPassword.0");
    EXPECT_EQ(secret.find("admin"), std::string::npos) << secret;
}

TEST_F(AdminPageTest, SaveWritesEverySectionAndKeepsAnUntouchedPassword)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.vlanLimit->setChecked(true);
    c.vlanId->setText("4094");
    c.systemName->setText("Hall");
    c.location->setText("East wing");
    c.loginName->setText("root");
    c.trap->setChecked(true);
    c.trapServer->setText("10.1.1.1");
    c.ssh->setChecked(true);
    c.timeout->setCurrentIndex(5);
    c.save->click();
    Settle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceState(), "1/4094/0 [0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0] "
                             "Hall|East wing root|admin 1|10.1.1.1 1151");

    c.oldPassword->setText("admin");
    c.newPassword->setText("s3cret");
    c.confirmPassword->setText("s3cret");
    c.trap->setChecked(false);
    c.console->setChecked(false);
    c.save->click();
    Settle(page.get());
    EXPECT_EQ(DeviceState(), "1/4094/0 [0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0 0.0.0.0] "
                             "Hall|East wing root|s3cret 0|0.0.0.0 0151");
    EXPECT_EQ(c.confirmPassword->text(), "s3cret") << "re-read after the write";
}

TEST_F(AdminPageTest, BadEntriesStopTheSaveAndNothingIsSent)
{
    using Controls = AdminPage::Controls;
    struct Case {
        const char *message;
        std::function<void(const Controls &)> enter;
    } cases[] = {
        {"Please enter an integer between 1 and 4094.", [](const Controls &c) { c.vlanLimit->setChecked(true); c.vlanId->setText("0"); }},
        {"Please enter an integer between 1 and 4094.", [](const Controls &c) { c.vlanLimit->setChecked(true); c.vlanId->setText("4095"); }},
        {"Please add Limit Admin Ip rule!", [](const Controls &c) { c.ipLimit->setChecked(true); }},
        {"There are some invalid characters !", [](const Controls &c) { c.systemName->setText(QString::fromUtf8("Caf\u00e9")); }},
        {"There are some invalid characters !", [](const Controls &c) { c.location->setText(QString::fromUtf8("\u00dcber")); }},
        {"The System Name field can't be blank!", [](const Controls &c) { c.systemName->clear(); }},
        {"The first character can't be blank!", [](const Controls &c) { c.systemName->setText(" AP"); }},
        {"The first character can't be blank!", [](const Controls &c) { c.location->setText(" Roof"); }},
        {"There are some invalid characters !", [](const Controls &c) { c.loginName->setText("ad min"); }},
        {"Please input The Login Name!", [](const Controls &c) { c.loginName->clear(); }},
        {"The Password is not match! Please Enter Again.", [](const Controls &c) { c.oldPassword->setText("guess"); }},
        {"The New Password is not match Confirm Password! Please Enter Again.",
         [](const Controls &c) { c.newPassword->setText("one"); c.confirmPassword->setText("two"); }},
        {"Invalid IP Address.", [](const Controls &c) { c.trap->setChecked(true); c.trapServer->setText("10.1.1"); }},
        {trb::kDeviceTextMessage,
         [](const Controls &c) {
             c.newPassword->setText(QString::fromUtf8("\u5bc6\u7801-1234"));
             c.confirmPassword->setText(QString::fromUtf8("\u5bc6\u7801-1234"));
         }},
        {trb::kDeviceTextMessage,
         [](const Controls &c) {
             c.newPassword->setText(QString::fromUtf8("gr\u00fc\u00dfe"));
             c.confirmPassword->setText(QString::fromUtf8("gr\u00fc\u00dfe"));
         }},
    };
    const std::string before = DeviceState();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.message);
        PageHolder page(OpenPage());
        const auto &c = page->controls();
        c.systemName->setText("Changed first"); // an earlier section that passes its checks
        messages->clear();
        tc.enter(c);
        c.save->click();
        EXPECT_EQ(messages->texts(), QStringList{tc.message});
        Settle(page.get());
    }
    EXPECT_EQ(DeviceState(), before);
}

TEST_F(AdminPageTest, AFailedSaveLeavesNothingForTheNextWrite)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.systemName->setText("Not saved");
    c.oldPassword->setText("wrong");
    c.save->click();
    ASSERT_EQ(messages->count(), 1);
    c.ipLimit->setChecked(true);
    c.from->setText("10.0.0.1");
    c.to->setText("10.0.0.2");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.ranges->rowCount() == 1; }));
    EXPECT_EQ(DeviceState().find("Not saved"), std::string::npos);
    EXPECT_EQ(c.systemName->text(), "TRB-4820");
}

TEST_F(AdminPageTest, RangeChecksRefuseWithTheirMessagesAndSendNothing)
{
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorSet(h, 0, 1, 1, 0); }), 0);
    struct Case {
        const char *from, *to, *message;
        bool focusOnTo;
    } cases[] = {
        {"10.0.0", "10.0.0.5", "Invalid IP Address!", false},
        {"10.0.0.1", "10.0.0.255", "Invalid IP Address!", true},
        {"192.168.0.20", "192.168.0.10", "The IP Range is not right!\nPlease check...", false},
        {"192.168.0.10", "192.168.1.5", "The Two IP Address is not in the same subnet!\nPlease check...!", false},
    };
    const std::string before = DeviceState();
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const Case &tc : cases) {
        messages->clear();
        c.from->setText(tc.from);
        c.to->setText(tc.to);
        c.add->click();
        EXPECT_EQ(messages->texts(), QStringList{tc.message});
        EXPECT_EQ(messages->last().title, "TRB-4820");
    }
    Settle(page.get());
    EXPECT_EQ(DeviceState(), before);
}

TEST_F(AdminPageTest, AddingAndDeletingRangesReachesTheDevice)
{
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorSet(h, 0, 1, 1, 0); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const char *ranges[][2] = {{"10.0.0.1", "10.0.0.9"}, {"10.0.1.1", "10.0.1.1"}, {"10.0.2.1", "10.0.2.2"},
                               {"10.0.3.1", "10.0.3.2"}};
    for (const auto &range : ranges) {
        const int rows = c.ranges->rowCount();
        c.from->setText(range[0]);
        c.to->setText(range[1]);
        c.add->click();
        ASSERT_TRUE(WaitFor([&] { return c.ranges->rowCount() == rows + 1; }));
        EXPECT_TRUE(c.from->text().isEmpty());
    }
    c.from->setText("10.0.4.1");
    c.to->setText("10.0.4.2");
    c.add->click();
    EXPECT_EQ(messages->texts(), QStringList{"Maximum number of IP Range List is 4!"});
    EXPECT_TRUE(c.from->text().isEmpty());
    EXPECT_TRUE(c.to->text().isEmpty());

    messages->clear();
    messages->queueAnswer(MessageAnswer::Cancel);
    emit c.ranges->cellClicked(3, 1);
    EXPECT_EQ(messages->texts(), QStringList{"Do you want to delete this item ?"});
    Settle(page.get());
    EXPECT_EQ(c.ranges->rowCount(), 4);
    emit c.ranges->cellClicked(3, 1);
    ASSERT_TRUE(WaitFor([&] { return c.ranges->rowCount() == 3; }));
    EXPECT_EQ(c.ranges->cellText(1, 0), "3");
    EXPECT_NE(DeviceState().find("[10.0.0.1 10.0.0.9 0.0.0.0 0.0.0.0 10.0.2.1"), std::string::npos);
}

TEST_F(AdminPageTest, AddingARangeWithAnUnfinishedVlanIdKeepsTheDevicesId)
{
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorSet(h, 1, 12, 0, 0); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    messages->clear();
    c.vlanId->setText("0");
    c.ipLimit->setChecked(true);
    c.from->setText("10.0.0.1");
    c.to->setText("10.0.0.2");
    c.add->click();
    ASSERT_TRUE(WaitFor([&] { return c.ranges->rowCount() == 1; }));
    EXPECT_EQ(DeviceState().substr(0, 8), "1/12/1 [") << "the range and the IP limit went out together";
    EXPECT_EQ(c.vlanId->text(), "12");
}

TEST_F(AdminPageTest, DeletingTheOnlyRangeTurnsTheIpLimitOff)
{
    ASSERT_EQ(Stage([](APHANDLE h) {
                  apSysLimitAdministratorAdd(h, "10.0.0.1", "10.0.0.9");
                  return apSysLimitAdministratorSet(h, 0, 1, 1, 0);
              }),
              0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    emit c.ranges->cellClicked(3, 0);
    EXPECT_EQ(messages->texts(),
              QStringList{"Limit Admin IP will be disabled if the Limit Admin IP rule list is null!"});
    ASSERT_TRUE(WaitFor([&] { return c.ranges->rowCount() == 0; }));
    EXPECT_FALSE(c.ipLimit->isChecked());
    EXPECT_FALSE(c.from->isEnabled());
    EXPECT_EQ(DeviceState().substr(0, 6), "0/1/0 ");
}

TEST_F(AdminPageTest, FunctionStatesWarnAndTheRepeaterModeLocksTheLimits)
{
    const QStringList warning{"If Limit Administrator Status enable,VLAN status,WEB Redirection \n"
                              "and Network Access protection status will be disable."};
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorSet(h, 1, 9, 0, 0); }), 0);
    ASSERT_TRUE(SnmpSet("trbWebRedirection.0", 'i', "1"));
    {
        PageHolder page(OpenPage());
        EXPECT_EQ(messages->texts(), warning) << "on reading";
        EXPECT_TRUE(page->controls().vlanLimit->isEnabled());
    }
    ASSERT_EQ(Stage([](APHANDLE h) { return apSysLimitAdministratorSet(h, 0, 9, 0, 0); }), 0);
    {
        messages->clear();
        PageHolder page(OpenPage());
        EXPECT_EQ(messages->count(), 0);
        page->controls().vlanLimit->click();
        EXPECT_EQ(messages->texts(), warning) << "on ticking";
        page->controls().save->click();
        Settle(page.get());
        int vlan = -1, web = -1, protection = -1;
        Stage([&](APHANDLE h) { return apSysLimitAdminFunctionStatusGet(h, &vlan, &web, &protection, nullptr) + 1; });
        EXPECT_EQ(web, 0) << "the device switches the functions off with the VLAN limit";
    }
    ASSERT_TRUE(SnmpSet("trbWebRedirection.0", 'i', "0"));
    ASSERT_TRUE(SnmpSet("trbApMode.0", 'i', "5"));
    messages->clear();
    PageHolder page(OpenPage());
    EXPECT_EQ(messages->count(), 0);
    EXPECT_FALSE(page->controls().vlanLimit->isEnabled());
    EXPECT_FALSE(page->controls().ipLimit->isEnabled());
}

} // namespace
