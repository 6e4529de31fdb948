// Basic > Wireless against the simulator: what the page shows, what a save leaves on the
// device, the checks, the panels each mode shows, the scans and the countries' rules.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>

#include <cstring>

#include "BasicWirelessPage.h"
#include "FormCheck.h"
#include "MacAddressEdit.h"
#include "MacClonePanel.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"
#include "SecurityPanel.h"
#include "SiteSurveyPanel.h"
#include "WdsPeerPanel.h"

using trb::BasicWirelessPage;
using namespace trb::test;

namespace {

constexpr uint32_t kAllGroups = AP_WL_GROUP_ALL;

class BasicWirelessPageTest : public PageTest {
protected:
    explicit BasicWirelessPageTest(std::vector<std::string> args = {"--reboot-seconds", "1"})
        : PageTest(std::move(args)) {}

    BasicWirelessPage *OpenPage()
    {
        auto *page = new BasicWirelessPage;
        page->resize(620, 710);
        page->show();
        EXPECT_TRUE(WaitFor([page] { return !page->refreshing() && page->controls().mode->currentIndex() >= 0; }));
        return page;
    }

    static void ChooseMode(BasicWirelessPage *page, const QString &mode)
    {
        QComboBox *combo = page->controls().mode;
        combo->setCurrentIndex(combo->findText(mode));
        emit combo->activated(combo->currentIndex());
    }

    void SaveAndSettle(BasicWirelessPage *page)
    {
        const QString before = page->statusText();
        page->controls().save->click();
        WaitFor([&] { return page->statusText() != before; }, 2000);
    }

    // The band-1 values a fresh handle reads.
    struct Device {
        int mode = -1, channel = 0, autoChannel = 0, width = 0, visible = 0, type = 0;
        QString ssid, peers;
        apSecurityBlock block{};
    };
    Device ReadDevice()
    {
        Device d;
        EXPECT_EQ(ReadWireless(kAllGroups, [&](APHANDLE h) {
                      char text[AP_WL_TEXT_SIZE] = {};
                      int length = 0, count = 0;
                      apWirelessGetApMode(h, 1, 0, &d.mode, nullptr);
                      apWirelessGetChannel(h, 1, 0, &d.channel, &d.autoChannel, &d.width);
                      apWirelessGetSSID(h, 1, 0, text, &length, &d.visible);
                      d.ssid = text;
                      apWirelessGetWDSList(h, 1, 0, &count, text);
                      d.peers = text;
                      apSecurityRecord record{0, 0, &d.block};
                      apWirelessGetSecurity(h, 1, 0, &d.type, &record);
                  }),
                  0);
        return d;
    }

