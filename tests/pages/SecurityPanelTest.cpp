// The security panel on its own: what it shows for a block read from the device, what it
// writes back into each section, and the message of each bad entry with nothing written.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include <cstring>
#include <functional>

#include "FormCheck.h"
#include "IpAddressEdit.h"
#include "RecordText.h"
#include "RecordingMessageBox.h"
#include "SecurityPanel.h"

using namespace trb;
using Panel = SecurityPanel;

namespace {

// A block as a device reports it: every section filled with something recognisable.
apSecurityBlock DeviceBlock()
{
    apSecurityBlock b{};
    b.wep = {0, 1, 1, 64, 2, "abcde", 0};
    b.personal.wpaMode = 1;
    b.personal.cipher = 2;
    b.personal.groupKeyInterval = 3600;
    std::strcpy(b.personal.passphrase, "correct horse");
    b.personal.periodicalKeyChange = 0;
    b.personal.day = 3;
    std::strcpy(b.personal.time, "07:45");
    b.personal.intervalHours = 24;
    std::strcpy(b.personal.currentKey, "K3y-in-use");
    b.enterprise.wpaMode = 0;
    b.enterprise.cipher = 3;
    b.enterprise.keyInterval = 7200;
    b.enterprise.dot1xKeyInterval = 900;
    b.enterprise.accessProtection = 1;
    std::strcpy(b.enterprise.radiusServer, "10.0.0.5");
    b.enterprise.radiusPort = 1645;
    std::strcpy(b.enterprise.radiusSecret, "radius-secret");
    return b;
}

bool SameBytes(const void *a, const void *b, std::size_t size) { return std::memcmp(a, b, size) == 0; }

class SecurityPanelTest : public ::testing::Test {
protected:
    RecordingMessageBox messages;
    Panel panel{Panel::Variant::Primary};
    const Panel::Controls &c = panel.controls();

