#include "RadioLists.h"

namespace trb::sim {
namespace {

constexpr uint32_t kBand24 = 1;

std::string range(int first, int last, int step = 1)
{
    std::string text;
    for (int channel = first; channel <= last; channel += step)
        text += (text.empty() ? "" : " ") + std::to_string(channel);
    return text;
}

constexpr const char *kLegacy24 = "1 2 5.5 11 ";
constexpr const char *kOfdm = "6 9 12 18 24 36 48 54";
constexpr const char *kHt = " 6.5 13 19.5 26 39 52 58.5 65 78 104 117 130";

} // namespace

std::string RadioLists::channels(uint32_t band, std::string_view country)
{
    const bool thirteen = country == "JP" || country == "EG";
    if (band == kBand24)
        return range(1, thirteen ? 13 : 11);
    const std::string low = range(36, 64, 4);
    if (country == "EG")
        return low; // no DFS band above 64 in this domain
    const std::string middle = low + " " + range(100, 140, 4);
    return country == "JP" ? middle : middle + " " + range(149, 165, 4);
}

std::string RadioLists::wdsChannels(uint32_t band, std::string_view country)
{
    // Radar detection keeps WDS links off the DFS channels in Japan.
    if (country == "JP" && band != kBand24)
        return range(36, 48, 4);
    return "";
}

std::string RadioLists::rates(uint32_t band)
{
    return std::string("Auto ") + (band == kBand24 ? kLegacy24 : "") + kOfdm + kHt;
}

std::string RadioLists::multicastRates(uint32_t band)
{
    return std::string(band == kBand24 ? kLegacy24 : "") + kOfdm + kHt;
}

bool RadioLists::contains(std::string_view list, std::string_view word)
{
    while (!list.empty()) {
        const auto blank = list.find(' ');
        if (list.substr(0, blank) == word)
            return true;
        if (blank == std::string_view::npos)
            break;
        list.remove_prefix(blank + 1);
    }
    return false;
}

} // namespace trb::sim
