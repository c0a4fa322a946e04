#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace qcore {

// Streamed MD5 through OpenSSL's EVP interface.
class Md5 {
public:
    Md5();
    ~Md5();
    Md5(const Md5&) = delete;
    Md5& operator=(const Md5&) = delete;

    void update(const void* bytes, std::size_t length);
    // Lower-case hexadecimal digest; the object cannot be updated afterwards.
    std::string finishHex();

    static std::string ofString(const std::string& bytes);

private:
    struct Context;
    std::unique_ptr<Context> ctx_;
};

} // namespace qcore
