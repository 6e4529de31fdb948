#include "ValueConversion.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "RecordText.h"

namespace trb::devicelib {

void copyBoundedText(std::string_view text, char *slot, std::size_t size)
{
    // An agent's text may carry NULs of its own; the record's text ends at the first.
    WriteSlot(slot, size, text.substr(0, text.find('\0')));
}

std::string_view slotText(const char *slot, std::size_t size) { return SlotView(slot, size); }

std::string macToHex(std::string_view octets)
{
    if (octets.size() != 6)
        return {};
    static const char digits[] = "0123456789ABCDEF";
    std::string hex(12, '0');
    for (std::size_t i = 0; i < 6; ++i) {
        const auto c = static_cast<unsigned char>(octets[i]);
        hex[2 * i] = digits[c >> 4];
        hex[2 * i + 1] = digits[c & 0xF];
    }
    return hex;
}

std::optional<std::string> macHexToOctets(std::string_view hex)
{
    if (hex.size() != 12)
        return std::nullopt;
    std::string octets;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        unsigned value = 0;
        auto [end, ec] = std::from_chars(hex.data() + i, hex.data() + i + 2, value, 16);
        if (ec != std::errc() || end != hex.data() + i + 2)
            return std::nullopt;
        octets += char(value);
    }
    return octets;
}

std::string ipOctetsToText(std::string_view octets)
{
    if (octets.size() != 4)
        return {};
    // Every device record carries several addresses: no printf on this path.
    char text[16];
    char *end = text;
    for (std::size_t i = 0; i < 4; ++i) {
        if (i > 0)
            *end++ = '.';
        end = std::to_chars(end, text + sizeof text, static_cast<unsigned char>(octets[i])).ptr;
    }
    return std::string(text, end);
}

std::optional<std::string> ipTextToOctets(std::string_view text)
{
    std::string octets;
    std::size_t pos = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        unsigned value = 0;
        std::size_t digits = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4) {
            value = value * 10 + unsigned(text[pos] - '0');
            ++pos;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        octets += char(value);
    }
    if (pos != text.size())
        return std::nullopt;
    return octets;
}

std::string upTimeText(uint32_t ticks)
{
    uint32_t seconds = ticks / 100;
    uint32_t days = seconds / 86400;
    seconds %= 86400;
    char text[64];
    std::snprintf(text, sizeof text, "%u %s, %02u:%02u:%02u", days, days == 1 ? "day" : "days",
                  seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string localClockText()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

} // namespace trb::devicelib
