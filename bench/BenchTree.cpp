#include "BenchTree.h"
#include "BenchTreeWriter.h"

#include "engine/Pacer.h"
#include "platform/core/Home.h"
#include "platform/core/Log.h"
#include "platform/core/UserDefaults.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kDefaultFiles = 100'000;

std::size_t requestedFileCount() {
    const char* value = std::getenv("QUENDRIX_BENCH_FILES");
    if (!value || !*value) return kDefaultFiles;
    const long long n = std::atoll(value);
    return n > 0 ? static_cast<std::size_t>(n) : kDefaultFiles;
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
    const auto counts = BenchTreeWriter::write(root_, fileCount_);
    copyCount_ = counts.copies;
    largeCount_ = counts.large;
}

void BenchTree::configureEngine() const {
    configureEngineFor(home_, root_);
}

void BenchTree::configureEngineFor(const std::string& home, const std::string& root) {
    qengine::Pacer::setScale(0);
    qcore::Home::setOverrideForTesting(home);
    auto& defaults = qcore::UserDefaults::standard();
    defaults.setObject("searchFileMinSize", "4");
    defaults.setObject("searchSizeUnit", "1");
    defaults.setObject("DuplicatesFinderPath", root);
    defaults.setObject("excludedDirectoryNames", qcore::Array{".git", "/System", "/Library"});
    defaults.setObject("LargeFilesPath", root);
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