    void LoadAccessPoint(int type, const apSecurityBlock &block = DeviceBlock())
    {
        panel.RebuildLists(0, false, false);
        panel.Load(type, block);
    }
};

TEST_F(SecurityPanelTest, LoadShowsEachSectionAndTheMethodsPanel)
{
    LoadAccessPoint(4);
    EXPECT_EQ(c.authentication->currentText(), "WPA-Personal");
    EXPECT_EQ(c.group->title(), "PassPhrase Settings");
    EXPECT_FALSE(c.personalPanel->isHidden());
    EXPECT_TRUE(c.wepPanel->isHidden());
    EXPECT_EQ(c.personalWpa.mode->currentText(), "WPA2 only");
    EXPECT_EQ(c.personalWpa.cipher->currentText(), "AES");
    EXPECT_EQ(c.personalWpa.interval->text(), "3600");
    EXPECT_EQ(c.passphrase->text(), "correct horse");
    EXPECT_EQ(c.passphrase->echoMode(), QLineEdit::Password);
    EXPECT_EQ(c.hour->currentText(), "07");
    EXPECT_EQ(c.minute->currentText(), "45");
    EXPECT_EQ(c.day->currentText(), "Wed");
    EXPECT_EQ(c.timeInterval->text(), "24");
    // Loaded as WPA-Personal: the enterprise panel takes the personal WPA choices.
    EXPECT_EQ(c.enterpriseWpa.mode->currentText(), "WPA2 only");
    EXPECT_EQ(c.enterpriseRadius.server->text(), "10.0.0.5");
    EXPECT_EQ(c.dot1xRadius.port->text(), "1645");
    EXPECT_EQ(c.keyUpdateInterval->text(), "900");
    EXPECT_TRUE(c.napEnable->isChecked());

    LoadAccessPoint(6);
    EXPECT_EQ(c.group->title(), "Radius Server Settings");
    EXPECT_FALSE(c.dot1xPanel->isHidden());
    LoadAccessPoint(3); // both methods: this list has no such entry
    EXPECT_EQ(c.authentication->currentText(), "Open System");
    EXPECT_EQ(c.group->title(), "Key Settings");
}

TEST_F(SecurityPanelTest, SharedKeyLoadedDisabledShowsEncryptionForced)
{
    apSecurityBlock block = DeviceBlock();
    block.wep.encryption = 0;
    LoadAccessPoint(2, block);
    EXPECT_TRUE(c.wepEnable->isChecked());
    EXPECT_FALSE(c.wepDisable->isEnabled());
    EXPECT_TRUE(c.networkKey->isEnabled());
}

TEST_F(SecurityPanelTest, ANoneAddressShowsAnEmptyRadiusField)
{
    apSecurityBlock block = DeviceBlock();
    std::strcpy(block.enterprise.radiusServer, "0.0.0.0");
    LoadAccessPoint(5, block);
    EXPECT_TRUE(c.enterpriseRadius.server->isBlank());
}

TEST_F(SecurityPanelTest, EachSectionWritesItselfAndLeavesTheOthers)
{
    struct Case {
        int type;
        std::function<void(const Panel::Controls &)> edit;
        std::function<void(const apSecurityBlock &)> expect;
    } cases[] = {
        {1,
         [](const Panel::Controls &c) {
             c.keyType->setCurrentIndex(1);
             c.keySize->setCurrentIndex(1);
             c.keyIndex->setCurrentIndex(3);
             c.networkKey->setText("0123456789abcdef0123456789");
             c.confirmKey->setText("0123456789abcdef0123456789");
         },
         [](const apSecurityBlock &b) {
             EXPECT_EQ(b.wep.encryption, 1u);
             EXPECT_EQ(b.wep.keyType, 2u);
             EXPECT_EQ(b.wep.keySize, 128u);
             EXPECT_EQ(b.wep.keyIndex, 4u);
             EXPECT_STREQ(b.wep.key, "0123456789abcdef0123456789");
         }},
        {4,
         [](const Panel::Controls &c) {
             c.personalWpa.mode->setCurrentText("AUTO(WPA or WPA2)");
             c.personalWpa.cipher->setCurrentText("TKIP");
             c.personalWpa.interval->setText("600");
             c.passphrase->setText("new passphrase");
             c.confirmPassphrase->setText("new passphrase");
         },
         [](const apSecurityBlock &b) {
             EXPECT_EQ(b.personal.wpaMode, 0u);
             EXPECT_EQ(b.personal.cipher, 3u);
             EXPECT_EQ(b.personal.groupKeyInterval, 600u);
             EXPECT_STREQ(b.personal.passphrase, "new passphrase");
             // Manual in access-point mode: no periodical change, no current key.
             EXPECT_EQ(b.personal.periodicalKeyChange, 0u);
             EXPECT_EQ(b.personal.intervalHours, 0u);
             EXPECT_STREQ(b.personal.time, "");
             EXPECT_STREQ(b.personal.currentKey, "");
         }},
        {5,
         [](const Panel::Controls &c) {
             c.enterpriseRadius.server->setText("10.1.2.3");
             c.enterpriseRadius.port->setText("1812");
             c.enterpriseRadius.secret->setText("s3cret");
             c.enterpriseWpa.cipher->setCurrentText("AES");
             c.napDisable->setChecked(true);
         },
         [](const apSecurityBlock &b) {
             EXPECT_STREQ(b.enterprise.radiusServer, "10.1.2.3");
             EXPECT_EQ(b.enterprise.radiusPort, 1812u);
             EXPECT_STREQ(b.enterprise.radiusSecret, "s3cret");
             EXPECT_EQ(b.enterprise.cipher, 2u);
             EXPECT_EQ(b.enterprise.keyInterval, 7200u);
             EXPECT_EQ(b.enterprise.accessProtection, 0u);
         }},
        {6,
         [](const Panel::Controls &c) {
             c.keyUpdateInterval->setText("1200");
             c.dot1xRadius.server->setText("");
             c.dot1xRadius.secret->setText("x");
         },
         [](const apSecurityBlock &b) {
             EXPECT_EQ(b.enterprise.keyInterval, 1200u); // the 802.1x interval goes out at 12
             EXPECT_STREQ(b.enterprise.radiusServer, "0.0.0.0");
             EXPECT_STREQ(b.enterprise.radiusSecret, "x");
         }},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.type);
        LoadAccessPoint(tc.type);
        if (tc.type == 1)
            c.wepEnable->setChecked(true);
        tc.edit(c);
        const apSecurityBlock before = DeviceBlock();
        apSecurityBlock block = before;
        ASSERT_TRUE(panel.Collect(tc.type, block)) << messages.texts().join("|").toStdString();
        tc.expect(block);
        if (tc.type > 3)
            EXPECT_TRUE(SameBytes(&block.wep, &before.wep, sizeof block.wep));
        if (tc.type != 4)
            EXPECT_TRUE(SameBytes(&block.personal, &before.personal, sizeof block.personal));
        if (tc.type < 5)
            EXPECT_TRUE(SameBytes(&block.enterprise, &before.enterprise, sizeof block.enterprise));
        EXPECT_EQ(messages.count(), 0);
    }
}

