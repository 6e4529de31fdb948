#include "ConfigFile.h"

#include <cstdio>
#include <sstream>

#include "CreatedRows.h"
#include "FirmwareImage.h"
#include "StateFile.h"

namespace trb::sim {
namespace {

constexpr const char *kFormatLine = "format=trb4820-dcf/1";
constexpr std::string_view kCrcKey = "crc32=";

uint32_t crcOf(std::string_view text)
{
    return image::crc32({reinterpret_cast<const uint8_t *>(text.data()), text.size()});
}

// The text before the CRC line when the CRC line closes the file and matches it.
std::optional<std::string_view> checkedBody(std::string_view file)
{
    if (file.empty() || file.back() != '\n')
        return std::nullopt;
    const size_t start = file.rfind('\n', file.size() - 2);
    const size_t lineStart = start == std::string_view::npos ? 0 : start + 1;
    const std::string_view line = file.substr(lineStart, file.size() - 1 - lineStart);
    if (line.size() != kCrcKey.size() + 8 || line.substr(0, kCrcKey.size()) != kCrcKey)
        return std::nullopt;
    unsigned crc = 0;
    int used = 0;
    const std::string digits(line.substr(kCrcKey.size()));
    if (std::sscanf(digits.c_str(), "%8x%n", &crc, &used) != 1 || used != 8)
        return std::nullopt;
    const std::string_view body = file.substr(0, lineStart);
    if (crcOf(body) != crc)
        return std::nullopt;
    return body;
}

// The running configuration without the rows managers create: the file brings its own.
ConfigValues withoutCreatedRows(ConfigValues config)
{
    std::erase_if(config, [](const auto &entry) {
        const auto *object = DeviceStore::schemaObjectFor(entry.first);
        return object && CreatedRows::tableOf(*object);
    });
    return config;
}

} // namespace

std::vector<uint8_t> ConfigFile::write(const ConfigValues &config, const std::string &model,
                                       const std::string &firmwareVersion)
{
    std::ostringstream out;
    out << "# TRB-4820 configuration file\n" << kFormatLine << "\n";
    out << "model=" << StateFile::encode(SnmpValue::text(model)) << "\n";
    out << "firmware=" << StateFile::encode(SnmpValue::text(firmwareVersion)) << "\n";
    for (const auto &[name, value] : config)
        if (const auto *object = DeviceStore::schemaObjectFor(name))
            out << StateFile::keyOf(*object, name) << "=" << StateFile::encode(value) << "\n";
    std::string text = out.str();
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08x", crcOf(text));
    text += std::string(kCrcKey) + crc + "\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::optional<ConfigValues> ConfigFile::read(const std::vector<uint8_t> &file, const DeviceStore &device,
                                             const std::string &model, std::string &error)
{
    const std::string text(file.begin(), file.end());
    const auto body = checkedBody(text);
    if (!body) {
        error = "damaged or incomplete configuration file (CRC)";
        return std::nullopt;
    }
    std::istringstream lines{std::string(*body)};
    std::string line;
    std::vector<std::string> header;
    while (header.size() < 3 && std::getline(lines, line))
        if (!line.empty() && line[0] != '#')
            header.push_back(line);
    if (header.size() < 3 || header[0] != kFormatLine || header[1].rfind("model=", 0) != 0 ||
        header[2].rfind("firmware=", 0) != 0) {
        error = "not a TRB-4820 configuration file";
        return std::nullopt;
    }
    const auto fileModel = StateFile::decode(header[1].substr(6), ASN_OCTET_STR);
    if (!fileModel || fileModel->bytes != model) {
        error = "configuration file of another model";
        return std::nullopt;
    }
    ConfigValues config = withoutCreatedRows(device.config());
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const size_t equals = line.find('=');
        error = equals == std::string::npos
                    ? "not a name=value line"
                    : StateFile::parseEntry(line.substr(0, equals), line.substr(equals + 1), device, config);
        if (!error.empty())
            return std::nullopt;
    }
    if (std::string problem = CreatedRows::checkRows(config); !problem.empty()) {
        error = problem;
        return std::nullopt;
    }
    return config;
}

} // namespace trb::sim
