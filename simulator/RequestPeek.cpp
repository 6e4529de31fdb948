#include "RequestPeek.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <sys/socket.h>

#include <vector>

#include "DeviceStore.h"

namespace trb::sim {

std::string PeekedRequest::describe() const
{
    std::string text = kind == RequestKind::Set ? "set" : "get";
    text += " request " + std::to_string(requestId) + " (";
    for (size_t i = 0; i < names.size(); ++i) {
        if (i == 3) {
            text += ", ... " + std::to_string(names.size()) + " names";
            break;
        }
        if (i > 0)
            text += ", ";
        const auto *object = DeviceStore::schemaObjectFor(names[i]);
        std::string name = object ? object->name : "";
        for (size_t n = 0; n < names[i].size(); ++n)
            if (!object || n >= schema::kBaseOidLength + object->oid.size())
                name += (name.empty() && n == 0 ? "" : ".") + std::to_string(names[i][n]);
        text += name;
    }
    return text + ")";
}

std::optional<PeekedRequest> parseRequest(const unsigned char *data, size_t length)
{
    // Message: SEQUENCE { version INTEGER, community OCTET STRING, PDU }.
    u_char *cursor = const_cast<u_char *>(data);
    size_t left = length;
    u_char type = 0;
    cursor = asn_parse_sequence(cursor, &left, &type, ASN_SEQUENCE | ASN_CONSTRUCTOR, "message");
    long version = 0;
    if (cursor)
        cursor = asn_parse_int(cursor, &left, &type, &version, sizeof version);
    u_char community[256];
    size_t communityLength = sizeof community;
    if (cursor)
        cursor = asn_parse_string(cursor, &left, &type, community, &communityLength);
    if (!cursor)
        return std::nullopt;
    netsnmp_pdu *pdu = snmp_pdu_create(SNMP_MSG_GET);
    pdu->version = version;
    std::optional<PeekedRequest> request;
    if (snmp_pdu_parse(pdu, cursor, &left) == 0
        && (pdu->command == SNMP_MSG_GET || pdu->command == SNMP_MSG_GETNEXT || pdu->command == SNMP_MSG_GETBULK
            || pdu->command == SNMP_MSG_SET)) {
        request.emplace();
        request->kind = pdu->command == SNMP_MSG_SET ? RequestKind::Set : RequestKind::Get;
        request->requestId = pdu->reqid;
        for (auto *var = pdu->variables; var; var = var->next_variable)
            request->names.emplace_back(var->name, var->name + var->name_length);
    }
    snmp_free_pdu(pdu);
    return request;
}

std::optional<PeekedRequest> peekRequest(int fd)
{
    std::vector<unsigned char> buffer(65536);
    const ssize_t length = ::recv(fd, buffer.data(), buffer.size(), MSG_PEEK | MSG_DONTWAIT);
    if (length <= 0)
        return std::nullopt;
    return parseRequest(buffer.data(), size_t(length));
}

} // namespace trb::sim
