// trb4820-ctl: one command on a fleet of TRB-4820 access points.
#include <QCoreApplication>

#include <csignal>
#include <cstdio>

#include "CtlOptions.h"
#include "DeviceSession.h"
#include "DeviceTransfers.h"
#include "FleetRunner.h"
#include "Reporter.h"
#include "TRB4820apHelp.h"
#include "TaskFactory.h"
#include "Trb4820Version.h"

using namespace trb::ctl;

namespace {

void OnInterrupt(int) { FleetRunner::RequestStop(); }

void CatchInterrupts()
{
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("trb4820-ctl"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRB4820_VERSION));
    const auto options = CtlOptions::Parse(QCoreApplication::arguments());
    if (!options)
        return 2;
    // Net-SNMP is initialised once, before any thread starts.
    apInitSnmpLibrary();
    TaskFactory::Prepared prepared = TaskFactory::Create(*options);
    if (!prepared.task) {
        std::fprintf(stderr, "trb4820-ctl: %s\n", prepared.error.c_str());
        apUninitSnmpLibrary();
        return prepared.exitCode;
    }
    CatchInterrupts();
    Reporter reporter(Reporter::ModeFor(options->json), prepared.task->Columns());
    if (DeviceTransfers *transfers = prepared.task->Transfers())
        transfers->SetProgressFunction([&reporter](const std::string &device, uint64_t bytes, uint64_t total) {
            reporter.Progress(device, bytes, total);
        });
    SessionSettings settings{options->communities, options->timeoutMs, options->retries};
    FleetRunner runner(options->jobs, options->retryOffline, reporter);
    reporter.Expect(options->devices.size());
    runner.Run(options->devices, [&](const DeviceAddress &device) {
        DeviceSession session(device, settings);
        if (!session.Opened().Ok())
            return DeviceResult::Failure(session.Opened());
        return prepared.task->Run(device, session, [&](const std::string &text) { reporter.Step(device, text); });
    });
    const int status = reporter.Summarize(options->devices);
    prepared.task.reset();
    apUninitSnmpLibrary();
    return status;
}
