#pragma once
// What a get request on a group handle asks for and how its answer lands in the handle:
// scalars with one GET; groups that include table columns with one GETBULK walk (scalars are
// walked from their object OID, which costs nothing more); reads that carry a secret go out
// with the write community. An answer of the wrong type fails the read.
#include <memory>
#include <vector>

#include "HandleState.h"
#include "SnmpEngine.h"

namespace trb::devicelib {

// The read of one family's groups, worked out once per mask.
struct ReadPlan {
    Request::Kind kind = Request::Kind::Get;
    std::vector<Oid> oids; // instances for a GET, prefixes for a walk
    std::vector<const schema::ObjectDef *> objects; // the object of each OID
    bool useWriteCommunity = false;
};

class HandleReads {
public:
    // Fills the request's kind, OIDs and community choice; returns the plan for store().
    static std::shared_ptr<const ReadPlan> prepare(Family family, uint32_t mask, Request &request);
    // Takes a finished read into the handle's last values (nothing on failure). A value of the
    // wrong type fails the read with a text naming its object; the handle keeps what it read
    // before for that object (for a walk: for the whole table).
    static void store(HandleState &state, const ReadPlan &plan, RequestResult &result);
    // Takes a finished set into the handle's last values (rows created and destroyed included).
    static void storeWritten(HandleState &state, const RequestResult &result);

    static bool carriesSecret(const std::vector<Oid> &oids);
    // The failure of a read that brought a value of the wrong type for `object`.
    static void failOnWrongType(RequestResult &result, const schema::ObjectDef &object);

private:
    static std::shared_ptr<const ReadPlan> makePlan(Family family, uint32_t mask);
};

} // namespace trb::devicelib
