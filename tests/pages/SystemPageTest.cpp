// System commands against the simulator: what each command does to the device, the
// confirmations, and the wait dialog that keeps the main window disabled meanwhile.
#include <QElapsedTimer>
#include <QPushButton>

#include "PageTestSupport.h"
#include "PleaseWaitDialog.h"
#include "SystemPage.h"

using trb::MessageAnswer;
using trb::SystemPage;
using namespace trb::test;

namespace {

class SystemPageTest : public PageTest {
protected:
    SystemPage *OpenPage()
    {
        auto *page = new SystemPage;
        page->resize(470, 260);
        page->show();
        return page;
    }

    // A hidden page, as the Configuration menu makes one; the menu has disabled the main window.
    SystemPage *HiddenPage()
    {
        mainWindow->setEnabled(false);
        return new SystemPage;
    }

    QString Gateway()
    {
        auto record = std::make_unique<apLanSettingsRecord>();
        EXPECT_EQ(ReadLan(*record), 0);
        return record->gateway;
    }

    void ExpectConfirmation(const QString &text)
    {
        ASSERT_GE(messages->count(), 1);
        const auto &asked = messages->shown().first();
        EXPECT_EQ(asked.text, text);
        EXPECT_EQ(asked.title, "Warning");
        EXPECT_EQ(asked.buttons, trb::MessageButtons::OkCancel);
    }

