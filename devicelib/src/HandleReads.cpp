#include "HandleReads.h"

#include <map>
#include <mutex>
#include <set>

#include "RecordCodec.h"
#include "TRB4820apHelp.h"
#include "TableRows.h"

namespace trb::devicelib {
namespace {

bool isWalkedColumn(const Binding &binding)
{
    return objectOf(binding).shape == schema::IndexShape::Table && binding.instance.empty();
}

} // namespace

std::shared_ptr<const ReadPlan> HandleReads::makePlan(Family family, uint32_t mask)
{
    auto plan = std::make_shared<ReadPlan>();
    const auto bindings = bindingsOfGroups(family, mask);
    bool walk = false;
    for (const Binding *b : bindings)
        walk = walk || isWalkedColumn(*b);
    plan->kind = walk ? Request::Kind::Walk : Request::Kind::Get;
    // Each object once, in binding order.
    std::set<Oid> seen;
    for (const Binding *b : bindings) {
        // In a walk, a bound instance of a table column arrives with its column.
        const bool column = objectOf(*b).shape == schema::IndexShape::Table;
        Oid oid = walk ? schema::instanceOid(objectOf(*b), column ? std::vector<uint32_t>{} : b->instance)
                       : instanceOidOf(*b);
        if (walk && objectOf(*b).shape == schema::IndexShape::Scalar)
            oid.pop_back(); // the scalar's ".0" lies below its object OID
        if (seen.insert(oid).second) {
            plan->oids.push_back(std::move(oid));
            plan->objects.push_back(&objectOf(*b));
        }
    }
    plan->useWriteCommunity = carriesSecret(plan->oids);
    return plan;
}

std::shared_ptr<const ReadPlan> HandleReads::prepare(Family family, uint32_t mask, Request &request)
{
    static std::mutex mutex;
    static std::map<std::pair<Family, uint32_t>, std::shared_ptr<const ReadPlan>> plans;
    std::shared_ptr<const ReadPlan> plan;
    {
        std::lock_guard lock(mutex);
        auto &cached = plans[{family, mask}];
        if (!cached)
            cached = makePlan(family, mask);
        plan = cached;
    }
    request.kind = plan->kind;
    request.oids = plan->oids;
    request.useWriteCommunity = plan->useWriteCommunity;
    return plan;
}

void HandleReads::store(HandleState &state, const ReadPlan &plan, RequestResult &result)
{
    if (result.code != AP_OK)
        return;
    std::lock_guard lock(state.mutex);
    if (plan.kind == Request::Kind::Walk) {
        for (const auto &[oid, value] : result.values)
            for (std::size_t i = 0; i < plan.oids.size(); ++i)
                if (isPrefixOf(plan.oids[i], oid) && RecordCodec::wrongType(*plan.objects[i], value)) {
                    failOnWrongType(result, *plan.objects[i]);
                    return; // the table stays as read before
                }
        // Rows that went away since the last read must not linger.
        std::erase_if(state.lastRead, [&](const auto &entry) {
            for (const Oid &prefix : plan.oids)
                if (isPrefixOf(prefix, entry.first))
                    return true;
            return false;
        });
        for (auto &[oid, value] : result.values)
            state.lastRead[oid] = std::move(value);
        return;
    }
    const schema::ObjectDef *firstBad = nullptr;
    for (std::size_t i = 0; i < plan.oids.size(); ++i) {
        const Oid &oid = plan.oids[i];
        auto it = result.values.find(oid);
        if (it == result.values.end())
            state.lastRead.erase(oid);
        else if (RecordCodec::wrongType(*plan.objects[i], it->second))
            firstBad = firstBad ? firstBad : plan.objects[i]; // keeps the value read before
        else
            state.lastRead[oid] = std::move(it->second);
    }
    if (firstBad)
        failOnWrongType(result, *firstBad);
}

void HandleReads::storeWritten(HandleState &state, const RequestResult &result)
{
    if (result.code != AP_OK)
        return;
    std::lock_guard lock(state.mutex);
    TableRows::applyWritten(state.lastRead, result.values);
}

// Blank fields after "Get OK" would report a failure as success.
void HandleReads::failOnWrongType(RequestResult &result, const schema::ObjectDef &object)
{
    result.code = AP_ERR_BAD_TYPE;
    result.text = std::string("Get Error. Wrong value type for ") + object.name;
}

bool HandleReads::carriesSecret(const std::vector<Oid> &oids)
{
    for (const Oid &oid : oids)
        if (const auto *object = schema::objectAt(oid); object && object->secret)
            return true;
    return false;
}

} // namespace trb::devicelib
