#include "engine/LogsCleanerScan.h"

#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/ModuleRow.h"
#include "engine/NameMatch.h"
#include "engine/Pacer.h"
#include "engine/ScanListing.h"
#include "engine/ScanRun.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <string_view>

namespace qengine {

using qcore::FileManager;

namespace {

bool isLogOf(const std::string& upper, std::string_view prefix) {
    return upper.starts_with(prefix) && upper.ends_with("LOG");
}

} // namespace

LogsCleanerScan::LogsCleanerScan(DataFiller& engine, ScanListing& listing)
    : engine_(engine), listing_(listing) {}

std::string LogsCleanerScan::logsFolder(const std::string& home) {
    return home + "/Library/Logs";
}

bool LogsCleanerScan::skipsLogName(const std::string& name) {
    if (names::startsWithAny(names::lowerCased(name), {"com.bigfishgames", "com.morvane",
                                                       "com.apple", "com.varnello", "zolvaned"}))
        return true;
    const std::string upper = text::upperCased(name);
    return upper == "VARNELLO.LOG" || name == "DiagnosticReports" || isLogOf(upper, "RIVOZOREV") ||
           isLogOf(upper, "ZOLVANE");
}

void LogsCleanerScan::run() {
    ScanRun run(engine_, modules::kLogsCleaner);
    if (!run.active()) return;
    const std::string folder = logsFolder(run.home());
    listing_.begin(folder);

    auto group = std::make_shared<OutlineViewNode>();
    const std::string title = engine_.getTokenForGroup("GRP_CMN", "ID_USER_LOGS");
    group->setTitle(title);
    group->setFullPath(folder + "/");
    group->setIsDirectory(true);
    group->setIconFixedSize("User Logs");
    const std::size_t groupIndex = run.list().appendNode(std::move(group));

    for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
        if (skipsLogName(name) || DatabaseCompanion::isCompanionName(name)) continue;
        run.countedPointWithHandshake(); // only entries that passed the filters count
        const std::string path = folder + "/" + name;
        qcore::log("Logs Cleaner Scan: ", path);
        auto item = OutlineViewNode::initWithPath(path, false);
        listing_.add(path, row::typeOnDisk(path));
        const std::uint64_t bytes = item->sizeInBytes();
        run.list().appendChild(groupIndex, std::move(item));
        run.countItem(bytes);
        if (run.shouldStop()) return;
        Pacer::sleep(0.01);
    }
}

} // namespace qengine
