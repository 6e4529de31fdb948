#include "MainFrame.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include "AboutBox.h"
#include "BasicWirelessPage.h"
#include "HomeInfoPage.h"
#include "MainWindowLink.h"
#include "PageHostView.h"
#include "PopupPage.h"
#include "SystemPage.h"

namespace trb {

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
    BuildMenus();
    view_ = new PageHostView(this);
    setCentralWidget(view_);
    setFixedSize(kWidth, kHeight);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

MainFrame::~MainFrame()
{
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

void MainFrame::RunHiddenSystemCommand(bool saveAndActivate)
{
    setEnabled(false);
    pollAsync = 1;
    // Never shown: it only confirms, sends and covers the device's work with its wait dialog.
    auto *page = new SystemPage;
    view_->Remember(PageKind::System, page);
    if (saveAndActivate)
        page->SaveAndActivate();
    else
        page->Discard();
}

void MainFrame::ShowAbout()
{
    AboutBox about(this);
    about.exec();
}

} // namespace trb