    void SetDevice(const std::function<int(APHANDLE)> &stage) { ASSERT_EQ(WriteWireless(kAllGroups, stage), 0); }
};

TEST_F(BasicWirelessPageTest, ShowsTheBandsSettingsAfterTheRead)
{
    SetDevice([](APHANDLE h) {
        apWepSection open{};
        open.keyType = 1;
        open.keySize = 64;
        open.keyIndex = 1;
        apSecurityRecord record{0, 1, &open};
        return apWirelessSetSSID(h, 1, 0, "lab-ap", 6, 0) || apWirelessSetChannel(h, 1, 0, 11, 0, 1)
               || apWirelessSetSecurity(h, 1, 0, 1, &record);
    });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Basic \\ Wireless");
    EXPECT_EQ(c.band->currentText(), "2.4GHz");
    EXPECT_EQ(c.mode->currentText(), "Access Point");
    EXPECT_EQ(c.ssid->text(), "lab-ap");
    EXPECT_EQ(c.visibility->currentText(), "Disable");
    EXPECT_EQ(c.autoChannel->currentText(), "Disable");
    EXPECT_EQ(c.channel->currentText(), "11");
    EXPECT_TRUE(c.channel->isEnabled());
    EXPECT_EQ(c.width->currentText(), "20MHz");
    EXPECT_EQ(c.security->controls().authentication->currentText(), "Open System");
    EXPECT_TRUE(c.wds->isHidden());
    EXPECT_TRUE(c.survey->isHidden());
    EXPECT_TRUE(c.macClone->isHidden());
    EXPECT_TRUE(c.application->isHidden()); // not a Japanese device
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
}

// The administrator's round: WDS with AP, two peers, WPA2 with AES and a pass-phrase.
TEST_F(BasicWirelessPageTest, WdsWithWpa2ReachesTheDeviceAndTheModeTextFollows)
{
    PageHolder page(OpenPage());
    QStringList modeTexts;
    QObject::connect(page.get(), &BasicWirelessPage::modeTextsChosen,
                     [&](const QString &a, const QString &b) { modeTexts = {a, b}; });
    const auto &c = page->controls();
    ChooseMode(page.get(), "WDS with AP");
    EXPECT_FALSE(c.wds->isHidden());
    EXPECT_FALSE(c.survey->isHidden());
    EXPECT_FALSE(c.autoChannel->isEnabled());
    c.wds->peers()[0]->setText("00:1A:2B:3C:4D:5E");
    c.wds->peers()[2]->setText("02:AA:BB:CC:DD:01");
    const auto &s = c.security->controls();
    s.authentication->setCurrentText("WPA-Personal");
    s.personalWpa.mode->setCurrentText("WPA2 only");
    s.personalWpa.cipher->setCurrentText("AES");
    s.passphrase->setText("a good passphrase");
    s.confirmPassphrase->setText("a good passphrase");
    SaveAndSettle(page.get());
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();
    const Device d = ReadDevice();
    EXPECT_EQ(d.mode, 1);
    EXPECT_EQ(d.peers, "001A2B3C4D5E 000000000000 02AABBCCDD01 000000000000");
    EXPECT_EQ(d.type, 4);
    EXPECT_EQ(d.block.personal.wpaMode, 1u);
    EXPECT_EQ(d.block.personal.cipher, 2u);
    EXPECT_STREQ(d.block.personal.passphrase, "a good passphrase");
    EXPECT_EQ(d.autoChannel, 0);
    EXPECT_EQ(modeTexts, (QStringList{"", ""}));
    // The pass-phrase is a secret: the read community does not get it, the page does.
    EXPECT_EQ(SnmpGet("trbServicePassphrase.1.0").find("a good passphrase"), std::string::npos);
    PageHolder again(OpenPage());
    EXPECT_EQ(again->controls().security->controls().passphrase->text(), "a good passphrase");

    // Save And Active keeps all of it over a restart.
    const APHANDLE commands = apSysCommandObjOpen(session, 0);
    ASSERT_EQ(apSysCommand(commands, 2, 3000), 0);
    ASSERT_EQ(apSnmpSendSetRequest(commands, nullptr, nullptr, AP_MODE_BLOCKING, 0), 0);
    apHandleClose(commands);
    ASSERT_TRUE(simulator->restart());
    ASSERT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    const Device restarted = ReadDevice();
    EXPECT_EQ(restarted.mode, 1);
    EXPECT_EQ(restarted.peers, d.peers);
    EXPECT_STREQ(restarted.block.personal.passphrase, "a good passphrase");
}

TEST_F(BasicWirelessPageTest, ADeviceThatStopsAnsweringLeavesThePageUsable)
{
    PageHolder page(OpenPage());
    simulator->stop();
    page->controls().ssid->setText("unheard");
    page->controls().save->click();
    EXPECT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 15000))
        << page->statusText().toStdString();
    EXPECT_TRUE(page->isEnabled());
    EXPECT_TRUE(mainWindow->isEnabled());
    EXPECT_EQ(page->controls().ssid->text(), "unheard");
}

TEST_F(BasicWirelessPageTest, BadEntriesAreRefusedWithTheirMessageAndNothingIsWritten)
{
    struct Case {
        const char *name;
        std::function<void(BasicWirelessPage *)> edit;
        const char *message;
    } cases[] = {
        {"blank SSID", [](auto *p) { p->controls().ssid->setText(""); }, "The filed can not be blank"},
        {"SSID with a leading blank", [](auto *p) { p->controls().ssid->setText(" lab"); },
         "The first character and last character can't be blank."},
        {"SSID beyond ASCII", [](auto *p) { p->controls().ssid->setText(QString::fromUtf8("caf\xc3\xa9")); },
         "There are some invalid characters !"},
        {"WDS without peers", [](auto *p) { ChooseMode(p, "WDS"); }, "Please input Mac Address!"},
        {"WDS with a multicast peer",
         [](auto *p) {
             ChooseMode(p, "WDS");
             p->controls().wds->peers()[1]->setText("01:00:5E:00:00:01");
         },
         "Invalid Mac Address!"},
        {"WDS with the same peer twice",
         [](auto *p) {
             ChooseMode(p, "WDS");
             p->controls().wds->peers()[0]->setText("00:11:22:33:44:55");
             p->controls().wds->peers()[3]->setText("00:11:22:33:44:55");
         },
         "The same MAC address has been added!"},
        {"client cloning a bad MAC",
         [](auto *p) {
             ChooseMode(p, "Wireless Client");
             const auto &m = p->controls().macClone->controls();
             m.enable->setChecked(true);
             m.source->setCurrentIndex(1);
             m.mac->setText("000000000000");
         },
         "Invalid Mac Address!"},
    };
    const Device before = ReadDevice();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.name);
        PageHolder page(OpenPage());
        messages->clear();
        tc.edit(page.get());
        page->controls().save->click();
        EXPECT_EQ(messages->texts(), QStringList{QString::fromLatin1(tc.message)});
    }
    const Device after = ReadDevice();
    EXPECT_EQ(after.mode, before.mode);
    EXPECT_EQ(after.ssid, before.ssid);
    EXPECT_EQ(after.peers, before.peers);
}

