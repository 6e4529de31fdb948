#pragma once
// An SNMP agent on 127.0.0.1 (an ephemeral port), served by its own thread, that answers every
// request as the fuzzer's input says (AnswerMaker) and keeps, per library request ("call"),
// what the library may and may not conclude from the answers it got.
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "AnswerMaker.h"

namespace trb::fuzz {

class FakeAgent {
public:
    struct Verdict {
        int requests = 0;
        // Every answer reached the library as sent, or not at all; else nothing below holds.
        bool certain = true;
        bool lastAnswered = false; // the last request seen got an answer
        std::string refusal;      // why the library has to fail the call; empty when it need not
        std::size_t uncovered = 0; // GET objects no answer covered
        std::size_t varbinds = 0;  // at most this many varbinds reached the library
    };

    FakeAgent();
    uint16_t port() const { return port_; }

    // The answers of one fuzz input; `data` must stay valid until stopInput.
    void startInput(const uint8_t *data, std::size_t size);
    void stopInput();
    void startCall();
    Verdict endCall();

private:
    void serve();
    void take(const std::string &datagram, const timespec &received, const void *peer, unsigned peerLength);
    void record(const WireMessage &request, const Answer &answer);

    int socket_ = -1;
    uint16_t port_ = 0;
    std::thread thread_;

    std::mutex mutex_; // guards everything below
    std::optional<FuzzedDataProvider> input_;
    AnswerMaker maker_;
    timespec callStart_{};
    struct Refused {
        std::set<Oid> oids; // what the refused answer's request asked for
        std::string why;
    };
    Verdict verdict_;
    std::set<Oid> asked_, covered_;
    std::vector<Refused> refused_;
};

} // namespace trb::fuzz
