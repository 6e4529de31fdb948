#include "AgentHandler.h"

#include <arpa/inet.h>

#include "SetValidator.h"

namespace trb::sim {
namespace {

constexpr const char *kUndoKey = "trb4820-old-value";
constexpr size_t kOversizeLength = 5000;
// The largest answer a UDP datagram carries.
constexpr size_t kMaxMessageBytes = 65507;
// Message header, community and PDU fields, generously.
constexpr size_t kMessageOverhead = 256;

Oid nameOf(const netsnmp_variable_list *var) { return Oid(var->name, var->name + var->name_length); }

// An upper bound of a varbind's encoded size: a sub-identifier takes at most 5 bytes, tags and
// lengths at most 6 bytes each.
size_t encodedSizeBound(const netsnmp_variable_list *var) { return 18 + var->name_length * 5 + var->val_len; }

void freeValue(void *data) { delete static_cast<SnmpValue *>(data); }

bool isCommand(const Oid &name) { return name == DeviceStore::instanceOf("trbDeviceCommand"); }

} // namespace

bool AgentHandler::registerSubtree()
{
    const Oid base = DeviceStore::baseOid();
    netsnmp_handler_registration *registration = netsnmp_create_handler_registration(
        "trb4820", &AgentHandler::dispatch, base.data(), base.size(), HANDLER_CAN_RWRITE);
    if (!registration)
        return false;
    registration->handler->myvoid = this;
    return netsnmp_register_handler(registration) == MIB_REGISTERED_OK;
}

int AgentHandler::dispatch(netsnmp_mib_handler *handler, netsnmp_handler_registration *,
                           netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    auto *self = static_cast<AgentHandler *>(handler->myvoid);
    switch (info->mode) {
    case MODE_GET: self->get(info, requests); break;
    case MODE_GETNEXT: self->getNext(requests); break;
    case MODE_SET_RESERVE1: self->reserve(info, requests); break;
    case MODE_SET_ACTION: self->action(info, requests); break;
    case MODE_SET_UNDO: self->undo(requests); break;
    default: break; // RESERVE2, COMMIT, FREE: nothing to do
    }
    return SNMP_ERR_NOERROR;
}

SnmpValue AgentHandler::answerValue(const SnmpValue &value, bool oversizeStrings, bool wrongType)
{
    SnmpValue out = value;
    if (oversizeStrings && out.asnType == ASN_OCTET_STR) {
        const std::string seed = out.bytes.empty() ? std::string("X") : out.bytes;
        out.bytes.clear();
        while (out.bytes.size() < kOversizeLength)
            out.bytes += seed;
        out.bytes.resize(kOversizeLength);
    }
    if (wrongType) {
        if (out.asnType == ASN_OCTET_STR) {
            out = SnmpValue::integer(static_cast<int64_t>(out.bytes.size()));
        } else if (out.asnType == ASN_IPADDRESS) {
            char text[INET_ADDRSTRLEN] = "";
            inet_ntop(AF_INET, out.bytes.data(), text, sizeof text);
            out = SnmpValue::text(text);
        } else {
            out = SnmpValue::text(std::to_string(out.number));
        }
    }
    return out;
}

void AgentHandler::answer(netsnmp_variable_list *var, const SnmpValue &stored) const
{
    const SnmpValue value = answerValue(stored, faults_.oversizeStrings, faults_.wrongTypeFor(nameOf(var)));
    if (value.isNumeric()) {
        // Net-SNMP reads integers as long and unsigned types as u_long.
        const long number = static_cast<long>(value.number);
        snmp_set_var_typed_value(var, value.asnType, &number, sizeof number);
    } else {
        snmp_set_var_typed_value(var, value.asnType, value.bytes.data(), value.bytes.size());
    }
}

void AgentHandler::get(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const Oid name = nameOf(request->requestvb);
        if (auto value = device_.read(name)) {
            answer(request->requestvb, *value);
            continue;
        }
        const bool knownObject = DeviceStore::schemaObjectFor(name) != nullptr;
        netsnmp_set_request_error(info, request, knownObject ? SNMP_NOSUCHINSTANCE : SNMP_NOSUCHOBJECT);
    }
    // An answer that no datagram can carry is tooBig, not silence: the manager then asks for
    // fewer objects at once. (GETBULK answers are cut short by the agent itself.)
    size_t size = kMessageOverhead;
    for (auto *request = requests; request; request = request->next)
        size += encodedSizeBound(request->requestvb);
    if (size > kMaxMessageBytes)
        netsnmp_set_request_error(info, requests, SNMP_ERR_TOOBIG);
}

void AgentHandler::getNext(netsnmp_request_info *requests)
{
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        // Past the last instance nothing is set, and the agent moves on to the next subtree.
        auto next = device_.store().nextAfter(nameOf(request->requestvb));
        if (!next)
            continue;
        snmp_set_var_objid(request->requestvb, next->data(), next->size());
        answer(request->requestvb, *device_.read(*next));
    }
}

void AgentHandler::reserve(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    const SetValidator validator(device_.store());
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const int status = validator.check(nameOf(request->requestvb), *request->requestvb);
        if (status != SNMP_ERR_NOERROR)
            netsnmp_set_request_error(info, request, status);
    }
}

// Plain values first, then a command, so that save-and-activate in the same PDU saves them.
void AgentHandler::action(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    netsnmp_request_info *command = nullptr;
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const Oid name = nameOf(request->requestvb);
        if (isCommand(name)) {
            command = request;
            continue;
        }
        netsnmp_request_add_list_data(
            request, netsnmp_create_data_list(kUndoKey, new SnmpValue(*device_.store().find(name)), freeValue));
        device_.write(name, SetValidator::valueOf(*request->requestvb));
    }
    if (command) {
        const int status = device_.runCommand(*command->requestvb->val.integer);
        if (status != SNMP_ERR_NOERROR)
            netsnmp_set_request_error(info, command, status);
    }
}

// Last assignment first, so that an instance named twice in one PDU ends at its original value.
void AgentHandler::undo(netsnmp_request_info *requests)
{
    std::vector<netsnmp_request_info *> applied;
    for (auto *request = requests; request; request = request->next)
        applied.push_back(request);
    for (auto it = applied.rbegin(); it != applied.rend(); ++it) {
        auto *old = static_cast<SnmpValue *>(netsnmp_request_get_list_data(*it, kUndoKey));
        if (old)
            device_.write(nameOf((*it)->requestvb), *old);
    }
}

} // namespace trb::sim
