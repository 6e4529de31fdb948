#include "SimulatorProcess.h"

#include <sys/socket.h>
#include <sys/un.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace trb::test {

std::string SimulatorProcess::executable()
{
    if (const char *path = std::getenv("TRB4820_SIM"); path && *path)
        return path;
    return TRB4820_SIM_PATH;
}

SimulatorProcess::SimulatorProcess(std::vector<std::string> extraArgs, std::string stateFile, std::string host)
    : extraArgs_(std::move(extraArgs)), host_(std::move(host))
{
    char dirTemplate[] = "/tmp/trb4820-simtest-XXXXXX";
    if (!::mkdtemp(dirTemplate)) {
        error_ = std::string("mkdtemp: ") + std::strerror(errno);
        return;
    }
    directory_ = dirTemplate;
    stateFile_ = stateFile.empty() ? directory_ + "/state.ini" : stateFile;
    stderrFile_ = directory_ + "/stderr.log";
    // A port picked free may be taken before the simulator binds it: try a few.
    for (int attempt = 0; attempt < 5 && pid_ <= 0; ++attempt) {
        port_ = freeUdpPort();
        launch();
    }
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
    if (!directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
}

int SimulatorProcess::freeUdpPort()
{
    int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
        ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (fd >= 0)
        ::close(fd);
    return port;
}

bool SimulatorProcess::launch()
{
    std::vector<std::string> args = {executable(), "--listen", address(), "--state", stateFile_,
                                     "--control", controlPath()};
    args.insert(args.end(), extraArgs_.begin(), extraArgs_.end());
    std::vector<char *> argv;
    for (auto &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) {
        error_ = std::string("pipe: ") + std::strerror(errno);
        return false;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        // A test that dies must not leave simulators behind holding ports.
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::dup2(out[1], STDOUT_FILENO);
        int err = ::open(stderrFile_.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (err >= 0)
            ::dup2(err, STDERR_FILENO);
        ::execv(argv[0], argv.data());
        std::fprintf(stderr, "cannot run %s: %s\n", argv[0], std::strerror(errno));
        ::_exit(127);
    }
    ::close(out[1]);
    if (child < 0) {
        ::close(out[0]);
        error_ = std::string("fork: ") + std::strerror(errno);
        return false;
    }
    pid_ = child;
    const bool listening = waitForListening(out[0]);
    ::close(out[0]);
    if (!listening) {
        stop();
        error_ = "simulator did not start: " + errorOutput();
        return false;
    }
    error_.clear();
    return true;
}

// Reads the simulator's stdout until its "listening on" line (10 s at most).
bool SimulatorProcess::waitForListening(int fd)
{
    std::string seen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd p = {fd, POLLIN, 0};
        if (::poll(&p, 1, 100) < 0 && errno != EINTR)
            return false;
        if (p.revents & (POLLIN | POLLHUP)) {
            char buffer[256];
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0)
                return false; // exited before listening
            seen.append(buffer, static_cast<size_t>(n));
            if (seen.find("listening on") != std::string::npos && seen.find('\n') != std::string::npos)
                return true;
        }
    }
    return false;
}

int SimulatorProcess::stop()
{
    if (pid_ <= 0)
        return -1;
    int status = 0;
    ::kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    pid_t done = 0;
    while ((done = ::waitpid(pid_, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (done == 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, &status, 0);
    }
    pid_ = -1;
    return status;
}

bool SimulatorProcess::start()
{
    if (pid_ > 0)
        return true;
    return launch();
}

bool SimulatorProcess::restart()
{
    stop();
    return launch();
}

std::string SimulatorProcess::errorOutput() const
{
    std::ifstream in(stderrFile_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace trb::test

namespace trb::test {

std::string SimulatorProcess::control(const std::string &command) const
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = controlPath();
    if (path.size() >= sizeof address.sun_path)
        return "error: control path too long";
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return "error: no socket";
    std::string answer;
    const std::string line = command + "\n";
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0
        && ::send(fd, line.data(), line.size(), MSG_NOSIGNAL) == ssize_t(line.size())) {
        char c;
        while (::read(fd, &c, 1) == 1 && c != '\n')
            answer += c;
    }
    ::close(fd);
    return answer.empty() ? "error: the control socket did not answer" : answer;
}

} // namespace trb::test
