// libFuzzer target for the simulator's ACL file reader: any file must be taken or refused
// whole without a crash; what it takes are distinct stations, at most the device's limit, and
// they read back the same once written.
#include "AclFile.h"

#include <algorithm>
#include <cstdlib>

using trb::sim::AclFile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<std::uint8_t> file(data, data + size);
    std::vector<AclFile::Mac> macs{AclFile::Mac{2, 0, 0, 0, 0, 1}};
    const std::vector<AclFile::Mac> before = macs;
    std::string error;
    if (!AclFile::decode(file, macs, error)) {
        if (macs != before || error.empty())
            std::abort(); // refused whole, with a reason
        return 0;
    }
    if (macs.size() > AclFile::kMaxEntries)
        std::abort();
    for (std::size_t i = 0; i < macs.size(); ++i)
        if (!AclFile::isStation(macs[i]) || std::find(macs.begin(), macs.begin() + long(i), macs[i]) != macs.begin() + long(i))
            std::abort();
    std::vector<AclFile::Mac> again;
    if (!AclFile::decode(AclFile::encode(macs), again, error) || again != macs)
        std::abort();
    return 0;
}
