// Stand-ins until the filter lists exist: no ACL file to store, none accepted.
#include "Device.h"

namespace trb::sim {

std::vector<uint8_t> Device::aclFileOf() const { return {}; }

bool Device::applyAclFile(const std::vector<uint8_t> &, std::string &error)
{
    error = "no ACL list";
    return false;
}

} // namespace trb::sim
