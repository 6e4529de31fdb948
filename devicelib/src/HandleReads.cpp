#include "HandleReads.h"

#include <set>

#include "TRB4820apHelp.h"
#include "TableRows.h"

namespace trb::devicelib {
namespace {

bool isWalkedColumn(const Binding &binding)
{
    return objectOf(binding).shape == schema::IndexShape::Table && binding.instance.empty();
}

// Each object once, in binding order: instances for a GET, or object prefixes for a walk.
std::vector<Oid> oidsOf(const std::vector<const Binding *> &bindings, bool walk)
{
    std::vector<Oid> oids;
    std::set<Oid> seen;
    for (const Binding *b : bindings) {
        Oid oid = walk ? schema::instanceOid(objectOf(*b), b->instance) : instanceOidOf(*b);
        if (walk && objectOf(*b).shape == schema::IndexShape::Scalar)
            oid.pop_back(); // the scalar's ".0" lies below its object OID
        if (seen.insert(oid).second)
            oids.push_back(std::move(oid));
    }
    return oids;
}

} // namespace

void HandleReads::prepare(Family family, uint32_t mask, Request &request)
{
    const auto bindings = bindingsOfGroups(family, mask);
    bool walk = false;
    for (const Binding *b : bindings)
        walk = walk || isWalkedColumn(*b);
    request.kind = walk ? Request::Kind::Walk : Request::Kind::Get;
    request.oids = oidsOf(bindings, walk);
    request.useWriteCommunity = carriesSecret(request.oids);
}

void HandleReads::store(HandleState &state, Request::Kind kind, const std::vector<Oid> &asked,
                        const RequestResult &result)
{
    if (result.code != AP_OK)
        return;
    std::lock_guard lock(state.mutex);
    if (kind == Request::Kind::Walk) {
        // Rows that went away since the last read must not linger.
        std::erase_if(state.lastRead, [&](const auto &entry) {
            for (const Oid &prefix : asked)
                if (isPrefixOf(prefix, entry.first))
                    return true;
            return false;
        });
        for (const auto &[oid, value] : result.values)
            state.lastRead[oid] = value;
        return;
    }
    for (const Oid &oid : asked) {
        auto it = result.values.find(oid);
        if (it == result.values.end())
            state.lastRead.erase(oid);
        else
            state.lastRead[oid] = it->second;
    }
}

void HandleReads::storeWritten(HandleState &state, const RequestResult &result)
{
    if (result.code != AP_OK)
        return;
    std::lock_guard lock(state.mutex);
    TableRows::applyWritten(state.lastRead, result.values);
}

bool HandleReads::carriesSecret(const std::vector<Oid> &oids)
{
    for (const Oid &oid : oids)
        if (const auto *object = schema::objectAt(oid); object && object->secret)
            return true;
    return false;
}

} // namespace trb::devicelib
