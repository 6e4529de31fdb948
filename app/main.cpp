#include <QApplication>
#include <QTimer>

#include <cstdio>

#include "MainFrame.h"
#include "ModuleApp.h"
#include "StartupReport.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("TRB-4820"));

    trb::ModuleApp module;
    if (!module.InitInstance(QCoreApplication::arguments()))
        return 1;
    trb::StartupReport::ArmIfRequested(module.mainFrame());
    const int result = application.exec();
    module.ExitInstance();
    return result;
}
