// libFuzzer target for what the device library makes of an agent's answers: a fake agent on
// 127.0.0.1 answers each request from the input (FakeAgent), Net-SNMP parses the answer, the
// library takes it into the handle of a family, and every getter of that family is checked on
// what it read (FamilyReads).
//
// Input: one byte, the number of reads (1 to 4); four bytes per read (CallChoice: the family or
// monitor kind, options, groups); then what the agent answers (AnswerMaker).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "FakeAgent.h"
#include "FamilyReads.h"
#include "TRB4820apHelp.h"

using namespace trb::fuzz;

namespace {

constexpr std::size_t kMaxReads = 4;

FakeAgent *agent = nullptr; // serves as long as the process runs
APHANDLE session = 0;

CallChoice choiceAt(const uint8_t *data, std::size_t size, std::size_t at)
{
    auto byte = [&](std::size_t i) { return at + i < size ? data[at + i] : uint8_t(0); };
    return {byte(0), byte(1), uint16_t(byte(2) | byte(3) << 8)};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The library first, while this is the only thread.
    if (apInitSnmpLibrary() != AP_OK) {
        std::fprintf(stderr, "agent-answers: the library did not start\n");
        std::abort();
    }
    agent = new FakeAgent;
    session = apSnmpOpenSession(2, "agent-answers");
    // 20 ms a try and no retry: an answer left out costs little, and the agent has the time to
    // answer a read of many parts sent at once.
    const std::string address = "127.0.0.1:" + std::to_string(agent->port());
    if (!session || apSnmpSetSession(session, 161, "public", "private", 2, address.c_str(), 0) != AP_OK) {
        std::fprintf(stderr, "agent-answers: no session to the fake agent\n");
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const std::size_t reads = 1 + (size ? data[0] % kMaxReads : 0);
    const std::size_t header = std::min(size, 1 + 4 * reads);
    agent->startInput(data + header, size - header);
    FamilyReads family(session, *agent);
    for (std::size_t i = 0; i < reads; ++i)
        family.run(choiceAt(data, size, 1 + 4 * i));
    agent->stopInput();
    return 0;
}
