#include "FaultPlan.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <algorithm>
#include <sstream>

#include "DeviceStore.h"

namespace trb::sim {
namespace {

bool isPrefix(const Oid &prefix, const Oid &name)
{
    return name.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), name.begin());
}

// "all", an object's name from the schema, or a dotted OID (below the device's subtree when it
// does not start with 1.3).
std::optional<Oid> subtreeOf(const std::string &text)
{
    if (text == "all")
        return DeviceStore::baseOid();
    if (const auto *object = schema::findObject(text)) {
        Oid oid = DeviceStore::baseOid();
        oid.insert(oid.end(), object->oid.begin(), object->oid.end());
        return oid;
    }
    Oid numbers;
    std::istringstream in(text);
    std::string part;
    while (std::getline(in, part, '.')) {
        if (part.empty() || part.find_first_not_of("0123456789") != std::string::npos || part.size() > 9)
            return std::nullopt;
        numbers.push_back(oid(std::stoul(part)));
    }
    if (numbers.empty())
        return std::nullopt;
    if (numbers.size() >= 2 && numbers[0] == 1 && numbers[1] == 3)
        return numbers;
    Oid below = DeviceStore::baseOid();
    below.insert(below.end(), numbers.begin(), numbers.end());
    return below;
}

std::optional<int> errorStatusOf(const std::string &name)
{
    static const std::pair<const char *, int> kStatuses[] = {
        {"genErr", SNMP_ERR_GENERR},         {"noAccess", SNMP_ERR_NOACCESS},
        {"wrongValue", SNMP_ERR_WRONGVALUE}, {"notWritable", SNMP_ERR_NOTWRITABLE},
        {"commitFailed", SNMP_ERR_COMMITFAILED},
    };
    for (const auto &[text, status] : kStatuses)
        if (name == text)
            return status;
    return std::nullopt;
}

std::optional<int> numberOf(const std::string &text, int low, int high)
{
    if (text.empty() || text.size() > 9 || text.find_first_not_of("-0123456789") != std::string::npos)
        return std::nullopt;
    const int value = std::stoi(text);
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

bool FaultRule::covers(const Oid &name) const { return isPrefix(subtree, name) || isPrefix(name, subtree); }

// A walk that starts above the subtree (GETNEXT on a table's column) also touches it.
bool FaultRule::matches(RequestKind kind, const std::vector<Oid> &names) const
{
    if ((applies == Applies::Get && kind != RequestKind::Get) || (applies == Applies::Set && kind != RequestKind::Set))
        return false;
    return std::any_of(names.begin(), names.end(), [this](const Oid &name) { return covers(name); });
}

const char *FaultPlan::usage()
{
    return "  fault get|set|any SUBTREE COUNT ACTION [after K]\n"
           "      the next COUNT requests of that kind naming an object under SUBTREE (\"all\", an\n"
           "      object name or a dotted OID), after K such requests let through; COUNT -1: until\n"
           "      cleared. ACTION: drop | wrong-types | late MS |\n"
           "      error genErr|noAccess|wrongValue|notWritable|commitFailed\n"
           "  clear     removes every rule\n"
           "  counts    answers \"ok gets G sets S faults F\"\n";
}

std::string FaultPlan::command(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    if (words.empty())
        return "error: empty command";
    if (words[0] == "clear" && words.size() == 1) {
        rules_.clear();
        return "ok";
    }
    if (words[0] == "counts" && words.size() == 1)
        return "ok gets " + std::to_string(gets_) + " sets " + std::to_string(sets_) + " faults "
               + std::to_string(faults_);
    if (words[0] == "fault")
        return addRule(words);
    return "error: unknown command " + words[0];
}

std::string FaultPlan::addRule(const std::vector<std::string> &words)
{
    if (words.size() < 5)
        return "error: fault get|set|any SUBTREE COUNT ACTION [after K]";
    FaultRule rule;
    rule.text = words[1] + " " + words[2] + " " + words[4];
    if (words[1] == "get")
        rule.applies = FaultRule::Applies::Get;
    else if (words[1] == "set")
        rule.applies = FaultRule::Applies::Set;
    else if (words[1] != "any")
        return "error: requests must be get, set or any";
    const auto subtree = subtreeOf(words[2]);
    if (!subtree)
        return "error: unknown subtree " + words[2];
    rule.subtree = *subtree;
    const auto count = numberOf(words[3], -1, 1000000);
    if (!count || *count == 0)
        return "error: COUNT must be 1 to 1000000, or -1";
    rule.remaining = *count;
    size_t next = 5;
    const std::string &action = words[4];
    if (action == "drop") {
        rule.action = FaultRule::Action::Drop;
    } else if (action == "wrong-types") {
        rule.action = FaultRule::Action::WrongTypes;
    } else if (action == "late" || action == "error") {
        if (words.size() < 6)
            return "error: " + action + " needs a value";
        if (action == "late") {
            const auto ms = numberOf(words[5], 1, 600000);
            if (!ms)
                return "error: late takes 1 to 600000 ms";
            rule.action = FaultRule::Action::Late;
            rule.delayMs = *ms;
        } else {
            const auto status = errorStatusOf(words[5]);
            if (!status)
                return "error: unknown error status " + words[5];
            rule.action = FaultRule::Action::Error;
            rule.errorStatus = *status;
        }
        rule.text += " " + words[5];
        next = 6;
    } else {
        return "error: unknown action " + action;
    }
    if (words.size() == next + 2 && words[next] == "after") {
        const auto skip = numberOf(words[next + 1], 0, 1000000);
        if (!skip)
            return "error: after takes 0 to 1000000";
        rule.skip = *skip;
    } else if (words.size() != next) {
        return "error: unexpected " + words[next];
    }
    rules_.push_back(std::move(rule));
    return "ok";
}

std::optional<FaultRule> FaultPlan::take(RequestKind kind, const std::vector<Oid> &names)
{
    ++(kind == RequestKind::Get ? gets_ : sets_);
    for (auto it = rules_.begin(); it != rules_.end(); ++it) {
        if (!it->matches(kind, names))
            continue;
        if (it->skip > 0) {
            --it->skip;
            continue;
        }
        FaultRule hit = *it;
        if (it->remaining > 0 && --it->remaining == 0)
            rules_.erase(it);
        ++faults_;
        return hit;
    }
    return std::nullopt;
}

} // namespace trb::sim