TEST_F(BasicWirelessPageTest, EachModeShowsItsPanelsAndChannelRules)
{
    struct Case {
        const char *mode;
        bool wds, survey, clone, autoEnabled, visibilityEnabled;
    } cases[] = {
        {"Access Point", false, false, false, true, true},
        {"WDS with AP", true, true, false, false, true},
        {"WDS", true, true, false, false, true},
        {"Wireless Client", false, true, true, false, false},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.mode);
        ChooseMode(page.get(), tc.mode);
        EXPECT_EQ(!c.wds->isHidden(), tc.wds);
        EXPECT_EQ(!c.survey->isHidden(), tc.survey);
        EXPECT_EQ(!c.macClone->isHidden(), tc.clone);
        EXPECT_EQ(c.autoChannel->isEnabled(), tc.autoEnabled);
        EXPECT_EQ(c.visibility->isEnabled(), tc.visibilityEnabled);
        EXPECT_EQ(c.survey->scanButton()->isEnabled(), tc.survey);
    }
    // A client takes its width from the access point it joins.
    EXPECT_EQ(c.width->currentText(), "Auto 20/40MHz");
    EXPECT_FALSE(c.width->isEnabled());
}

TEST_F(BasicWirelessPageTest, ChannelAndSecurityForceTwentyMegahertz)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &s = c.security->controls();
    c.autoChannel->setCurrentIndex(1);
    emit c.autoChannel->activated(1);
    s.authentication->setCurrentText("WPA-Personal");
    s.personalWpa.cipher->setCurrentText("AES");
    emit s.personalWpa.cipher->activated(1);
    EXPECT_TRUE(c.width->isEnabled());
    s.personalWpa.cipher->setCurrentText("TKIP");
    emit s.personalWpa.cipher->activated(2);
    EXPECT_EQ(c.width->currentText(), "20MHz");
    EXPECT_FALSE(c.width->isEnabled());
    s.authentication->setCurrentText("Open System");
    EXPECT_TRUE(c.width->isEnabled());
    s.authentication->setCurrentText("802.1x");
    EXPECT_FALSE(c.width->isEnabled());
}

TEST_F(BasicWirelessPageTest, Channel165KeepsTwentyMegahertzWhateverTheCipher)
{
    SetDevice([](APHANDLE h) {
        apWpaPersonalSection wpa{};
        wpa.wpaMode = 1;
        wpa.cipher = 2;
        wpa.groupKeyInterval = 1800;
        std::strcpy(wpa.passphrase, "long enough");
        apSecurityRecord record{0, 4, &wpa};
        return apWirelessSetCurBand(h, 2) || apWirelessSetChannel(h, 2, 0, 165, 0, 2)
               || apWirelessSetSecurity(h, 2, 0, 4, &record);
    });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(c.band->currentText(), "5GHz");
    EXPECT_EQ(c.channel->currentText(), "165");
    EXPECT_EQ(c.width->currentText(), "20MHz");
    EXPECT_FALSE(c.width->isEnabled());
}

