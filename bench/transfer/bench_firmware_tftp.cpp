// A 32 MiB firmware image fetched by the simulator's TFTP client from the module's server on
// loopback, and the same image stored back: median time and MiB/s per block and window size.
// Usage: bench_firmware_tftp [runs]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>
#include <string>
#include <vector>

#include "TftpServerCore.h"
#include "transfer/TftpClient.h"

using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kImageBytes = 32u << 20;

struct Setup {
    const char *label;
    std::size_t blockSize;
    unsigned windowSize;
    bool lockStep;
};

const Setup kSetups[] = {
    {"lock-step 512/1", 512, 1, true},
    {"blksize 1428, window 16", 1428, 16, false},
    {"blksize 8192, window 16", 8192, 16, false},
    {"blksize 65464, window 8", 65464, 8, false},
};

std::vector<std::uint8_t> randomImage()
{
    std::vector<std::uint8_t> bytes(kImageBytes);
    std::mt19937_64 random(4820);
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t value = random();
        std::copy_n(reinterpret_cast<const std::uint8_t *>(&value), 8, bytes.begin() + i);
    }
    return bytes;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

trb::sim::TftpClient clientFor(const Setup &setup)
{
    trb::sim::TftpClient::Settings settings;
    settings.blockSize = setup.blockSize;
    settings.windowSize = setup.windowSize;
    settings.lockStep = setup.lockStep;
    settings.lingerMs = 0; // the time to move the file, not the wait for a lost last ACK
    return trb::sim::TftpClient(settings);
}

// Seconds per run; nothing when a run failed or moved wrong bytes.
std::vector<double> timeRuns(int runs, const Setup &setup, std::uint16_t port, const fs::path &root,
                             const std::vector<std::uint8_t> &image, bool fetch)
{
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        std::vector<std::uint8_t> fetched;
        const auto start = steady_clock::now();
        const auto result = fetch ? clientFor(setup).read("127.0.0.1", port, "fw.bin", fetched)
                                  : clientFor(setup).write("127.0.0.1", port, "stored.bin", image);
        seconds.push_back(duration<double>(steady_clock::now() - start).count());
        if (!result.ok || (fetch && fetched != image) || (!fetch && fs::file_size(root / "stored.bin") != image.size())) {
            std::fprintf(stderr, "%s %s failed: %s\n", setup.label, fetch ? "fetch" : "store", result.error.c_str());
            return {};
        }
    }
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    if (runs <= 0)
        return 2;
    const fs::path root = fs::temp_directory_path() / ("bench-tftp-" + std::to_string(::getpid()));
    fs::create_directories(root);
    const auto image = randomImage();
    std::ofstream(root / "fw.bin", std::ios::binary).write(reinterpret_cast<const char *>(image.data()), image.size());

    tftp::TftpServerCore server;
    server.SetRoot(root.string());
    server.SetTimeout(1000, 5);
    std::string error;
    if (!server.Start("127.0.0.1", 0, error)) {
        std::fprintf(stderr, "server: %s\n", error.c_str());
        return 1;
    }
    std::printf("32 MiB over loopback, median of %d runs\n", runs);
    std::printf("%-26s %10s %10s %10s %10s\n", "", "fetch s", "MiB/s", "store s", "MiB/s");
    int failures = 0;
    for (const Setup &setup : kSetups) {
        const auto fetches = timeRuns(runs, setup, server.BoundPort(), root, image, true);
        const auto stores = timeRuns(runs, setup, server.BoundPort(), root, image, false);
        if (fetches.empty() || stores.empty()) {
            ++failures;
            continue;
        }
        const double fetch = median(fetches), store = median(stores);
        std::printf("%-26s %10.3f %10.1f %10.3f %10.1f\n", setup.label, fetch, 32 / fetch, store, 32 / store);
    }
    server.Stop();
    fs::remove_all(root);
    return failures == 0 ? 0 : 1;
}
