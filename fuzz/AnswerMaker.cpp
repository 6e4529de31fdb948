#include "AnswerMaker.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace trb::fuzz {
namespace {

constexpr uint8_t kInteger = 0x02, kOctets = 0x04, kNull = 0x05, kOidTag = 0x06, kIp = 0x40, kCounter = 0x41,
                  kGauge = 0x42, kTicks = 0x43, kOpaque = 0x44, kCounter64 = 0x46, kNoSuchObject = 0x80,
                  kNoSuchInstance = 0x81, kEndOfMib = 0x82;
constexpr int kMaxSilences = 2; // each costs the library a time-out
constexpr std::size_t kLongText = 300;

bool isPrefix(const Oid &prefix, const Oid &oid)
{
    return oid.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

// What the library takes as a value of the object's type; exceptions and NULL are no value.
bool wrongType(const schema::ObjectDef *object, const WireVarbind &vb)
{
    if (!object || vb.tag == kNull || vb.tag == kNoSuchObject || vb.tag == kNoSuchInstance || vb.tag == kEndOfMib)
        return false;
    switch (object->type) {
    case schema::SmiType::Integer:
    case schema::SmiType::RowStatus: return vb.tag != kInteger;
    case schema::SmiType::DisplayString: return vb.tag != kOctets;
    case schema::SmiType::MacAddress: return vb.tag != kOctets || vb.content.size() != 6;
    case schema::SmiType::IpAddress: return vb.tag != kIp || vb.content.size() != 4;
    case schema::SmiType::Gauge: return vb.tag != kGauge;
    case schema::SmiType::Counter: return vb.tag != kCounter;
    case schema::SmiType::TimeTicks: return vb.tag != kTicks;
    }
    return true;
}

// Parts of a row index below a walked prefix: none for a scalar (its instance is .0), else the
// parts of its table's index that the prefix does not hold already (a band, for some walks).
std::size_t indexParts(const schema::ObjectDef *object, const Oid &prefix)
{
    const schema::TableDef *table = object ? schema::tableOf(*object) : nullptr;
    if (!table)
        return 0;
    const std::size_t held = prefix.size() - (schema::kBaseOidLength + object->oid.size());
    return table->indexNames.size() > held ? table->indexNames.size() - held : 1;
}

} // namespace

void AnswerMaker::startInput(FuzzedDataProvider *input)
{
    in_ = input;
    silences_ = 0;
    startCall();
}

void AnswerMaker::startCall()
{
    columns_.clear();
    shared_.clear();
    columnRows_.clear();
}

Answer AnswerMaker::answer(const WireMessage &request)
{
    const Fate chosen = fate();
    WireMessage response = request;
    response.pduTag = SnmpWire::kResponse;
    response.field2 = status();
    response.field3 = response.field2 ? in_->ConsumeIntegralInRange<int64_t>(-1, 40) : 0;
    response.varbinds = request.pduTag == SnmpWire::kGetBulk ? bulkAnswer(request) : scalarAnswer(request);
    Answer answer;
    answer.datagram = SnmpWire::encode(response);
    answer.varbinds = response.varbinds.size();
    switch (chosen) {
    case Fate::Plain:
        answer.delivery = Answer::Delivery::Certain;
        answer.refusal = refusal(request, response);
        break;
    case Fate::Silent:
        answer.datagram.clear();
        break;
    case Fate::WrongId: // far from every request-id in flight
        response.requestId = (request.requestId + 0x40000000) & 0x7FFFFFFF;
        answer.datagram = SnmpWire::encode(response);
        break;
    case Fate::Spoilt:
        spoil(answer.datagram);
        answer.delivery = Answer::Delivery::Maybe;
        break;
    case Fate::RawRest:
        answer.datagram = SnmpWire::encodeWithRest(response, in_->ConsumeRandomLengthString(1024));
        answer.delivery = Answer::Delivery::Maybe;
        break;
    }
    if (answer.delivery == Answer::Delivery::Maybe)
        answer.varbinds = answer.datagram.size() / 4; // no varbind is shorter
    return answer;
}

AnswerMaker::Fate AnswerMaker::fate()
{
    const uint8_t pick = in_->ConsumeIntegral<uint8_t>();
    if (pick < 228 || silences_ >= kMaxSilences)
        return Fate::Plain;
    ++silences_;
    return pick < 236 ? Fate::Silent : pick < 240 ? Fate::WrongId : pick < 248 ? Fate::Spoilt : Fate::RawRest;
}

// Net-SNMP keeps an error-status within 32 bits: wider ones would not arrive as sent.
int64_t AnswerMaker::status()
{
    const uint8_t pick = in_->ConsumeIntegral<uint8_t>();
    if (pick < 232)
        return 0;
    return pick < 250 ? 1 + pick % 18 : in_->ConsumeIntegral<int32_t>();
}

// GET, SET: the objects asked for, in order, now and then fewer, more or other ones.
std::vector<WireVarbind> AnswerMaker::scalarAnswer(const WireMessage &request)
{
    const std::size_t asked = request.varbinds.size();
    const uint8_t shape = in_->ConsumeIntegral<uint8_t>();
    std::size_t count = asked;
    if (shape >= 240)
        count = asked + 1 + shape % 4;
    else if (shape >= 224 && asked)
        count = shape % asked;
    std::vector<WireVarbind> answer;
    for (std::size_t i = 0; i < count; ++i) {
        WireVarbind vb = i < asked ? request.varbinds[i] : WireVarbind{anyOid()};
        if (in_->ConsumeIntegral<uint8_t>() >= 248)
            ++vb.oid.back(); // an instance not asked for
        if (request.pduTag != SnmpWire::kSet) // a SET is answered with what it wrote
            value(objectOf(vb.oid), vb);
        answer.push_back(std::move(vb));
    }
    return answer;
}

// GETBULK: repetitions of one varbind per column, each column walking its own rows.
std::vector<WireVarbind> AnswerMaker::bulkAnswer(const WireMessage &request)
{
    if (columns_.empty())
        for (const WireVarbind &vb : request.varbinds)
            columns_.push_back(vb.oid);
    std::vector<Oid> prefixes, last;
    for (const WireVarbind &vb : request.varbinds) {
        prefixes.push_back(prefixOf(vb.oid));
        last.push_back(vb.oid);
    }
    const int64_t asked = std::clamp<int64_t>(request.field3, 1, 64);
    const int64_t repetitions = asked - in_->ConsumeIntegralInRange<int64_t>(0, asked - 1);
    std::vector<WireVarbind> answer;
    for (int64_t r = 0; r < repetitions; ++r)
        for (std::size_t c = 0; c < prefixes.size(); ++c) {
            answer.push_back(nextInColumn(prefixes[c], last[c]));
            last[c] = answer.back().oid;
        }
    return answer;
}

// The varbind after `last` in a column: its next row, else the column's end (endOfMibView or
// the next object); now and then an OID that does not move on.
WireVarbind AnswerMaker::nextInColumn(const Oid &prefix, const Oid &last)
{
    WireVarbind vb;
    for (const Oid &row : rowsOf(prefix)) {
        Oid oid = prefix;
        oid.insert(oid.end(), row.begin(), row.end());
        if (oid > last) {
            vb.oid = in_->ConsumeIntegral<uint8_t>() < 252 ? oid : last;
            value(objectOf(prefix), vb);
            return vb;
        }
    }
    if (in_->ConsumeBool()) {
        vb.oid = prefix;
        ++vb.oid.back();
        value(objectOf(vb.oid), vb);
        return vb;
    }
    vb.oid = last;
    vb.tag = kEndOfMib;
    return vb;
}

const std::vector<Oid> &AnswerMaker::rowsOf(const Oid &prefix)
{
    if (auto it = columnRows_.find(prefix); it != columnRows_.end())
        return it->second;
    const std::size_t parts = indexParts(objectOf(prefix), prefix);
    std::vector<Oid> rows = parts ? sharedRows(parts) : std::vector<Oid>{{0}};
    // Now and then a column lacks rows the others have, or has rows they lack.
    const uint8_t odd = in_->ConsumeIntegral<uint8_t>();
    if (odd >= 240)
        rows.resize(rows.empty() ? 0 : odd % rows.size());
    else if (odd >= 224)
        for (int extra = 1 + odd % 3; extra > 0; --extra) {
            Oid row = rows.empty() ? Oid(std::max<std::size_t>(parts, 1), 1) : rows.back();
            ++row.back();
            rows.push_back(std::move(row));
        }
    return columnRows_[prefix] = std::move(rows);
}

const std::vector<Oid> &AnswerMaker::sharedRows(std::size_t parts)
{
    auto it = shared_.find(parts);
    if (it == shared_.end())
        it = shared_.emplace(parts, newRows(parts)).first;
    return it->second;
}

// Row indexes in ascending order: two once the input has run out, now and then many, some
// with a part more or less than the table's index. Leading parts are mostly a band.
std::vector<Oid> AnswerMaker::newRows(std::size_t parts)
{
    const uint8_t size = in_->ConsumeIntegral<uint8_t>();
    const std::size_t count = size < 160 ? 2 + size % 4 : size < 240 ? size % 12 : size % 48;
    std::vector<Oid> rows;
    uint32_t last = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t shape = in_->ConsumeIntegral<uint8_t>();
        const std::size_t length = shape < 248 ? parts : shape % 2 ? parts + 1 : std::max<std::size_t>(parts, 2) - 1;
        Oid row;
        for (std::size_t p = 0; p + 1 < length; ++p) {
            const uint8_t part = in_->ConsumeIntegral<uint8_t>();
            row.push_back(part < 224 ? 1 + part % 2 : part);
        }
        const uint8_t step = in_->ConsumeIntegral<uint8_t>();
        last = step < 250 ? last + 1 + step % 3 : in_->ConsumeIntegral<uint32_t>();
        row.push_back(last);
        rows.push_back(std::move(row));
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

// The schema's search goes through every object: each OID is looked up once.
const schema::ObjectDef *AnswerMaker::objectOf(const Oid &oid) const
{
    if (objects_.size() > 100000)
        objects_.clear();
    auto it = objects_.find(oid);
    if (it == objects_.end())
        it = objects_.emplace(oid, schema::objectAt(oid)).first;
    return it->second;
}

Oid AnswerMaker::prefixOf(const Oid &oid) const
{
    for (const Oid &column : columns_)
        if (column == oid || isPrefix(column, oid))
            return column;
    return oid;
}

void AnswerMaker::value(const schema::ObjectDef *object, WireVarbind &vb)
{
    if (object && in_->ConsumeIntegral<uint8_t>() < 216)
        naturalValue(*object, vb);
    else
        oddValue(vb);
}

void AnswerMaker::naturalValue(const schema::ObjectDef &object, WireVarbind &vb)
{
    using schema::SmiType;
    switch (object.type) {
    case SmiType::Integer:
    case SmiType::RowStatus:
        vb.tag = kInteger;
        vb.content = SnmpWire::signedContent(number(object.low, object.high));
        break;
    case SmiType::DisplayString: {
        const std::size_t longest = in_->ConsumeIntegral<uint8_t>() < 224 ? std::size_t(object.high) : kLongText;
        vb.tag = kOctets;
        vb.content = in_->ConsumeRandomLengthString(longest);
        break;
    }
    case SmiType::MacAddress:
        vb.tag = kOctets;
        vb.content = bytes(6);
        break;
    case SmiType::IpAddress:
        vb.tag = kIp;
        vb.content = bytes(4);
        break;
    case SmiType::Gauge:
    case SmiType::Counter:
    case SmiType::TimeTicks:
        vb.tag = object.type == SmiType::Gauge ? kGauge : object.type == SmiType::Counter ? kCounter : kTicks;
        vb.content = SnmpWire::unsignedContent(in_->ConsumeIntegral<uint32_t>());
        break;
    }
}

void AnswerMaker::oddValue(WireVarbind &vb)
{
    static constexpr uint8_t kTags[] = {kInteger, kOctets,    kNull,   kIp,          kCounter,        kGauge,   kTicks,
                                        kCounter64, kOidTag, kOpaque, kNoSuchObject, kNoSuchInstance, kEndOfMib};
    vb.tag = in_->PickValueInArray(kTags);
    switch (vb.tag) {
    case kInteger:
        vb.content = SnmpWire::signedContent(number(INT32_MIN, INT32_MAX));
        break;
    case kOctets:
    case kOpaque:
        vb.content = in_->ConsumeRandomLengthString(kLongText);
        break;
    case kIp:
        vb.content = bytes(in_->ConsumeIntegralInRange<std::size_t>(0, 8));
        break;
    case kCounter:
    case kGauge:
    case kTicks:
        vb.content = SnmpWire::unsignedContent(in_->ConsumeIntegral<uint32_t>());
        break;
    case kCounter64:
        vb.content = SnmpWire::unsignedContent(in_->ConsumeIntegral<uint64_t>());
        break;
    case kOidTag:
        vb.content = SnmpWire::oidContent(anyOid());
        break;
    default: // NULL and the exceptions carry nothing
        vb.content.clear();
    }
}

// Mostly within the object's range; now and then just outside it, at an edge of 32 bits, or any
// 32-bit value.
int64_t AnswerMaker::number(int64_t low, int64_t high)
{
    const uint8_t pick = in_->ConsumeIntegral<uint8_t>();
    if (pick < 192)
        return in_->ConsumeIntegralInRange<int64_t>(low, std::max(low, high));
    const int64_t edges[] = {low - 1, high + 1, INT32_MIN, INT32_MIN + 1, -1, INT32_MAX, UINT32_MAX};
    return pick < 240 ? in_->PickValueInArray(edges) : in_->ConsumeIntegral<int32_t>();
}

std::string AnswerMaker::bytes(std::size_t size)
{
    std::string octets = in_->ConsumeBytesAsString(size);
    octets.resize(size, '\0');
    return octets;
}

Oid AnswerMaker::anyOid()
{
    Oid oid(std::begin(schema::kBaseOid), std::end(schema::kBaseOid));
    for (int parts = in_->ConsumeIntegralInRange(1, 6); parts > 0; --parts)
        oid.push_back(in_->ConsumeIntegralInRange<uint32_t>(0, 40));
    return oid;
}

std::string AnswerMaker::refusal(const WireMessage &request, const WireMessage &response) const
{
    if (const int64_t status = response.field2) {
        // tooBig makes the library ask again in smaller parts, while it can.
        const bool smaller = request.pduTag == SnmpWire::kGet ? request.varbinds.size() > 1
                                                              : request.pduTag == SnmpWire::kGetBulk && request.field3 > 1;
        return status == 1 && smaller ? "" : "error-status " + std::to_string(status);
    }
    if (request.pduTag == SnmpWire::kGetBulk)
        return walkRefusal(request, response);
    if (request.pduTag != SnmpWire::kGet)
        return "";
    // A GET answer is taken by position, where it names the object asked for.
    const std::size_t count = std::min(request.varbinds.size(), response.varbinds.size());
    for (std::size_t i = 0; i < count; ++i) {
        const WireVarbind &vb = response.varbinds[i];
        if (vb.oid == request.varbinds[i].oid && wrongType(objectOf(vb.oid), vb))
            return std::string("a value of the wrong type for ") + objectOf(vb.oid)->name;
    }
    return "";
}

// The library walks each column on its own: varbind i continues column i % columns until the
// column leaves its prefix. An empty answer or one that does not move on ends the walk.
std::string AnswerMaker::walkRefusal(const WireMessage &request, const WireMessage &response) const
{
    const std::size_t columns = request.varbinds.size();
    if (columns == 0)
        return "";
    if (response.varbinds.empty())
        return "an empty table step";
    std::vector<Oid> last;
    for (const WireVarbind &vb : request.varbinds)
        last.push_back(vb.oid);
    std::vector<bool> finished(columns, false);
    for (std::size_t i = 0; i < response.varbinds.size(); ++i) {
        const std::size_t c = i % columns;
        const WireVarbind &vb = response.varbinds[i];
        const Oid prefix = prefixOf(request.varbinds[c].oid);
        if (finished[c])
            continue;
        if (!isPrefix(prefix, vb.oid) || vb.tag == kEndOfMib) {
            finished[c] = true;
        } else if (vb.oid <= last[c]) {
            return "a table step that goes back";
        } else if (wrongType(objectOf(prefix), vb)) {
            return std::string("a value of the wrong type for ") + objectOf(prefix)->name;
        } else {
            last[c] = vb.oid;
        }
    }
    return "";
}

void AnswerMaker::spoil(std::string &datagram)
{
    const std::size_t at = in_->ConsumeIntegralInRange<std::size_t>(0, datagram.size() - 1);
    if (in_->ConsumeBool())
        datagram.resize(at);
    else
        datagram[at] = char(in_->ConsumeIntegral<uint8_t>());
}

} // namespace trb::fuzz
