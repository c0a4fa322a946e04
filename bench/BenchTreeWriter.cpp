#include "BenchTreeWriter.h"

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFilesPerFolder = 100;
constexpr std::size_t kCopyEvery = 33;
constexpr std::size_t kLargeEvery = 250;
constexpr std::uintmax_t kLargeBytes = 2u << 20;
constexpr std::time_t kBaseTime = 1'600'000'000;

void setModified(const std::string& path, std::time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

// Distinct bytes per index, 4 to 8 KiB long.
std::string contentOf(std::size_t index) {
    std::string bytes = "file " + std::to_string(index) + "\n";
    bytes.resize(4096 + (index * 2654435761u) % 4096, static_cast<char>('a' + index % 26));
    return bytes;
}

void writeLarge(const std::string& path, std::size_t index) {
    std::ofstream(path, std::ios::binary) << "large " << index << "\n";
    fs::resize_file(path, kLargeBytes);
}

} // namespace

BenchTreeWriter::Counts BenchTreeWriter::write(const std::string& root, std::size_t fileCount) {
    static const char* const kExtensions[] = {".mp3", ".pdf", ".png", ".mov"};
    Counts counts;
    std::vector<std::string> originals;
    for (std::size_t i = 0; i < fileCount; ++i) {
        const std::string folder = root + "/d" + std::to_string(i / kFilesPerFolder);
        if (i % kFilesPerFolder == 0) fs::create_directories(folder);
        const std::string path = folder + "/f" + std::to_string(i);
        ++counts.files;
        if (i % kLargeEvery == kLargeEvery - 1) {
            const std::string large = path + kExtensions[(i / kLargeEvery) % 4];
            writeLarge(large, i);
            setModified(large, kBaseTime + static_cast<std::time_t>(i));
            ++counts.large;
            continue;
        }
        if (i % kCopyEvery == kCopyEvery - 1 && !originals.empty()) {
            // An exact copy of an earlier file, modification time included.
            const std::string& original = originals[(i * 7) % originals.size()];
            fs::copy_file(original, path);
            struct stat st {};
            ::stat(original.c_str(), &st);
            setModified(path, st.st_mtim.tv_sec);
            ++counts.copies;
            continue;
        }
        std::ofstream(path, std::ios::binary) << contentOf(i);
        setModified(path, kBaseTime + static_cast<std::time_t>(i % 5000));
        originals.push_back(path);
    }
    return counts;
}
