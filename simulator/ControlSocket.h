#pragma once
// The simulator's control channel: a Unix stream socket, readable and writable by its owner
// only, that takes one command line a connection and answers one line (the fault plan's).
#include <functional>
#include <string>

namespace trb::sim {

class ControlSocket {
public:
    using Handler = std::function<std::string(const std::string &line)>;

    explicit ControlSocket(Handler handler) : handler_(std::move(handler)) {}
    ~ControlSocket();
    ControlSocket(const ControlSocket &) = delete;
    ControlSocket &operator=(const ControlSocket &) = delete;

    // Listens at `path` (an old socket there is replaced); an error text, empty on success.
    std::string listen(const std::string &path);
    int fd() const { return fd_; }
    // Accepts one waiting connection, reads its line, answers it.
    void serveOne();

private:
    Handler handler_;
    std::string path_;
    int fd_ = -1;
};

} // namespace trb::sim