TEST_F(BasicWirelessPageTest, ASurveyFillsTheListAndADoubleClickAddsAPeer)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ChooseMode(page.get(), "WDS");
    page->Scan(0);
    ASSERT_TRUE(WaitFor([&] { return c.survey->list()->rowCount() > 0; }));
    EXPECT_EQ(page->waitDialog(), nullptr);
    const auto first = c.survey->neighbour(0);
    EXPECT_EQ(first.bssid.size(), 12);
    EXPECT_TRUE(c.survey->list()->cellText(0, 1).endsWith('%'));
    emit c.survey->neighbourChosen(0);
    QString peers;
    ASSERT_TRUE(c.wds->Collect(peers, true));
    EXPECT_TRUE(peers.startsWith(first.bssid)) << peers.toStdString();
    // All four slots taken: a further choice changes nothing.
    for (int i = 1; i < 4; ++i)
        c.wds->peers()[i]->setText(QStringLiteral("02:00:00:00:00:0%1").arg(i));
    QString full;
    c.wds->Collect(full, true);
    emit c.survey->neighbourChosen(1);
    QString after;
    c.wds->Collect(after, true);
    EXPECT_EQ(after, full);
}

// The additional SSIDs are those of the band the radio serves, 5 GHz included.
TEST_F(BasicWirelessPageTest, EnterpriseAdditionalSsidsAreResetForWdsWithAp)
{
    for (const int band : {1, 2}) {
        SCOPED_TRACE(band == 1 ? "2.4 GHz" : "5 GHz");
        SetDevice([band](APHANDLE h) {
            apSecurityBlock block{};
            block.enterprise.wpaMode = 1;
            block.enterprise.cipher = 2;
            block.enterprise.keyInterval = 3600;
            std::strcpy(block.enterprise.radiusServer, "10.0.0.9");
            block.enterprise.radiusPort = 1812;
            std::strcpy(block.enterprise.radiusSecret, "shh");
            apSecurityRecord record{0, 5, &block.enterprise};
            return apWirelessSetCurBand(h, band) || apWirelessSetApMode(h, band, 0, 0)
                   || apWirelessSetMultiSSID(h, band, 1, 0, 0) || apWirelessSetMssIndividualState(h, band, 2, 1)
                   || apWirelessSetSecurity(h, band, 2, 5, &record);
        });
        PageHolder page(OpenPage());
        ASSERT_EQ(page->controls().band->currentIndex(), band - 1);
        messages->clear();
        ChooseMode(page.get(), "WDS with AP");
        EXPECT_EQ(messages->texts(), QStringList{"WPA-Enterprise and 802.1x in multi-ssid rules would set to Open "
                                                 "System with Encryption disabled if mode is WDS with AP!"});
        messages->clear();
        page->controls().wds->peers()[0]->setText("00:1A:2B:3C:4D:5E");
        SaveAndSettle(page.get());
        int type = 0;
        ReadWireless(kAllGroups, [&](APHANDLE h) { apWirelessGetSecurity(h, band, 2, &type, nullptr); });
        EXPECT_EQ(type, 1);
    }
}

// A site survey and the MAC-clone scan started before the survey answers: each table is read
// with its own record, and the second scan is refused or waits for the first.
TEST_F(BasicWirelessPageTest, OverlappingScansReadEachTableWithItsOwnRecord)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ChooseMode(page.get(), "Wireless Client");
    page->Scan(1);
    page->Scan(2);
    ASSERT_TRUE(WaitFor([&] { return c.survey->list()->rowCount() > 0; }));
    const QRegularExpression mac(QStringLiteral("^[0-9A-Fa-f]{12}$"));
    for (int row = 0; row < c.survey->list()->rowCount(); ++row) {
        EXPECT_TRUE(mac.match(c.survey->neighbour(row).bssid).hasMatch()) << row;
        EXPECT_FALSE(c.survey->neighbour(row).ssid.isEmpty()) << row;
    }
    Spin(300);
    const trb::RecordListCtrl *clients = c.macClone->controls().list;
    for (int row = 0; row < clients->rowCount(); ++row)
        EXPECT_TRUE(mac.match(clients->cellText(row, 1)).hasMatch()) << clients->cellText(row, 1).toStdString();
    EXPECT_TRUE(clients->rowCount() > 0 || page->statusText() == trb::SettingsPage::kScanRunningText)
        << page->statusText().toStdString();
}

