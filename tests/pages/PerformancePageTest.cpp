// Advanced > Performance: the rate lists on their own, then the page against the simulator.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <cstring>

#include "PageTestSupport.h"
#include "PerformancePage.h"
#include "RateChoices.h"

using trb::PerformancePage;
using namespace trb::test;
namespace rates = trb::rates;

namespace {

TEST(RateChoices, MulticastEntriesFollowTheWirelessMode)
{
    const QStringList list = rates::Split("1 2 5.5 11 6 9 12 18 24 36 48 54 6.5 13");
    struct Case {
        const char *mode;
        QStringList entries;
    } cases[] = {
        {"802.11n Only", {"Disable", "6.5", "13"}},
        {"Mixed 802.11g and 802.11b", {"Disable", "1", "2", "5.5", "11", "6", "9", "12", "18", "24", "36", "48", "54"}},
        {"802.11a only", {"Disable", "1", "2", "5.5", "11", "6", "9", "12", "18", "24", "36", "48", "54"}},
        {"Mixed 802.11n,802.11g and 802.11b", QStringList{"Disable"} + list},
    };
    for (const Case &c : cases)
        EXPECT_EQ(rates::MulticastFor(c.mode, list), c.entries) << c.mode;
    EXPECT_TRUE(rates::MulticastFor("802.11n Only", rates::Split("1 2 6.5")).isEmpty()) << "no 54: left as it is";
    EXPECT_EQ(rates::Entries(rates::Split("Auto 1 2")), (QStringList{"Best(up to 54)", "Auto", "1", "2"}));
    EXPECT_EQ(rates::IndexStartingWith({"Disable", "5.5", "54"}, "54"), 2);
    EXPECT_EQ(rates::IndexStartingWith({"Disable", "5.5"}, "48"), 0);
}

class PerformancePageTest : public PageTest {
protected:
    static constexpr uint32_t kGroups = AP_WL_GROUP_RADIO | AP_WL_GROUP_PERFORMANCE | AP_WL_GROUP_SECURITY;

    PerformancePage *OpenPage()
    {
        auto *page = new PerformancePage;
        page->resize(620, 650);
        page->show();
        EXPECT_TRUE(WaitFor([&] { return page->controls().wirelessMode->count() > 0 && !page->statusText().isEmpty(); }));
        return page;
    }

    apPerformanceRecord DevicePerformance()
    {
        apPerformanceRecord record{};
        EXPECT_EQ(ReadWireless(kGroups, [&](APHANDLE h) { apWirelessGetPerformance(h, 1, 0, &record); }), 0);
        return record;
    }

    void SetDevice(const std::function<void(apPerformanceRecord &)> &edit)
    {
        apPerformanceRecord record = DevicePerformance();
        edit(record);
        ASSERT_EQ(WriteWireless(kGroups, [&](APHANDLE h) { return apWirelessSetPerformance(h, 1, 0, &record); }), 0);
    }

    void SetApMode(int mode)
    {
        ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO, [&](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, mode); }), 0);
    }

    void SetWep(bool on)
    {
        apSecurityBlock block{};
        ASSERT_EQ(ReadWireless(AP_WL_GROUP_SECURITY, [&](APHANDLE h) {
                      int type = 0;
                      apSecurityRecord record{0, 0, &block};
                      apWirelessGetSecurity(h, 1, 0, &type, &record);
                  }), 0);
        block.wep.encryption = on ? 1 : 0;
        block.wep.keyType = 1;
        block.wep.keySize = 64;
        block.wep.keyIndex = 1;
        std::strcpy(block.wep.key, "abcde");
        apSecurityRecord record{0, 1, &block.wep};
        ASSERT_EQ(WriteWireless(AP_WL_GROUP_SECURITY, [&](APHANDLE h) { return apWirelessSetSecurity(h, 1, 0, 1, &record); }), 0);
    }

    void SaveAndSettle(PerformancePage *page)
    {
        const QString before = page->statusText();
        page->controls().save->click();
        WaitFor([&] { return page->statusText() != before; }, 1500);
    }
};

