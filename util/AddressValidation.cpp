#include "AddressValidation.h"

#include "NumberConversion.h"

#include <array>

namespace trb {
namespace {

using OctetTexts = std::array<QString, 4>;

// The pieces between the first three dots; the last one keeps any further dots.
OctetTexts splitOctets(const QString &text)
{
    OctetTexts octets;
    qsizetype start = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype dot = text.indexOf(u'.', start);
        if (dot < 0) {
            octets[i] = text.mid(start);
            return octets;
        }
        octets[i] = text.mid(start, dot - start);
        start = dot + 1;
    }
    octets[3] = text.mid(start);
    return octets;
}

// Exactly three dots, none at either end. Empty octets in the middle are allowed.
bool hasDottedShape(const QString &text)
{
    return !text.isEmpty() && !text.startsWith(u'.') && !text.endsWith(u'.')
        && text.count(u'.') == 3;
}

std::array<int, 4> octetValues(const QString &text)
{
    const OctetTexts texts = splitOctets(text);
    return {ToInt(texts[0]), ToInt(texts[1]), ToInt(texts[2]), ToInt(texts[3])};
}

bool inRange(int value, int low, int high) { return value >= low && value <= high; }

} // namespace

quint32 IpToUint(const QString &text)
{
    quint32 value = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'.') {
            value = (value + quint32(ToInt(text.mid(start, i - start)))) * 256u;
            start = i + 1;
        }
    }
    return value + quint32(ToInt(text.mid(start)));
}

QString NetworkOf(const QString &address, const QString &mask)
{
    const OctetTexts a = splitOctets(address);
    const OctetTexts m = splitOctets(mask);
    QStringList parts;
    for (int i = 0; i < 4; ++i)
        parts << QString::number(ToInt(a[i]) & ToInt(m[i]) & 0xFF);
    return parts.join(u'.');
}

bool IsValidHostIp(const QString &text)
{
    if (!hasDottedShape(text))
        return false;
    const auto o = octetValues(text);
    return inRange(o[0], 1, 223) && o[0] != 127 && inRange(o[1], 0, 255)
        && inRange(o[2], 0, 255) && inRange(o[3], 0, 254);
}

bool IsValidHostIpNotZero(const QString &text)
{
    return text != QLatin1String("0.0.0.0") && IsValidHostIp(text);
}

bool IsValidSubnetMask(const QString &text)
{
    if (!hasDottedShape(text))
        return false;
    const auto o = octetValues(text);
    if (!inRange(o[0], 1, 255) || !inRange(o[1], 0, 255) || !inRange(o[2], 0, 255)
        || !inRange(o[3], 0, 255))
        return false;
    const quint32 mask = quint32(o[0]) << 24 | quint32(o[1]) << 16 | quint32(o[2]) << 8
        | quint32(o[3]);
    const quint32 hostBits = ~mask;
    const bool contiguous = (hostBits & (hostBits + 1)) == 0;
    const bool topTwoSet = (mask & 0xC0000000u) == 0xC0000000u;
    const bool lowestClear = (mask & 1u) == 0;
    return contiguous && topTwoSet && lowestClear;
}

quint32 ParseDottedAddress(const QString &text)
{
    if (text.size() > 15 || text.count(u'.') != 3)
        return kMalformedAddress;
    const QStringList parts = text.split(u'.');
    quint32 value = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return kMalformedAddress;
        int octet = 0;
        for (QChar c : part) {
            if (c < u'0' || c > u'9')
                return kMalformedAddress;
            octet = octet * 10 + (c.unicode() - u'0');
        }
        if (octet > 255)
            return kMalformedAddress;
        value = value << 8 | quint32(octet);
    }
    return value;
}

} // namespace trb
