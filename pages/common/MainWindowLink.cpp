#include "MainWindowLink.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QStatusBar>

namespace trb {
namespace {
QPointer<QMainWindow> mainWindow;
}

void MainWindowLink::Set(QMainWindow *window) { mainWindow = window; }

QMainWindow *MainWindowLink::Window() { return mainWindow; }

void MainWindowLink::SetStatusText(const QString &text)
{
    if (!mainWindow)
        return;
    // The main window keeps its text in a permanent pane; a bare main window (tests) has none.
    if (auto *pane = mainWindow->statusBar()->findChild<QLabel *>(QStringLiteral("mainStatusText")))
        pane->setText(text);
    else
        mainWindow->statusBar()->showMessage(text);
}

void MainWindowLink::SetEnabled(bool enabled)
{
    if (mainWindow)
        mainWindow->setEnabled(enabled);
}

} // namespace trb
