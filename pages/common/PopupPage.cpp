#include "PopupPage.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <QWindow>

#include "InnerScrollArea.h"
#include "ListCopy.h"
#include "MainWindowLink.h"
#include "MessageBoxService.h"
#include "ScrollLayout.h"
#include "TimeScale.h"

namespace trb {

PopupPage::PopupPage(const QString &pageTitle, QWidget *parent)
    : SettingsPage(parent), pageTitle_(pageTitle), scrollArea_(new QScrollArea(this)),
      content_(new QWidget), statusBar_(new QStatusBar(this)), statusPane_(new QLabel)
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(pageTitle_);

    content_->setObjectName(QStringLiteral("pageContent"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidget(content_);
    scrollLayout_ = std::make_unique<ScrollLayout>(scrollArea_);
    scrollArea_->viewport()->installEventFilter(this);
    content_->installEventFilter(this);

    statusBar_->setObjectName(QStringLiteral("pageStatusBar"));
    statusBar_->setSizeGripEnabled(false);
    QPalette grey = statusBar_->palette();
    grey.setColor(QPalette::Window, QColor(210, 210, 210));
    statusBar_->setPalette(grey);
    statusBar_->setAutoFillBackground(true);
    statusPane_->setObjectName(QStringLiteral("pageStatusText"));
    statusBar_->addWidget(statusPane_, 1);
    statusPane_->setText(QString::fromLatin1(kReadingText));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scrollArea_, 1);
    layout->addWidget(statusBar_);

    refreshEndTimer_.setSingleShot(true);
    connect(&refreshEndTimer_, &QTimer::timeout, this, &PopupPage::EndRefresh);
    AttachToMainWindow();
}

PopupPage::~PopupPage()
{
    if (!readShowsNothing)
        changeTracker_.Flush();
    delete waitDialog_;
}

// A separate captioned window, but owned by the main window as far as the window manager is
// concerned: kept above it and minimised with it. (A widget parent would do that too, but
// disabling the main window while a page opens would then disable the page.)
void PopupPage::AttachToMainWindow()
{
    QMainWindow *main = MainWindowLink::Window();
    if (!main)
        return;
    main->winId();
    winId();
    if (windowHandle() && main->windowHandle())
        windowHandle()->setTransientParent(main->windowHandle());
}

QString PopupPage::statusText() const { return statusPane_->text(); }

void PopupPage::ShowMessage(const QString &text) { statusPane_->setText(text); }

void PopupPage::SetStatusText(const QString &text)
{
    MainWindowLink::SetStatusText(text);
    ShowMessage(text);
}

void PopupPage::showEvent(QShowEvent *event)
{
    SettingsPage::showEvent(event);
    for (QTableView *list : content()->findChildren<QTableView *>())
        ListCopy::Attach(list);
    if (!event->spontaneous() && ReadOnShow() && RequestRead() != 0 && refreshing_)
        ReadCompleted(false); // refused at once: no completion will end the wait
    CentreOverMainWindow();
    setWindowTitle(pageTitle_);
}

void PopupPage::closeEvent(QCloseEvent *event)
{
    // The user goes back to the main window whatever the page was doing.
    MainWindowLink::SetEnabled(true);
    SettingsPage::closeEvent(event);
}

void PopupPage::resizeEvent(QResizeEvent *event)
{
    SettingsPage::resizeEvent(event);
    LayoutContent();
}

bool PopupPage::eventFilter(QObject *watched, QEvent *event)
{
    const bool viewportResized = watched == scrollArea_->viewport() && event->type() == QEvent::Resize;
    const bool contentNeedsMore = watched == content_ && event->type() == QEvent::LayoutRequest;
    // Only content that a layout arranges has needs of its own to follow.
    if ((viewportResized || contentNeedsMore) && !fitting_ && content_->layout()) {
        fitting_ = true; // resizing the content may show or hide a scroll bar, resizing the viewport
        LayoutContent();
        fitting_ = false;
    }
    return SettingsPage::eventFilter(watched, event);
}

// The page scrolls only when its content cannot be fitted: parts that scroll inside themselves
// give way first, then lists shrink towards their minimum heights.
void PopupPage::FitContent()
{
    const QSize hint = content()->sizeHint();
    const int visibleHeight = scrollLayout().visibleHeight();
    int height = hint.height();
    for (InnerScrollArea *area : content()->findChildren<InnerScrollArea *>())
        if (area->isVisibleTo(content()))
            height = area->GiveWay(height, visibleHeight);
    if (height > visibleHeight)
        height = content()->minimumSizeHint().height();
    scrollLayout().SetContentSize(std::max(hint.width(), scrollLayout().visibleWidth()), std::max(height, visibleHeight));
}

PleaseWaitDialog *PopupPage::OpenWaitDialog(const QString &text)
{
    delete waitDialog_; // a new wait replaces one that still runs
    waitDialog_ = new PleaseWaitDialog(this);
    if (waitDialog_->animationOpened())
        waitDialog_->PlayAnimation();
    waitDialog_->setWindowTitle(QStringLiteral("Please wait..."));
    waitDialog_->SetText(text);
    waitDialog_->show();
    return waitDialog_;
}

void PopupPage::CloseWaitDialog()
{
    delete waitDialog_; // enables the main window again
}

void PopupPage::BeginRefresh(int endMs, std::initializer_list<QWidget *> blocked, bool timedFromStart)
{
    refreshBlocked_.clear();
    for (QWidget *control : blocked) {
        control->setEnabled(false);
        refreshBlocked_.emplace_back(control);
    }
    MainWindowLink::SetEnabled(false);
    OpenWaitDialog(QString::fromLatin1(kRefreshText));
    refreshing_ = true;
    refreshEndMs_ = endMs;
    refreshEndTimer_.stop();
    if (timedFromStart)
        refreshEndTimer_.start(ScaledMilliseconds(endMs));
}

int PopupPage::Refresh(int endMs, std::initializer_list<QWidget *> blocked)
{
    BeginRefresh(endMs, blocked);
    const int code = RequestRead();
    if (code != 0)
        ReadCompleted(false); // no completion will come: end the wait as if the read failed
    return code;
}

void PopupPage::ReadCompleted(bool succeeded)
{
    if (refreshing_) {
        for (const QPointer<QWidget> &control : refreshBlocked_)
            if (control)
                control->setEnabled(true);
        refreshBlocked_.clear();
        if (!refreshEndTimer_.isActive())
            refreshEndTimer_.start(ScaledMilliseconds(refreshEndMs_));
    }
    SettingsPage::ReadCompleted(succeeded);
    if (!readShowsNothing)
        changeTracker_.ReadCompleted(succeeded);
}

void PopupPage::WriteStarting()
{
    if (!readShowsNothing)
        changeTracker_.WriteStarting();
}

void PopupPage::WriteAnswered(int result)
{
    if (!readShowsNothing)
        changeTracker_.WriteAnswered(result);
}

void PopupPage::RequestsInFlightChanged() { content_->setEnabled(RequestsInFlight() == 0); }

void PopupPage::EndRefresh()
{
    refreshEndTimer_.stop();
    refreshing_ = false;
    pageStatusBar()->repaint();
    CloseWaitDialog();
    ShowMessage(lastMessage);
}

QWidget *PopupPage::messageParent()
{
    if (isVisible())
        return this;
    return MainWindowLink::Window();
}

void PopupPage::Inform(const QString &text)
{
    ShowMessageBox(text, MessageIcon::Information, QString::fromLatin1(kApplicationTitle), MessageButtons::Ok,
                   messageParent());
}

bool PopupPage::Confirm(const QString &question, const QString &title)
{
    return ShowMessageBox(question, MessageIcon::Exclamation, title, MessageButtons::OkCancel,
                          messageParent())
           == MessageAnswer::Ok;
}

bool PopupPage::RejectCheck(const QString &message, const QString &title, QWidget *focus)
{
    const MessageIcon icon = title == QLatin1String("Error") ? MessageIcon::Error : MessageIcon::Exclamation;
    ShowMessageBox(message, icon, title, MessageButtons::Ok, messageParent());
    if (focus) {
        focus->setFocus();
        QWidget *proxy = focus->focusProxy() ? focus->focusProxy() : focus;
        if (auto *edit = qobject_cast<QLineEdit *>(proxy))
            edit->selectAll();
    }
    return false;
}

void PopupPage::CentreOverMainWindow()
{
    QRect over;
    if (QMainWindow *main = MainWindowLink::Window())
        over = main->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (over.isValid())
        move(over.center() - QPoint(width() / 2, height() / 2));
}

} // namespace trb
