#pragma once
// One wait for answers on some Net-SNMP sessions and for wake-up descriptors, until the earliest
// retry time of those sessions' requests. Built and read with the engine lock held, waited on
// without it, so that another thread may drive Net-SNMP meanwhile.
#include <sys/time.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/library/large_fd_set.h>

namespace trb::devicelib {

class SessionWait {
public:
    SessionWait();
    ~SessionWait();
    SessionWait(const SessionWait &) = delete;
    SessionWait &operator=(const SessionWait &) = delete;

    void watchSession(void *net);
    void watchDescriptor(int fd);
    void endWithin(const timeval &limit);

    void wait();
    bool ready(int fd) const;
    // Reads one answer if the session's socket still holds one: two threads may have waited on
    // it, and the other may have taken it (a read of an empty socket would block).
    void readSession(void *net);

private:
    netsnmp_large_fd_set fds_;
    int count_ = 0;
    bool haveLimit_ = false;
    timeval limit_{};
};

} // namespace trb::devicelib
