#include "SnmpAgent.h"

#include "RequestPeek.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/stat.h>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

// From Net-SNMP's mibII/vacm_vars (no public header): registers rocommunity and rwcommunity.
extern "C" void init_vacm_vars(void);

namespace trb::sim {

int SnmpAgent::stopPipe_[2] = {-1, -1};

namespace {
constexpr const char *kAppName = "trb4820-sim";
std::mt19937 &dropGenerator()
{
    static std::mt19937 generator{std::random_device{}()};
    return generator;
}
} // namespace

SnmpAgent::SnmpAgent(const SimulatorOptions &options, Device &device)
    : options_(options), device_(device),
      handler_(device,
               AnswerFaults{options.oversizeStrings, options.wrongTypes,
                            options.wrongTypeObject.empty() ? Oid{} : DeviceStore::instanceOf(options.wrongTypeObject)},
               options.writeCommunity),
      control_([this](const std::string &line) { return faultPlan_.command(line); })
{
}

SnmpAgent::~SnmpAgent()
{
    if (started_)
        snmp_shutdown(kAppName);
    if (!persistentDir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(persistentDir_, ignored);
    }
}

std::string SnmpAgent::start()
{
    // Net-SNMP must not read or write any file of its own: no config, no persistent state.
    char dirTemplate[] = "/tmp/trb4820-sim-XXXXXX";
    if (!::mkdtemp(dirTemplate))
        return std::string("cannot create a temporary directory: ") + std::strerror(errno);
    persistentDir_ = dirTemplate;
    // Made here so that Net-SNMP does not announce creating it.
    ::mkdir((persistentDir_ + "/cert_indexes").c_str(), 0700);
    ::setenv("MIBS", "", 1); // the agent needs no MIB text
    ::setenv("SNMPCONFPATH", persistentDir_.c_str(), 1);

    snmp_enable_stderrlog();
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_ROLE, 0); // master
    netsnmp_ds_set_string(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_PORTS,
                          ("udp:" + options_.listen).c_str());
    netsnmp_ds_set_boolean(NETSNMP_DS_APPLICATION_ID, NETSNMP_DS_AGENT_DONT_LOG_TCPWRAPPERS_CONNECTS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_PERSISTENT_DIR, persistentDir_.c_str());
    netsnmp_ds_set_string(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_CONFIGURATION_DIR, persistentDir_.c_str());

    add_to_init_list(const_cast<char *>("-smux"));
    init_agent(kAppName);
    init_vacm_vars(); // rocommunity / rwcommunity
    const std::string ro = "rocommunity " + options_.readCommunity;
    const std::string rw = "rwcommunity " + options_.writeCommunity;
    netsnmp_config_remember(const_cast<char *>(ro.c_str()));
    netsnmp_config_remember(const_cast<char *>(rw.c_str()));
    init_snmp(kAppName);
    started_ = true;

    if (!handler_.registerSubtree())
        return "cannot register the TRB-4820 subtree";
    if (init_master_agent() != 0)
        return "cannot listen on " + options_.listen + " (address in use or not local?)";

    if (::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0)
        return std::string("cannot create the stop pipe: ") + std::strerror(errno);
    register_readfd(stopPipe_[0], &SnmpAgent::onStopPipe, this);
    if (!options_.controlPath.empty()) {
        if (std::string error = control_.listen(options_.controlPath); !error.empty())
            return error;
        register_readfd(control_.fd(), &SnmpAgent::onControl, this);
    }
    struct sigaction action{};
    action.sa_handler = &SnmpAgent::onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    return {};
}

void SnmpAgent::onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] auto ignored = ::write(stopPipe_[1], &byte, 1);
}

void SnmpAgent::onStopPipe(int fd, void *self)
{
    char buffer[16];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    static_cast<SnmpAgent *>(self)->stopRequested_ = true;
}

void SnmpAgent::onControl(int, void *self) { static_cast<SnmpAgent *>(self)->control_.serveOne(); }

