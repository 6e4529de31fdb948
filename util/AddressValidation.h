#pragma once
// IPv4 address and subnet-mask rules for what the user types into address fields.
#include <QString>
#include <QtGlobal>

namespace trb {

// 32-bit value of a dotted text, first octet in the top 8 bits. Each octet is read with
// ToInt; garbage gives a meaningless but harmless number ("" is 0).
quint32 IpToUint(const QString &text);

// Dotted text of the two texts ANDed octet by octet (low 8 bits of each octet value).
// Missing octets count as 0; the fourth octet is everything after the third ".".
QString NetworkOf(const QString &address, const QString &mask);

// Host address: four octets (empty ones count as 0), first 1..223 but not 127,
// second and third 0..255, fourth 0..254.
bool IsValidHostIp(const QString &text);

// IsValidHostIp, but exactly "0.0.0.0" is refused too.
bool IsValidHostIpNotZero(const QString &text);

// Contiguous mask from 192.0.0.0 to 255.255.255.254.
bool IsValidSubnetMask(const QString &text);

// Strict dotted-quad parser used where the address must be a real address: exactly four
// parts of 1 to 3 decimal digits, each at most 255, nothing else (no blanks, signs, empty
// parts, hex or octal forms; leading zeros are read as decimal). A malformed text gives
// 0xFFFFFFFF, the same value as "255.255.255.255".
quint32 ParseDottedAddress(const QString &text);

inline constexpr quint32 kMalformedAddress = 0xFFFFFFFFu;

} // namespace trb
