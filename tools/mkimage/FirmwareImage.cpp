#include "FirmwareImage.h"

#include <array>
#include <cstring>
#include <random>

namespace trb::image {
namespace {

constexpr char kFirmwareMagic[8] = {'T', 'R', 'B', 'F', 'W', 'I', 'M', 'G'};
constexpr char kLanguageMagic[8] = {'T', 'R', 'B', 'L', 'A', 'N', 'G', 'P'};
constexpr std::size_t kModelOffset = 8;
constexpr std::size_t kVersionOffset = kModelOffset + FirmwareImage::kModelSize;
constexpr std::size_t kLengthOffset = kVersionOffset + FirmwareImage::kVersionSize;
constexpr std::size_t kCrcOffset = kLengthOffset + 4;
static_assert(kCrcOffset + 4 == FirmwareImage::kHeaderSize);

const std::array<uint32_t, 256> &crcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void putWord(uint8_t *at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = uint8_t(value >> (8 * i));
}

uint32_t getWord(const uint8_t *at)
{
    return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}

// A NUL-padded field's text: up to the first NUL.
std::string fieldText(const uint8_t *at, std::size_t size)
{
    const auto *text = reinterpret_cast<const char *>(at);
    return std::string(text, strnlen(text, size));
}

} // namespace

uint32_t crc32(std::span<const uint8_t> bytes, uint32_t crc)
{
    const auto &table = crcTable();
    crc = ~crc;
    for (uint8_t byte : bytes)
        crc = table[(crc ^ byte) & 0xff] ^ (crc >> 8);
    return ~crc;
}

std::vector<uint8_t> FirmwareImage::encode() const
{
    if (model.size() >= kModelSize || version.size() >= kVersionSize || body.size() > UINT32_MAX)
        return {};
    std::vector<uint8_t> file(kHeaderSize, 0);
    std::memcpy(file.data(), kind == Kind::Firmware ? kFirmwareMagic : kLanguageMagic, sizeof kFirmwareMagic);
    std::memcpy(file.data() + kModelOffset, model.data(), model.size());
    std::memcpy(file.data() + kVersionOffset, version.data(), version.size());
    putWord(file.data() + kLengthOffset, uint32_t(body.size()));
    putWord(file.data() + kCrcOffset, crc32(body));
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

std::optional<FirmwareImage> FirmwareImage::decode(std::span<const uint8_t> file, std::string &error)
{
    if (file.size() < kHeaderSize) {
        error = "no image header";
        return std::nullopt;
    }
    FirmwareImage image;
    if (std::memcmp(file.data(), kFirmwareMagic, sizeof kFirmwareMagic) == 0) {
        image.kind = Kind::Firmware;
    } else if (std::memcmp(file.data(), kLanguageMagic, sizeof kLanguageMagic) == 0) {
        image.kind = Kind::LanguagePack;
    } else {
        error = "no image header";
        return std::nullopt;
    }
    const uint32_t length = getWord(file.data() + kLengthOffset);
    if (length != file.size() - kHeaderSize) {
        error = "image length " + std::to_string(file.size() - kHeaderSize) + " differs from its header's " +
                std::to_string(length);
        return std::nullopt;
    }
    const auto body = file.subspan(kHeaderSize);
    if (crc32(body) != getWord(file.data() + kCrcOffset)) {
        error = "image CRC does not match";
        return std::nullopt;
    }
    image.model = fieldText(file.data() + kModelOffset, kModelSize);
    image.version = fieldText(file.data() + kVersionOffset, kVersionSize);
    if (image.version.empty()) {
        error = "image without a version";
        return std::nullopt;
    }
    image.body.assign(body.begin(), body.end());
    return image;
}

std::vector<uint8_t> FirmwareImage::randomBody(std::size_t size, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::vector<uint8_t> body(size);
    for (auto &byte : body)
        byte = uint8_t(generator());
    return body;
}

} // namespace trb::image