void SnmpAgent::run()
{
    while (!stopRequested_) {
        fd_set readfds, writefds, exceptfds;
        FD_ZERO(&readfds);
        FD_ZERO(&writefds);
        FD_ZERO(&exceptfds);
        int numfds = 0;
        int block = 0;
        struct timeval timeout = {0, 100000};
        snmp_select_info(&numfds, &readfds, &timeout, &block);
        netsnmp_external_event_info(&numfds, &readfds, &writefds, &exceptfds);
        // Wake at least every 100 ms so that a reboot ends on time.
        if (timeout.tv_sec > 0 || timeout.tv_usec > 100000)
            timeout = {0, 100000};
        int count = ::select(numfds, &readfds, &writefds, &exceptfds, &timeout);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "trb4820-sim: select failed: %s\n", std::strerror(errno));
            break;
        }
        if (count > 0) {
            netsnmp_dispatch_external_events(&count, &readfds, &writefds, &exceptfds);
            FD_CLR(stopPipe_[0], &readfds);
            if (count > 0 && !stopRequested_)
                handleReadable(readfds, numfds);
        } else {
            snmp_timeout();
        }
        run_alarms();
        netsnmp_check_outstanding_agent_requests();
        device_.tick();
    }
}

void SnmpAgent::handleReadable(fd_set &readfds, int numfds)
{
    if (device_.rebooting()) {
        discardPending(readfds, numfds, true);
        return;
    }
    if (options_.dropPercent > 0 &&
        std::uniform_int_distribution<int>(0, 99)(dropGenerator()) < options_.dropPercent) {
        discardPending(readfds, numfds, false);
        return;
    }
    if (options_.delayMs > 0)
        sleepFor(options_.delayMs);
    bool dropped = false;
    const std::optional<FaultRule> fault = plannedFault(readfds, numfds, dropped);
    if (dropped)
        return;
    if (fault && fault->action == FaultRule::Action::Late)
        sleepFor(fault->delayMs);
    if (stopRequested_)
        return;
    handler_.setRequestFault(fault ? &*fault : nullptr);
    snmp_read(&readfds);
    handler_.setRequestFault(nullptr);
    // The answer has gone out: a restart, discard or factory reset may now go silent.
    device_.startPendingReboot();
}

std::optional<FaultRule> SnmpAgent::plannedFault(fd_set &readfds, int numfds, bool &dropped)
{
    for (int fd = 0; fd < numfds; ++fd) {
        if (!FD_ISSET(fd, &readfds) || fd == stopPipe_[0] || fd == control_.fd())
            continue;
        const auto request = peekRequest(fd);
        if (!request)
            continue;
        auto fault = faultPlan_.take(request->kind, request->names);
        if (!fault)
            return std::nullopt;
        std::fprintf(stderr, "trb4820-sim: fault \"%s\" hit %s\n", fault->text.c_str(), request->describe().c_str());
        if (fault->action == FaultRule::Action::Drop) {
            char byte;
            ::recv(fd, &byte, 1, MSG_DONTWAIT); // a datagram goes whole
            dropped = true;
        }
        return fault;
    }
    return std::nullopt;
}

// Reads and throws away one datagram per readable socket, or all that are queued.
void SnmpAgent::discardPending(fd_set &readfds, int numfds, bool everything)
{
    char buffer[65536];
    for (int fd = 0; fd < numfds; ++fd) {
        if (!FD_ISSET(fd, &readfds) || fd == stopPipe_[0])
            continue;
        while (::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT) >= 0 && everything) {
        }
    }
}

// Waits, but gives up at once when asked to stop.
void SnmpAgent::sleepFor(int milliseconds)
{
    struct pollfd stop = {stopPipe_[0], POLLIN, 0};
    while (::poll(&stop, 1, milliseconds) < 0 && errno == EINTR) {
    }
    if (stop.revents & POLLIN)
        onStopPipe(stopPipe_[0], this);
}

} // namespace trb::sim
