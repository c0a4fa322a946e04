#include "engine/FlatModuleClean.h"

#include "engine/DataFiller.h"
#include "engine/ModuleRow.h"
#include "engine/PartialDownloadsScan.h"
#include "engine/RemovalRun.h"

namespace qengine {

void FlatModuleClean::removePartialDownloads(DataFiller& engine) {
    RemovalRun run(engine, modules::kPartialDownloads,
                   PartialDownloadsScan::downloadsFolder(DataFiller::homeDirectory()));
    if (run.active()) run.removeFlatRows();
}

void FlatModuleClean::removeOldDownloads(DataFiller& engine) {
    RemovalRun run(engine, modules::kOldDownloads,
                   PartialDownloadsScan::downloadsFolder(DataFiller::homeDirectory()));
    if (!run.active()) return;
    RemovalRun::FlatHooks hooks;
    hooks.beforeCheckedRow = [](RemovalRun& r, int handledBefore) {
        if (handledBefore > 0 && handledBefore % 5 == 0) r.reloadAndSleep(0.05);
    };
    run.removeFlatRows(hooks);
}

} // namespace qengine
