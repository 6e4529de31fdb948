// Status > Device Information against the simulator.
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>

#include <cstdio>

#include "DeviceInfoPageTrb.h"
#include "PageTestSupport.h"
#include "ScrollLayout.h"

using trb::DeviceInfoPage;
using trb::DeviceInfoPageTrb;
using namespace trb::test;

namespace {

const char *const kSections[] = {"generalSection", "band24MacSection", "band5MacSection", "ethernetSection",
                                 "band24WirelessSection", "band5WirelessSection", "apArraySection",
                                 "deviceStatusSection"};

class DeviceInfoPageTest : public PageTest {
protected:
    template <typename Page>
    Page *OpenPage()
    {
        auto *page = new Page;
        page->resize(610, 700);
        QElapsedTimer clock;
        clock.start();
        page->show();
        const bool filled = WaitFor([&] { return !Value(page, "firmwareVersionValue").isEmpty(); });
        std::printf("[ timing ] device information page filled %lld ms after show\n", clock.elapsed());
        EXPECT_TRUE(filled);
        return page;
    }

    static QString Value(QWidget *page, const char *name)
    {
        auto *label = page->findChild<QLabel *>(name);
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }

    static QStringList ShownSections(QWidget *page)
    {
        QStringList shown;
        for (const char *name : kSections)
            if (!page->findChild<QWidget *>(name)->isHidden())
                shown << name;
        return shown;
    }

