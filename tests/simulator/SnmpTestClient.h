#pragma once
// A small synchronous SNMPv2c client for the simulator tests, on Net-SNMP's single-session API.
#include <optional>
#include <string>
#include <vector>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace trb::test {

struct Varbind {
    std::vector<oid> name;
    u_char type = 0;
    long number = 0;
    std::string bytes;
};

struct SnmpReply {
    bool answered = false;  // false: timed out (or could not be sent)
    long errorStatus = 0;   // SNMP_ERR_*
    long errorIndex = 0;
    std::vector<Varbind> varbinds;
};

class SnmpTestClient {
public:
    SnmpTestClient(const std::string &address, const std::string &community, int timeoutMs = 1000,
                   int retries = 0);
    ~SnmpTestClient();
    SnmpTestClient(const SnmpTestClient &) = delete;
    SnmpTestClient &operator=(const SnmpTestClient &) = delete;

    SnmpReply get(const std::vector<std::vector<oid>> &names);
    SnmpReply set(const std::vector<Varbind> &varbinds);
    SnmpReply getBulk(const std::vector<oid> &name, int maxRepetitions);
    // Every instance below `root`, read with GETBULK; nothing when a request goes unanswered.
    std::optional<std::vector<Varbind>> walk(const std::vector<oid> &root, int maxRepetitions = 20);

    // Convenience: one GET of a named schema object's instance.
    std::optional<Varbind> getObject(const char *name, std::initializer_list<uint32_t> instance = {});
    // One SET of an instance; returns the error status, or -1 when there was no answer.
    long setObject(const char *name, std::initializer_list<uint32_t> instance, u_char type,
                   const std::string &bytes, long number = 0);

    static std::vector<oid> oidOf(const char *name, std::initializer_list<uint32_t> instance = {});
    static Varbind text(const char *name, std::initializer_list<uint32_t> instance, const std::string &value);
    static Varbind integer(const char *name, std::initializer_list<uint32_t> instance, long value);

private:
    SnmpReply send(netsnmp_pdu *pdu);
    void *session_ = nullptr;
};

} // namespace trb::test
