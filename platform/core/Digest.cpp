#include "Digest.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace qcore {

struct Md5::Context {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    bool finished = false;
    ~Context() { EVP_MD_CTX_free(ctx); }
};

Md5::Md5() : ctx_(std::make_unique<Context>()) {
    if (!ctx_->ctx || EVP_DigestInit_ex(ctx_->ctx, EVP_md5(), nullptr) != 1)
        throw std::runtime_error("MD5 is not available");
}

Md5::~Md5() = default;

void Md5::update(const void* bytes, std::size_t length) {
    if (!ctx_->finished && length > 0) EVP_DigestUpdate(ctx_->ctx, bytes, length);
}

std::string Md5::finishHex() {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (ctx_->finished || EVP_DigestFinal_ex(ctx_->ctx, digest, &length) != 1) return "";
    ctx_->finished = true;
    static const char* hex = "0123456789abcdef";
    std::string out;
    out.reserve(length * 2);
    for (unsigned i = 0; i < length; ++i) {
        out.push_back(hex[digest[i] >> 4]);
        out.push_back(hex[digest[i] & 0x0f]);
    }
    return out;
}

std::string Md5::ofString(const std::string& bytes) {
    Md5 md5;
    md5.update(bytes.data(), bytes.size());
    return md5.finishHex();
}

} // namespace qcore