TEST_F(PerformancePageTest, ShowsTheRadioOfTheCurrentBand)
{
    SetDevice([](apPerformanceRecord &r) {
        r.beaconInterval = 250;
        r.dtimInterval = 3;
        r.transmitPower = 3;
        r.ackTimeout = 90;
        r.wirelessMode = 3;
        r.connectionLimit = 1;
        r.userLimit = 20;
        std::strcpy(r.dataRate, "36");
    });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Advanced \\ Performance");
    EXPECT_EQ(c.radio->currentText(), "On");
    EXPECT_EQ(c.wirelessMode->currentText(), "Mixed 802.11g and 802.11b");
    EXPECT_EQ(c.beacon->text(), "250");
    EXPECT_EQ(c.dtim->text(), "3");
    EXPECT_EQ(c.transmitPower->currentText(), "25%");
    EXPECT_EQ(c.ack->text(), "90");
    EXPECT_EQ(c.ackLabel->text(), "Ack Time Out (2.4GHz, 64~200)");
    EXPECT_EQ(c.dataRate->currentText(), "36");
    EXPECT_TRUE(c.dataRate->isEnabled()); // no 802.11n: the rate is the user's
    EXPECT_EQ(c.dataRate->findText("Best(up to 300)"), -1);
    EXPECT_EQ(c.shortGi->currentText(), "Disable");
    EXPECT_FALSE(c.shortGi->isEnabled());
    EXPECT_TRUE(c.userLimit->isEnabled());
    EXPECT_TRUE(c.band->isHidden());
    EXPECT_TRUE(c.utilization->isHidden());
    EXPECT_EQ(messages->count(), 0);
}

TEST_F(PerformancePageTest, SaveWritesTheEditedFieldsAndTheModesCode)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.wirelessMode->setCurrentIndex(2); // 802.11n Only
    emit c.wirelessMode->activated(2);
    c.beacon->setText("400");
    c.dtim->setText("15");
    c.transmitPower->setCurrentIndex(1);
    c.ack->setText("200");
    c.wmm->setCurrentIndex(1);
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const apPerformanceRecord r = DevicePerformance();
    EXPECT_EQ(r.wirelessMode, 2u);
    EXPECT_EQ(r.beaconInterval, 400u);
    EXPECT_EQ(r.dtimInterval, 15u);
    EXPECT_EQ(r.transmitPower, 2u);
    EXPECT_EQ(r.ackTimeout, 200u);
    EXPECT_EQ(r.wmm, 1u);
    EXPECT_STREQ(r.dataRate, "Auto"); // 802.11n: the best rate the radio can do
}

TEST_F(PerformancePageTest, BadEntriesAreRefusedAndNothingIsWritten)
{
    struct Case {
        const char *field;
        const char *text;
        const char *message;
    } cases[] = {
        {"beacon", "24", "Please enter an integer between 25 and 500."},
        {"beacon", "x1", "Please enter an integer."},
        {"dtim", "16", "Please enter an integer between 1 and 15."},
        {"ack", "63", "Please enter an integer between 64 and 200."},
        {"userLimit", "65", "Please enter an integer between 0 and 64."},
    };
    const apPerformanceRecord before = DevicePerformance();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.field);
        PageHolder page(OpenPage());
        messages->clear();
        const auto &c = page->controls();
        c.connectionLimit->setCurrentIndex(1);
        QLineEdit *edit = QString(tc.field) == "beacon" ? c.beacon
                          : QString(tc.field) == "dtim"  ? c.dtim
                          : QString(tc.field) == "ack"   ? c.ack
                                                         : c.userLimit;
        edit->setText(tc.text);
        c.save->click();
        EXPECT_EQ(messages->texts(), QStringList{tc.message});
    }
    const apPerformanceRecord after = DevicePerformance();
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
}

