// Advanced > Multi-SSID: the list and key rules on their own, then the page against the simulator.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cstring>
#include <string>

#include "MultiSsidPage.h"
#include "PageMessages.h"
#include "PageTestSupport.h"
#include "RecordListCtrl.h"
#include "SecurityPanel.h"

using trb::MessageAnswer;
using trb::MultiSsidPage;
using namespace trb::test;

namespace {

constexpr uint32_t kGroups = 0x3987;
const QString kNotice = "If you enable Multi-SSID, AP Mode will be set to \"Access Point\"!";
const QString kNewKey = "Please check the Log or E-mail for new security key.";

apSecurityBlock WepBlock(uint32_t encryption, uint32_t keyIndex, const char *key)
{
    apSecurityBlock block{};
    block.wep.encryption = encryption;
    block.wep.keyType = 1;
    block.wep.keySize = 64;
    block.wep.keyIndex = keyIndex;
    std::strcpy(block.wep.key, key);
    return block;
}

TEST(MultiSsidRows, EncryptionKeyAndPeriodicalFlagFollowTheSecurityRead)
{
    apSecurityBlock periodical{};
    periodical.personal.periodicalKeyChange = 1;
    struct Case {
        const char *what;
        int index, code, type;
        apSecurityBlock block;
        int shownCode, keyIndex;
        bool periodicalKey;
    } cases[] = {
        {"open system, WEP off: None", 1, 1, 1, WepBlock(0, 2, "abcde"), 0, 0, false},
        {"open system, WEP on", 1, 1, 1, WepBlock(1, 2, "abcde"), 1, 2, false},
        {"shared key, WEP off reported", 2, 2, 2, WepBlock(0, 3, "abcde"), 0, 0, false},
        {"WPA2-Personal keeps its code", 1, 6, 4, WepBlock(0, 1, ""), 6, 0, false},
        {"WPA with a WEP key left over", 3, 8, 4, WepBlock(1, 4, "abcde"), 8, 0, false},
        {"periodical key on SSID 2", 2, 6, 4, periodical, 6, 0, true},
        {"periodical key on the primary SSID", 0, 6, 4, periodical, 6, 0, false},
        {"802.1x", 1, 10, 6, WepBlock(0, 1, ""), 10, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const auto row = MultiSsidPage::RowFromSecurity(c.index, "name", 1, c.code, c.type, c.block);
        EXPECT_EQ(row.code, c.shownCode);
        EXPECT_EQ(row.keyIndex, c.keyIndex);
        EXPECT_EQ(row.periodicalKey, c.periodicalKey);
        EXPECT_EQ(row.key, QString(c.block.wep.key));
    }
}

TEST(MultiSsidRows, KeyInUseOnlyWhenAnotherSsidUsesTheIndexAndTheKeyChanges)
{
    std::vector<MultiSsidPage::SsidRow> rows(3);
    rows[0] = {0, "main", 1, 1, 1, "aaaaa", false};
    rows[1] = {1, "guest", 1, 1, 2, "bbbbb", false};
    rows[2] = {2, "lobby", 1, 0, 0, "ccccc", false};
    struct Case {
        int edited, keyIndex;
        const char *key;
        bool warn;
    } cases[] = {
        {2, 1, "zzzzz", true},  // SSID 0 uses key 1
        {2, 2, "zzzzz", true},  // SSID 1 uses key 2
        {2, 3, "zzzzz", false}, // nobody uses key 3
        {2, 1, "ccccc", false}, // the key stays as it was
        {1, 2, "zzzzz", false}, // its own key index is no other SSID's
        {3, 1, "", false},      // not in service yet, empty key: nothing changes
        {3, 1, "qqqqq", true},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MultiSsidPage::KeyUsedElsewhere(rows, c.edited, c.keyIndex, c.key), c.warn)
            << c.edited << " " << c.keyIndex << " " << c.key;
}

class MultiSsidPageTest : public PageTest {
protected:
    struct DeviceSsid {
        std::string name;
        int visible = 0, state = 0, wmm = 0, priority = 0, type = 0, code = 0;
        apSecurityBlock block{};
    };

    MultiSsidPage *OpenPage()
    {
        auto *page = new MultiSsidPage;
        page->resize(560, 710);
        page->show();
        EXPECT_TRUE(WaitFor([&] { return page->controls().list->rowCount() > 0 && !page->refreshing(); }));
        return page;
    }

    static bool Busy(MultiSsidPage *page) { return page->SendAppMessage(trb::WM_APP_QUERY_BUSY, 0, 0) != 0; }

    // Runs `act` and waits until its write and the read after it have completed.
    void Settle(MultiSsidPage *page, const std::function<void()> &act)
    {
        page->ShowMessage(QString());
        act();
        EXPECT_TRUE(WaitFor([&] { return !page->statusText().isEmpty() && !Busy(page); }, 5000));
    }

    DeviceSsid ReadSsid(int ssid)
    {
        DeviceSsid d;
        EXPECT_EQ(ReadWireless(kGroups, [&](APHANDLE h) {
                      char text[AP_WL_TEXT_SIZE] = {};
                      int length = 0;
                      apWirelessGetSSID(h, 1, ssid, text, &length, &d.visible);
                      d.name = text;
                      apWirelessGetMssIndividualState(h, 1, ssid, &d.state);
                      apWirelessGetMultiParamiter(h, 1, ssid, &d.wmm, &d.priority);
                      apSecurityRecord record{0, 0, &d.block};
                      d.code = apWirelessGetSecurity(h, 1, ssid, &d.type, &record);
                  }), 0);
        return d;
    }

    std::pair<int, int> DeviceFlags()
    {
        int enabled = -1, priority = -1;
        EXPECT_EQ(ReadWireless(kGroups, [&](APHANDLE h) { apWirelessGetMultiSSID(h, 1, &enabled, &priority, 0); }), 0);
        return {enabled, priority};
    }

    int DeviceApMode()
    {
        int mode = -1;
        EXPECT_EQ(ReadWireless(kGroups, [&](APHANDLE h) { apWirelessGetApMode(h, 1, 0, &mode, nullptr); }), 0);
        return mode;
    }

    // Puts an SSID in service with a name and the security `edit` makes of the block read.
    void SetSsid(int ssid, const char *name, int type, const std::function<void(apSecurityBlock &)> &edit)
    {
        ASSERT_EQ(WriteWireless(kGroups, [&](APHANDLE h) {
                      apSecurityBlock block{};
                      int stored = 0;
                      apSecurityRecord read{0, 0, &block};
                      apWirelessGetSecurity(h, 1, ssid, &stored, &read);
                      edit(block);
                      void *section = type == 4 ? static_cast<void *>(&block.personal)
                                      : type >= 5 ? static_cast<void *>(&block.enterprise)
                                                  : static_cast<void *>(&block.wep);
                      const apSecurityRecord record{0, uint32_t(type), section};
                      int code = apWirelessSetSSID(h, 1, ssid, name, int(std::strlen(name)), 1);
                      if (code == 0)
                          code = apWirelessSetSecurity(h, 1, ssid, type, &record);
                      return code == 0 ? apWirelessSetMssIndividualState(h, 1, ssid, 1) : code;
                  }), 0);
    }

    void SetFlags(int enabled, int priority)
    {
        const auto stage = [&](APHANDLE h) { return apWirelessSetMultiSSID(h, 1, enabled, priority, 0); };
        ASSERT_EQ(WriteWireless(kGroups, stage), 0);
    }

    void SetApMode(int mode)
    {
        ASSERT_EQ(WriteWireless(kGroups, [&](APHANDLE h) { return apWirelessSetApMode(h, 1, 0, mode); }), 0);
    }

    static void ChooseIndex(MultiSsidPage *page, int index)
    {
        page->controls().index->setCurrentIndex(index);
        emit page->controls().index->activated(index);
    }

    static QStringList RowTexts(const MultiSsidPage *page, int row)
    {
        QStringList texts;
        for (int column = 0; column < 4; ++column)
            texts << page->controls().list->cellText(row, column);
        return texts;
    }

    static int RowOf(const MultiSsidPage *page, const QString &indexText)
    {
        for (int row = 0; row < page->controls().list->rowCount(); ++row)
            if (page->controls().list->cellText(row, 0) == indexText)
                return row;
        return -1;
    }

    static void SetPassphrase(MultiSsidPage *page, const QString &phrase)
    {
        page->controls().securityPanel->controls().passphrase->setText(phrase);
        page->controls().securityPanel->controls().confirmPassphrase->setText(phrase);
    }
};

TEST_F(MultiSsidPageTest, ListsTheSsidsInServiceWithTheirEncryption)
{
    SetSsid(1, "Guest", 1, [](apSecurityBlock &b) { b.wep.encryption = 0; });
    SetSsid(2, "Staff", 4, [](apSecurityBlock &b) { b.personal.wpaMode = 1; });
    SetSsid(3, "Legacy", 1, [](apSecurityBlock &b) { b = WepBlock(1, 2, "abcde"); });
    SetSsid(5, "Radius", 5, [](apSecurityBlock &b) {
        b.enterprise.wpaMode = 0;
        std::strcpy(b.enterprise.radiusServer, "10.0.0.9");
        std::strcpy(b.enterprise.radiusSecret, "s3cret");
    });
    const std::string primary = ReadSsid(0).name;
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_EQ(page->windowTitle(), "Andvanced \\ Multi-SSID");
    const QList<QStringList> expected = {
        {"Primary SSID", QString::fromStdString(primary), "2.4GHz", "WPA2-Personal"},
        {"Multi-SSID 1", "Guest", "2.4GHz", "None"},
        {"Multi-SSID 2", "Staff", "2.4GHz", "WPA2-Personal"},
        {"Multi-SSID 3", "Legacy", "2.4GHz", "Open System"},
        {"Multi-SSID 5", "Radius", "2.4GHz", "WPA2-Auto-Enterprise"},
    };
    ASSERT_EQ(c.list->rowCount(), expected.size());
    for (int row = 0; row < expected.size(); ++row) {
        EXPECT_EQ(RowTexts(page.get(), row), expected[row]) << row;
        for (int column : {4, 5}) {
            const bool icon = !c.list->model()->index(row, column).data(Qt::DecorationRole).isNull();
            EXPECT_EQ(icon, row > 0) << row << " " << column;
        }
    }
    // The primary SSID is loaded first; its name, security and WMM are not this page's.
    EXPECT_EQ(c.index->currentText(), "Primary SSID");
    EXPECT_EQ(c.ssid->text(), QString::fromStdString(primary));
    EXPECT_FALSE(c.band->isEnabled());
    EXPECT_FALSE(c.multiSsid->isChecked());
    EXPECT_FALSE(c.ssid->isEnabled());
    EXPECT_FALSE(c.add->isEnabled());
    EXPECT_TRUE(c.securityPanel->isHidden());
    EXPECT_EQ(messages->count(), 0);
}

TEST_F(MultiSsidPageTest, EditLoadsTheSsidOfTheRow)
{
    SetFlags(1, 0);
    SetSsid(2, "Staff", 4, [](apSecurityBlock &b) { std::strcpy(b.personal.passphrase, "staff-only-42"); });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    emit c.list->cellClicked(4, RowOf(page.get(), "Multi-SSID 2"));
    EXPECT_EQ(c.index->currentText(), "SSID 2");
    EXPECT_EQ(c.ssid->text(), "Staff");
    EXPECT_EQ(c.security->currentText(), "WPA-Personal");
    EXPECT_EQ(c.securityPanel->controls().passphrase->text(), "staff-only-42");
    EXPECT_TRUE(c.ssid->isEnabled());
    EXPECT_FALSE(c.priority->isEnabled()); // priorities are off
    EXPECT_FALSE(c.securityPanel->isHidden());
    EXPECT_TRUE(c.securityPanel->isEnabled());
}

TEST_F(MultiSsidPageTest, AddWritesTheSsidWithItsSecurityAndTheSwitches)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.multiSsid->click();
    c.priorityEnabled->click();
    ChooseIndex(page.get(), 2);
    c.ssid->setText("Lobby");
    c.visibility->setCurrentIndex(0);
    c.security->setCurrentIndex(c.security->findText("WPA-Personal"));
    c.priority->setCurrentIndex(4);
    c.wmm->setCurrentIndex(1);
    const auto &s = c.securityPanel->controls();
    s.personalWpa.mode->setCurrentIndex(s.personalWpa.mode->findText("WPA2 only"));
    s.personalWpa.cipher->setCurrentIndex(s.personalWpa.cipher->findText("AES"));
    SetPassphrase(page.get(), "open-sesame-42");
    Settle(page.get(), [&] { c.add->click(); });
    EXPECT_EQ(messages->count(), 0) << messages->texts().join("|").toStdString();

    const DeviceSsid d = ReadSsid(2);
    EXPECT_EQ(d.name, "Lobby");
    EXPECT_EQ(d.state, 1);
    EXPECT_EQ(d.visible, 0);
    EXPECT_EQ(d.priority, 4);
    EXPECT_EQ(d.wmm, 1);
    EXPECT_EQ(d.type, 4);
    EXPECT_EQ(d.block.personal.wpaMode, 1u);
    EXPECT_EQ(d.block.personal.cipher, 2u);
    EXPECT_STREQ(d.block.personal.passphrase, "open-sesame-42");
    EXPECT_EQ(DeviceFlags(), std::make_pair(1, 1));
    const int row = RowOf(page.get(), "Multi-SSID 2");
    ASSERT_GE(row, 0);
    EXPECT_EQ(RowTexts(page.get(), row), (QStringList{"Multi-SSID 2", "Lobby", "2.4GHz", "WPA2-Personal"}));
}

TEST_F(MultiSsidPageTest, AddOnThePrimarySsidWritesOnlyPriorityAndWmm)
{
    SetFlags(1, 1);
    const DeviceSsid before = ReadSsid(0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ASSERT_TRUE(c.priority->isEnabled());
    c.ssid->setText("Renamed");
    c.security->setCurrentIndex(0);
    c.priority->setCurrentIndex(6);
    c.wmm->setCurrentIndex(1);
    Settle(page.get(), [&] { c.add->click(); });
    const DeviceSsid after = ReadSsid(0);
    EXPECT_EQ(after.priority, 6);
    EXPECT_EQ(after.wmm, 1);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.type, before.type);
    EXPECT_EQ(std::memcmp(&after.block, &before.block, sizeof before.block), 0);
    for (int ssid = 1; ssid <= 7; ++ssid)
        EXPECT_EQ(ReadSsid(ssid).state, 0) << ssid;
}

TEST_F(MultiSsidPageTest, DeleteTakesOutExactlyThatSsidOnlyAfterOk)
{
    SetFlags(1, 0);
    SetSsid(1, "Guest", 1, [](apSecurityBlock &) {});
    SetSsid(2, "Staff", 1, [](apSecurityBlock &) {});
    PageHolder page(OpenPage());
    const auto &c = page->controls();

    emit c.list->cellClicked(5, 0); // the primary SSID cannot be deleted
    EXPECT_EQ(messages->count(), 0);

    struct Case {
        MessageAnswer answer;
        int state1, state2;
    } cases[] = {{MessageAnswer::Cancel, 1, 1}, {MessageAnswer::Ok, 1, 0}};
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.answer == MessageAnswer::Ok ? "OK" : "Cancel");
        messages->clear();
        messages->queueAnswer(tc.answer);
        const int row = RowOf(page.get(), "Multi-SSID 2");
        ASSERT_GE(row, 0);
        if (tc.answer == MessageAnswer::Ok)
            Settle(page.get(), [&] { emit c.list->cellClicked(5, row); });
        else
            emit c.list->cellClicked(5, row);
        EXPECT_EQ(messages->texts(), QStringList{"Do you want to delete this item ?"});
        EXPECT_EQ(ReadSsid(1).state, tc.state1);
        EXPECT_EQ(ReadSsid(2).state, tc.state2);
    }
    EXPECT_EQ(RowOf(page.get(), "Multi-SSID 2"), -1);
    EXPECT_GE(RowOf(page.get(), "Multi-SSID 1"), 0);
}

