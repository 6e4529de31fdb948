#include "SessionWait.h"

#include <poll.h>

#include <algorithm>

namespace trb::devicelib {

SessionWait::SessionWait()
{
    netsnmp_large_fd_set_init(&fds_, FD_SETSIZE);
    NETSNMP_LARGE_FD_ZERO(&fds_);
}

SessionWait::~SessionWait() { netsnmp_large_fd_set_cleanup(&fds_); }

void SessionWait::watchSession(void *net)
{
    // Each session answers for itself: a session without requests resets `block`.
    timeval next{};
    int block = 1;
    snmp_sess_select_info2(net, &count_, &fds_, &next, &block);
    if (!block)
        endWithin(next);
}

void SessionWait::watchDescriptor(int fd)
{
    NETSNMP_LARGE_FD_SET(fd, &fds_);
    count_ = std::max(count_, fd + 1);
}

void SessionWait::endWithin(const timeval &limit)
{
    if (!haveLimit_ || timercmp(&limit, &limit_, <))
        limit_ = limit;
    haveLimit_ = true;
}

void SessionWait::wait()
{
    if (netsnmp_large_fd_set_select(count_, &fds_, nullptr, nullptr, haveLimit_ ? &limit_ : nullptr) < 0)
        NETSNMP_LARGE_FD_ZERO(&fds_); // interrupted: nothing is known to be ready
}

bool SessionWait::ready(int fd) const
{
    return fd >= 0 && fd < count_ && NETSNMP_LARGE_FD_ISSET(fd, const_cast<netsnmp_large_fd_set *>(&fds_));
}

void SessionWait::readSession(void *net)
{
    netsnmp_transport *transport = snmp_sess_transport(net);
    if (!transport || !ready(transport->sock))
        return;
    pollfd waiting{transport->sock, POLLIN, 0};
    if (poll(&waiting, 1, 0) == 1 && (waiting.revents & POLLIN))
        snmp_sess_read2(net, &fds_);
}

} // namespace trb::devicelib