TEST_F(PerformancePageTest, RadioOffTakesAnyAck)
{
    PageHolder page(OpenPage());
    page->controls().radio->setCurrentIndex(1);
    page->controls().ack->setText("10");
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const apPerformanceRecord r = DevicePerformance();
    EXPECT_EQ(r.ackTimeout, 10u);
    EXPECT_EQ(r.radioOn, 0u);
}

TEST_F(PerformancePageTest, WepRulesOut80211n)
{
    SetWep(true);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(c.wirelessMode->findText("802.11n Only"), -1);
    EXPECT_EQ(c.dataRate->findText("Best(up to 300)"), -1);
    EXPECT_FALSE(c.shortGi->isEnabled());
}

TEST_F(PerformancePageTest, AWirelessClientTakesBeaconAndDtimFromItsPeer)
{
    SetDevice([](apPerformanceRecord &r) {
        r.beaconInterval = 120;
        r.dtimInterval = 2;
    });
    SetApMode(3);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_TRUE(c.beacon->text().isEmpty());
    EXPECT_FALSE(c.beacon->isEnabled());
    EXPECT_FALSE(c.dtim->isEnabled());
    EXPECT_FALSE(c.connectionLimit->isEnabled());
    EXPECT_EQ(c.wirelessMode->currentIndex(), 0);
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const apPerformanceRecord r = DevicePerformance();
    EXPECT_EQ(r.beaconInterval, 120u);
    EXPECT_EQ(r.dtimInterval, 2u);
}

// The multicast list of "802.11n Only" is shorter than the mixed one: the rate is kept by its
// value, as loaded and across a change of the wireless mode.
TEST_F(PerformancePageTest, TheMulticastRateKeepsItsValueWhenTheListChanges)
{
    const struct {
        int band;
        uint32_t code;
        const char *rate;
        int chosenMode; // the entry chosen after loading, -1 for none
    } cases[] = {
        {2, 8, "6.5", -1}, // 802.11n Only on 5 GHz
        {1, 2, "13", -1},  // 802.11n Only on 2.4 GHz
        {2, 9, "6.5", 2},  // mixed, then "802.11n Only"
        {1, 6, "54", 1},   // mixed, then the legacy modes
    };
    for (const auto &tc : cases) {
        SCOPED_TRACE(testing::Message() << "band " << tc.band << " code " << tc.code << " rate " << tc.rate);
        ASSERT_EQ(WriteWireless(kGroups, [&](APHANDLE h) {
                      apPerformanceRecord record{};
                      apWirelessGetPerformance(h, tc.band, 0, &record);
                      record.wirelessMode = tc.code;
                      record.igmpSnooping = 0;
                      std::strcpy(record.multicastRate, tc.rate);
                      return apWirelessSetCurBand(h, tc.band) || apWirelessSetPerformance(h, tc.band, 0, &record);
                  }), 0);
        PageHolder page(OpenPage());
        const auto &c = page->controls();
        if (tc.chosenMode >= 0) {
            c.wirelessMode->setCurrentIndex(tc.chosenMode);
            emit c.wirelessMode->activated(tc.chosenMode);
        }
        EXPECT_EQ(c.multicastRate->currentText(), tc.rate);
        SaveAndSettle(page.get());
        EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
        apPerformanceRecord stored{};
        ReadWireless(kGroups, [&](APHANDLE h) { apWirelessGetPerformance(h, tc.band, 0, &stored); });
        EXPECT_STREQ(stored.multicastRate, tc.rate);
    }
}

TEST_F(PerformancePageTest, IgmpSnoopingAndAMulticastRateExcludeEachOther)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.multicastRate->setCurrentIndex(2);
    emit c.multicastRate->activated(2);
    c.igmp->setCurrentIndex(1);
    emit c.igmp->activated(1);
    EXPECT_EQ(c.multicastRate->currentIndex(), 0);
    c.multicastRate->setCurrentIndex(3);
    emit c.multicastRate->activated(3);
    EXPECT_EQ(c.igmp->currentIndex(), 0);
}

} // namespace
