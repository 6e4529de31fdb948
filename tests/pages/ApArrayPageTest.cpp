// Advanced > AP Array: the model's SNMP item on its own, then the page against the simulator.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ApArrayPage.h"
#include "FormCheck.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"

using trb::ApArrayPage;
using namespace trb::test;

namespace {

TEST(ApArrayPageRules, TheShownSnmpItemCarriesTheDevicesSnmpFlag)
{
    ApArrayPage::Flags device{};
    device[27] = 1; // Limit Administrator: not shown in this model
    device[31] = 0;
    EXPECT_EQ(ApArrayPage::ShownFlags(device)[27], 0);
    ApArrayPage::Flags shown{};
    shown[27] = 1;
    const auto sent = ApArrayPage::FlagsToSend(shown);
    EXPECT_EQ(sent[27], 1);
    EXPECT_EQ(sent[31], 1) << "positions 27 and 31 always go out equal";
}

class ApArrayPageTest : public PageTest {
protected:
    struct Device {
        int enable = 0, role = 0, scanAllowed = 0;
        std::string name, password;
        std::array<int, AP_ARRAY_SYNC_COUNT> flags{};
    };

    ApArrayPage *OpenPage()
    {
        auto *page = new ApArrayPage;
        page->resize(530, 700);
        page->show();
        EXPECT_TRUE(WaitFor([&] { return !page->LastMessage().isEmpty(); }));
        return page;
    }

    Device ReadDevice()
    {
        Device d;
        APHANDLE h = apAdvAPArrayOpen(session, 0);
        apStyleModify(h, AP_ARRAY_GROUP_ALL, 0);
        EXPECT_EQ(apSnmpSendGetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        char name[AP_ARRAY_TEXT_SIZE] = {}, password[AP_ARRAY_TEXT_SIZE] = {};
        apAdvAPArrayGet(h, &d.enable, &d.role, &d.scanAllowed, name, password);
        apAdvAPArrayParamatersGet(h, d.flags.data());
        apHandleClose(h);
        d.name = name;
        d.password = password;
        return d;
    }

    void WriteDevice(int enable, int role, const char *name, std::array<int, AP_ARRAY_SYNC_COUNT> flags = {})
    {
        APHANDLE h = apAdvAPArrayOpen(session, 0);
        ASSERT_EQ(apAdvAPArraySet(h, enable, role, name, "pw"), 0);
        ASSERT_EQ(apAdvAPArrayParamatersSet(h, flags.data()), 0);
        apStyleModify(h, AP_ARRAY_GROUP_MEMBERSHIP | AP_ARRAY_GROUP_SYNC, 1);
        ASSERT_EQ(apSnmpSendSetRequest(h, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
        apHandleClose(h);
    }

    static void SaveAndSettle(ApArrayPage *page)
    {
        const QString before = page->statusText();
        page->controls().save->click();
        WaitFor([&] { return page->statusText() != before; }, 1500);
    }
};

TEST_F(ApArrayPageTest, ShowsTheMembershipAndTheFlagsWithTheGroupsClosed)
{
    std::array<int, AP_ARRAY_SYNC_COUNT> flags{};
    flags[0] = flags[7] = flags[27] = 1;
    flags[31] = 0;
    ASSERT_NO_FATAL_FAILURE(WriteDevice(1, 3, "Campus East", flags));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\AP Array");
    EXPECT_TRUE(c.enable->isChecked());
    EXPECT_TRUE(c.roles[2]->isChecked());
    EXPECT_EQ(c.name->text(), "Campus East");
    EXPECT_EQ(c.password->text(), "pw");
    EXPECT_EQ(c.password->echoMode(), QLineEdit::Password);
    EXPECT_EQ(c.name->maxLength(), 32);
    EXPECT_EQ(c.connection->text(), "Disconnect");
    EXPECT_TRUE(c.items[0]->isChecked());
    EXPECT_TRUE(c.items[7]->isChecked());
    EXPECT_FALSE(c.items[27]->isChecked()) << "the shown SNMP item has the SNMP flag";
    EXPECT_EQ(c.itemLabels[27]->text(), "SNMP Settings");
    EXPECT_EQ(c.items[31], nullptr);
    EXPECT_EQ(c.items[32], nullptr);
    EXPECT_EQ(c.itemLabels[5]->text(), "Band");
    EXPECT_EQ(c.headings[2]->text(), "Multiple SSID && VLAN");
    for (int g = 0; g < ApArrayPage::kSyncGroups; ++g) {
        EXPECT_FALSE(c.headings[g]->isChecked());
        EXPECT_FALSE(c.groupItems[g]->isVisible());
    }
    c.headings[1]->click();
    EXPECT_TRUE(c.groupItems[1]->isVisible());
    EXPECT_TRUE(c.scan->isEnabled());
    c.enable->click();
    for (QWidget *w : std::initializer_list<QWidget *>{c.roles[0], c.name, c.password, c.syncPanel, c.scan})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
}

TEST_F(ApArrayPageTest, SaveReachesTheDeviceWithPositions27And31Equal)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.enable->isChecked());
    EXPECT_FALSE(c.name->isEnabled());
    c.enable->click();
    c.roles[1]->click();
    c.name->setText("Campus West");
    c.password->setText("secret-32");
    c.headings[4]->click();
    c.items[27]->click();
    c.items[0]->click(); // on by default: now off
    SaveAndSettle(page.get());
    EXPECT_TRUE(messages->texts().isEmpty()) << messages->texts().join('|').toStdString();
    const Device d = ReadDevice();
    EXPECT_EQ(d.enable, 1);
    EXPECT_EQ(d.role, 2);
    EXPECT_EQ(d.name, "Campus West");
    EXPECT_EQ(d.password, "secret-32");
    EXPECT_EQ(d.flags[0], 0);
    EXPECT_EQ(d.flags[1], 1);
    EXPECT_EQ(d.flags[27], 1);
    EXPECT_EQ(d.flags[31], 1);
}

TEST_F(ApArrayPageTest, SavingWithoutOpeningAGroupSendsTheFlagsAsRead)
{
    std::array<int, AP_ARRAY_SYNC_COUNT> flags{};
    for (int i = 0; i < AP_ARRAY_SYNC_COUNT; i += 2)
        flags[i] = 1;
    flags[32] = 1;
    ASSERT_NO_FATAL_FAILURE(WriteDevice(1, 1, "Lab", flags));
    PageHolder page(OpenPage());
    SaveAndSettle(page.get());
    auto expected = flags;
    expected[27] = flags[31]; // the shown SNMP item is the device's SNMP flag
    EXPECT_EQ(ReadDevice().flags, expected);
}

TEST_F(ApArrayPageTest, BadNamesAreRefusedAndNothingIsSent)
{
    const Device before = ReadDevice();
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.enable->click();
    const struct {
        const char *name, *message;
    } cases[] = {
        {"", "The Array Name can not be blank"},
        {"   ", "The Array Name can not be blank"},
        {" Lab", "The first character and last character can't be blank."},
        {"Lab ", "The first character and last character can't be blank."},
        {"Caf\u00e9", trb::kDeviceTextMessage},
        {"\u5317\u7fa4", trb::kDeviceTextMessage},
    };
    for (const auto &c2 : cases) {
        messages->clear();
        c.name->setText(QString::fromUtf8(c2.name));
        c.save->click();
        EXPECT_EQ(messages->texts(), QStringList{c2.message}) << '"' << c2.name << '"';
    }
    messages->clear();
    c.name->setText("Lab");
    c.password->setText(QString::fromUtf8("pa\u00df\u20ac"));
    c.save->click();
    EXPECT_EQ(messages->texts(), QStringList{trb::kDeviceTextMessage});
    EXPECT_EQ(page->focusWidget(), c.password);
    QTest::qWait(100);
    const Device d = ReadDevice();
    EXPECT_EQ(d.enable, 0);
    EXPECT_EQ(d.name, "Array-North");
    EXPECT_EQ(d.password, before.password);
}

TEST_F(ApArrayPageTest, AModeOtherThanAccessPointOrWdsWithApTurnsTheArrayOff)
{
    ASSERT_NO_FATAL_FAILURE(WriteDevice(1, 1, "Lab"));
    ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO, [](APHANDLE h) { return apWirelessSetApMode(h, 2, 0, 2); }), 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.enable->isChecked());
    EXPECT_FALSE(c.enable->isEnabled());
    EXPECT_FALSE(c.name->isEnabled());
}

