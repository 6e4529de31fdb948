#pragma once
// The SSL certificate and key files the device accepts: X.509 certificates and private keys,
// PEM or DER, parsed with OpenSSL.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trb::sim {

class SslFiles {
public:
    // The certificate's subject ("CN=ap.example, O=Example"), or nullopt when the bytes hold no
    // X.509 certificate.
    static std::optional<std::string> certificateSubject(const std::vector<uint8_t> &file);
    // The SHA-256 of the key's public half in hex, or nullopt when the bytes hold no private
    // key (an encrypted one included: the device has no pass phrase for it).
    static std::optional<std::string> keyFingerprint(const std::vector<uint8_t> &file);
};

} // namespace trb::sim
