#include "SslFiles.h"

#include <memory>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

namespace trb::sim {
namespace {

struct Free {
    void operator()(BIO *bio) const { BIO_free(bio); }
    void operator()(X509 *certificate) const { X509_free(certificate); }
    void operator()(EVP_PKEY *key) const { EVP_PKEY_free(key); }
};
template <typename T> using Owned = std::unique_ptr<T, Free>;

Owned<BIO> memoryOf(const std::vector<uint8_t> &file)
{
    return Owned<BIO>(BIO_new_mem_buf(file.data(), int(file.size())));
}

// Refuses to ask for a pass phrase.
int noPassphrase(char *, int, int, void *) { return -1; }

Owned<X509> certificateOf(const std::vector<uint8_t> &file)
{
    Owned<BIO> pem = memoryOf(file);
    Owned<X509> certificate(PEM_read_bio_X509(pem.get(), nullptr, noPassphrase, nullptr));
    if (!certificate) {
        const unsigned char *der = file.data();
        certificate.reset(d2i_X509(nullptr, &der, long(file.size())));
    }
    ERR_clear_error(); // the failed PEM attempt leaves its errors behind
    return certificate;
}

Owned<EVP_PKEY> keyOf(const std::vector<uint8_t> &file)
{
    Owned<BIO> pem = memoryOf(file);
    Owned<EVP_PKEY> key(PEM_read_bio_PrivateKey(pem.get(), nullptr, noPassphrase, nullptr));
    if (!key) {
        const unsigned char *der = file.data();
        key.reset(d2i_AutoPrivateKey(nullptr, &der, long(file.size())));
    }
    ERR_clear_error();
    return key;
}

std::string hex(const unsigned char *bytes, unsigned length)
{
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (unsigned i = 0; i < length; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

} // namespace

std::optional<std::string> SslFiles::certificateSubject(const std::vector<uint8_t> &file)
{
    if (file.empty())
        return std::nullopt;
    Owned<X509> certificate = certificateOf(file);
    if (!certificate)
        return std::nullopt;
    Owned<BIO> out(BIO_new(BIO_s_mem()));
    X509_NAME_print_ex(out.get(), X509_get_subject_name(certificate.get()), 0, XN_FLAG_ONELINE & ~ASN1_STRFLGS_ESC_MSB);
    char *text = nullptr;
    const long length = BIO_get_mem_data(out.get(), &text);
    return std::string(text, size_t(length > 0 ? length : 0));
}

std::optional<std::string> SslFiles::keyFingerprint(const std::vector<uint8_t> &file)
{
    if (file.empty())
        return std::nullopt;
    Owned<EVP_PKEY> key = keyOf(file);
    if (!key)
        return std::nullopt;
    unsigned char *der = nullptr;
    const int length = i2d_PUBKEY(key.get(), &der);
    if (length <= 0)
        return std::nullopt;
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned digestLength = 0;
    const bool hashed = EVP_Digest(der, size_t(length), digest, &digestLength, EVP_sha256(), nullptr) == 1;
    OPENSSL_free(der);
    if (!hashed)
        return std::nullopt;
    return hex(digest, digestLength);
}

} // namespace trb::sim
