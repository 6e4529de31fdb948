// Firmware images and language packs: what the device accepts, and each kind of damage it refuses.
#include <gtest/gtest.h>

#include "FirmwareImage.h"

using trb::image::FirmwareImage;

namespace {

std::vector<uint8_t> goodImage(FirmwareImage::Kind kind = FirmwareImage::Kind::Firmware)
{
    FirmwareImage image;
    image.kind = kind;
    image.model = "TRB-4820";
    image.version = "1.3.00";
    image.body = FirmwareImage::randomBody(5000, 7);
    return image.encode();
}

TEST(FirmwareImage, Crc32IsTheStandardOne)
{
    const std::string check = "123456789";
    EXPECT_EQ(trb::image::crc32({reinterpret_cast<const uint8_t *>(check.data()), check.size()}), 0xCBF43926u);
}

TEST(FirmwareImage, AGoodImageDecodesToWhatWasEncoded)
{
    for (auto kind : {FirmwareImage::Kind::Firmware, FirmwareImage::Kind::LanguagePack}) {
        std::string error;
        const auto image = FirmwareImage::decode(goodImage(kind), error);
        ASSERT_TRUE(image) << error;
        EXPECT_EQ(image->kind, kind);
        EXPECT_EQ(image->model, "TRB-4820");
        EXPECT_EQ(image->version, "1.3.00");
        EXPECT_EQ(image->body, FirmwareImage::randomBody(5000, 7));
    }
}

struct Damage {
    const char *name;
    void (*apply)(std::vector<uint8_t> &file);
};

const Damage kDamages[] = {
    {"empty file", [](std::vector<uint8_t> &f) { f.clear(); }},
    {"header cut short", [](std::vector<uint8_t> &f) { f.resize(FirmwareImage::kHeaderSize - 1); }},
    {"unknown magic", [](std::vector<uint8_t> &f) { f[0] = 'X'; }},
    {"body cut short", [](std::vector<uint8_t> &f) { f.pop_back(); }},
    {"bytes appended", [](std::vector<uint8_t> &f) { f.push_back(0); }},
    {"body byte changed", [](std::vector<uint8_t> &f) { f[FirmwareImage::kHeaderSize + 100] ^= 1; }},
    {"length changed", [](std::vector<uint8_t> &f) { f[56] ^= 0x01; }},
    {"CRC changed", [](std::vector<uint8_t> &f) { f[60] ^= 0x80; }},
    {"no version", [](std::vector<uint8_t> &f) { f[8 + FirmwareImage::kModelSize] = 0; }},
};

TEST(FirmwareImage, EachKindOfDamageIsRefusedWithAReason)
{
    for (const Damage &damage : kDamages) {
        SCOPED_TRACE(damage.name);
        std::vector<uint8_t> file = goodImage();
        damage.apply(file);
        std::string error;
        EXPECT_FALSE(FirmwareImage::decode(file, error));
        EXPECT_FALSE(error.empty());
    }
}

TEST(FirmwareImage, FieldsTooLongForTheHeaderGiveNoFile)
{
    FirmwareImage image;
    image.model = std::string(FirmwareImage::kModelSize, 'M');
    image.version = "1.0";
    EXPECT_TRUE(image.encode().empty());
    image.model = "TRB-4820";
    image.version = std::string(FirmwareImage::kVersionSize, '9');
    EXPECT_TRUE(image.encode().empty());
}

} // namespace