TEST_F(SecurityPanelTest, BadEntriesAreRefusedWithTheirMessageAndWriteNothing)
{
    struct Case {
        const char *name;
        int type;
        std::function<void(const Panel::Controls &)> edit;
        const char *message;
    } cases[] = {
        {"leading blank in an ASCII key", 1,
         [](auto &c) { c.networkKey->setText(" abcd"); c.confirmKey->setText(" abcd"); },
         "The first character and last character can't be blank."},
        {"empty key", 1, [](auto &c) { c.networkKey->clear(); c.confirmKey->clear(); }, "The filed can not be blank"},
        {"short key", 1, [](auto &c) { c.networkKey->setText("abc"); c.confirmKey->setText("abc"); },
         "The Lenth of key must be 5 ASCII number "},
        {"keys differ", 1, [](auto &c) { c.networkKey->setText("abcde"); c.confirmKey->setText("abcdf"); },
         "The Network Key and Confirm Key are not matched."},
        {"hex key with a G", 1,
         [](auto &c) {
             c.keyType->setCurrentIndex(1);
             c.keySize->setCurrentIndex(1);
             c.networkKey->setText("0123456789abcdef012345678G");
             c.confirmKey->setText("0123456789abcdef012345678G");
         },
         "The legal characters are 0~9 , A~F , a~f."},
        {"short passphrase", 4, [](auto &c) { c.passphrase->setText("short"); c.confirmPassphrase->setText("short"); },
         "The length of the passphrase should be 8~63"},
        {"passphrases differ", 4,
         [](auto &c) { c.passphrase->setText("long enough"); c.confirmPassphrase->setText("long enougH"); },
         "The PassPhrase and Confirm PassPhrase are not matched "},
        {"group key interval too short", 4, [](auto &c) { c.personalWpa.interval->setText("299"); },
         "Please enter an integer between 300 and 9999999."},
        {"periodical interval", 4,
         [](auto &c) { c.periodical->setChecked(true); c.timeInterval->setText("169"); },
         "Please enter an integer between 1 and 168."},
        {"empty RADIUS secret", 5, [](auto &c) { c.enterpriseRadius.secret->clear(); },
         "The shared secret of RADIUS server can not be empty"},
        {"RADIUS port", 5, [](auto &c) { c.enterpriseRadius.port->setText("0"); },
         "Please enter an integer between 1 and 65535."},
        {"802.1x interval", 6, [](auto &c) { c.keyUpdateInterval->setText("abc"); }, "Please enter an integer."},
        {"passphrase beyond Latin-1", 4,
         [](auto &c) {
             c.passphrase->setText(QString::fromUtf8("pass\u20acphrase"));
             c.confirmPassphrase->setText(QString::fromUtf8("pass\u20acphrase"));
         },
         kDeviceTextMessage},
        {"Latin-1 passphrase", 4,
         [](auto &c) {
             c.passphrase->setText(QString::fromUtf8("pass\u00e9phrase"));
             c.confirmPassphrase->setText(QString::fromUtf8("pass\u00e9phrase"));
         },
         kDeviceTextMessage},
        {"ASCII key beyond Latin-1", 1,
         [](auto &c) {
             c.networkKey->setText(QString::fromUtf8("abc\u4e2dd"));
             c.confirmKey->setText(QString::fromUtf8("abc\u4e2dd"));
         },
         kDeviceTextMessage},
        {"RADIUS secret beyond Latin-1", 5,
         [](auto &c) { c.enterpriseRadius.secret->setText(QString::fromUtf8("s\u20accret")); }, kDeviceTextMessage},
        {"802.1x secret with a control character", 6, [](auto &c) { c.dot1xRadius.secret->setText("se\x01cret"); },
         kDeviceTextMessage},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.name);
        messages.clear();
        LoadAccessPoint(tc.type);
        if (tc.type == 1)
            c.wepEnable->setChecked(true);
        tc.edit(c);
        apSecurityBlock block = DeviceBlock();
        const apSecurityBlock before = block;
        EXPECT_FALSE(panel.Collect(tc.type, block));
        EXPECT_EQ(messages.texts(), QStringList{QString::fromLatin1(tc.message)});
        if (tc.type != 1) // the hexadecimal check comes after the section is filled
            EXPECT_TRUE(SameBytes(&block, &before, sizeof block));
    }
}