    // The wait dialog is up with this text and the main window is disabled, until the dialog
    // closes by itself after the command's wait (the test runs at 1/50 of the real waits):
    // not sooner (timers may fire up to 5% early) and not much later.
    void ExpectWaitThenEnabled(SystemPage *page, const QString &text, int scaledWaitMs,
                               const QElapsedTimer &since)
    {
        ASSERT_NE(page->waitDialog(), nullptr);
        EXPECT_EQ(page->waitDialog()->text(), text);
        EXPECT_EQ(page->waitDialog()->windowTitle(), "Please wait...");
        EXPECT_FALSE(mainWindow->isEnabled());
        EXPECT_TRUE(WaitFor([&] { return page->waitDialog() == nullptr; }, scaledWaitMs + 5000));
        EXPECT_GE(since.elapsed(), scaledWaitMs * 94 / 100);
        EXPECT_LE(since.elapsed(), scaledWaitMs + 1500);
        EXPECT_TRUE(mainWindow->isEnabled());
    }
};

TEST_F(SystemPageTest, ShowsTheThreeCommandsOnly)
{
    PageHolder page(OpenPage());
    EXPECT_EQ(page->windowTitle(), "System");
    EXPECT_TRUE(page->controls().restart->isVisible());
    EXPECT_TRUE(page->controls().restore->isVisible());
    EXPECT_TRUE(page->controls().clear->isVisible());
    EXPECT_FALSE(page->findChild<QPushButton *>("saveActiveButton")->isVisible());
    EXPECT_FALSE(page->findChild<QPushButton *>("discardButton")->isVisible());
}

TEST_F(SystemPageTest, CancelledCommandsSendNothing)
{
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", "192.168.1.99"), 0);
    const std::string savedBefore = StateFileText();
    {
        PageHolder page(HiddenPage());
        messages->queueAnswer(MessageAnswer::Cancel);
        page->SaveAndActivate();
        ExpectConfirmation("Device will Save and active, continue?");
        EXPECT_TRUE(mainWindow->isEnabled());
        EXPECT_EQ(page->waitDialog(), nullptr);
    }
    {
        PageHolder page(HiddenPage());
        messages->clear();
        messages->queueAnswer(MessageAnswer::Cancel);
        page->Discard();
        ExpectConfirmation("All of your changes will be discarded and device will reboot continue?");
        EXPECT_TRUE(mainWindow->isEnabled());
    }
    PageHolder page(OpenPage());
    for (QPushButton *button : {page->controls().restart, page->controls().restore, page->controls().clear}) {
        messages->queueAnswer(MessageAnswer::Cancel);
        button->click();
    }
    EXPECT_EQ(messages->texts().mid(1), (QStringList{"Device will reboot, continue?",
                                                     "Device will reboot and module will be disconnected, continue?",
                                                     "Clear the language pack?"}));
    EXPECT_FALSE(page->restartPending());
    Spin(200);
    EXPECT_TRUE(DeviceAnswers());
    EXPECT_EQ(Gateway(), "192.168.1.99"); // not discarded
    EXPECT_EQ(StateFileText(), savedBefore); // not saved
    EXPECT_EQ(SnmpGet("trbLanguagePack.0"), "French 1.2.07");
}

TEST_F(SystemPageTest, SaveAndActivateKeepsTheChangesOverARestart)
{
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", "192.168.1.99"), 0);
    PageHolder page(HiddenPage());
    QElapsedTimer clock;
    clock.start();
    page->SaveAndActivate();
    ExpectConfirmation("Device will Save and active, continue?");
    ExpectWaitThenEnabled(page.get(), "Device is activing,Please Wait...", 400, clock);
    ASSERT_TRUE(simulator->restart());
    EXPECT_EQ(Gateway(), "192.168.1.99");
}

TEST_F(SystemPageTest, RestartSendsTheCommandTwoSecondsLaterAndTheDeviceReboots)
{
    PageHolder page(OpenPage());
    QElapsedTimer clock;
    clock.start();
    page->controls().restart->click();
    ExpectConfirmation("Device will reboot, continue?");
    // The UI thread has not run its timers yet: nothing has been sent.
    EXPECT_TRUE(page->restartPending());
    EXPECT_TRUE(DeviceAnswers());
    EXPECT_TRUE(page->restartPending());
    EXPECT_TRUE(WaitFor([&] { return !page->restartPending(); }, 2000));
    EXPECT_GE(clock.elapsed(), 40 * 94 / 100); // 2 s, scaled
    EXPECT_FALSE(DeviceAnswers()); // rebooting
    ExpectWaitThenEnabled(page.get(), "Device is rebooting,Please Wait...", 1500, clock);
    EXPECT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
}

TEST_F(SystemPageTest, RestoreBringsBackTheFactorySettings)
{
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", "192.168.1.99"), 0);
    PageHolder page(OpenPage());
    QElapsedTimer clock;
    clock.start();
    page->controls().restore->click();
    ExpectConfirmation("Device will reboot and module will be disconnected, continue?");
    EXPECT_TRUE(page->restartPending());
    ExpectWaitThenEnabled(page.get(), "Device is rebooting,Please Wait...", 1400, clock);
    EXPECT_FALSE(page->restartPending());
    EXPECT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    EXPECT_EQ(Gateway(), "192.168.1.1");
    EXPECT_NE(StateFileText(), "");
}

TEST_F(SystemPageTest, DiscardDropsUnsavedChangesAndReboots)
{
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", "192.168.1.99"), 0);
    PageHolder page(HiddenPage());
    QElapsedTimer clock;
    clock.start();
    page->Discard();
    ExpectConfirmation("All of your changes will be discarded and device will reboot continue?");
    EXPECT_TRUE(page->restartPending());
    ExpectWaitThenEnabled(page.get(), "Device is rebooting,Please Wait...", 1000, clock);
    EXPECT_TRUE(WaitFor([&] { return DeviceAnswers(); }, 5000));
    EXPECT_EQ(Gateway(), "192.168.1.1");
}

TEST_F(SystemPageTest, ClearEmptiesTheLanguagePackAndSaysSo)
{
    ASSERT_EQ(SnmpGet("trbLanguagePack.0"), "French 1.2.07");
    PageHolder page(OpenPage());
    page->controls().clear->click();
    ExpectConfirmation("Clear the language pack?");
    EXPECT_EQ(messages->texts().value(1), "Clear the language pack success.");
    EXPECT_EQ(messages->last().title, "TRB-4820");
    EXPECT_EQ(SnmpGet("trbLanguagePack.0"), "");
    EXPECT_TRUE(mainWindow->isEnabled());
}

// The device never answered: the user must not be told it worked.
TEST_F(SystemPageTest, ClearReportsFailureWhenTheDeviceDoesNotAnswer)
{
    PageHolder page(OpenPage());
    simulator->stop();
    page->controls().clear->click();
    EXPECT_EQ(messages->texts().value(1), "Clear the language pack fail.");
    EXPECT_TRUE(page->statusText().contains("timed out")) << page->statusText().toStdString();
}

TEST_F(SystemPageTest, ClosingThePageDuringAWaitGivesTheMainWindowBackAndSendsNothing)
{
    auto *page = OpenPage();
    QPointer<SystemPage> alive(page);
    page->controls().restart->click();
    EXPECT_FALSE(mainWindow->isEnabled());
    page->close();
    EXPECT_TRUE(WaitFor([&] { return alive.isNull(); }, 2000));
    EXPECT_TRUE(mainWindow->isEnabled());
    Spin(200);
    EXPECT_TRUE(DeviceAnswers());
}

// A command the device refuses is carried out nowhere: no restart follows it, no wait stands for
// a reboot that is not happening, the refusal stays in the status bar and the device keeps what it
// held. The Configuration menu runs Save and Activate and Discard on a hidden page.
TEST_F(SystemPageTest, ARefusedCommandEndsTheWaitAndRestartsNothing)
{
    const struct {
        const char *name;
        void (SystemPage::*run)();
        bool hidden;
    } commands[] = {{"Restart", &SystemPage::Restart, false},
                    {"Restore", &SystemPage::Restore, false},
                    {"Discard", &SystemPage::Discard, true},
                    {"Save and Activate", &SystemPage::SaveAndActivate, true}};
    ASSERT_EQ(WriteLan(0, "192.168.1.10", "255.255.255.0", "192.168.1.99"), 0);
    const std::string savedBefore = StateFileText();
    for (const auto &command : commands) {
        SCOPED_TRACE(command.name);
        PageHolder page(command.hidden ? HiddenPage() : OpenPage());
        ASSERT_EQ(simulator->control("fault set all 1 error genErr"), "ok");
        QElapsedTimer clock;
        clock.start();
        (page.get()->*command.run)();
        EXPECT_TRUE(WaitFor([&] { return page->waitDialog() == nullptr && !page->restartPending(); }, 600));
        EXPECT_LT(clock.elapsed(), 400) << "waited for a reboot that never came";
        EXPECT_TRUE(mainWindow->isEnabled());
        EXPECT_FALSE(page->statusText().isEmpty());
        EXPECT_FALSE(page->statusText().contains(" OK.")) << page->statusText().toStdString();
        Spin(200);
        EXPECT_TRUE(DeviceAnswers()) << "the device restarted";
        EXPECT_EQ(Gateway(), "192.168.1.99");
        EXPECT_EQ(StateFileText(), savedBefore);
        ASSERT_EQ(simulator->control("clear"), "ok");
    }
}

// The command's own wait (3000 ms), not the session's shorter time-out, decides whether the
// device answered: a device that takes 1.8 s still clears, one that takes 4 s has failed.
class SystemPageSlowDevice : public PageTest, public ::testing::WithParamInterface<int> {
protected:
    SystemPageSlowDevice() : PageTest({"--delay-ms", std::to_string(GetParam())}) {}
};

TEST_P(SystemPageSlowDevice, ClearWaitsForTheCommandsOwnTimeOut)
{
    PageHolder page(new SystemPage); // not shown: no read queues before the command
    page->Clear();
    const bool inTime = GetParam() < 3000;
    EXPECT_EQ(messages->texts().value(1), inTime ? "Clear the language pack success."
                                                 : "Clear the language pack fail.");
}

INSTANTIATE_TEST_SUITE_P(AnswerDelays, SystemPageSlowDevice, ::testing::Values(1800, 4000));

// Save and activate waits longer than the other commands (6000 ms): a device that takes 4.5 s
// to answer still has its configuration saved, and the request waited for it.
class SystemPageSlowSave : public PageTest {
protected:
    SystemPageSlowSave() : PageTest({"--delay-ms", "4500"}) {}
};

TEST_F(SystemPageSlowSave, SaveAndActivateWaitsForItsOwnTimeOut)
{
    mainWindow->setEnabled(false);
    PageHolder page(new SystemPage); // as the menu makes it: hidden
    QElapsedTimer clock;
    clock.start();
    page->SaveAndActivate();
    EXPECT_GE(clock.elapsed(), 4400) << "returned before the device answered";
    EXPECT_LT(clock.elapsed(), 6500);
    EXPECT_NE(StateFileText(), "") << "the save reached the device";
}

} // namespace
