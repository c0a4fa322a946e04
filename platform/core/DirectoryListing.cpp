#include "DirectoryListing.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <dirent.h>

namespace qcore {

namespace {

std::uint64_t sortKeyOf(const char* name, std::size_t length) {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, name, std::min<std::size_t>(length, 8));
    std::uint64_t key = 0;
    for (const unsigned char byte : bytes)
        key = (key << 8) | byte;
    return key;
}

} // namespace

void DirectoryListing::add(const char* name, std::size_t length, unsigned char type) {
    // Offsets are 32 bits: a folder whose names pass 4 GiB is listed as far as they fit.
    if (names_.size() + length + 1 > UINT32_MAX) return;
    const auto offset = static_cast<std::uint32_t>(names_.size());
    names_.append(name, length + 1); // with its NUL
    entries_.push_back({sortKeyOf(name, length), offset, static_cast<std::uint32_t>(length), type});
}

void DirectoryListing::read(int folderFd) {
    names_.clear();
    entries_.clear();
    alignas(dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t filled = ::getdents64(folderFd, buffer, sizeof buffer);
        if (filled <= 0) return; // the end, or an error: what was read stands
        for (ssize_t at = 0; at < filled;) {
            const auto* record = reinterpret_cast<const dirent64*>(buffer + at);
            at += record->d_reclen;
            const char* name = record->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            add(name, std::strlen(name), record->d_type);
        }
    }
}

// The first eight bytes decide most comparisons without touching the names; equal keys fall
// back to the whole names. A name shorter than eight bytes ends in its key, so two equal keys
// with a short name among them are the same name, which a folder cannot hold twice.
void DirectoryListing::sortByName() {
    std::sort(entries_.begin(), entries_.end(), [this](const Entry& a, const Entry& b) {
        if (a.key != b.key) return a.key < b.key;
        return std::strcmp(names_.data() + a.offset, names_.data() + b.offset) < 0;
    });
}

} // namespace qcore
