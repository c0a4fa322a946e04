#include "BenchTree.h"

#include "engine/Pacer.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kDefaultFiles = 100'000;
constexpr std::size_t kFilesPerFolder = 100;
constexpr std::size_t kCopyEvery = 33;
constexpr std::size_t kLargeEvery = 250;
constexpr std::uintmax_t kLargeBytes = 2u << 20;
constexpr std::time_t kBaseTime = 1'600'000'000;

std::size_t requestedFileCount() {
    const char* value = std::getenv("QUENDRIX_BENCH_FILES");
    if (!value || !*value) return kDefaultFiles;
    const long long n = std::atoll(value);
    return n > 0 ? static_cast<std::size_t>(n) : kDefaultFiles;
}

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

} // namespace

const BenchTree& BenchTree::instance() {
    static const BenchTree tree;
    return tree;
}

BenchTree::BenchTree() : fileCount_(requestedFileCount()) {
    std::string pattern = (fs::temp_directory_path() / "quendrix-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    home_ = pattern;
    root_ = home_ + "/tree";
    resources_ = QUENDRIX_BENCH_RESOURCES;
    qcore::redirectStandardErrorTo(home_ + "/bench.log");
    generate();
    configureEngine();
}

BenchTree::~BenchTree() {
    std::error_code ec;
    fs::remove_all(home_, ec);
    qcore::Home::setOverrideForTesting("");
}

void BenchTree::generate() {
    std::vector<std::string> originals;
    for (std::size_t i = 0; i < fileCount_; ++i) {
        const std::string folder = root_ + "/d" + std::to_string(i / kFilesPerFolder);
        if (i % kFilesPerFolder == 0) fs::create_directories(folder);
        const std::string path = folder + "/f" + std::to_string(i);
        if (i % kLargeEvery == kLargeEvery - 1) {
            static const char* const kExtensions[] = {".mp3", ".pdf", ".png", ".mov"};
            const std::string large = path + kExtensions[(i / kLargeEvery) % 4];
            std::ofstream{large};
            fs::resize_file(large, kLargeBytes);
            setModified(large, kBaseTime + static_cast<std::time_t>(i));
            ++largeCount_;
            continue;
        }
        if (i % kCopyEvery == kCopyEvery - 1 && !originals.empty()) {
            // An exact copy of an earlier file, modification time included.
            const std::string& original = originals[(i * 7) % originals.size()];
            fs::copy_file(original, path);
            struct stat st {};
            ::stat(original.c_str(), &st);
            setModified(path, st.st_mtim.tv_sec);
            ++copyCount_;
            continue;
        }
        std::ofstream(path, std::ios::binary) << contentOf(i);
        setModified(path, kBaseTime + static_cast<std::time_t>(i % 5000));
        originals.push_back(path);
    }
}

void BenchTree::configureEngine() const {
    qengine::Pacer::setScale(0);
    qcore::Home::setOverrideForTesting(home_);
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("searchFileMinSize", "4");
    defaults.setObject("searchSizeUnit", "1");
    defaults.setObject("DuplicatesFinderPath", root_);
    defaults.setObject("excludedDirectoryNames", qcore::Array{".git", "/System", "/Library"});
    defaults.setObject("LargeFilesPath", root_);
    const std::pair<const char*, const char*> thresholds[] = {{"searchFileMinSize_Large", "50"},
                                                              {"searchFileMinSize_LargeM", "1"},
                                                              {"searchFileMinSize_LargeD", "1"},
                                                              {"searchFileMinSize_LargeV", "25"},
                                                              {"searchFileMinSize_LargeP", "1"}};
    for (const auto& [sizeKey, value] : thresholds) {
        defaults.setObject(sizeKey, value);
        defaults.setObject(std::string(sizeKey).replace(0, 17, "searchSizeUnit"), "2");
    }
}
