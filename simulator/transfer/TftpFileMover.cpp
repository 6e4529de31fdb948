#include "TftpFileMover.h"

namespace trb::sim {

FileMover::Result TftpFileMover::fetch(const std::string &host, uint16_t port, const std::string &name,
                                       std::vector<uint8_t> &data)
{
    return TftpClient(settings_).read(host, port, name, data);
}

FileMover::Result TftpFileMover::store(const std::string &host, uint16_t port, const std::string &name,
                                       const std::vector<uint8_t> &data)
{
    return TftpClient(settings_).write(host, port, name, data);
}

} // namespace trb::sim
