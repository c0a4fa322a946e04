#include "engine/PartialDownloadsScan.h"

#include "engine/AgeLimit.h"
#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/ModuleRow.h"
#include "engine/NameMatch.h"
#include "engine/Pacer.h"
#include "engine/PartialDownloadsState.h"
#include "engine/ScanRun.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

namespace qengine {

using qcore::FileManager;

PartialDownloadsScan::PartialDownloadsScan(DataFiller& engine, PartialDownloadsState& state)
    : engine_(engine), state_(state) {}

std::string PartialDownloadsScan::downloadsFolder(const std::string& home) {
    return home + "/Downloads";
}

bool PartialDownloadsScan::isPartialDownloadName(const std::string& name) {
    return names::endsWithAny(name, {".download", ".part"});
}

void PartialDownloadsScan::run() {
    ScanRun run(engine_, modules::kPartialDownloads);
    if (!run.active()) return; // a busy module keeps the running scan's totals
    const double cutOff =
        AgeLimit::cutOffFromDefaults("partialDownloadsValue", "partialDownloadsUnit");
    state_.timeRef.store(cutOff);
    state_.itemsCount.store(0);
    state_.itemsSize.store(0);
    state_.count.store(0);
    if (run.shouldStop()) return;

    const std::string folder = downloadsFolder(run.home());
    for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
        if (!isPartialDownloadName(name)) continue;
        const std::string path = folder + "/" + name;
        if (!engine_.hasPermissionsToDelete(path)) continue;
        // An entry that vanished since the listing has nothing left to clean.
        const auto attributes = FileManager::attributes(path);
        if (!attributes || !AgeLimit::isOld(attributes->modified, cutOff)) continue;

        run.countedPointWithReload(0.04);
        state_.count.store(run.cadence().count());
        const std::uint64_t bytes =
            attributes->isDirectory()
                ? FileOperations::bytesOf(FileOperations::folderSizeUnix(path))
                : attributes->size;
        run.list().appendRow(row::makePartialDownloadsRow(
            path, static_cast<std::int64_t>(bytes), attributes->modified, attributes->created));
        qcore::log(path);
        run.countItem(bytes);
        state_.itemsCount.store(run.count());
        state_.itemsSize.store(run.size());
        if (run.shouldStop()) return;
        Pacer::sleep(0.01);
    }
}

} // namespace qengine
