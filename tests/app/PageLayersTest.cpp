// The layers every page shares: pop-up window, wait dialog, scrolling, enable cascade.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include "MainWindowLink.h"
#include "PleaseWaitDialog.h"
#include "PopupPage.h"
#include "ScrollLayout.h"
#include "TimeScale.h"

using namespace trb;

namespace {

class QuietPage : public PopupPage {
public:
    QuietPage() : PopupPage(QStringLiteral("Basic \\ LAN")) {}
    int ReadOnShow() override { return 0; }
    using SettingsPage::enableCascade;
};

TEST(PopupPage, IsACaptionedWindowWithCloseAndMinimiseButNoMaximise)
{
    auto *page = new QuietPage;
    const Qt::WindowFlags flags = page->windowFlags();
    EXPECT_TRUE(page->isWindow());
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(page->statusText(), "Reading config from... ...");
    page->show();
    const QImage bar = page->pageStatusBar()->grab().toImage();
    EXPECT_EQ(bar.pixelColor(bar.width() - 3, bar.height() / 2), QColor(210, 210, 210));
    EXPECT_EQ(page->windowTitle(), "Basic \\ LAN");
    page->ShowMessage("Get OK. Receive at 10:00:00.");
    EXPECT_EQ(page->statusText(), "Get OK. Receive at 10:00:00.");
    page->close();
}

TEST(PopupPage, ClosingGivesTheMainWindowBackAndDeletesThePage)
{
    QMainWindow main;
    MainWindowLink::Set(&main);
    main.setEnabled(false);
    QPointer<QuietPage> page = new QuietPage;
    page->show();
    page->close();
    EXPECT_TRUE(main.isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(page.isNull());
    MainWindowLink::Set(nullptr);
}

TEST(PopupPage, EnableCascadeFollowsTheFlags)
{
    QuietPage page;
    auto *edit = new QLineEdit(page.content());
    auto *label = new QLabel(page.content());
    edit->setEnabled(false);
    label->setEnabled(false);
    page.enableCascade = 1; // enabling the page enables its controls
    page.setEnabled(false);
    page.setEnabled(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(label->isEnabled()) << "labels are left alone";

    page.enableCascade = 0;
    edit->setEnabled(false);
    page.setEnabled(false);
    page.setEnabled(true);
    EXPECT_FALSE(edit->isEnabled());
}

TEST(ScrollLayout, StepsBy60PixelsAndClampsToTheContent)
{
    QuietPage page;
    page.resize(300, 200);
    page.show();
    page.scrollLayout().SetContentSize(600, 1000);
    QCoreApplication::processEvents();
    ScrollLayout &scroll = page.scrollLayout();
    scroll.ScrollLines(0, 1);
    EXPECT_EQ(scroll.scrollY(), 60);
    scroll.ScrollLines(0, -5);
    EXPECT_EQ(scroll.scrollY(), 0);
    scroll.ScrollPages(0, 1);
    EXPECT_EQ(scroll.scrollY(), scroll.visibleHeight());
    scroll.ScrollPages(0, 100);
    EXPECT_EQ(scroll.scrollY(), 1000 - scroll.visibleHeight());
    // Shrinking the content scrolls back into range.
    page.scrollLayout().SetContentSize(600, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(scroll.scrollY(), 300 - scroll.visibleHeight());
}

TEST(PleaseWaitDialog, ElapsedTextFormatWrapsHoursAt24)
{
    EXPECT_EQ(PleaseWaitDialog::ElapsedText(0), "Elapsed Time\t\t00:00:00");
    EXPECT_EQ(PleaseWaitDialog::ElapsedText(1), "Elapsed Time\t\t00:00:01");
    EXPECT_EQ(PleaseWaitDialog::ElapsedText(3661), "Elapsed Time\t\t01:01:01");
    EXPECT_EQ(PleaseWaitDialog::ElapsedText(25 * 3600 + 59), "Elapsed Time\t\t01:00:59");
}

TEST(PleaseWaitDialog, DisablesTheMainWindowWhileItLivesAndIgnoresEscapeAndEnter)
{
    QMainWindow main;
    MainWindowLink::Set(&main);
    QuietPage page;
    auto *wait = new PleaseWaitDialog(&page);
    EXPECT_FALSE(main.isEnabled());
    EXPECT_EQ(wait->windowTitle(), "Please Wait...");
    EXPECT_EQ(wait->text(), "Device is rebooting, please wait...");
    EXPECT_FALSE(wait->windowFlags() & Qt::WindowCloseButtonHint);
    wait->show();
    QTest::keyClick(wait, Qt::Key_Escape);
    QTest::keyClick(wait, Qt::Key_Return);
    EXPECT_TRUE(wait->isVisible());
    QTest::qWait(1300);
    EXPECT_EQ(wait->elapsedText(), "Elapsed Time\t\t00:00:01");
    delete wait;
    EXPECT_TRUE(main.isEnabled());
    MainWindowLink::Set(nullptr);
}

TEST(TimeScale, MultipliesEveryTimerAndNeverReachesZero)
{
    qputenv("TRB4820_TIME_SCALE", "0.01");
    EXPECT_EQ(ScaledMilliseconds(75000), 750);
    EXPECT_EQ(ScaledMilliseconds(20), 1);
    EXPECT_EQ(ScaledMilliseconds(0), 0);
    qputenv("TRB4820_TIME_SCALE", "nonsense");
    EXPECT_EQ(ScaledMilliseconds(2000), 2000);
    qputenv("TRB4820_TIME_SCALE", "-3");
    EXPECT_EQ(ScaledMilliseconds(2000), 2000);
    qunsetenv("TRB4820_TIME_SCALE");
    EXPECT_EQ(ScaledMilliseconds(1200), 1200);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
