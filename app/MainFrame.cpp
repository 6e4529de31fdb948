#include "MainFrame.h"

#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

namespace trb {

MainFrame::MainFrame(const QString &deviceAddress, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("TRB-4820 : ") + deviceAddress);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setCentralWidget(new QWidget(this));
    BuildMenu();
    statusBar()->setObjectName(QStringLiteral("mainStatusBar"));
    statusBar()->setSizeGripEnabled(false);
    setFixedSize(kWidth, kHeight);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainFrame::BuildMenu()
{
    QMenu *home = menuBar()->addMenu(QStringLiteral("&Home"));
    QAction *close = home->addAction(QStringLiteral("&Close"));
    close->setObjectName(QStringLiteral("actionClose"));
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void MainFrame::SetStatusText(const QString &text)
{
    statusBar()->showMessage(text);
}

} // namespace trb
