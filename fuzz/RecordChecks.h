#pragma once
// The checks the fuzzer makes of what the device library hands back: result codes, texts that
// end in their slots, MAC texts, bytes the library must leave alone. A broken rule aborts, so
// that the fuzzer reports it.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "TRB4820apHelp.h"

namespace trb::fuzz {

inline constexpr uint8_t kPoison = 0xA5;

[[noreturn]] void fail(const std::string &what);
void expectOk(int code, const char *call);
bool knownCode(int code);
// A MAC is "" or 12 upper-case hex digits (a terminated text).
void macFormat(const char *what, const char *text);
// Four peers of 12 hex digits, blank-separated.
bool peerList(const char *text);

// Buffers start poisoned, so that a text the library leaves without its NUL shows.
template <typename T> void poison(T &value) { std::memset(static_cast<void *>(&value), kPoison, sizeof value); }

template <typename T> bool untouched(const T &value)
{
    const auto *bytes = reinterpret_cast<const uint8_t *>(&value);
    return std::all_of(bytes, bytes + sizeof value, [](uint8_t b) { return b == kPoison; });
}

template <std::size_t N> bool ends(const char (&text)[N]) { return std::memchr(text, 0, N) != nullptr; }
template <std::size_t M, std::size_t N> bool ends(const char (&texts)[M][N])
{
    return std::all_of(std::begin(texts), std::end(texts), [](const char(&text)[N]) { return ends(text); });
}

template <typename... Texts> void terminated(const char *what, const Texts &...texts)
{
    if (!(ends(texts) && ...))
        fail(std::string(what) + ": a text without its NUL");
}

template <typename... Parts> void unchanged(const char *what, const Parts &...parts)
{
    if (!(untouched(parts) && ...))
        fail(std::string(what) + ": the library wrote bytes that are not its own");
}

// Each row's texts end in their slots and its MAC, if any, is well formed.
void checkRow(const apArpEntry &row);
void checkRow(const apIntrusionRecord &row);
void checkRow(const apDhcpStaticEntry &row);
void checkRow(const apQosRule &row);
void checkRow(const apVlanRecord &row);
void checkRow(const apScheduleRule &row);
void checkRow(const apFilterAclEntry &row);
void checkRow(const apClientRecord &row);
void checkRow(const apWdsPeerRecord &row);
void checkRow(const apClientSurveyRecord &row);
void checkRow(const apWdsSurveyRecord &row);
void checkRow(const apClientMacRecord &row);
void checkRow(const apDhcpLeaseEntry &row);
void checkRow(const apDhcpStaticLeaseEntry &row);
void checkRow(const apArrayEntry &row);
void checkRow(const apArrayMember &row);
void checkRow(const apVlanPortEntry &row);

template <typename Row> void checkRows(const std::vector<Row> &rows)
{
    for (const Row &row : rows)
        checkRow(row);
}

} // namespace trb::fuzz
