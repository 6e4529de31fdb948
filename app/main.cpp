#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

#include "MainFrame.h"
#include "ModuleApp.h"
#include "StartupReport.h"
#include "Trb4820Version.h"

namespace {

constexpr char kUsage[] =
    "Usage: trb4820 /I<address> /R<read community> /W<write community>\n"
    "Manages one TRB-4820 wireless access point over SNMPv2c; a network-management platform\n"
    "starts it for one device.\n"
    "\n"
    "  /I<address>          the device's address, optionally with :port (default 161)\n"
    "  /R<read community>   the community the module reads with\n"
    "  /W<write community>  the community the module writes with\n"
    "  --help               show this text\n"
    "  --version            show the version\n"
    "\n"
    "File transfers use the module's own TFTP server, on port 69 or TRB4820_TFTP_PORT.\n";

} // namespace

int main(int argc, char *argv[])
{
    // Answered before Qt starts: neither needs a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs("trb4820 " TRB4820_VERSION "\n", stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
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
