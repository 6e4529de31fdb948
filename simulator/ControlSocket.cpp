#include "ControlSocket.h"

#include <cerrno>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace trb::sim {
namespace {

constexpr size_t kMaxLine = 1024;
// A client that connects and says nothing must not stall the agent for long.
constexpr int kReadTimeoutMs = 500;

std::string readLine(int fd)
{
    std::string line;
    char c = 0;
    struct pollfd wait = {fd, POLLIN, 0};
    while (line.size() < kMaxLine && ::poll(&wait, 1, kReadTimeoutMs) > 0 && ::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    return line;
}

} // namespace

ControlSocket::~ControlSocket()
{
    if (fd_ >= 0) {
        ::close(fd_);
        ::unlink(path_.c_str());
    }
}

std::string ControlSocket::listen(const std::string &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return "control socket path too long: " + path;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0)
        return std::string("cannot create the control socket: ") + std::strerror(errno);
    ::unlink(path.c_str());
    const mode_t previous = ::umask(0177); // owner only, from the first moment it exists
    const int bound = ::bind(fd_, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::umask(previous);
    if (bound != 0 || ::listen(fd_, 8) != 0) {
        const std::string error = "cannot listen on " + path + ": " + std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        return error;
    }
    path_ = path;
    return {};
}

void ControlSocket::serveOne()
{
    const int client = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    std::string line = readLine(client);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const std::string answer = handler_(line) + "\n";
    [[maybe_unused]] const ssize_t written = ::send(client, answer.data(), answer.size(), MSG_NOSIGNAL);
    ::close(client);
}

} // namespace trb::sim
