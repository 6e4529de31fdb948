#include "PlainNetSnmpClient.h"

#include <sys/select.h>

PlainNetSnmpClient::PlainNetSnmpClient(const std::string &peer, const std::string &community, int timeoutMs,
                                       int retries)
{
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.peername = const_cast<char *>(peer.c_str());
    settings.community = reinterpret_cast<u_char *>(const_cast<char *>(community.c_str()));
    settings.community_len = community.size();
    settings.timeout = timeoutMs * 1000L;
    settings.retries = retries;
    settings.callback = &PlainNetSnmpClient::OnAnswer;
    settings.callback_magic = this;
    session_ = snmp_sess_open(&settings);
}

PlainNetSnmpClient::~PlainNetSnmpClient()
{
    if (session_)
        snmp_sess_close(session_);
}

int PlainNetSnmpClient::OnAnswer(int operation, netsnmp_session *, int, netsnmp_pdu *pdu, void *magic)
{
    auto *self = static_cast<PlainNetSnmpClient *>(magic);
    if (operation == NETSNMP_CALLBACK_OP_RESEND)
        return 1;
    --self->pending_;
    if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu || pdu->errstat != SNMP_ERR_NOERROR) {
        self->failed_ = true;
        return 1;
    }
    for (netsnmp_variable_list *var = pdu->variables; var; var = var->next_variable)
        self->values_[std::vector<oid>(var->name, var->name + var->name_length)]
            .assign(reinterpret_cast<const char *>(var->val.string), var->val_len);
    return 1;
}

bool PlainNetSnmpClient::Read(const std::vector<std::vector<std::vector<oid>>> &chunks)
{
    failed_ = false;
    for (const auto &chunk : chunks) {
        netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
        for (const auto &name : chunk)
            snmp_add_null_var(pdu, name.data(), name.size());
        if (!snmp_sess_async_send(session_, pdu, &PlainNetSnmpClient::OnAnswer, this)) {
            snmp_free_pdu(pdu);
            return false;
        }
        ++pending_;
    }
    while (pending_ > 0) {
        int fds = 0, block = 1;
        fd_set readable;
        FD_ZERO(&readable);
        timeval timeout{};
        snmp_sess_select_info(session_, &fds, &readable, &timeout, &block);
        const int ready = select(fds, &readable, nullptr, nullptr, block ? nullptr : &timeout);
        if (ready > 0)
            snmp_sess_read(session_, &readable);
        else if (ready == 0)
            snmp_sess_timeout(session_);
    }
    return !failed_;
}
