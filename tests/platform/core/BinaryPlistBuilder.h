#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Assembles binary property lists object by object, so tests can write exactly the bytes a
// hostile or unusual file holds.
class BinaryPlistBuilder {
public:
    // Appends an encoded object and returns its index.
    std::size_t add(std::string encoded);
    std::size_t addTrue() { return add("\x09"); }
    std::size_t addAscii(const std::string& text);
    std::size_t addUtf16(const std::u16string& text);
    std::size_t addArray(const std::vector<std::size_t>& items);
    std::size_t addDictionary(const std::vector<std::pair<std::size_t, std::size_t>>& entries);
    // Reserves an index whose object is given later with set().
    std::size_t reserve() { return add(""); }
    void set(std::size_t index, std::string encoded) { objects_[index] = std::move(encoded); }
    // References are two bytes wide (up to 65,536 objects).
    std::string build(std::size_t top = 0) const;

private:
    std::string marker(unsigned type, std::size_t count) const;
    static std::string reference(std::size_t index);
    static unsigned refSize() { return 2; }

    std::vector<std::string> objects_;
};
