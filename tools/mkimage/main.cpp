// trb4820-mkimage: writes a firmware image or a language pack for the TRB-4820 (and the
// simulator), with a body of pseudo-random bytes.
//   trb4820-mkimage --version 1.3.00 --size 8M [--model TRB-4820] out.bin
//   trb4820-mkimage --language NAME [--size 64K] out.lng
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "FirmwareImage.h"
#include "Trb4820Version.h"

using trb::image::FirmwareImage;

namespace {

constexpr const char *kUsage =
    "usage: trb4820-mkimage --version VERSION [--size N[K|M]] [--model MODEL] OUT\n"
    "       trb4820-mkimage --language NAME [--size N[K|M]] [--model MODEL] OUT\n"
    "       trb4820-mkimage --help | --version\n";

// "512", "64K", "8M"; nullopt for anything else or more than 1 GiB.
std::optional<std::size_t> parseSize(const std::string &text)
{
    std::size_t used = 0;
    unsigned long long number = 0;
    try {
        number = std::stoull(text, &used);
    } catch (...) {
        return std::nullopt;
    }
    const std::string unit = text.substr(used);
    const unsigned long long scale = unit.empty() ? 1 : unit == "K" ? 1024 : unit == "M" ? 1024 * 1024 : 0;
    if (scale == 0 || text[0] == '-' || number > (1ULL << 30) / scale)
        return std::nullopt;
    return std::size_t(number * scale);
}

int fail(const std::string &message)
{
    std::cerr << "trb4820-mkimage: " << message << "\n" << kUsage;
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    FirmwareImage image;
    image.model = "TRB-4820";
    std::size_t size = 64 * 1024;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if ((arg == "--version" || arg == "--language") && hasValue) {
            image.kind = arg == "--version" ? FirmwareImage::Kind::Firmware : FirmwareImage::Kind::LanguagePack;
            image.version = argv[++i];
        } else if (arg == "--model" && hasValue) {
            image.model = argv[++i];
        } else if (arg == "--size" && hasValue) {
            auto parsed = parseSize(argv[++i]);
            if (!parsed)
                return fail(std::string("bad size '") + argv[i] + "'");
            size = *parsed;
        } else if (arg == "--help") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--version" && argc == 2) {
            // Alone it asks for the program's version; with a value it names the image's.
            std::cout << "trb4820-mkimage " TRB4820_VERSION "\n";
            return 0;
        } else if (!arg.empty() && arg[0] != '-' && out.empty()) {
            out = arg;
        } else {
            return fail("unexpected argument '" + arg + "'");
        }
    }
    if (image.version.empty() || out.empty())
        return fail("a version (or language pack name) and an output file are needed");
    image.body = FirmwareImage::randomBody(size, trb::image::crc32({reinterpret_cast<const uint8_t *>(
                                                                        image.version.data()),
                                                                    image.version.size()}));
    const std::vector<uint8_t> file = image.encode();
    if (file.empty())
        return fail("model or version too long");
    std::ofstream stream(out, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char *>(file.data()), std::streamsize(file.size()));
    stream.close();
    if (!stream) {
        std::cerr << "trb4820-mkimage: cannot write " << out << ": " << std::strerror(errno) << "\n";
        return 1;
    }
    return 0;
}
