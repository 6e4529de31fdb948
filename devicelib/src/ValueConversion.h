#pragma once
// Conversions between SNMP value forms and the texts the records carry.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trb::devicelib {

// Copies text into a slot of `size` bytes: at most size - 1 characters, stops at an embedded
// NUL, always NUL-terminated. The rest of the slot is zeroed.
void copyBoundedText(std::string_view text, char *slot, std::size_t size);

// The text held in a slot, never reading past it (a slot without a NUL gives size characters).
std::string_view slotText(const char *slot, std::size_t size);

// Six octets as 12 upper-case hex digits; anything but six octets gives "".
std::string macToHex(std::string_view octets);
// Six octets from exactly 12 hex digits (either case, no separators); nullopt otherwise.
std::optional<std::string> macHexToOctets(std::string_view hex);

// "a.b.c.d" from four octets; anything but four octets gives "".
std::string ipOctetsToText(std::string_view octets);
// Four octets from strict dotted decimal (four parts 0..255, digits only); nullopt otherwise.
std::optional<std::string> ipTextToOctets(std::string_view text);

// TimeTicks (hundredths of a second) as "2 days, 03:04:05" ("1 day, ..." for one day).
std::string upTimeText(uint32_t ticks);

// "HH:MM:SS" of the current local time.
std::string localClockText();

} // namespace trb::devicelib