TEST_F(SecurityPanelTest, PeriodicalKeyChangeShowsTheKeyInUseAndNeedsNoPassphrase)
{
    apSecurityBlock block = DeviceBlock();
    block.personal.periodicalKeyChange = 1;
    LoadAccessPoint(4, block);
    EXPECT_EQ(c.passphrase->text(), "K3y-in-use");
    EXPECT_EQ(c.passphrase->echoMode(), QLineEdit::Normal);
    EXPECT_FALSE(c.passphrase->isEnabled());
    EXPECT_TRUE(c.confirmPassphrase->isHidden());
    EXPECT_TRUE(c.day->isEnabled());
    ASSERT_TRUE(panel.Collect(4, block)) << messages.texts().join("|").toStdString();
    EXPECT_STREQ(block.personal.passphrase, "correct horse"); // kept, not replaced by the shown key
    EXPECT_EQ(block.personal.periodicalKeyChange, 1u);
    EXPECT_STREQ(block.personal.time, "07:45");
    EXPECT_EQ(block.personal.day, 3u);
    EXPECT_STREQ(block.personal.currentKey, "");
}

TEST_F(SecurityPanelTest, ModesOfferTheirMethodsAndFixTheirChoices)
{
    auto entries = [](const QComboBox *combo) {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    };
    struct Case {
        int mode;
        bool nOnly, multiSsid;
        QStringList methods, personalModes, personalCiphers;
        bool modeEnabled;
    } cases[] = {
        {0, false, false, {"Open System", "Shared key", "WPA-Personal", "WPA-Enterprise", "802.1x"},
         {"AUTO(WPA or WPA2)", "WPA2 only", "WPA only"}, {"Auto", "AES", "TKIP"}, true},
        {0, false, true, {"Open System", "WPA-Personal", "WPA-Enterprise", "802.1x"},
         {"AUTO(WPA or WPA2)", "WPA2 only", "WPA only"}, {"Auto", "AES", "TKIP"}, true},
        {0, true, false, {"Open System", "WPA-Personal", "WPA-Enterprise"},
         {"AUTO(WPA or WPA2)", "WPA2 only", "WPA only"}, {"AES"}, true},
        {1, false, false, {"Open System", "WPA-Personal"}, {"AUTO(WPA or WPA2)", "WPA2 only"}, {"Auto", "AES"}, true},
        {2, false, false, {"Open System", "WPA-Personal"}, {"WPA2 only"}, {"AES"}, false},
        {3, false, false, {"Open System", "WPA-Personal"},
         {"AUTO(WPA or WPA2)", "WPA2 only", "WPA only"}, {"Auto", "AES", "TKIP"}, true},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << tc.mode << " nOnly " << tc.nOnly);
        panel.Load(4, DeviceBlock());
        panel.RebuildLists(tc.mode, tc.nOnly, tc.multiSsid);
        EXPECT_EQ(entries(c.authentication), tc.methods);
        EXPECT_EQ(entries(c.personalWpa.mode), tc.personalModes);
        EXPECT_EQ(entries(c.personalWpa.cipher), tc.personalCiphers);
        EXPECT_EQ(c.personalWpa.mode->isEnabled(), tc.modeEnabled);
        EXPECT_EQ(c.authentication->currentText(), "WPA-Personal"); // kept by its text
        EXPECT_EQ(c.periodicalPanel->isHidden(), tc.mode != 0);
        EXPECT_EQ(c.personalWpa.interval->isEnabled(), tc.mode != 3);
    }
}

