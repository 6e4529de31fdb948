#include "SnmpWire.h"

namespace trb::fuzz {
namespace {

// One TLV at a time from a span of the datagram; any fault ends the reading.
struct Reader {
    const std::string *text;
    std::size_t pos;
    std::size_t end;

    bool next(uint8_t &tag, Reader &content)
    {
        if (end - pos < 2)
            return false;
        tag = uint8_t((*text)[pos++]);
        std::size_t length = uint8_t((*text)[pos++]);
        if (length & 0x80) {
            const std::size_t octets = length & 0x7F;
            if (octets == 0 || octets > 3 || end - pos < octets)
                return false;
            length = 0;
            for (std::size_t i = 0; i < octets; ++i)
                length = length << 8 | uint8_t((*text)[pos++]);
        }
        if (end - pos < length)
            return false;
        content = Reader{text, pos, pos + length};
        pos += length;
        return true;
    }
    bool integer(int64_t &value)
    {
        uint8_t tag;
        Reader content{text, 0, 0};
        if (!next(tag, content) || tag != 0x02 || content.pos == content.end || content.end - content.pos > 8)
            return false;
        value = int8_t((*text)[content.pos]);
        for (std::size_t i = content.pos + 1; i < content.end; ++i)
            value = int64_t(uint64_t(value) << 8 | uint8_t((*text)[i]));
        return true;
    }
    bool oid(Oid &out)
    {
        uint8_t tag;
        Reader content{text, 0, 0};
        if (!next(tag, content) || tag != 0x06 || content.pos == content.end)
            return false;
        uint64_t arc = 0;
        for (std::size_t i = content.pos; i < content.end; ++i) {
            arc = arc << 7 | (uint8_t((*text)[i]) & 0x7F);
            if (uint8_t((*text)[i]) & 0x80)
                continue;
            if (out.empty()) {
                out.push_back(uint32_t(arc < 80 ? arc / 40 : 2));
                out.push_back(uint32_t(arc < 80 ? arc % 40 : arc - 80));
            } else {
                out.push_back(uint32_t(arc));
            }
            arc = 0;
        }
        return true;
    }
};

std::string lengthOctets(std::size_t length)
{
    if (length < 0x80)
        return std::string(1, char(length));
    std::string octets;
    for (std::size_t rest = length; rest; rest >>= 8)
        octets.insert(octets.begin(), char(rest & 0xFF));
    return char(0x80 | octets.size()) + octets;
}

} // namespace

std::optional<WireMessage> SnmpWire::parse(const std::string &datagram)
{
    Reader all{&datagram, 0, datagram.size()}, message{&datagram, 0, 0}, pdu{&datagram, 0, 0}, list{&datagram, 0, 0};
    WireMessage out;
    uint8_t tag;
    Reader community{&datagram, 0, 0};
    if (!all.next(tag, message) || tag != 0x30 || !message.integer(out.version) || !message.next(tag, community) ||
        tag != 0x04 || !message.next(out.pduTag, pdu))
        return std::nullopt;
    out.community = datagram.substr(community.pos, community.end - community.pos);
    if (!pdu.integer(out.requestId) || !pdu.integer(out.field2) || !pdu.integer(out.field3) || !pdu.next(tag, list) ||
        tag != 0x30)
        return std::nullopt;
    Reader varbind{&datagram, 0, 0}, value{&datagram, 0, 0};
    while (list.pos < list.end) {
        WireVarbind vb;
        if (!list.next(tag, varbind) || tag != 0x30 || !varbind.oid(vb.oid) || !varbind.next(vb.tag, value))
            return std::nullopt;
        vb.content = datagram.substr(value.pos, value.end - value.pos);
        out.varbinds.push_back(std::move(vb));
    }
    return out;
}

std::string SnmpWire::tlv(uint8_t tag, const std::string &content)
{
    return char(tag) + lengthOctets(content.size()) + content;
}

std::string SnmpWire::signedContent(int64_t value)
{
    std::string octets;
    for (int shift = 56; shift >= 0; shift -= 8)
        octets += char(uint64_t(value) >> shift & 0xFF);
    // Leading octets that only repeat the sign of the next one are left out.
    std::size_t first = 0;
    while (first < 7 && ((octets[first] == '\0' && !(uint8_t(octets[first + 1]) & 0x80)) ||
                         (uint8_t(octets[first]) == 0xFF && (uint8_t(octets[first + 1]) & 0x80))))
        ++first;
    return octets.substr(first);
}

std::string SnmpWire::unsignedContent(uint64_t value)
{
    std::string octets;
    do {
        octets.insert(octets.begin(), char(value & 0xFF));
        value >>= 8;
    } while (value);
    if (uint8_t(octets[0]) & 0x80)
        octets.insert(octets.begin(), '\0');
    return octets;
}

std::string SnmpWire::oidContent(const Oid &oid)
{
    std::string octets;
    for (std::size_t i = oid.size() < 2 ? 0 : 1; i < oid.size(); ++i) {
        uint64_t arc = i == 1 ? uint64_t(oid[0]) * 40 + oid[1] : oid[i];
        std::string base128(1, char(arc & 0x7F));
        while (arc >>= 7)
            base128.insert(base128.begin(), char(0x80 | (arc & 0x7F)));
        octets += base128;
    }
    return octets;
}

std::string SnmpWire::varbindList(const std::vector<WireVarbind> &varbinds)
{
    std::string list;
    for (const WireVarbind &vb : varbinds)
        list += tlv(0x30, tlv(0x06, oidContent(vb.oid)) + tlv(vb.tag, vb.content));
    return tlv(0x30, list);
}

std::string SnmpWire::encodeWithRest(const WireMessage &message, const std::string &rest)
{
    const std::string pdu = tlv(0x02, signedContent(message.requestId)) + rest;
    return tlv(0x30, tlv(0x02, signedContent(message.version)) + tlv(0x04, message.community) +
                         tlv(message.pduTag, pdu));
}

std::string SnmpWire::encode(const WireMessage &message)
{
    return encodeWithRest(message, tlv(0x02, signedContent(message.field2)) + tlv(0x02, signedContent(message.field3)) +
                                       varbindList(message.varbinds));
}

} // namespace trb::fuzz
