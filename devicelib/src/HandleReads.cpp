#include "HandleReads.h"

#include <algorithm>
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

// In OID order, so that storing a read walks the handle's values once instead of looking each up.
void sortByOid(ReadPlan &plan)
{
    std::vector<std::size_t> order(plan.oids.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return plan.oids[a] < plan.oids[b]; });
    std::vector<Oid> oids;
    std::vector<const schema::ObjectDef *> objects;
    for (std::size_t i : order) {
        oids.push_back(std::move(plan.oids[i]));
        objects.push_back(plan.objects[i]);
    }
    plan.oids = std::move(oids);
    plan.objects = std::move(objects);
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
    if (!walk)
        sortByOid(*plan);
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
    request.sharedOids = std::shared_ptr<const std::vector<Oid>>(plan, &plan->oids);
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
    // The request asked for the plan's OIDs in the plan's (ascending) order: one pass over the
    // handle's values, each step starting where the last one ended.
    const std::size_t count = std::min(plan.oids.size(), result.ordered.size());
    auto at = count ? state.lastRead.lower_bound(plan.oids[0]) : state.lastRead.end();
    for (std::size_t i = 0; i < count; ++i) {
        const Oid &oid = plan.oids[i];
        while (at != state.lastRead.end() && at->first < oid)
            ++at;
        const bool held = at != state.lastRead.end() && at->first == oid;
        if (!result.answered[i]) {
            if (held)
                at = state.lastRead.erase(at);
        } else if (RecordCodec::wrongType(*plan.objects[i], result.ordered[i])) {
            firstBad = firstBad ? firstBad : plan.objects[i]; // keeps the value read before
        } else if (held) {
            (at++)->second = std::move(result.ordered[i]);
        } else {
            state.lastRead.emplace_hint(at, oid, std::move(result.ordered[i]));
        }
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