TEST_F(MultiSsidPageTest, WdsModeGivesTheNoticeOnceAndAddWritesAccessPoint)
{
    SetApMode(2);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    EXPECT_FALSE(c.multiSsid->isChecked()); // the device switched it off with WDS
    c.multiSsid->click();
    EXPECT_EQ(messages->texts(), QStringList{kNotice});
    c.multiSsid->click();
    c.multiSsid->click();
    ChooseIndex(page.get(), 1); // another SSID loaded keeps "Access Point"
    EXPECT_EQ(messages->count(), 1);
    EXPECT_EQ(c.security->count(), 4); // the methods of an access point
    c.ssid->setText("Hall");
    c.security->setCurrentIndex(0);
    Settle(page.get(), [&] { c.add->click(); });
    EXPECT_EQ(messages->count(), 1) << messages->texts().join("|").toStdString();
    EXPECT_EQ(DeviceApMode(), 0);
    EXPECT_EQ(DeviceFlags().first, 1);
    EXPECT_EQ(ReadSsid(1).state, 1);
    EXPECT_EQ(ReadSsid(1).name, "Hall");
}

TEST_F(MultiSsidPageTest, SaveAfterTheNoticeAlsoLeavesWds)
{
    SetApMode(2);
    PageHolder page(OpenPage());
    page->controls().multiSsid->click();
    Settle(page.get(), [&] { page->controls().save->click(); });
    EXPECT_EQ(DeviceApMode(), 0);
    EXPECT_EQ(DeviceFlags().first, 1);
}

