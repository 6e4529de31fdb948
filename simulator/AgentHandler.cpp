#include "AgentHandler.h"

#include <arpa/inet.h>

#include <algorithm>

#include "LogLines.h"
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

void freeValues(void *data) { delete static_cast<ConfigValues *>(data); }

// How to take back a row created or destroyed by a SET.
struct RowUndo {
    const schema::TableDef *table;
    Oid index;
    ConfigValues removed; // empty for a created row
};
constexpr const char *kRowUndoKey = "trb4820-row-undo";

void freeRowUndo(void *data) { delete static_cast<RowUndo *>(data); }

std::vector<netsnmp_request_info *> listOf(netsnmp_request_info *requests)
{
    std::vector<netsnmp_request_info *> list;
    for (auto *request = requests; request; request = request->next)
        list.push_back(request);
    return list;
}

std::vector<SetVarbind> varbindsOf(const std::vector<netsnmp_request_info *> &requests)
{
    std::vector<SetVarbind> varbinds;
    for (auto *request : requests)
        varbinds.push_back({nameOf(request->requestvb), request->requestvb});
    return varbinds;
}

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
    case MODE_GETNEXT: self->getNext(info, requests); break;
    case MODE_SET_RESERVE1: self->reserve(info, requests); break;
    case MODE_SET_ACTION: self->action(info, requests); break;
    case MODE_SET_UNDO:
        self->undo(requests);
        self->device_.log().dropHeld();
        break;
    case MODE_SET_COMMIT: self->device_.log().commitHeld(); break;
    case MODE_SET_FREE: self->device_.log().dropHeld(); break;
    default: break; // RESERVE2: nothing to do
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

bool AgentHandler::wrongTypeFor(const Oid &name) const
{
    if (requestFault_ && requestFault_->action == FaultRule::Action::WrongTypes && requestFault_->covers(name))
        return true;
    return faults_.wrongTypeFor(name);
}

bool AgentHandler::failForFault(netsnmp_agent_request_info *info, netsnmp_request_info *requests) const
{
    if (!requestFault_ || requestFault_->action != FaultRule::Action::Error)
        return false;
    netsnmp_request_info *target = requests;
    for (auto *request = requests; request; request = request->next)
        if (requestFault_->covers(nameOf(request->requestvb))) {
            target = request;
            break;
        }
    netsnmp_set_request_error(info, target, requestFault_->errorStatus);
    return true;
}

void AgentHandler::answer(netsnmp_variable_list *var, const SnmpValue &stored) const
{
    const SnmpValue value = answerValue(stored, faults_.oversizeStrings, wrongTypeFor(nameOf(var)));
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
    if (failForFault(info, requests))
        return;
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        const Oid name = nameOf(request->requestvb);
        if (!mayRead(info, name)) {
            netsnmp_set_request_error(info, request, SNMP_NOSUCHOBJECT);
            continue;
        }
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

void AgentHandler::getNext(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    if (failForFault(info, requests))
        return;
    for (auto *request = requests; request; request = request->next) {
        if (request->processed)
            continue;
        // Past the last instance nothing is set, and the agent moves on to the next subtree.
        auto next = device_.store().nextAfter(nameOf(request->requestvb));
        while (next && !mayRead(info, *next))
            next = device_.store().nextAfter(*next);
        if (!next)
            continue;
        snmp_set_var_objid(request->requestvb, next->data(), next->size());
        answer(request->requestvb, *device_.read(*next));
    }
}

bool AgentHandler::mayRead(netsnmp_agent_request_info *info, const Oid &name) const
{
    const auto *object = DeviceStore::schemaObjectFor(name);
    if (!object || !object->secret)
        return true;
    const netsnmp_pdu *pdu = info && info->asp ? info->asp->pdu : nullptr;
    return pdu && pdu->community && pdu->community_len == writeCommunity_.size() &&
           std::equal(writeCommunity_.begin(), writeCommunity_.end(), pdu->community);
}

void AgentHandler::reserve(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    if (failForFault(info, requests))
        return;
    const SetValidator validator(device_.store());
    const auto list = listOf(requests);
    const auto varbinds = varbindsOf(list);
    const RowSetPlan plan(device_.store(), varbinds);
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i]->processed)
            continue;
        const SetVarbind &vb = varbinds[i];
        int status = plan.covers(i) ? plan.statusOf(i) : validator.check(vb.name, *vb.var);
        // A valid value the device may still refuse in its present state (a blocked scan).
        if (status == SNMP_ERR_NOERROR && !plan.covers(i) && vb.var->type == ASN_INTEGER)
            status = device_.refusal(vb.name, *vb.var->val.integer);
        if (status != SNMP_ERR_NOERROR)
            netsnmp_set_request_error(info, list[i], status);
    }
}

// Rows first, each undone through the request of its RowStatus.
void AgentHandler::applyRows(const RowSetPlan &plan, const std::vector<netsnmp_request_info *> &requests)
{
    for (const auto &created : plan.creations()) {
        device_.addRow(*created.table, created.index, created.values);
        device_.log().hold(LogPriority::Notice, LogLines::rowAdded(*created.table, created.index));
        auto *undo = new RowUndo{created.table, created.index, {}};
        netsnmp_request_add_list_data(requests[created.statusVarbind],
                                      netsnmp_create_data_list(kRowUndoKey, undo, freeRowUndo));
    }
    for (const auto &destroyed : plan.destructions()) {
        auto *undo = new RowUndo{destroyed.table, destroyed.index, device_.removeRow(*destroyed.table, destroyed.index)};
        device_.log().hold(LogPriority::Notice, LogLines::rowRemoved(*destroyed.table, destroyed.index));
        netsnmp_request_add_list_data(requests[destroyed.statusVarbind],
                                      netsnmp_create_data_list(kRowUndoKey, undo, freeRowUndo));
    }
}

// Rows and plain values first, then a command, so that save-and-activate in the same PDU saves them.
void AgentHandler::action(netsnmp_agent_request_info *info, netsnmp_request_info *requests)
{
    netsnmp_request_info *command = nullptr;
    const auto list = listOf(requests);
    const RowSetPlan plan(device_.store(), varbindsOf(list));
    applyRows(plan, list);
    for (size_t i = 0; i < list.size(); ++i) {
        auto *request = list[i];
        if (request->processed || plan.covers(i))
            continue;
        const Oid name = nameOf(request->requestvb);
        if (isCommand(name)) {
            command = request;
            continue;
        }
        const SnmpValue value = SetValidator::valueOf(*request->requestvb);
        auto *previous = new ConfigValues(device_.apply(name, value));
        netsnmp_request_add_list_data(request, netsnmp_create_data_list(kUndoKey, previous, freeValues));
        if (requestFault_ && requestFault_->action == FaultRule::Action::WrongTypes && requestFault_->covers(name))
            answer(request->requestvb, value); // the answer echoes the value with the wrong type
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
        if (auto *old = static_cast<ConfigValues *>(netsnmp_request_get_list_data(*it, kUndoKey)))
            for (const auto &[name, value] : *old)
                device_.write(name, value);
    }
    // Rows go back after the plain values, which never touch a created or destroyed row.
    for (auto it = applied.rbegin(); it != applied.rend(); ++it) {
        auto *row = static_cast<RowUndo *>(netsnmp_request_get_list_data(*it, kRowUndoKey));
        if (row && row->removed.empty())
            device_.removeRow(*row->table, row->index);
        else if (row)
            device_.restoreEntries(row->removed);
    }
}

} // namespace trb::sim
