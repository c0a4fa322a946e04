#pragma once

#include <cstddef>
#include <string>

// Writes the generated tree the benchmarks walk: small files in folders of 100, about three in
// a hundred being exact copies (same bytes and modification time) of an earlier file, and one
// in 250 a sparse multi-megabyte media or document file for the Large Files scan, each with
// its own first bytes so that no two of them are copies.
class BenchTreeWriter {
public:
    struct Counts {
        std::size_t files = 0;
        std::size_t copies = 0;
        std::size_t large = 0;
    };

    // Writes `fileCount` files below `root` (made when missing).
    static Counts write(const std::string& root, std::size_t fileCount);
};
