#include "BenchTree.h"

#include "engine/DataFiller.h"
#include "platform/core/Bundle.h"

#include <benchmark/benchmark.h>

namespace {

// The whole duplicates scan of the generated tree: walk, candidate table, hashing of the
// files that share size and time with another, listing of the copies.
void BM_DuplicatesScan(benchmark::State& state) {
    const BenchTree& tree = BenchTree::instance();
    qengine::DataFiller engine{qcore::Bundle(tree.resources())};
    for (auto _ : state) {
        engine.fillDuplicateFiles();
        benchmark::DoNotOptimize(engine.itemsCount_Dups());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tree.fileCount()));
    state.counters["files"] = static_cast<double>(tree.fileCount());
    state.counters["copies_listed"] = engine.itemsCount_Dups();
}
BENCHMARK(BM_DuplicatesScan)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
