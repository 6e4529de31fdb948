#pragma once
// What a get request on a group handle asks for and how its answer lands in the handle:
// scalars with one GET; groups that include table columns with one GETBULK walk (scalars are
// walked from their object OID, which costs nothing more); reads that carry a secret go out
// with the write community.
#include <vector>

#include "HandleState.h"
#include "SnmpEngine.h"

namespace trb::devicelib {

class HandleReads {
public:
    // Fills the request's kind, OIDs and community choice. Call with the handle locked.
    static void prepare(Family family, uint32_t mask, Request &request);
    // Takes a finished read into the handle's last values (nothing on failure). `asked` are
    // the request's OIDs: instances for a GET, prefixes for a walk.
    static void store(HandleState &state, Request::Kind kind, const std::vector<Oid> &asked,
                      const RequestResult &result);
    // Takes a finished set into the handle's last values (rows created and destroyed included).
    static void storeWritten(HandleState &state, const RequestResult &result);

    static bool carriesSecret(const std::vector<Oid> &oids);
};

} // namespace trb::devicelib
