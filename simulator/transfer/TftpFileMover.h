#pragma once
// The device's file transfers over TFTP: each call runs one client transfer to the PC's server.
#include "FileMover.h"
#include "TftpClient.h"

namespace trb::sim {

class TftpFileMover : public FileMover {
public:
    explicit TftpFileMover(TftpClient::Settings settings = {}) : settings_(settings) {}

    Result fetch(const std::string &host, uint16_t port, const std::string &name,
                 std::vector<uint8_t> &data) override;
    Result store(const std::string &host, uint16_t port, const std::string &name,
                 const std::vector<uint8_t> &data) override;

private:
    TftpClient::Settings settings_;
};

} // namespace trb::sim