TEST_F(SecurityPanelTest, FilteredListsStillWriteTheChosenCodes)
{
    panel.Load(4, DeviceBlock());
    panel.RebuildLists(2, false, false); // WDS: "WPA2 only" and "AES" are the only entries
    c.passphrase->setText("long enough");
    c.confirmPassphrase->setText("long enough");
    apSecurityBlock block = DeviceBlock();
    ASSERT_TRUE(panel.Collect(4, block));
    EXPECT_EQ(block.personal.wpaMode, 1u);
    EXPECT_EQ(block.personal.cipher, 2u);
    // Outside access-point mode the periodical part is the device's, untouched.
    EXPECT_EQ(block.personal.day, 3u);
    EXPECT_EQ(block.personal.intervalHours, 24u);
    EXPECT_EQ(block.personal.apMode, 2u);
}

// The key's length is set before its text: a 128-bit key loaded after a 64-bit one is whole.
TEST_F(SecurityPanelTest, LoadedKeysKeepTheirFullLengthAndSaveAsLoaded)
{
    struct Case {
        uint32_t keyType, keySize;
        const char *key;
    } cases[] = {
        {1, 64, "abcde"},
        {2, 128, "0123456789abcdef0123456789"},
        {1, 128, "thirteen-char"},
        {2, 64, "0123456789"},
    };
    for (const Case &tc : cases) {
        SCOPED_TRACE(tc.key);
        apSecurityBlock block = DeviceBlock();
        block.wep = {0, 1, tc.keyType, tc.keySize, 3, "", 0};
        std::strcpy(block.wep.key, tc.key);
        LoadAccessPoint(1, block);
        EXPECT_EQ(c.networkKey->text(), tc.key);
        EXPECT_EQ(c.confirmKey->text(), tc.key);
        apSecurityBlock written = block;
        ASSERT_TRUE(panel.Collect(1, written)) << messages.texts().join("|").toStdString();
        EXPECT_STREQ(written.wep.key, tc.key);
        EXPECT_EQ(written.wep.keySize, tc.keySize);
        EXPECT_FALSE(panel.wepKeyChanged());
    }
}

// A list rebuilt for another AP mode keeps the WPA-Personal choices and pass-phrase the user
// has just made, wherever the new lists hold them; so does a periodical key change switched
// on and off again.
TEST_F(SecurityPanelTest, UserChoicesSurviveAModeChange)
{
    LoadAccessPoint(4); // personal "WPA2 only" / "AES"; the enterprise panel takes them on load
    c.personalWpa.mode->setCurrentText("AUTO(WPA or WPA2)");
    c.personalWpa.cipher->setCurrentText("Auto");
    c.passphrase->setText("typed just now");
    c.confirmPassphrase->setText("typed just now");
    c.periodical->setChecked(true);
    EXPECT_EQ(c.passphrase->text(), "K3y-in-use");
    c.manual->setChecked(true);
    for (const int mode : {1, 0, 3, 0}) {
        SCOPED_TRACE(mode);
        panel.RebuildLists(mode, false, false);
        EXPECT_EQ(c.authentication->currentText(), "WPA-Personal");
        EXPECT_EQ(c.personalWpa.mode->currentText(), "AUTO(WPA or WPA2)");
        EXPECT_EQ(c.personalWpa.cipher->currentText(), "Auto");
        EXPECT_EQ(c.passphrase->text(), "typed just now");
        EXPECT_EQ(c.confirmPassphrase->text(), "typed just now");
    }
    apSecurityBlock block = DeviceBlock();
    ASSERT_TRUE(panel.Collect(4, block)) << messages.texts().join("|").toStdString();
    EXPECT_EQ(block.personal.wpaMode, 0u);
    EXPECT_EQ(block.personal.cipher, 1u);
    EXPECT_STREQ(block.personal.passphrase, "typed just now");
}

TEST_F(SecurityPanelTest, KeyLengthFollowsTypeAndSize)
{
    LoadAccessPoint(1);
    struct Case {
        int type, size, length;
    } cases[] = {{0, 0, 5}, {0, 1, 13}, {1, 0, 10}, {1, 1, 26}};
    for (const Case &tc : cases) {
        c.keyType->setCurrentIndex(tc.type);
        c.keySize->setCurrentIndex(tc.size);
        EXPECT_EQ(c.networkKey->maxLength(), tc.length);
        EXPECT_EQ(c.confirmKey->maxLength(), tc.length);
    }
}

} // namespace
