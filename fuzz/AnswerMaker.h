#pragma once
// What the fake agent answers to one request, all of it taken from the fuzzer's input: mostly a
// well-formed answer of the objects asked for, typed as the schema says, with tables whose
// columns hold the same rows; now and then an error-status, another type, a column with rows
// the others lack, an OID that goes back, no answer, a wrong request-id, a spoilt encoding or
// raw bytes after the request-id. When the input runs out every choice falls back to the plain
// answer, so short inputs read tables of two rows.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "ObjectSchema.h"
#include "SnmpWire.h"

namespace trb::fuzz {

struct Answer {
    enum class Delivery { None, Certain, Maybe }; // Maybe: Net-SNMP may or may not take it
    Delivery delivery = Delivery::None;
    std::string datagram;
    std::string refusal;       // non-empty: taken as sent, the library must fail the request
    std::size_t varbinds = 0;  // at most this many varbinds reach the library
};

class AnswerMaker {
public:
    void startInput(FuzzedDataProvider *input);
    void startCall(); // a new read: its walk has new rows
    Answer answer(const WireMessage &request);

private:
    enum class Fate { Plain, Silent, WrongId, Spoilt, RawRest };
    Fate fate();
    int64_t status();
    std::vector<WireVarbind> scalarAnswer(const WireMessage &request);
    std::vector<WireVarbind> bulkAnswer(const WireMessage &request);
    WireVarbind nextInColumn(const Oid &prefix, const Oid &last);
    const std::vector<Oid> &rowsOf(const Oid &prefix);
    const std::vector<Oid> &sharedRows(std::size_t parts);
    std::vector<Oid> newRows(std::size_t parts);
    Oid prefixOf(const Oid &oid) const;
    const schema::ObjectDef *objectOf(const Oid &oid) const;

    void value(const schema::ObjectDef *object, WireVarbind &vb);
    void naturalValue(const schema::ObjectDef &object, WireVarbind &vb);
    void oddValue(WireVarbind &vb);
    int64_t number(int64_t low, int64_t high);
    std::string bytes(std::size_t size);
    Oid anyOid();

    std::string refusal(const WireMessage &request, const WireMessage &response) const;
    std::string walkRefusal(const WireMessage &request, const WireMessage &response) const;
    void spoil(std::string &datagram);

    FuzzedDataProvider *in_ = nullptr;
    int silences_ = 0; // answers of this input that may cost a time-out
    std::vector<Oid> columns_; // the walk's column prefixes, as its first step asked
    std::map<std::size_t, std::vector<Oid>> shared_; // row indexes by their number of parts
    std::map<Oid, std::vector<Oid>> columnRows_;
    mutable std::map<Oid, const schema::ObjectDef *> objects_;
};

} // namespace trb::fuzz
