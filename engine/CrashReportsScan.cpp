#include "engine/CrashReportsScan.h"

#include "engine/DataFiller.h"
#include "engine/FileOperations.h"
#include "engine/ModuleRow.h"
#include "engine/ScanRun.h"
#include "platform/core/FileManager.h"

#include <array>

namespace qengine {

using qcore::FileManager;

CrashReportsScan::CrashReportsScan(DataFiller& engine) : engine_(engine) {}

std::string CrashReportsScan::reportsFolder(const std::string& home) {
    return home + "/Library/Logs/DiagnosticReports";
}

bool CrashReportsScan::isReportName(const std::string& name) {
    if (name.starts_with("com.apple")) return false;
    return name.ends_with("crash") || FileManager::pathExtension(name) == "ips";
}

void CrashReportsScan::run() {
    ScanRun run(engine_, modules::kTrashCleaner);
    if (!run.active()) return;
    const std::string reports = reportsFolder(run.home());
    const std::string retired = reports + "/Retired";
    // Retired as a link would list reports from elsewhere, which the clean must refuse.
    const auto retiredAttributes = FileManager::attributes(retired);
    const bool retiredIsFolder = retiredAttributes && retiredAttributes->isDirectory();

    for (const std::string& folder : std::array{reports, retired}) {
        if (folder == retired && !retiredIsFolder) break;
        for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
            if (run.shouldStop()) return;
            if (!isReportName(name)) continue;
            run.countedPointWithReload(0.5);
            const std::string path = folder + "/" + name;
            if (!engine_.rightsToRemove(path)) continue;
            const auto attributes = FileManager::attributes(path);
            std::string size = "0";
            if (attributes)
                size = attributes->isDirectory() ? FileOperations::folderSizeUnix(path)
                                                 : FileOperations::getFileSize(path);
            run.list().appendRow(row::makeTrashCleanerRow(path, size));
            run.itemFound(FileOperations::bytesOf(size), 0.2);
        }
    }
}

} // namespace qengine
