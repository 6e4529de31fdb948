#pragma once
// The device's configuration file (".dcf"), the administrator's backup: a text header (format,
// model, firmware), one "name.instance=value" line per configuration value, secrets included,
// and a last line with the CRC-32 of everything before it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "DeviceStore.h"

namespace trb::sim {

class ConfigFile {
public:
    static std::vector<uint8_t> write(const ConfigValues &config, const std::string &model,
                                      const std::string &firmwareVersion);
    // The configuration the file sets: `device`'s with every value of the file, and exactly the
    // file's rows in the tables whose rows managers create. Nullopt, with the reason, when the
    // file is damaged or cut short, made for another model, or holds a value the device would
    // refuse in a SET.
    static std::optional<ConfigValues> read(const std::vector<uint8_t> &file, const DeviceStore &device,
                                            const std::string &model, std::string &error);
};

} // namespace trb::sim
