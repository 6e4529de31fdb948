#include "PopupPage.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QVBoxLayout>

#include "MainWindowLink.h"
#include "ScrollLayout.h"

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
}

PopupPage::~PopupPage() = default;

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
    if (!event->spontaneous() && ReadOnShow())
        RequestRead();
    CentreOverMainWindow();
    setWindowTitle(pageTitle_);
}

void PopupPage::closeEvent(QCloseEvent *event)
{
    // The user goes back to the main window whatever the page was doing.
    MainWindowLink::SetEnabled(true);
    SettingsPage::closeEvent(event);
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
