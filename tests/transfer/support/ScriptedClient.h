#pragma once
// A TFTP client driven step by step from a test, so the test decides what is lost, repeated
// or sent from the wrong port, and sees every packet the server sends.
#include "TftpPacket.h"
#include "UdpEndpoint.h"

#include <string>

namespace tftptest {

struct FetchResult {
    std::vector<std::uint8_t> bytes;
    int errorCode = -1;  // -1: no error
    std::string errorMessage;
    int dataPackets = 0;
};

class ScriptedClient {
public:
    explicit ScriptedClient(std::uint16_t serverPort, const char *address = "127.0.0.1")
        : endpoint_(address), serverPort_(serverPort)
    {
    }

    void Send(const std::vector<std::uint8_t> &bytes) { endpoint_.SendTo(transferPort_ ? transferPort_ : serverPort_, bytes); }
    void SendRequest(tftp::Opcode opcode, const std::string &name, const std::vector<tftp::Option> &options = {});
    // Next packet from the server; remembers its transfer port.
    std::optional<tftp::Packet> Next(std::chrono::milliseconds timeout = std::chrono::milliseconds(2000));
    std::uint16_t TransferPort() const { return transferPort_; }
    const UdpEndpoint &Endpoint() const { return endpoint_; }

    // A whole read, acknowledging every windowSize blocks (or each block).
    FetchResult Fetch(const std::string &name, const std::vector<tftp::Option> &options = {});
    // A whole write; returns the error code, or -1 when the file was accepted.
    int Put(const std::string &name, const std::vector<std::uint8_t> &bytes,
            const std::vector<tftp::Option> &options = {});

private:
    std::vector<std::uint8_t> lastRaw_;
    UdpEndpoint endpoint_;
    std::uint16_t serverPort_;
    std::uint16_t transferPort_ = 0;
};

} // namespace tftptest
