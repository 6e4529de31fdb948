// Basic > LAN against the simulator.
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

#include "IpAddressEdit.h"
#include "LanPage.h"
#include "PageTestSupport.h"

using trb::LanPage;
using namespace trb::test;

namespace {

class LanPageTest : public PageTest {
protected:
    // Opens the page and waits for its read to fill the controls.
    LanPage *OpenPage()
    {
        auto *page = new LanPage;
        page->resize(400, 300);
        QElapsedTimer clock;
        clock.start();
        page->show();
        const bool filled = WaitFor([page] { return page->controls().mode->currentIndex() != -1; });
        std::printf("[ timing ] LAN page filled %lld ms after show\n", clock.elapsed());
        EXPECT_TRUE(filled);
        return page;
    }

    // The device's LAN settings as a fresh handle reads them: mode, ip, mask, gateway.
    QStringList DeviceLan()
    {
        auto record = std::make_unique<apLanSettingsRecord>();
        EXPECT_EQ(ReadLan(*record), 0);
        return {QString::number(record->addressMode), record->ipAddress, record->subnetMask, record->gateway};
    }

    // Saves, then gives an asynchronous write time to reach the device.
    void SaveAndSettle(LanPage *page)
    {
        const QString before = page->statusText();
        page->controls().save->click();
        WaitFor([&] { return page->statusText() != before; }, 1500);
    }
};

TEST_F(LanPageTest, ShowsTheDevicesSettingsAfterTheRead)
{
    PageHolder page(OpenPage());
    EXPECT_EQ(page->windowTitle(), "Basic \\ LAN");
    EXPECT_EQ(page->controls().mode->currentText(), "Static IP( Manual)");
    EXPECT_EQ(page->controls().mode->itemText(1), "Dynamic IP( DHCP)");
    EXPECT_EQ(page->controls().ip->text(), "192.168.1.10");
    EXPECT_EQ(page->controls().mask->text(), "255.255.255.0");
    EXPECT_EQ(page->controls().gateway->text(), "192.168.1.1");
    EXPECT_TRUE(page->controls().ip->isEnabled());
    EXPECT_TRUE(page->controls().gateway->isEnabled());
    EXPECT_TRUE(page->statusText().contains("Receive at")) << page->statusText().toStdString();
    EXPECT_EQ(messages->count(), 0);
}

TEST_F(LanPageTest, StaticSaveReachesTheDevice)
{
    PageHolder page(OpenPage());
    page->controls().ip->setText("192.168.1.20");
    page->controls().mask->setText("255.255.0.0");
    page->controls().gateway->setText("192.168.3.254");
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceLan(), (QStringList{"0", "192.168.1.20", "255.255.0.0", "192.168.3.254"}));
}

TEST_F(LanPageTest, NoGatewayShowsBlankAndABlankGatewayIsSavedAsNone)
{
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", ""), 0);
    PageHolder page(OpenPage());
    EXPECT_TRUE(page->controls().gateway->isBlank());
    page->controls().ip->setText("192.168.1.11");
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceLan(), (QStringList{"0", "192.168.1.11", "255.255.255.0", "N/A"}));
}

TEST_F(LanPageTest, DynamicModeDisablesTheFieldsAndSavesTheValuesLastRead)
{
    PageHolder page(OpenPage());
    page->controls().mode->setCurrentIndex(1);
    EXPECT_FALSE(page->controls().ip->isEnabled());
    EXPECT_FALSE(page->controls().mask->isEnabled());
    EXPECT_FALSE(page->controls().gateway->isEnabled());
    EXPECT_TRUE(page->controls().save->isEnabled());
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0);
    EXPECT_EQ(DeviceLan(), (QStringList{"1", "192.168.1.10", "255.255.255.0", "192.168.1.1"}));

    page->controls().mode->setCurrentIndex(0);
    EXPECT_TRUE(page->controls().ip->isEnabled());
}