    // What LayoutSections reports: the shown sections' heights and 10.
    static int ExpectedHeight(QWidget *page)
    {
        int height = 10;
        for (const char *name : kSections)
            if (auto *section = page->findChild<QWidget *>(name); !section->isHidden())
                height += section->sizeHint().height();
        return height;
    }
};

TEST_F(DeviceInfoPageTest, ShowsTheBandInServiceAndTheSsidAddresses)
{
    PageHolder page(OpenPage<DeviceInfoPageTrb>());
    EXPECT_EQ(page->windowTitle(), "Status \\ Device Information");
    EXPECT_EQ(Value(page.get(), "firmwareVersionValue"), "1.2.07");
    EXPECT_EQ(Value(page.get(), "ethernetMacValue"), "02:1A:48:20:00:01");
    EXPECT_EQ(ShownSections(page.get()),
              (QStringList{"generalSection", "band24MacSection", "ethernetSection", "band24WirelessSection",
                           "apArraySection", "deviceStatusSection"}));
    EXPECT_EQ(Value(page.get(), "band24MacBandLabel"), "Wireless MAC Address: ");
    EXPECT_EQ(Value(page.get(), "band24PrimaryMacValue"), "02:1A:48:20:10:00");
    EXPECT_EQ(Value(page.get(), "band24Ssid1MacValue"), "02:1A:48:20:10:01");
    EXPECT_EQ(Value(page.get(), "band24Ssid2MacValue"), "02:1A:48:20:10:02");
    EXPECT_EQ(Value(page.get(), "band24Ssid3MacValue"), "N/A");
    EXPECT_EQ(Value(page.get(), "ipAddressValue"), "192.168.1.10");
    EXPECT_EQ(Value(page.get(), "subnetMaskValue"), "255.255.255.0");
    EXPECT_EQ(Value(page.get(), "gatewayValue"), "192.168.1.1");
    EXPECT_EQ(Value(page.get(), "band24SsidValue"), "TRB4820-2G");
    EXPECT_EQ(Value(page.get(), "band24ChannelValue"), "6");
    EXPECT_EQ(Value(page.get(), "band24DataRateValue"), "Auto");
    EXPECT_EQ(Value(page.get(), "band24SecurityValue"), "WPA-Personal");
    EXPECT_EQ(Value(page.get(), "apArrayNameValue"), "Array-North");
    EXPECT_EQ(Value(page.get(), "apArrayRoleValue"), "Master");
    EXPECT_EQ(Value(page.get(), "apArrayLocationValue"), "Building A, floor 2");
    bool number = false;
    const int cpu = Value(page.get(), "cpuValue").toInt(&number);
    EXPECT_TRUE(number && cpu >= 0 && cpu <= 100) << Value(page.get(), "cpuValue").toStdString();
    EXPECT_EQ(page->scrollLayout().contentWidth(), 600);
    EXPECT_EQ(page->scrollLayout().contentHeight(), ExpectedHeight(page.get()));
}

TEST_F(DeviceInfoPageTest, OnFiveGigahertzTheFiveGigahertzSectionsShow)
{
    ASSERT_TRUE(SnmpSet("trbCurrentBand.0", 'i', "2"));
    PageHolder page(OpenPage<DeviceInfoPageTrb>());
    EXPECT_EQ(ShownSections(page.get()),
              (QStringList{"generalSection", "band5MacSection", "ethernetSection", "band5WirelessSection",
                           "apArraySection", "deviceStatusSection"}));
    EXPECT_EQ(Value(page.get(), "band5MacBandLabel"), "Wireless MAC Address(5GHz): ");
    EXPECT_EQ(Value(page.get(), "band5PrimaryMacValue"), "02:1A:48:20:20:00");
    EXPECT_EQ(Value(page.get(), "band5SsidValue"), "TRB4820-5G");
    EXPECT_EQ(page->scrollLayout().contentHeight(), ExpectedHeight(page.get()));
}

// The generic page asks for two bands and lays them out by their radios.
TEST_F(DeviceInfoPageTest, GenericPageShowsTheBandsWhoseRadiosAreOn)
{
    PageHolder page(OpenPage<DeviceInfoPage>());
    EXPECT_EQ(ShownSections(page.get()),
              (QStringList{"generalSection", "band24MacSection", "ethernetSection", "band24WirelessSection",
                           "apArraySection", "deviceStatusSection"}));
    EXPECT_EQ(Value(page.get(), "band24MacBandLabel"), "Wireless MAC Address(2.4GHz): ");
    // Generic SSID rows: the first and last multi-SSID addresses, the third as built.
    EXPECT_EQ(Value(page.get(), "band24Ssid1MacValue"), "02:1A:48:20:10:01");
    EXPECT_EQ(Value(page.get(), "band24Ssid2MacValue"), "02:1A:48:20:10:07");
    EXPECT_EQ(Value(page.get(), "band24Ssid3MacValue"), "00:00:00:00:00:00 ");
    page.page->close();

    ASSERT_TRUE(SnmpSet("trbBandRadioState.2", 'i', "1"));
    PageHolder both(OpenPage<DeviceInfoPage>());
    EXPECT_EQ(ShownSections(both.get()).size(), 8);
    EXPECT_EQ(both->scrollLayout().contentHeight(), ExpectedHeight(both.get()));
    const int bothHeight = both->scrollLayout().contentHeight();
    both->LayoutSections(DeviceInfoPage::kNoBand);
    EXPECT_EQ(ShownSections(both.get()),
              (QStringList{"generalSection", "ethernetSection", "apArraySection", "deviceStatusSection"}));
    EXPECT_LT(both->scrollLayout().contentHeight(), bothHeight);
    EXPECT_EQ(both->scrollLayout().contentHeight(), ExpectedHeight(both.get()));
}

// A device that never answers leaves the page as it was built: no "0" loads, no band layout
// guessed from an empty record.
TEST_F(DeviceInfoPageTest, FailedFirstReadShowsNoInventedValues)
{
    simulator->stop();
    PageHolder page(new DeviceInfoPageTrb);
    page->resize(610, 700);
    const QStringList built = ShownSections(page.get());
    page->show();
    EXPECT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000));
    EXPECT_EQ(Value(page.get(), "cpuValue"), "");
    EXPECT_EQ(Value(page.get(), "memoryValue"), "");
    EXPECT_EQ(ShownSections(page.get()), built);
}

} // namespace
