// Reads the device information group (mask 0x1) N times with the device library, then reads
// the same objects N times with snmpget (one invocation per PDU of at most 30 objects, the
// library's own split), both through a counting UDP relay in front of the simulator.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "RecordBindings.h"
#include "SimulatorProcess.h"
#include "SnmpEngine.h"
#include "TRB4820apHelp.h"
#include "UdpRelay.h"

extern char **environ;

using namespace std::chrono;
using namespace trb::devicelib;

namespace {

std::vector<std::vector<std::string>> objectChunks()
{
    std::vector<std::string> oids;
    std::set<Oid> seen;
    for (const Binding *b : bindingsOfGroups(Family::DeviceInfo, AP_DEVINFO_GROUP_DEVICE)) {
        Oid oid = instanceOidOf(*b);
        if (!seen.insert(oid).second)
            continue;
        std::string text;
        for (uint32_t part : oid)
            text += "." + std::to_string(part);
        oids.push_back(text);
    }
    std::vector<std::vector<std::string>> chunks;
    for (std::size_t i = 0; i < oids.size(); i += SnmpEngine::kMaxVarbinds)
        chunks.emplace_back(oids.begin() + i, oids.begin() + std::min(oids.size(), i + SnmpEngine::kMaxVarbinds));
    return chunks;
}

bool runSnmpget(int port, const std::vector<std::string> &oids)
{
    std::vector<std::string> args = {"snmpget", "-v2c", "-c", "public", "-r", "1", "-t", "1.5", "-Oqn",
                                     "127.0.0.1:" + std::to_string(port)};
    args.insert(args.end(), oids.begin(), oids.end());
    std::vector<char *> argv;
    for (auto &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int rc = posix_spawnp(&pid, "snmpget", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return false;
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    int reads = argc > 1 ? std::atoi(argv[1]) : 200;
    if (reads <= 0) {
        std::fprintf(stderr, "usage: bench_devinfo [reads]\n");
        return 2;
    }
    if (apInitSnmpLibrary() != AP_OK)
        return 1;
    trb::test::SimulatorProcess sim;
    if (!sim.ok()) {
        std::fprintf(stderr, "simulator: %s\n", sim.error().c_str());
        return 1;
    }
    UdpRelay relay(sim.port());
    std::string address = "127.0.0.1:" + std::to_string(relay.port());
    APHANDLE session = apSnmpOpenSession(35, "trb3710");
    apSnmpSetSession(session, 161, "public", "private", 150, address.c_str(), 1);
    APHANDLE info = apSysDeviceInforOpen(session, 0);
    static apDeviceInfoRecord record;
    auto chunks = objectChunks();
    std::size_t objects = 0;
    for (auto &c : chunks)
        objects += c.size();

    // Warm up both paths once.
    if (apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0) != AP_OK || !runSnmpget(relay.port(), chunks[0])) {
        std::fprintf(stderr, "warm-up read failed\n");
        return 1;
    }

    relay.resetCounts();
    auto start = steady_clock::now();
    int failures = 0;
    for (int i = 0; i < reads; ++i) {
        failures += apSnmpSendGetRequest(info, nullptr, nullptr, AP_MODE_BLOCKING, 0) != AP_OK;
        record.group = AP_DEVINFO_RECORD_GROUP_DEVICE;
        apSysDeviceGetInfor(info, &record);
    }
    double libraryMs = duration<double, std::milli>(steady_clock::now() - start).count() / reads;
    long libraryOut = relay.toAgent(), libraryIn = relay.toClient();

    relay.resetCounts();
    start = steady_clock::now();
    int toolFailures = 0;
    for (int i = 0; i < reads; ++i)
        for (auto &chunk : chunks)
            toolFailures += !runSnmpget(relay.port(), chunk);
    double toolMs = duration<double, std::milli>(steady_clock::now() - start).count() / reads;
    long toolOut = relay.toAgent(), toolIn = relay.toClient();

    std::printf("device information group: %zu objects, %zu PDUs of at most %zu\n", objects, chunks.size(),
                SnmpEngine::kMaxVarbinds);
    std::printf("%-10s %8s %14s %14s %12s %9s\n", "", "reads", "to agent/read", "to client/read", "ms/read",
                "failures");
    std::printf("%-10s %8d %14.2f %14.2f %12.3f %9d\n", "library", reads, double(libraryOut) / reads,
                double(libraryIn) / reads, libraryMs, failures);
    std::printf("%-10s %8d %14.2f %14.2f %12.3f %9d\n", "snmpget", reads, double(toolOut) / reads,
                double(toolIn) / reads, toolMs, toolFailures);
    std::printf("in-process time / tool time: %.3fx\n", libraryMs / toolMs);
    apUninitSnmpLibrary();
    return failures || toolFailures ? 1 : 0;
}
