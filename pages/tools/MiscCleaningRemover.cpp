#include "pages/tools/MiscCleaningRemover.h"

#include "engine/DataFiller.h"
#include "engine/Pacer.h"
#include "engine/TextFormat.h"
#include "platform/core/FileManager.h"
#include "platform/core/Log.h"

#include <chrono>
#include <thread>

namespace qpages {

namespace {

// The engine removes synchronously; this only covers a file system that lags behind.
constexpr auto kVanishBound = std::chrono::seconds(2);

bool waitUntilGone(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + kVanishBound;
    while (qcore::FileManager::exists(path)) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

MiscCleaningRemover::MiscCleaningRemover(qengine::DataFiller& engine, std::string home,
                                         std::string folder, std::string errorFormat)
    : engine_(engine), home_(std::move(home)), folder_(std::move(folder)),
      errorFormat_(std::move(errorFormat)) {}

int MiscCleaningRemover::remove(MiscCleaningList& list, const Callbacks& callbacks) const {
    int removedCount = 0;
    std::size_t n = list.count();
    std::size_t index = 0;
    while (index < n) {
        const auto row = list.rowAt(index);
        if (!row) break;
        if (!row->isChecked()) {
            ++index;
            continue;
        }
        if (engine_.stopRemovingMiscCleaning()) {
            engine_.setAbortedMiscCleaning(true);
            break;
        }
        qengine::Pacer::sleep(0.01);
        qcore::log(qengine::modules::kMiscCleaning, " Clean: ", row->url);
        if (removeItem(*row) && list.removeAt(index, row->url)) {
            --n;
            ++removedCount;
            if (callbacks.removed) callbacks.removed(*row);
            qengine::Pacer::sleep(0.05);
        } else {
            qcore::log(qengine::text::fillPlaceholders(errorFormat_, {row->url}));
            ++index;
        }
        if (callbacks.handled) callbacks.handled();
    }
    return removedCount;
}

bool MiscCleaningRemover::removeItem(const MiscCleaningRow& row) const {
    qengine::RemovalCheck check;
    check.listedType = row.listedType;
    check.moduleFolder = folder_;
    check.linkFreeBelow = home_;
    if (!engine_.removeItemWithAccess(row.url, qengine::modules::kMiscCleaning, check))
        return false;
    return waitUntilGone(row.url);
}

} // namespace qpages