TEST_F(MultiSsidPageTest, SecurityMethodsFollowTheApModeAndTheRadio)
{
    const struct {
        int apMode;
        uint32_t wirelessMode;
        QStringList methods;
    } cases[] = {
        {0, 6, {"Open System", "WPA-Personal", "WPA-Enterprise", "802.1x"}},
        {0, 2, {"Open System", "WPA-Personal", "WPA-Enterprise"}}, // 802.11n only
        {1, 6, {"Open System", "WPA-Personal"}},
        {3, 6, {"Open System", "WPA-Personal", "WPA-Enterprise", "802.1x"}},
    };
    for (const auto &tc : cases) {
        SCOPED_TRACE(tc.apMode * 10 + int(tc.wirelessMode));
        SetApMode(tc.apMode);
        ASSERT_EQ(WriteWireless(AP_WL_GROUP_RADIO | AP_WL_GROUP_PERFORMANCE, [&](APHANDLE h) {
                      apPerformanceRecord record{};
                      apWirelessGetPerformance(h, 1, 0, &record);
                      record.wirelessMode = tc.wirelessMode;
                      return apWirelessSetPerformance(h, 1, 0, &record);
                  }), 0);
        PageHolder page(OpenPage());
        QStringList methods;
        for (int i = 0; i < page->controls().security->count(); ++i)
            methods << page->controls().security->itemText(i);
        EXPECT_EQ(methods, tc.methods);
    }
}

