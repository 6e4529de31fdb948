// trb4820-sim: a simulated TRB-4820 access point served over SNMPv2c.
#include <cstdio>
#include <iostream>

#include "DefaultDevice.h"
#include "Device.h"
#include "SimulatorOptions.h"
#include "SnmpAgent.h"
#include "Trb4820Version.h"
#include "transfer/TftpFileMover.h"

using namespace trb::sim;

int main(int argc, char **argv)
{
    std::string error;
    auto options = SimulatorOptions::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "trb4820-sim: " << error << "\nTry 'trb4820-sim --help'.\n";
        return 2;
    }
    if (options->help) {
        std::cout << SimulatorOptions::usage();
        return 0;
    }
    if (options->version) {
        std::cout << "trb4820-sim " TRB4820_VERSION "\n";
        return 0;
    }

    DeviceStore store = DefaultDevice::build(options->clients, options->country, options->longNames);
    store.set(DeviceStore::instanceOf("trbModelName"), SnmpValue::text(options->model));
    Device device(std::move(store), options->statePath,
                  std::chrono::seconds(options->rebootSeconds),
                  Neighbourhood(options->neighbours, uint32_t(options->surveySeed), options->longNames), options->counterStart);
    device.transfers().setServerPort(uint16_t(options->tftpPort));
    TftpClient::Settings tftp;
    tftp.lockStep = options->tftpLockstep;
    tftp.paceMs = unsigned(options->tftpDelayMs);
    tftp.localAddress = options->listenHost(); // a device sends from its own address
    device.transfers().setMover(std::make_unique<TftpFileMover>(tftp));
    if (std::string warning = device.loadState(); !warning.empty())
        std::cerr << "trb4820-sim: " << warning << "\n";

    SnmpAgent agent(*options, device);
    if (std::string failure = agent.start(); !failure.empty()) {
        std::cerr << "trb4820-sim: " << failure << "\n";
        return 1;
    }
    std::cout << "listening on " << options->listen << std::endl;
    agent.run();
    return 0;
}
