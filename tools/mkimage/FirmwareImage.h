#pragma once
// The TRB-4820's firmware image and language pack files: a 64-byte header (magic, model,
// version or pack name, body length and CRC-32 of the body, integers little-endian), then the body.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace trb::image {

// CRC-32 as zlib and PNG compute it (reflected, polynomial 0xEDB88320).
uint32_t crc32(std::span<const uint8_t> bytes, uint32_t crc = 0);

struct FirmwareImage {
    enum class Kind { Firmware, LanguagePack };

    static constexpr std::size_t kHeaderSize = 64;
    static constexpr std::size_t kModelSize = 16;
    static constexpr std::size_t kVersionSize = 32; // the longest version or name is one less

    Kind kind = Kind::Firmware;
    std::string model;
    std::string version; // for a language pack: its name
    std::vector<uint8_t> body;

    // The file's bytes; an empty vector when the model or version does not fit the header.
    std::vector<uint8_t> encode() const;
    // The image a file holds, or nullopt with the reason: no header, unknown magic, a length
    // that is not the body's, a CRC that does not match.
    static std::optional<FirmwareImage> decode(std::span<const uint8_t> file, std::string &error);
    // A body of `size` pseudo-random bytes, the same for the same seed.
    static std::vector<uint8_t> randomBody(std::size_t size, uint32_t seed);
};

} // namespace trb::image
