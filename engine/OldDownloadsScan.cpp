#include "engine/OldDownloadsScan.h"

#include "engine/AgeLimit.h"
#include "engine/DataFiller.h"
#include "engine/DatabaseCompanion.h"
#include "engine/FileOperations.h"
#include "engine/PartialDownloadsScan.h"
#include "engine/ScanRun.h"
#include "platform/core/FileManager.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace qengine {

using qcore::FileManager;

namespace {

std::optional<qcore::Date> dateIn(const qcore::Dictionary& dates, const std::string& key) {
    const auto it = dates.find(key);
    return it == dates.end() ? std::nullopt : it->second.date();
}

} // namespace

OldDownloadsScan::OldDownloadsScan(DataFiller& engine) : engine_(engine) {}

void OldDownloadsScan::run() {
    ScanRun run(engine_, modules::kOldDownloads);
    if (!run.active()) return;
    const double cutOff = AgeLimit::cutOffFromDefaults("oldDownloadsValue", "oldDownloadsUnit");
    const std::string folder = PartialDownloadsScan::downloadsFolder(run.home());
    for (const std::string& name : FileManager::contentsOfDirectory(folder)) {
        if (PartialDownloadsScan::isPartialDownloadName(name)) continue;
        // Every other entry counts for the cadence, listed or not.
        run.countedPointWithReload(0.2);
        if (run.shouldStop()) return;
        if (DatabaseCompanion::isCompanionName(name)) continue;
        const std::string path = folder + "/" + name;
        const auto attributes = FileManager::attributes(path);
        if (!attributes) continue;
        auto row = getDictInfoDownloads(path, attributes->isDirectory(), cutOff);
        if (!row) continue;
        const std::uint64_t bytes = row::size(*row);
        run.list().appendRow(std::move(*row));
        run.itemFound(bytes, 0.1);
    }
}

std::optional<ModuleRow> OldDownloadsScan::getDictInfoDownloads(const std::string& path, bool isDir,
                                                                double timeRef) {
    if (FileManager::lastPathComponent(path).starts_with(".")) return std::nullopt;
    const qcore::Dictionary dates = FileOperations::getItemAMCDates(path);
    const auto accessed = dateIn(dates, "aDate");
    const auto modified = dateIn(dates, "mDate");
    const auto created = dateIn(dates, "cDate");
    if (!accessed || !modified || !created) return std::nullopt;
    if (!AgeLimit::isOld(*accessed, timeRef)) return std::nullopt;

    const std::string size =
        isDir ? FileOperations::fastFolderSize(path) : FileOperations::getFileSize(path);
    // The whole count decides: a file of exactly 4 GiB is not empty.
    if (FileOperations::bytesOf(size) == 0) return std::nullopt;
    return row::makeOldDownloadsRow(path, size, getDateInString(*accessed),
                                    accessed->secondsSince1970, getDateInString(*modified),
                                    getDateInString(*created));
}

std::string OldDownloadsScan::getDateInString(qcore::Date date) {
    const auto seconds = static_cast<std::time_t>(std::floor(date.secondsSince1970));
    std::tm local{};
    if (!::localtime_r(&seconds, &local)) return "";
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%02d, %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year % 100, hour12, local.tm_min, local.tm_sec,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

} // namespace qengine
