#pragma once
// The yardstick for the device library: a plain asynchronous Net-SNMP client in the same
// process, sending the same GET PDUs (all at once) and copying every value out, as a careful
// hand-written client would.
#include <map>
#include <string>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

class PlainNetSnmpClient {
public:
    PlainNetSnmpClient(const std::string &peer, const std::string &community, int timeoutMs, int retries);
    ~PlainNetSnmpClient();
    bool ok() const { return session_ != nullptr; }

    // One GET per chunk, sent together; true when every chunk was answered without error.
    bool Read(const std::vector<std::vector<std::vector<oid>>> &chunks);
    const std::map<std::vector<oid>, std::string> &values() const { return values_; }

private:
    static int OnAnswer(int operation, netsnmp_session *, int, netsnmp_pdu *pdu, void *magic);

    void *session_ = nullptr;
    int pending_ = 0;
    bool failed_ = false;
    std::map<std::vector<oid>, std::string> values_;
};
