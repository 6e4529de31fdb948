#include "FakeAgent.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace trb::fuzz {
namespace {

// An answer sent later than this after its request arrived may miss the library's time-out
// (20 ms a try, AgentAnswersFuzzer.cpp): whether it was taken is not known.
constexpr long long kLateNs = 10'000'000;

long long nanos(const timespec &t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; }

long long nowNs()
{
    timespec t{};
    clock_gettime(CLOCK_REALTIME, &t); // the clock of the kernel's receive stamps
    return nanos(t);
}

} // namespace

FakeAgent::FakeAgent()
{
    socket_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    const int on = 1;
    if (socket_ < 0 || setsockopt(socket_, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) != 0 ||
        bind(socket_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr *>(&address), &length) != 0) {
        std::perror("agent-answers: the agent's socket");
        std::abort();
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
    thread_.detach(); // serves until the process ends
}

void FakeAgent::startInput(const uint8_t *data, std::size_t size)
{
    std::lock_guard lock(mutex_);
    input_.emplace(data, size);
    maker_.startInput(&*input_);
}

void FakeAgent::stopInput()
{
    std::lock_guard lock(mutex_);
    input_.reset();
}

void FakeAgent::startCall()
{
    std::lock_guard lock(mutex_);
    callStart_ = {};
    clock_gettime(CLOCK_REALTIME, &callStart_);
    verdict_ = {};
    asked_.clear();
    covered_.clear();
    refused_.clear();
    maker_.startCall();
}

FakeAgent::Verdict FakeAgent::endCall()
{
    std::lock_guard lock(mutex_);
    Verdict verdict = verdict_;
    verdict.refusal = refused_.empty() ? "" : refused_.front().why;
    for (const Oid &oid : asked_)
        verdict.uncovered += covered_.count(oid) ? 0 : 1;
    return verdict;
}

void FakeAgent::serve()
{
    std::string buffer(65536, '\0');
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    for (;;) {
        sockaddr_in peer{};
        iovec data{buffer.data(), buffer.size()};
        msghdr message{};
        message.msg_name = &peer;
        message.msg_namelen = sizeof peer;
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t size = recvmsg(socket_, &message, 0);
        if (size < 0)
            continue;
        timespec received{}; // without a stamp the answer counts as late
        for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c))
            if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_TIMESTAMPNS)
                std::memcpy(&received, CMSG_DATA(c), sizeof received);
        take(buffer.substr(0, std::size_t(size)), received, &peer, message.msg_namelen);
    }
}

void FakeAgent::take(const std::string &datagram, const timespec &received, const void *peer, unsigned peerLength)
{
    std::lock_guard lock(mutex_);
    if (!input_ || (received.tv_sec && nanos(received) < nanos(callStart_)))
        return; // between inputs, or a request of an earlier call
    const auto request = SnmpWire::parse(datagram);
    if (!request)
        return;
    Answer answer = maker_.answer(*request);
    if (!answer.datagram.empty() && sendto(socket_, answer.datagram.data(), answer.datagram.size(), 0,
                                           static_cast<const sockaddr *>(peer), peerLength) < 0)
        answer.delivery = Answer::Delivery::None; // too big for one datagram
    if (answer.delivery == Answer::Delivery::Certain && nowNs() - nanos(received) > kLateNs)
        answer.delivery = Answer::Delivery::Maybe;
    record(*request, answer);
}

void FakeAgent::record(const WireMessage &request, const Answer &answer)
{
    const bool reached = answer.delivery != Answer::Delivery::None;
    ++verdict_.requests;
    verdict_.lastAnswered = reached;
    verdict_.certain = verdict_.certain && answer.delivery != Answer::Delivery::Maybe;
    if (reached)
        verdict_.varbinds += answer.varbinds;
    std::set<Oid> oids;
    for (const WireVarbind &vb : request.varbinds)
        oids.insert(vb.oid);
    // Asked again, an object shows that the earlier answer did not reach the library after all
    // (Net-SNMP refuses some encodings the agent cannot tell from good ones): that answer's
    // refusal does not hold. Walks only ask again after a time-out, GETs in halves.
    std::erase_if(refused_, [&](const Refused &r) {
        return std::any_of(oids.begin(), oids.end(), [&](const Oid &oid) { return r.oids.count(oid) > 0; });
    });
    if (answer.delivery == Answer::Delivery::Certain && !answer.refusal.empty())
        refused_.push_back({oids, answer.refusal});
    if (request.pduTag != SnmpWire::kGet)
        return;
    asked_.insert(oids.begin(), oids.end());
    if (reached)
        covered_.insert(oids.begin(), oids.end());
}

} // namespace trb::fuzz
