// Home > Information against the simulator.
#include <QElapsedTimer>
#include <QLabel>
#include <QSignalSpy>

#include <cstdio>

#include "DeviceReportedAddress.h"
#include "HomeInfoPageTrb.h"
#include "PageTestSupport.h"

using trb::HomeInfoPage;
using trb::HomeInfoPageTrb;
using namespace trb::test;

namespace {

class HomeInfoPageTest : public PageTest {
protected:
    static QStringList ShownLabels(HomeInfoPage *page)
    {
        QStringList labels;
        for (HomeInfoPage::Row row : page->shownRows()) {
            EXPECT_FALSE(page->rowLabel(row)->isHidden());
            labels << page->rowLabel(row)->text();
        }
        return labels;
    }
    static QString ValueOf(HomeInfoPage *page, HomeInfoPage::Row row) { return page->rowValue(row)->text(); }
};

TEST_F(HomeInfoPageTest, WaitDialogShowsForItsTimeThenTheRowsAreFilledAndPublished)
{
    trb::SetDeviceReportedAddress({}, {});
    // At full time the 600 ms can be told apart from the read's few milliseconds.
    const QByteArray scale = qgetenv("TRB4820_TIME_SCALE");
    qputenv("TRB4820_TIME_SCALE", "1");
    auto *page = new HomeInfoPageTrb;
    PageHolder holder(page);
    QSignalSpy modes(page, &HomeInfoPage::modeTextsRead);
    page->resize(480, 500);
    QElapsedTimer clock;
    clock.start();
    page->show();
    ASSERT_NE(page->waitDialog(), nullptr);
    EXPECT_EQ(page->waitDialog()->windowTitle(), "Please wait...");
    EXPECT_EQ(page->waitDialog()->text(), "Refresh gettings, Please wait...");
    EXPECT_EQ(page->statusText(), "Reading Config from... ...");
    EXPECT_FALSE(mainWindow->isEnabled());

    ASSERT_TRUE(WaitFor([&] { return !ValueOf(page, HomeInfoPage::ModelName).isEmpty(); }));
    std::printf("[ timing ] home page filled %lld ms after show\n", clock.elapsed());
    EXPECT_NE(page->waitDialog(), nullptr) << "the wait lasts 600 ms even when the read was quicker";
    ASSERT_TRUE(WaitFor([&] { return page->waitDialog() == nullptr; }, 3000));
    qputenv("TRB4820_TIME_SCALE", scale);
    EXPECT_GE(clock.elapsed(), 600 * 94 / 100);
    EXPECT_LE(clock.elapsed(), 1500);
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_EQ(page->statusText(), page->LastMessage());
    EXPECT_TRUE(page->LastMessage().contains("Receive at"));

    EXPECT_EQ(ShownLabels(page), (QStringList{"Model Name", "Firmware Version", "System Name", "Location",
                                              "System Time", "Up Time", "Operation Mode", "MAC Address",
                                              "SSID1", "SSID2", "SSID3", "IP Address"}));
    EXPECT_EQ(ValueOf(page, HomeInfoPage::ModelName), "TRB-4820");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::FirmwareVersion), "1.2.07");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::SystemName), "TRB-4820");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Location), "Lab rack 2");
    EXPECT_FALSE(ValueOf(page, HomeInfoPage::SystemTime).isEmpty());
    EXPECT_FALSE(ValueOf(page, HomeInfoPage::UpTime).isEmpty());
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Mode24), "Access Point");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Mac24), "021A48201000"); // no colons here
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Ssid24), "021A48201001");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Mac5), "021A48201002");
    EXPECT_EQ(ValueOf(page, HomeInfoPage::Ssid5), "N/A"); // SSID 3 is not in use
    EXPECT_EQ(ValueOf(page, HomeInfoPage::IpAddress), "192.168.1.10");

    EXPECT_EQ(trb::DeviceReportedAddress(), "192.168.1.10");
    EXPECT_EQ(trb::DeviceReportedMask(), "255.255.255.0");
    ASSERT_EQ(modes.count(), 1);
    EXPECT_EQ(modes.first(), (QVariantList{"Access Point", "Access Point"}));
}

// The generic page asks for two bands and keeps the rows of the bands in service.
TEST_F(HomeInfoPageTest, GenericPageShowsTheRowsOfTheEnabledBands)
{
    PageHolder page(new HomeInfoPage);
    page->show();
    ASSERT_TRUE(WaitFor([&] { return !ValueOf(page.get(), HomeInfoPage::ModelName).isEmpty(); }));
    EXPECT_EQ(ShownLabels(page.get()),
              (QStringList{"Model Name", "Firmware Version", "System Name", "Location", "System Time", "Up Time",
                           "Operation Mode(2.4GHz)", "MAC Address(2.4GHz)", "SSID 1~7(2.4GHz)", "IP Address"}));
    EXPECT_EQ(ValueOf(page.get(), HomeInfoPage::Ssid24), "021A48201001 ~ 021A48201007");
    EXPECT_TRUE(page->rowLabel(HomeInfoPage::Mode5)->isHidden());
}

// A read that fails still completes: nothing is published to the main window's mode texts.
TEST_F(HomeInfoPageTest, FailedReadPublishesNoModeTexts)
{
    simulator->stop();
    auto *page = new HomeInfoPageTrb;
    PageHolder holder(page);
    QSignalSpy modes(page, &HomeInfoPage::modeTextsRead);
    page->show();
    EXPECT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000));
    EXPECT_EQ(page->waitDialog(), nullptr);
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_EQ(modes.count(), 0);
}

} // namespace