TEST_F(MultiSsidPageTest, AKeyAnotherSsidUsesIsWarnedAboutAndStillWritten)
{
    SetFlags(1, 0);
    SetSsid(1, "Guest", 1, [](apSecurityBlock &b) { b = WepBlock(1, 1, "abcde"); });
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ChooseIndex(page.get(), 2);
    c.ssid->setText("Lobby");
    c.security->setCurrentIndex(0);
    const auto &s = c.securityPanel->controls();
    s.wepEnable->setChecked(true);
    s.keyIndex->setCurrentIndex(0);
    s.networkKey->setText("zzzzz");
    s.confirmKey->setText("zzzzz");
    Settle(page.get(), [&] { c.add->click(); });
    EXPECT_EQ(messages->texts(),
              QStringList{"Key value is used by SSID!\r\nTo Change Key value affects other SSID settings."});
    const DeviceSsid d = ReadSsid(2);
    EXPECT_EQ(d.state, 1);
    EXPECT_EQ(d.block.wep.encryption, 1u);
    EXPECT_STREQ(d.block.wep.key, "zzzzz");
}

TEST_F(MultiSsidPageTest, BadSsidEntriesAreRefusedAndNothingIsWritten)
{
    const DeviceSsid before = ReadSsid(1);
    const struct {
        QString ssid;
        const char *message;
    } cases[] = {
        {"", "The filed can not be blank"},
        {"   ", "The filed can not be blank"},
        {" Lobby", "The first character and last character can't be blank."},
        {"Lobby ", "The first character and last character can't be blank."},
        {QString::fromUtf8("Caf\xC3\xA9"), "There are some invalid characters !"},
        {QString("Lob") + QChar(0x01) + "by", "There are some invalid characters !"},
    };
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.multiSsid->click();
    ChooseIndex(page.get(), 1);
    c.security->setCurrentIndex(0);
    for (const auto &tc : cases) {
        SCOPED_TRACE(tc.message);
        messages->clear();
        c.ssid->setText(tc.ssid);
        c.add->click();
        EXPECT_EQ(messages->texts(), QStringList{tc.message});
    }
    Spin(200);
    const DeviceSsid after = ReadSsid(1);
    EXPECT_EQ(after.state, before.state);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(DeviceFlags().first, 0);
}