TEST_F(ApArrayPageTest, AScanFillsBothListsAndARowNamesTheArray)
{
    ASSERT_NO_FATAL_FAILURE(WriteDevice(1, 1, "Campus East"));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.scan->click();
    ASSERT_TRUE(WaitFor([&] { return c.members->rowCount() == 3; }));
    EXPECT_EQ(c.connection->text(), "Connect");
    ASSERT_EQ(c.arrays->rowCount(), 3);
    EXPECT_EQ(c.arrays->cellText(2, 0), "Campus East");
    EXPECT_EQ(c.arrays->cellText(2, 1), "192.168.1.10");
    EXPECT_EQ(c.arrays->cellText(2, 6), "3");
    EXPECT_EQ(c.members->cellText(0, 0), "1");
    EXPECT_EQ(c.members->cellText(0, 1), "Master");
    EXPECT_EQ(c.members->cellText(1, 1), "Backup Master");
    EXPECT_EQ(c.members->cellText(2, 1), "Slave");
    emit c.arrays->clicked(c.arrays->model()->index(0, 3));
    EXPECT_EQ(c.name->text(), c.arrays->cellText(0, 0));
    EXPECT_FALSE(c.name->text().isEmpty());
}

TEST_F(ApArrayPageTest, ClearAllUnticksEveryItem)
{
    std::array<int, AP_ARRAY_SYNC_COUNT> flags;
    flags.fill(1);
    ASSERT_NO_FATAL_FAILURE(WriteDevice(1, 1, "Lab", flags));
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.clearAll->click();
    for (QCheckBox *item : c.items) {
        if (item)
            EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
    }
}

} // namespace
