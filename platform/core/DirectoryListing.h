#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qcore {

// The entries of one open folder, read in one go straight from the kernel's listing: names end
// to end in one buffer, "." and ".." left out. Walks of whole home folders list every folder
// through it, so an entry costs no allocation of its own.
class DirectoryListing {
public:
    // Reads the folder open at `folderFd` from its start; the descriptor stays open and its
    // position moves to the end. A read error ends the listing with what was read so far.
    void read(int folderFd);
    // Byte order of the names, as std::string compares them.
    void sortByName();

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const char* name(std::size_t i) const { return names_.data() + entries_[i].offset; }
    std::size_t nameLength(std::size_t i) const { return entries_[i].length; }
    // The type the listing gives (DT_DIR, DT_REG, ...; DT_UNKNOWN where the file system does not
    // say).
    unsigned char type(std::size_t i) const { return entries_[i].type; }

private:
    struct Entry {
        std::uint64_t key; // the name's first eight bytes, most significant first
        std::uint32_t offset;
        std::uint32_t length;
        unsigned char type;
    };
    void add(const char* name, std::size_t length, unsigned char type);

    std::string names_; // each name followed by its NUL
    std::vector<Entry> entries_;
};

} // namespace qcore
