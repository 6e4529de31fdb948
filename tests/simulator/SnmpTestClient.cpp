#include "SnmpTestClient.h"

#include <algorithm>
#include <mutex>
#include <stdexcept>

#include "ObjectSchema.h"

namespace trb::test {
namespace {

void initOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ::setenv("MIBS", "", 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
        netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
        init_snmp("trb4820-sim-test");
    });
}

Varbind fromVariable(const netsnmp_variable_list *var)
{
    Varbind v;
    v.name.assign(var->name, var->name + var->name_length);
    v.type = var->type;
    if (var->type == ASN_OCTET_STR || var->type == ASN_IPADDRESS || var->type == ASN_OPAQUE)
        v.bytes.assign(reinterpret_cast<const char *>(var->val.string), var->val_len);
    else if (var->val.integer && var->val_len >= sizeof(long))
        v.number = *var->val.integer;
    return v;
}

} // namespace

SnmpTestClient::SnmpTestClient(const std::string &address, const std::string &community, int timeoutMs,
                               int retries)
{
    initOnce();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.peername = const_cast<char *>(address.c_str());
    settings.community = reinterpret_cast<u_char *>(const_cast<char *>(community.c_str()));
    settings.community_len = community.size();
    settings.timeout = timeoutMs * 1000L;
    settings.retries = retries;
    session_ = snmp_sess_open(&settings);
    if (!session_)
        throw std::runtime_error("cannot open an SNMP session to " + address);
}

SnmpTestClient::~SnmpTestClient()
{
    if (session_)
        snmp_sess_close(session_);
}

SnmpReply SnmpTestClient::send(netsnmp_pdu *pdu)
{
    SnmpReply reply;
    netsnmp_pdu *response = nullptr;
    const int status = snmp_sess_synch_response(session_, pdu, &response);
    if (status == STAT_SUCCESS && response) {
        reply.answered = true;
        reply.errorStatus = response->errstat;
        reply.errorIndex = response->errindex;
        for (auto *var = response->variables; var; var = var->next_variable)
            reply.varbinds.push_back(fromVariable(var));
    }
    if (response)
        snmp_free_pdu(response);
    return reply;
}

SnmpReply SnmpTestClient::get(const std::vector<std::vector<oid>> &names)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    for (const auto &name : names)
        snmp_add_null_var(pdu, name.data(), name.size());
    return send(pdu);
}

SnmpReply SnmpTestClient::set(const std::vector<Varbind> &varbinds)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_SET);
    for (const auto &v : varbinds) {
        if (v.type == ASN_OCTET_STR || v.type == ASN_IPADDRESS)
            snmp_pdu_add_variable(pdu, v.name.data(), v.name.size(), v.type, v.bytes.data(), v.bytes.size());
        else
            snmp_pdu_add_variable(pdu, v.name.data(), v.name.size(), v.type, &v.number, sizeof v.number);
    }
    return send(pdu);
}

SnmpReply SnmpTestClient::getBulk(const std::vector<oid> &name, int maxRepetitions)
{
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GETBULK);
    pdu->non_repeaters = 0;
    pdu->max_repetitions = maxRepetitions;
    snmp_add_null_var(pdu, name.data(), name.size());
    return send(pdu);
}

std::optional<std::vector<Varbind>> SnmpTestClient::walk(const std::vector<oid> &root, int maxRepetitions)
{
    std::vector<Varbind> rows;
    std::vector<oid> cursor = root;
    for (;;) {
        SnmpReply reply = getBulk(cursor, maxRepetitions);
        if (!reply.answered || reply.errorStatus != SNMP_ERR_NOERROR)
            return std::nullopt;
        for (auto &v : reply.varbinds) {
            const bool inside = v.name.size() > root.size() &&
                                std::equal(root.begin(), root.end(), v.name.begin());
            if (!inside || v.type == SNMP_ENDOFMIBVIEW)
                return rows;
            if (!rows.empty() && !(rows.back().name < v.name))
                return std::nullopt; // not increasing: the agent would loop
            rows.push_back(v);
        }
        if (reply.varbinds.empty())
            return rows;
        cursor = rows.back().name;
    }
}

std::vector<oid> SnmpTestClient::oidOf(const char *name, std::initializer_list<uint32_t> instance)
{
    const auto *object = schema::findObject(name);
    if (!object)
        throw std::logic_error(std::string("no schema object ") + name);
    std::vector<uint32_t> numbers(instance);
    auto full = schema::instanceOid(*object, numbers);
    return std::vector<oid>(full.begin(), full.end());
}

Varbind SnmpTestClient::text(const char *name, std::initializer_list<uint32_t> instance, const std::string &value)
{
    return Varbind{oidOf(name, instance), ASN_OCTET_STR, 0, value};
}

Varbind SnmpTestClient::integer(const char *name, std::initializer_list<uint32_t> instance, long value)
{
    return Varbind{oidOf(name, instance), ASN_INTEGER, value, {}};
}

std::optional<Varbind> SnmpTestClient::getObject(const char *name, std::initializer_list<uint32_t> instance)
{
    SnmpReply reply = get({oidOf(name, instance)});
    if (!reply.answered || reply.errorStatus != SNMP_ERR_NOERROR || reply.varbinds.size() != 1)
        return std::nullopt;
    return reply.varbinds.front();
}

long SnmpTestClient::setObject(const char *name, std::initializer_list<uint32_t> instance, u_char type,
                               const std::string &bytes, long number)
{
    SnmpReply reply = set({Varbind{oidOf(name, instance), type, number, bytes}});
    return reply.answered ? reply.errorStatus : -1;
}

} // namespace trb::test
