#include "MainFrame.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>

#include "AboutBox.h"
#include "BasicWirelessPage.h"
#include "ChangeJournal.h"
#include "HomeInfoPage.h"
#include "MainWindowLink.h"
#include "MessageBoxService.h"
#include "PageHostView.h"
#include "PopupPage.h"
#include "SystemPage.h"
#include "UnsavedChangesDialog.h"
#include "UpTimeWatch.h"

namespace trb {
namespace {

// How long the status bar says why the unsaved changes are gone.
constexpr int kClearedNoticeMs = 8000;

QString ChangesText(int count)
{
    return count == 1 ? QStringLiteral("1 change") : QStringLiteral("%1 changes").arg(count);
}

} // namespace

MainFrame::MainFrame(const QString &deviceAddress, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("TRB-4820 : ") + deviceAddress);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    MainWindowLink::Set(this);
    statusBar()->setObjectName(QStringLiteral("mainStatusBar"));
    statusBar()->setSizeGripEnabled(false);
    // A permanent pane: menu hints (QStatusTipEvent) must not wipe the poll's text.
    statusText_ = new QLabel(QString::fromLatin1(PopupPage::kReadingText));
    statusText_->setObjectName(QStringLiteral("mainStatusText"));
    statusBar()->addPermanentWidget(statusText_, 1);
    unsavedButton_ = new QPushButton;
    unsavedButton_->setObjectName(QStringLiteral("unsavedChangesButton"));
    unsavedButton_->setFlat(true);
    unsavedButton_->setFocusPolicy(Qt::NoFocus);
    unsavedButton_->hide();
    statusBar()->addPermanentWidget(unsavedButton_);
    noticeTimer_ = new QTimer(this);
    noticeTimer_->setSingleShot(true);
    connect(noticeTimer_, &QTimer::timeout, this, &MainFrame::ShowUnsavedCount);
    connect(unsavedButton_, &QPushButton::clicked, this, &MainFrame::ShowUnsavedChanges);
    BuildMenus();
    ConnectChangeJournal();
    view_ = new PageHostView(this);
    setCentralWidget(view_);
    upTimeWatch_ = new UpTimeWatch(*view_->statusPane(), this);
    setFixedSize(kWidth, kHeight);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

MainFrame::~MainFrame()
{
    delete upTimeWatch_; // it watches the status pane's poll
    delete view_; // closes the pages while the status bar still exists
    view_ = nullptr;
}

QAction *MainFrame::AddEntry(QMenu *menu, const QString &text, const QString &name)
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

void MainFrame::BuildMenus()
{
    // Eight menus must fit the fixed 498-pixel width.
    QFont menuFont = menuBar()->font();
    menuFont.setPixelSize(11);
    menuBar()->setFont(menuFont);
    QMap<QString, QMenu *> menus;
    const auto menuNamed = [&](const char *text) {
        QMenu *&menu = menus[QString::fromLatin1(text)];
        if (!menu)
            menu = menuBar()->addMenu(QString::fromLatin1(text));
        return menu;
    };
    for (const PageCommand &command : PageCommands()) {
        QMenu *menu = menuNamed(command.menu);
        const QString name = QStringLiteral("action") + QString::number(int(command.kind));
        QAction *entry = AddEntry(menu, QString::fromLatin1(command.entry), name);
        connect(entry, &QAction::triggered, this, [this, kind = command.kind] { OpenPage(kind); });
        if (command.kind == PageKind::ArpSpoofing)
            arpAction_ = entry;
        if (command.kind == PageKind::HomeInformation) {
            menu->addSeparator();
            connect(AddEntry(menu, QStringLiteral("&Close"), QStringLiteral("actionClose")),
                    &QAction::triggered, this, &QWidget::close);
        }
        if (command.kind == PageKind::Log) {
            QMenu *configuration = menuNamed("&Configuration");
            connect(AddEntry(configuration, QStringLiteral("&Save And Active"), QStringLiteral("actionSaveAndActive")),
                    &QAction::triggered, this, &MainFrame::SaveAndActive);
            connect(AddEntry(configuration, QStringLiteral("&Discard Changes"), QStringLiteral("actionDiscardChanges")),
                    &QAction::triggered, this, &MainFrame::DiscardChanges);
            connect(AddEntry(configuration, QStringLiteral("&Unsaved Changes..."), QStringLiteral("actionUnsavedChanges")),
                    &QAction::triggered, this, &MainFrame::ShowUnsavedChanges);
        }
    }
    // Help sits at the right end of the menu bar.
    auto *helpBar = new QMenuBar(menuBar());
    helpBar->setFont(menuFont);
    QMenu *help = helpBar->addMenu(QStringLiteral("He&lp"));
    connect(AddEntry(help, QStringLiteral("&About"), QStringLiteral("actionAbout")),
            &QAction::triggered, this, &MainFrame::ShowAbout);
    menuBar()->setCornerWidget(helpBar, Qt::TopRightCorner);
}

QAction *MainFrame::action(const QString &objectName) const
{
    return findChild<QAction *>(objectName);
}

void MainFrame::SetApModeName(const QString &name, const QString &second)
{
    apModeName_ = name;
    secondModeText_ = second;
    const bool clientOrRepeater = name.contains(QLatin1String("client"))
        || name.contains(QLatin1String("repeater"));
    if (arpAction_)
        arpAction_->setEnabled(!clientOrRepeater);
}

void MainFrame::closeEvent(QCloseEvent *event)
{
    if (!MayClose()) {
        event->ignore();
        return;
    }
    // Closing the main window ends the module, even with page windows still open.
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

void MainFrame::SetStatusText(const QString &text) { statusText_->setText(text); }

QString MainFrame::statusText() const { return statusText_->text(); }

PopupPage *MainFrame::OpenPage(PageKind kind)
{
    const PageCommand &command = CommandFor(kind);
    setEnabled(false);
    pollAsync = command.pollAsync;
    PopupPage *page = CreatePage(kind);
    view_->Remember(kind, page);
    if (auto *home = qobject_cast<HomeInfoPage *>(page))
        connect(home, &HomeInfoPage::modeTextsRead, this, &MainFrame::SetApModeName);
    if (auto *wireless = qobject_cast<BasicWirelessPage *>(page))
        connect(wireless, &BasicWirelessPage::modeTextsChosen, this, &MainFrame::SetApModeName);
    if (command.size.isEmpty()) {
        page->move(geometry().center() - page->rect().center());
    } else {
        page->move(0, 0);
        page->resize(command.size);
    }
    if (command.clearStatusText)
        page->ShowMessage(QString());
    page->show();
    return page;
}

void MainFrame::SaveAndActive() { RunHiddenSystemCommand(true); }
void MainFrame::DiscardChanges() { RunHiddenSystemCommand(false); }

void MainFrame::RunHiddenSystemCommand(bool saveAndActivate, bool confirmed)
{
    setEnabled(false);
    pollAsync = 1;
    // Never shown: it only confirms, sends and covers the device's work with its wait dialog.
    auto *page = new SystemPage;
    view_->Remember(PageKind::System, page);
    if (saveAndActivate && confirmed)
        page->SaveAndActivateAsked();
    else if (saveAndActivate)
        page->SaveAndActivate();
    else
        page->Discard();
}

void MainFrame::ShowAbout()
{
    AboutBox about(this);
    about.exec();
}

void MainFrame::ConnectChangeJournal()
{
    ChangeJournal *journal = ChangeJournal::Current();
    if (!journal)
        return;
    connect(journal, &ChangeJournal::changed, this, &MainFrame::ShowUnsavedCount);
    connect(journal, &ChangeJournal::cleared, this, &MainFrame::ShowJournalCleared);
    ShowUnsavedCount();
}

void MainFrame::ShowUnsavedCount()
{
    noticeTimer_->stop();
    const ChangeJournal *journal = ChangeJournal::Current();
    const int count = journal ? journal->count() : 0;
    unsavedButton_->setText(ChangesText(count) + QStringLiteral(" not saved"));
    unsavedButton_->setVisible(count > 0);
}

void MainFrame::ShowJournalCleared(const QString &reason)
{
    unsavedButton_->setText(reason);
    unsavedButton_->show();
    noticeTimer_->start(kClearedNoticeMs);
}

void MainFrame::ShowUnsavedChanges()
{
    const ChangeJournal *journal = ChangeJournal::Current();
    if (!journal)
        return;
    UnsavedChangesDialog dialog(*journal, this);
    dialog.exec();
    if (dialog.choice() == UnsavedChangesDialog::Choice::SaveAndActive)
        SaveAndActive();
    else if (dialog.choice() == UnsavedChangesDialog::Choice::Discard)
        DiscardChanges();
}

bool MainFrame::MayClose()
{
    const ChangeJournal *journal = ChangeJournal::Current();
    if (!journal || journal->count() == 0)
        return true;
    const QString question = ChangesText(journal->count())
        + (journal->count() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"))
        + QStringLiteral(" not saved on the device and will be lost when it restarts. Save And Active before closing?");
    switch (ShowMessageBox(question, MessageIcon::Exclamation, QStringLiteral("Warning"),
                           MessageButtons::SaveCloseCancel, this)) {
    case MessageAnswer::Cancel:
        return false;
    case MessageAnswer::Yes:
        // The device answers the command before this returns: closed only once it saved them.
        RunHiddenSystemCommand(true, true);
        return journal->count() == 0;
    default:
        return true;
    }
}

} // namespace trb
