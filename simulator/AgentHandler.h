#pragma once
// The Net-SNMP handler for the whole TRB-4820 subtree: GET, GETNEXT (GETBULK arrives as
// GETNEXT through Net-SNMP's bulk-to-next helper) and SET in its RESERVE1/ACTION/UNDO phases.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <net-snmp/agent/net-snmp-agent-includes.h>

#include "Device.h"
#include "FaultPlan.h"
#include "RowSetPlan.h"

namespace trb::sim {

struct AnswerFaults {
    bool oversizeStrings = false;
    bool wrongTypes = false;
    Oid wrongTypeObject; // instances below this OID answer with the wrong type; empty: none

    bool wrongTypeFor(const Oid &name) const
    {
        return wrongTypes
            || (!wrongTypeObject.empty() && name.size() >= wrongTypeObject.size()
                && std::equal(wrongTypeObject.begin(), wrongTypeObject.end(), name.begin()));
    }
};

class AgentHandler {
public:
    AgentHandler(Device &device, AnswerFaults faults, std::string writeCommunity)
        : device_(device), faults_(faults), writeCommunity_(std::move(writeCommunity))
    {
    }

    // Registers the handler for the subtree; false when Net-SNMP refuses.
    bool registerSubtree();

    // The fault of the request being handled now (error status or wrong types); none: null.
    void setRequestFault(const FaultRule *rule) { requestFault_ = rule; }

    // What goes on the wire for a stored value, with the answer faults applied.
    static SnmpValue answerValue(const SnmpValue &value, bool oversizeStrings, bool wrongType);

private:
    static int dispatch(netsnmp_mib_handler *handler, netsnmp_handler_registration *registration,
                        netsnmp_agent_request_info *info, netsnmp_request_info *requests);
    void get(netsnmp_agent_request_info *info, netsnmp_request_info *requests);
    void getNext(netsnmp_agent_request_info *info, netsnmp_request_info *requests);
    void reserve(netsnmp_agent_request_info *info, netsnmp_request_info *requests);
    void action(netsnmp_agent_request_info *info, netsnmp_request_info *requests);
    void applyRows(const RowSetPlan &plan, const std::vector<netsnmp_request_info *> &requests);
    void undo(netsnmp_request_info *requests);
    void answer(netsnmp_variable_list *var, const SnmpValue &value) const;
    // Secrets are served to the write community only.
    bool mayRead(netsnmp_agent_request_info *info, const Oid &name) const;
    bool wrongTypeFor(const Oid &name) const;
    // Answers the first request under the fault's subtree with its error status; false when the
    // request has no such fault.
    bool failForFault(netsnmp_agent_request_info *info, netsnmp_request_info *requests) const;

    Device &device_;
    AnswerFaults faults_;
    std::string writeCommunity_;
    const FaultRule *requestFault_ = nullptr;
};

} // namespace trb::sim
