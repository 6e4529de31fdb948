#pragma once
// Runs trb4820-sim for a test: a free loopback UDP port, a state file in a temporary
// directory of its own, extra arguments as given. Stopped (SIGTERM, then SIGKILL) on destruction,
// and also when the thread that started it ends. The environment variable TRB4820_SIM, when
// set, names another simulator executable (for example a sanitizer build).
#include <string>
#include <sys/types.h>
#include <vector>

namespace trb::test {

class SimulatorProcess {
public:
    // Starts at once; check ok() and error(). stateFile: empty for a fresh temporary one.
    // host: the loopback address it serves from (127.0.0.2 ... for several devices at once).
    explicit SimulatorProcess(std::vector<std::string> extraArgs = {}, std::string stateFile = {},
                              std::string host = "127.0.0.1");
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess &) = delete;
    SimulatorProcess &operator=(const SimulatorProcess &) = delete;

    bool ok() const { return pid_ > 0; }
    const std::string &error() const { return error_; }

    std::string address() const { return host_ + ":" + std::to_string(port_); }
    const std::string &host() const { return host_; }
    int port() const { return port_; }
    const std::string &stateFile() const { return stateFile_; }
    // The temporary directory that holds the state file and the simulator's stderr.
    const std::string &directory() const { return directory_; }
    // Everything the simulator wrote to stderr so far.
    std::string errorOutput() const;
    pid_t pid() const { return pid_; }

    // One command to the simulator's fault plan through its control socket (see trb4820-sim
    // --help), e.g. control("fault set trbBandSsid 1 error genErr"); its answer line, or
    // "error: ..." when the socket does not answer.
    std::string control(const std::string &command) const;
    std::string controlPath() const { return directory_ + "/control"; }

    // Stops it (SIGTERM, then SIGKILL after 3 s); returns the exit status as waitpid reports it.
    int stop();
    // Stops and starts it again on the same port with the same state file and arguments.
    bool restart();
    // Starts it again after stop() (same port, state file, arguments).
    bool start();

    static std::string executable();
    // A UDP port nothing on the loopback address uses now (0 when none could be had).
    static int freeUdpPort();

private:
    bool launch();
    bool waitForListening(int fd);

    std::vector<std::string> extraArgs_;
    std::string host_;
    std::string directory_;
    std::string stateFile_;
    std::string stderrFile_;
    std::string error_;
    int port_ = 0;
    pid_t pid_ = -1;
};

} // namespace trb::test
