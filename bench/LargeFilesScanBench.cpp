#include "BenchTree.h"

#include "engine/DataFiller.h"
#include "platform/core/Bundle.h"

#include <benchmark/benchmark.h>

namespace {

const std::string kLargeFiles = "Large Files";

// The Large Files scan of the generated tree: walk, exclusion tests, thresholds, category rows.
void BM_LargeFilesScan(benchmark::State& state) {
    const BenchTree& tree = BenchTree::instance();
    qengine::DataFiller engine{qcore::Bundle(tree.resources())};
    engine.addNodesToLargeFiles(kLargeFiles);
    for (auto _ : state) {
        engine.fillLargeFiles();
        benchmark::DoNotOptimize(engine.getItemsCountOfModule(kLargeFiles));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(tree.fileCount()));
    state.counters["files"] = static_cast<double>(tree.fileCount());
    state.counters["listed"] = engine.getItemsCountOfModule(kLargeFiles);
}
BENCHMARK(BM_LargeFilesScan)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
