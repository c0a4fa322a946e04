#include "BenchTree.h"

#include "engine/FileOperations.h"

#include <benchmark/benchmark.h>

namespace {

using qengine::FileOperations;

void reportPerFile(benchmark::State& state, const BenchTree& tree, const std::string& total) {
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tree.fileCount()));
    state.counters["files"] = static_cast<double>(tree.fileCount());
    state.SetLabel(total + " bytes");
}

void BM_FolderSizeUnix(benchmark::State& state) {
    const BenchTree& tree = BenchTree::instance();
    std::string total;
    for (auto _ : state) {
        total = FileOperations::folderSizeUnix(tree.root());
        benchmark::DoNotOptimize(total);
    }
    reportPerFile(state, tree, total);
}
BENCHMARK(BM_FolderSizeUnix)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FastFolderSize(benchmark::State& state) {
    const BenchTree& tree = BenchTree::instance();
    std::string total;
    for (auto _ : state) {
        total = FileOperations::fastFolderSize(tree.root());
        benchmark::DoNotOptimize(total);
    }
    reportPerFile(state, tree, total);
}
BENCHMARK(BM_FastFolderSize)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
