// bench_fleet [UPGRADE_DEVICES [INFO_DEVICES [IMAGE_MIB]]]: trb4820-ctl against simulated devices
// on their own loopback addresses. Upgrades UPGRADE_DEVICES (default 20) with an image of
// IMAGE_MIB MiB (default 16) at --jobs 1 and at --jobs 8: time, ratio, throughput and the
// program's peak memory; then info on INFO_DEVICES (default 200): total time.
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <netinet/in.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FirmwareImage.h"
#include "SimulatorProcess.h"

namespace {

using trb::test::SimulatorProcess;

struct Measured {
    int status = -1;
    double seconds = 0;
    long peakKiB = 0;
};

// Devices on 127.0.<block>.2 and up.
std::vector<std::unique_ptr<SimulatorProcess>> StartDevices(int count, int block, int tftpPort)
{
    std::vector<std::unique_ptr<SimulatorProcess>> devices;
    for (int i = 0; i < count; ++i) {
        const std::string host = "127.0." + std::to_string(block + i / 250) + "." + std::to_string(2 + i % 250);
        devices.push_back(std::make_unique<SimulatorProcess>(
            std::vector<std::string>{"--reboot-seconds", "1", "--tftp-port", std::to_string(tftpPort)}, "", host));
        if (!devices.back()->ok()) {
            std::fprintf(stderr, "simulator %s: %s\n", host.c_str(), devices.back()->error().c_str());
            std::exit(1);
        }
    }
    return devices;
}

// Runs the program to its end; its output goes to the log, its peak memory is measured.
Measured Run(std::vector<std::string> args, const std::string &log)
{
    args.insert(args.begin(), TRB4820_CTL_PATH);
    std::vector<char *> argv;
    for (std::string &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Measured measured;
    rusage usage{};
    ::wait4(child, &measured.status, 0, &usage);
    measured.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measured.peakKiB = usage.ru_maxrss;
    return measured;
}

std::string WriteImage(const std::string &path, const char *version, std::size_t mib)
{
    trb::image::FirmwareImage image;
    image.model = "TRB-4820";
    image.version = version;
    image.body = trb::image::FirmwareImage::randomBody(mib << 20, 11);
    const auto bytes = image.encode();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::vector<std::string> Addresses(const std::vector<std::unique_ptr<SimulatorProcess>> &devices)
{
    std::vector<std::string> addresses;
    for (const auto &device : devices)
        addresses.push_back(device->address());
    return addresses;
}

Measured Upgrade(const std::vector<std::string> &addresses, const std::string &image, int jobs, int tftpPort)
{
    std::vector<std::string> args{"upgrade", image, "--jobs", std::to_string(jobs), "--tftp-port", std::to_string(tftpPort)};
    args.insert(args.end(), addresses.begin(), addresses.end());
    const Measured measured = Run(args, "/tmp/bench_fleet-upgrade-" + std::to_string(jobs) + ".log");
    return measured;
}

} // namespace

int main(int argc, char *argv[])
{
    const int upgradeDevices = argc > 1 ? std::atoi(argv[1]) : 20;
    const int infoDevices = argc > 2 ? std::atoi(argv[2]) : 200;
    const std::size_t imageMib = argc > 3 ? std::size_t(std::atoi(argv[3])) : 16;
    const int tftpPort = SimulatorProcess::freeUdpPort();
    char directory[] = "/tmp/bench_fleet-XXXXXX";
    if (!::mkdtemp(directory))
        return 1;
    const std::string first = WriteImage(std::string(directory) + "/fw-a.bin", "9.0.01", imageMib);
    const std::string second = WriteImage(std::string(directory) + "/fw-b.bin", "9.0.02", imageMib);

    if (upgradeDevices > 0) {
        auto devices = StartDevices(upgradeDevices, 1, tftpPort);
        const auto addresses = Addresses(devices);
        const Measured one = Upgrade(addresses, first, 1, tftpPort);
        const Measured eight = Upgrade(addresses, second, 8, tftpPort);
        const double mib = double(upgradeDevices) * double(imageMib);
        std::printf("upgrade %d devices, %zu MiB image (logs in /tmp/bench_fleet-upgrade-*.log)\n", upgradeDevices, imageMib);
        for (const auto &[jobs, m] : {std::pair{1, one}, std::pair{8, eight}})
            std::printf("  --jobs %d: %6.1f s  %6.1f MiB/s  peak %ld KiB  exit %d\n", jobs, m.seconds, mib / m.seconds,
                        m.peakKiB, WEXITSTATUS(m.status));
        std::printf("  ratio --jobs 1 / --jobs 8: %.2f\n", one.seconds / eight.seconds);
    }
    if (infoDevices > 0) {
        auto devices = StartDevices(infoDevices, 10, tftpPort);
        std::vector<std::string> args{"info"};
        const auto addresses = Addresses(devices);
        args.insert(args.end(), addresses.begin(), addresses.end());
        const Measured info = Run(args, "/tmp/bench_fleet-info.log");
        std::printf("info %d devices: %.2f s  peak %ld KiB  exit %d\n", infoDevices, info.seconds, info.peakKiB,
                    WEXITSTATUS(info.status));
    }
    std::remove(first.c_str());
    std::remove(second.c_str());
    ::rmdir(directory);
    return 0;
}
