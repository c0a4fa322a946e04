#pragma once

#include <cstddef>
#include <string>

// The generated folder tree (see BenchTreeWriter) every benchmark of one process walks, made
// once on first use in a temporary folder that also serves as the home folder, and removed at
// exit. Its size comes from QUENDRIX_BENCH_FILES (default 100,000 files).
// Using it also sets the engine up for measuring: pacing off, settings pointing at the tree,
// log lines going to a file beside it.
class BenchTree {
public:
    static const BenchTree& instance();

    const std::string& home() const { return home_; }
    // The folder holding the generated files, below home().
    const std::string& root() const { return root_; }
    // The bundle with the language table, for engines made by the benchmarks.
    const std::string& resources() const { return resources_; }
    std::size_t fileCount() const { return fileCount_; }
    std::size_t copyCount() const { return copyCount_; }
    std::size_t largeCount() const { return largeCount_; }

    // Pacing off, the home folder redirected, and the duplicates and Large Files settings
    // pointing at `root`: copies of 4 KB and more; music, documents and pictures from 1 MB,
    // video from 25 MB, other files from 50 MB.
    static void configureEngineFor(const std::string& home, const std::string& root);

    ~BenchTree();
    BenchTree(const BenchTree&) = delete;
    BenchTree& operator=(const BenchTree&) = delete;

private:
    BenchTree();
    void generate();
    void configureEngine() const;

    std::string home_;
    std::string root_;
    std::string resources_;
    std::size_t fileCount_ = 0;
    std::size_t copyCount_ = 0;
    std::size_t largeCount_ = 0;
};
