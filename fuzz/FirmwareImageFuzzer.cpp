// libFuzzer target for the firmware image and language pack header check: any file must be
// taken or refused without a crash, and an image taken must survive writing and reading again.
#include "FirmwareImage.h"

#include <cstdlib>

using trb::image::FirmwareImage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string error;
    const auto image = FirmwareImage::decode({data, size}, error);
    if (!image) {
        if (error.empty())
            std::abort(); // a refusal always says why
        return 0;
    }
    if (image->model.size() > FirmwareImage::kModelSize || image->version.size() > FirmwareImage::kVersionSize
        || image->body.size() + FirmwareImage::kHeaderSize != size)
        std::abort();
    // A field filled to its end (no NUL) is read, though the writer keeps one byte free.
    const std::vector<std::uint8_t> written = image->encode();
    if (written.empty())
        return 0;
    const auto again = FirmwareImage::decode(written, error);
    if (!again || again->kind != image->kind || again->model != image->model || again->version != image->version
        || again->body != image->body)
        std::abort();
    return 0;
}