// Each bad entry: its message, the focus on its field, and nothing reaches the device (the
// gateway, changed to a good value along with the bad entry, stays as it was).
TEST_F(LanPageTest, BadEntriesShowTheirMessageFocusTheFieldAndSendNothing)
{
    struct Case {
        const char *ip, *mask, *gateway;
        QString message;
        int field; // 0 ip, 1 mask, 2 gateway, -1 not focused by the check
    };
    const Case cases[] = {
        {"", "255.255.255.0", "192.168.1.2", "Invalid IP Address!", 0},
        {"127.0.0.1", "255.255.255.0", "192.168.1.2", "Invalid IP Address!", 0},
        {"192.168.1.10", "255.255.255.255", "192.168.1.2", "Invalid Subnet Mask!", 1},
        {"192.168.1.10", "", "192.168.1.2", "Invalid Subnet Mask!", 1},
        {"192.168.1.10", "255.255.255.0", "224.0.0.1", "Invalid Gateway Address!", 2},
        {"192.168.1.0", "255.255.255.0", "192.168.1.2",
         "The combination of IP address and subnet mask is invalid.\nAll of the bits in the host address "
         "portion of the IP address are set to be 0.\nPlease enter a valid combination of IP address and "
         "subnet mask.", -1},
        {"192.168.1.10", "255.255.255.0", "192.168.1.0", "Invalid Gateway address!", -1},
    };
    PageHolder page(OpenPage());
    trb::IpAddressEdit *fields[] = {page->controls().ip, page->controls().mask, page->controls().gateway};
    for (const Case &c : cases) {
        messages->clear();
        page->controls().ip->setText(c.ip);
        page->controls().mask->setText(c.mask);
        page->controls().gateway->setText(c.gateway);
        page->setFocus();
        page->controls().save->click();
        ASSERT_EQ(messages->count(), 1) << c.ip << " " << c.mask << " " << c.gateway;
        EXPECT_EQ(messages->last().text, c.message);
        EXPECT_EQ(messages->last().title, "TRB-4820");
        const bool formCheck = c.field >= 0;
        EXPECT_EQ(messages->last().icon, formCheck ? trb::MessageIcon::Exclamation : trb::MessageIcon::None);
        if (formCheck) {
            EXPECT_EQ(page->focusWidget(), fields[c.field]->octetEdit(0)) << c.message.toStdString();
        }
    }
    // A typed 0.0.0.0 gateway is refused too (a blank one means "none").
    messages->clear();
    page->controls().ip->setText("192.168.1.10");
    page->controls().mask->setText("255.255.255.0");
    page->controls().gateway->clear();
    for (int i = 0; i < 4; ++i)
        page->controls().gateway->octetEdit(i)->setText("0");
    page->controls().save->click();
    EXPECT_EQ(messages->texts(), QStringList{"Invalid Gateway Address!"});

    Spin(300);
    EXPECT_EQ(DeviceLan(), (QStringList{"0", "192.168.1.10", "255.255.255.0", "192.168.1.1"}));
}

TEST_F(LanPageTest, DynamicModeStillRefusesABadCombinationAndSkipsTheFieldChecks)
{
    PageHolder page(OpenPage());
    page->controls().mode->setCurrentIndex(1);
    page->controls().gateway->setText("192.168.1.255"); // as if the device had reported it
    page->controls().save->click();
    EXPECT_EQ(messages->texts(), QStringList{"Invalid Gateway address!"});

    messages->clear();
    page->controls().mode->setCurrentIndex(0);
    page->controls().ip->clear();
    page->controls().save->click();
    EXPECT_EQ(messages->texts(), QStringList{"Invalid IP Address!"});
    Spin(300);
    EXPECT_EQ(DeviceLan()[0], "0");
}

TEST_F(LanPageTest, ReadFailureLeavesTheControlsAndShowsTheLibrarysText)
{
    simulator->stop();
    PageHolder page(new LanPage);
    page->show();
    EXPECT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000))
        << page->statusText().toStdString();
    EXPECT_EQ(page->controls().ip->text(), QString());
    EXPECT_EQ(page->controls().mode->currentIndex(), -1) << "a mode the device never reported";
}

TEST_F(LanPageTest, ReReadThatFailsKeepsWhatThePageShows)
{
    PageHolder page(OpenPage());
    page->controls().gateway->setText("192.168.1.77"); // typed, not saved yet
    simulator->stop();
    ASSERT_EQ(page->RequestRead(), 0);
    EXPECT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000));
    EXPECT_EQ(page->controls().mode->currentText(), "Static IP( Manual)");
    EXPECT_EQ(page->controls().ip->text(), "192.168.1.10");
    EXPECT_EQ(page->controls().gateway->text(), "192.168.1.77");
}

} // namespace