// A staging call the library refuses ("Periodical Key Change" without its interval sends 0
// hours): nothing of the save reaches the device, the refusal stands in the status bar.
TEST_F(BasicWirelessPageTest, ARefusedStagingCallSendsNothing)
{
    SetDevice([](APHANDLE h) {
        apWpaPersonalSection wpa{};
        wpa.wpaMode = 1;
        wpa.cipher = 2;
        wpa.groupKeyInterval = 1800;
        std::strcpy(wpa.passphrase, "long enough");
        apSecurityRecord record{0, 4, &wpa};
        return apWirelessSetSSID(h, 1, 0, "kept-name", 9, 1) || apWirelessSetSecurity(h, 1, 0, 4, &record);
    });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    const auto &s = c.security->controls();
    ASSERT_EQ(s.authentication->currentText(), "WPA-Personal");
    c.ssid->setText("refused-name");
    s.periodical->setChecked(true);
    s.timeInterval->clear();
    messages->clear();
    c.save->click();
    EXPECT_EQ(page->statusText(), "Invalid argument");
    Spin(300);
    EXPECT_EQ(page->statusText(), "Invalid argument");
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString(); // no new-key notice
    const Device d = ReadDevice();
    EXPECT_EQ(d.ssid, "kept-name");
    EXPECT_EQ(d.block.personal.periodicalKeyChange, 0u);
}

// Secrets the device cannot store as typed are refused in the form check, never sent altered.
TEST_F(BasicWirelessPageTest, SecretsTheDeviceCannotStoreAreRefused)
{
    const QString euro = QString::fromUtf8("\u20ac");
    struct Case {
        const char *method;
        std::function<QLineEdit *(const trb::SecurityPanel::Controls &)> secret;
        QString text;
    } cases[] = {
        {"WPA-Personal", [](auto &s) { return s.passphrase; }, "pass" + euro + "phrase"},
        {"WPA-Personal", [](auto &s) { return s.passphrase; }, QString::fromUtf8("pass\u00e9phrase")},
        {"Open System", [](auto &s) { return s.networkKey; }, "abc" + euro + "d"},
        {"WPA-Enterprise", [](auto &s) { return s.enterpriseRadius.secret; }, "s" + euro + "cret"},
        {"802.1x", [](auto &s) { return s.dot1xRadius.secret; }, QString::fromUtf8("s\u00e9cret")},
    };
    const Device before = ReadDevice();
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.method);
        PageHolder page(OpenPage());
        const auto &s = page->controls().security->controls();
        s.authentication->setCurrentText(tc.method);
        s.wepEnable->setChecked(true);
        QLineEdit *secret = tc.secret(s);
        QLineEdit *confirm = secret == s.passphrase ? s.confirmPassphrase : secret == s.networkKey ? s.confirmKey : nullptr;
        for (QLineEdit *edit : {secret, confirm})
            if (edit)
                edit->setText(tc.text);
        messages->clear();
        page->controls().save->click();
        ASSERT_EQ(messages->texts(), QStringList{QString::fromLatin1(trb::kDeviceTextMessage)});
        EXPECT_EQ(messages->last().title, "TRB-4820");
        EXPECT_EQ(messages->last().icon, trb::MessageIcon::Exclamation);
        EXPECT_EQ(page->focusWidget(), secret);
        EXPECT_EQ(secret->text(), tc.text); // left as typed
    }
    Spin(200);
    const Device after = ReadDevice();
    EXPECT_EQ(after.type, before.type);
    EXPECT_EQ(std::memcmp(&after.block, &before.block, sizeof after.block), 0);
}

class EgyptWirelessTest : public BasicWirelessPageTest {
protected:
    EgyptWirelessTest() : BasicWirelessPageTest({"--reboot-seconds", "1", "--country", "EG"}) {}
};

TEST_F(EgyptWirelessTest, WdsOffersNoChannel)
{
    PageHolder page(OpenPage());
    EXPECT_GT(page->controls().channel->count(), 0);
    ChooseMode(page.get(), "WDS");
    EXPECT_EQ(page->controls().channel->count(), 0);
}

class JapanWirelessTest : public BasicWirelessPageTest {
protected:
    JapanWirelessTest() : BasicWirelessPageTest({"--reboot-seconds", "1", "--country", "JP"}) {}
};

TEST_F(JapanWirelessTest, TheOutdoorClassOffersNoWds)
{
    SetDevice([](APHANDLE h) { return apWirelessSetCurBand(h, 2) || apWirelessSetApplication(h, 2, 1, 0); });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.application->isHidden());
    EXPECT_EQ(c.application->currentText(), "Concurrent 11a/n on W56 for outdoor");
    ASSERT_EQ(c.mode->count(), 2);
    EXPECT_EQ(c.mode->itemText(0), "Access Point");
    EXPECT_EQ(c.mode->itemText(1), "Wireless Client");
    c.application->setCurrentIndex(0);
    emit c.application->activated(0);
    EXPECT_EQ(c.mode->count(), 4);
}

} // namespace
