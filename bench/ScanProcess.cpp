// One scan of a folder as a whole process, for timing beside other tools:
//
//     bench_scan duplicates <folder>   the copies found, one group per paragraph
//     bench_scan large <folder>        the large files found, one per line
//     bench_scan size <folder>         the folder's size in bytes, as `du -sb` counts it
//     bench_scan generate <folder> <n> writes the benchmark tree of n files
//
// The folder stands in as the home folder, pacing is off and the log goes to /dev/null.

#include "BenchTree.h"
#include "BenchTreeWriter.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/ModuleKeys.h"
#include "platform/core/Bundle.h"
#include "platform/core/Log.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using qengine::DataFiller;
using qengine::ModuleList;

int usage() {
    std::fputs("usage: bench_scan duplicates|large|size <folder>\n"
               "       bench_scan generate <folder> <files>\n",
               stderr);
    return 2;
}

// Each group's copies, a blank line after each group.
void printGroups(const DataFiller& engine, const std::string& module, bool blankAfterGroup) {
    engine.mainDataSource(module).withLock(
        [&](const ModuleList::Nodes& groups, const ModuleList::Rows&) {
            for (const auto& group : groups) {
                if (!group || group->children().empty()) continue;
                for (const auto& copy : group->children())
                    if (copy) std::printf("%s\n", copy->fullPath().c_str());
                if (blankAfterGroup) std::printf("\n");
            }
        });
}

int scan(const std::string& mode, const std::string& folder) {
    BenchTree::configureEngineFor(folder, folder);
    qcore::redirectStandardErrorTo("/dev/null");
    // The folder size needs no engine, as the pages that show it call it directly.
    if (mode == "size") {
        std::printf("%s\t%s\n", qengine::FileOperations::fastFolderSize(folder).c_str(),
                    folder.c_str());
        return 0;
    }
    DataFiller engine{qcore::Bundle(QUENDRIX_BENCH_RESOURCES)};
    if (mode == "duplicates") {
        engine.fillDuplicateFiles();
        printGroups(engine, qengine::modules::kDuplicatesFinder, true);
    } else if (mode == "large") {
        engine.addNodesToLargeFiles(qengine::modules::kLargeFiles);
        engine.fillLargeFiles();
        printGroups(engine, qengine::modules::kLargeFiles, false);
    } else {
        return usage();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string mode = argv[1];
    const std::string folder = std::filesystem::absolute(argv[2]).lexically_normal().string();
    if (mode == "generate") {
        if (argc < 4) return usage();
        const auto counts = BenchTreeWriter::write(folder, std::strtoull(argv[3], nullptr, 10));
        std::printf("%zu files, %zu copies, %zu large\n", counts.files, counts.copies,
                    counts.large);
        return 0;
    }
    return scan(mode, folder);
}