TEST_F(MultiSsidPageTest, ARefusedSecurityStagesNothingForALaterWrite)
{
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    c.multiSsid->click();
    ChooseIndex(page.get(), 1);
    c.ssid->setText("Lobby");
    c.security->setCurrentIndex(c.security->findText("WPA-Personal"));
    const auto &s = c.securityPanel->controls();
    s.periodical->setChecked(true);
    s.timeInterval->clear(); // the device takes 1 to 168 hours only
    page->ShowMessage(QString());
    c.add->click();
    EXPECT_EQ(page->statusText(), "Invalid argument");
    EXPECT_EQ(messages->count(), 0);
    c.multiSsid->click(); // off: Save writes only the switches
    Settle(page.get(), [&] { c.save->click(); });
    EXPECT_EQ(ReadSsid(1).state, 0);
    EXPECT_NE(ReadSsid(1).name, "Lobby");
}

TEST_F(MultiSsidPageTest, AWriteNamesTheNewKeyOfAPeriodicalKeyChange)
{
    for (const bool periodical : {false, true}) {
        SCOPED_TRACE(periodical ? "periodical" : "manual");
        SetSsid(1, "Rotating", 4, [&](apSecurityBlock &b) {
            b.personal.apMode = 0;
            b.personal.periodicalKeyChange = periodical ? 1 : 0;
            b.personal.day = 1;
            std::strcpy(b.personal.time, "01:00");
            b.personal.intervalHours = 2;
        });
        PageHolder page(OpenPage());
        messages->clear();
        Settle(page.get(), [&] { page->controls().save->click(); });
        EXPECT_EQ(messages->texts(), periodical ? QStringList{kNewKey} : QStringList{});
    }
}

