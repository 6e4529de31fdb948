// libFuzzer target for the simulator's configuration file (.dcf) reader: any file must be
// taken or refused without a crash, a refusal says why, and what it takes reads back the same
// once written. Most inputs get their CRC line added, so that mutations reach the parser; an
// input whose first byte is odd is read as it is, CRC line and all.
#include "ConfigFile.h"
#include "DefaultDevice.h"
#include "FirmwareImage.h"

#include <cstdio>
#include <cstdlib>

using namespace trb::sim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const DeviceStore device = DefaultDevice::build(5);
    std::vector<std::uint8_t> file(data, data + size);
    if (size > 0 && (data[0] & 1) == 0) {
        char line[24];
        std::snprintf(line, sizeof line, "crc32=%08x\n", trb::image::crc32(file));
        file.insert(file.end(), line, line + 15);
    }
    std::string error;
    const auto config = ConfigFile::read(file, device, "TRB-4820", error);
    if (!config) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const auto again = ConfigFile::read(ConfigFile::write(*config, "TRB-4820", "1.2.07"), device, "TRB-4820", error);
    if (!again || *again != *config)
        std::abort();
    return 0;
}
