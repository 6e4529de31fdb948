#include "MainWindowLink.h"

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
    if (mainWindow)
        mainWindow->statusBar()->showMessage(text);
}

void MainWindowLink::SetEnabled(bool enabled)
{
    if (mainWindow)
        mainWindow->setEnabled(enabled);
}

} // namespace trb