TEST_F(MultiSsidPageTest, AfterAWriteTheListIsWhatTheDeviceHolds)
{
    SetFlags(1, 0);
    PageHolder page(OpenPage());
    SetSsid(3, "Elsewhere", 1, [](apSecurityBlock &) {}); // another manager adds one meanwhile
    EXPECT_EQ(RowOf(page.get(), "Multi-SSID 3"), -1);
    Settle(page.get(), [&] { page->controls().save->click(); });
    EXPECT_GE(RowOf(page.get(), "Multi-SSID 3"), 0);
}

// After a failed read the switches show nothing of the device: Save sends nothing and leaves
// nothing staged for a later write (a delete after the next read sends only the delete).
TEST_F(MultiSsidPageTest, ASaveAfterAFailedReadLeavesMultiSsidOn)
{
    SetFlags(1, 0);
    SetSsid(1, "Guest", 1, [](apSecurityBlock &) {});
    SetSsid(2, "Staff", 1, [](apSecurityBlock &) {});
    ASSERT_EQ(apSnmpSetSession(session, 161, "wrong", "wrong", 20, simulator->address().c_str(), 0), 0);
    PageHolder page(new MultiSsidPage);
    page->resize(560, 710);
    page->show();
    ASSERT_TRUE(WaitFor([&] { return page->statusText().contains("timed out"); }, 5000))
        << page->statusText().toStdString();
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 50, simulator->address().c_str(), 1), 0);
    EXPECT_FALSE(page->controls().multiSsid->isChecked());
    page->controls().save->click();
    EXPECT_EQ(page->statusText(), trb::SettingsPage::kNotReadText);
    Spin(300);
    EXPECT_EQ(DeviceFlags().first, 1);

    page->hide();
    page->show();
    ASSERT_TRUE(WaitFor([&] { return RowOf(page.get(), "Multi-SSID 2") >= 0 && !page->refreshing(); }));
    EXPECT_TRUE(page->controls().multiSsid->isChecked());
    messages->queueAnswer(MessageAnswer::Ok);
    Settle(page.get(), [&] { emit page->controls().list->cellClicked(5, RowOf(page.get(), "Multi-SSID 2")); });
    EXPECT_EQ(ReadSsid(2).state, 0);
    EXPECT_EQ(ReadSsid(1).state, 1);
    EXPECT_EQ(DeviceFlags().first, 1);
}

TEST_F(MultiSsidPageTest, AFailedWriteStaysInTheStatusBarAndTheListShowsWhatTheDeviceHolds)
{
    SetFlags(1, 0);
    PageHolder page(OpenPage());
    const auto &c = page->controls();
    ChooseIndex(page.get(), 2);
    c.ssid->setText("Lobby");
    c.security->setCurrentIndex(0);
    // The device no longer accepts our writes (nor the secret reads that go with them).
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "wrong", 20, simulator->address().c_str(), 0), 0);
    Settle(page.get(), [&] { c.add->click(); });
    EXPECT_TRUE(page->statusText().contains("timed out")) << page->statusText().toStdString();
    EXPECT_EQ(RowOf(page.get(), "Multi-SSID 2"), -1);
    EXPECT_EQ(messages->count(), 0);
    ASSERT_EQ(apSnmpSetSession(session, 161, "public", "private", 50, simulator->address().c_str(), 1), 0);
    EXPECT_EQ(ReadSsid(2).state, 0);
}

} // namespace
