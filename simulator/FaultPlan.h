#pragma once
// Faults that a test switches on while the simulator runs: "the next N requests (get, set or
// either) that touch objects under a subtree are dropped, answered with an error status, answered
// with wrong types, or answered late". Changed through the control socket, one command a line.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "SnmpValue.h"

namespace trb::sim {

enum class RequestKind { Get, Set };

struct FaultRule {
    enum class Action { Drop, Error, WrongTypes, Late };
    enum class Applies { Get, Set, Any };

    Applies applies = Applies::Any;
    Oid subtree;       // requests naming an object at or below it
    int skip = 0;      // matching requests let through before the fault starts
    int remaining = 1; // matching requests it still hits; -1: until cleared
    Action action = Action::Drop;
    int errorStatus = 0; // SNMP error status for Action::Error
    int delayMs = 0;     // for Action::Late
    std::string text;    // the command that made it, for the log

    bool matches(RequestKind kind, const std::vector<Oid> &names) const;
    bool covers(const Oid &name) const;
};

class FaultPlan {
public:
    // Runs one control command and returns its one-line answer (starting "ok" or "error:").
    //   fault get|set|any SUBTREE COUNT drop|wrong-types|late MS|error STATUS [after K]
    //   clear        every rule goes
    //   counts       "ok gets G sets S faults F": requests received and faults applied so far
    std::string command(const std::string &line);

    // The rule that this request runs into, counted as hit; none for most requests. Every call
    // counts as one request received.
    std::optional<FaultRule> take(RequestKind kind, const std::vector<Oid> &names);

    static const char *usage();

private:
    std::string addRule(const std::vector<std::string> &words);

    std::vector<FaultRule> rules_;
    uint64_t gets_ = 0;
    uint64_t sets_ = 0;
    uint64_t faults_ = 0;
};

} // namespace trb::sim
